// The lines of a text as the phrase tool's import walks them: a line runs up to a CR, the unit
// after the CR (LF in well-formed text) is skipped unexamined, and a last line without CR is
// neither read nor counted. Both tables' parsers walk their text this way.
#pragma once

#include <cstddef>
#include <string_view>

struct ImportLine {
    std::size_t number = 0;   // 1-based
    std::size_t start = 0;    // first unit of the line
    std::size_t end = 0;      // the CR that ends it, or the end of the text
    std::size_t next = 0;     // start of the next line: past the CR and the unit after it
    bool terminated = false;  // false for a last line without CR, which the import ignores
};

// Calls visit(const ImportLine&) for every line in order.
template <class Visit>
void ForEachImportLine(std::u16string_view text, Visit&& visit) {
    const std::size_t count = text.size();
    std::size_t start = 0;
    std::size_t number = 0;
    while (start < count) {
        const std::size_t found = text.find(u'\r', start);
        ++number;
        if (found == std::u16string_view::npos) {
            visit(ImportLine{number, start, count, count, false});
            return;
        }
        const std::size_t next = found + 2 < count ? found + 2 : count;
        visit(ImportLine{number, start, found, next, true});
        start = found + 2;
    }
}
