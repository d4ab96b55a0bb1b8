// The lines of a text as the phrase tool's import walks them: a line runs up to a CR, and the
// unit after the CR (the LF of the CR LF that DecodeText ends every line with) is skipped. Both
// tables' parsers walk their text this way. Below, the lines of an import file's bytes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

struct ImportLine {
    std::size_t number = 0;  // 1-based
    std::size_t start = 0;   // first unit of the line
    std::size_t end = 0;     // the CR that ends it
    std::size_t next = 0;    // start of the next line: past the CR and the unit after it
};

// Calls visit(const ImportLine&) for every line in order. Decoded text has no last line without
// CR; the parsers would not read one, and neither does this walk.
template <class Visit>
void ForEachImportLine(std::u16string_view text, Visit&& visit) {
    const std::size_t count = text.size();
    std::size_t number = 0;
    for (std::size_t start = 0; start < count;) {
        const std::size_t cr = text.find(u'\r', start);
        if (cr == std::u16string_view::npos) return;
        const std::size_t next = cr + 2 < count ? cr + 2 : count;
        visit(ImportLine{++number, start, cr, next});
        start = cr + 2;
    }
}

// Calls visit(number, start, end) for every line of bytes whose line ends are ASCII (UTF-8 and
// Big5, whose other bytes are never CR or LF), as the import ends them: CR LF, LF alone and CR
// alone each end a line, and so does the end of the bytes for a last line without one.
// CountByteLines counts the same lines.
template <class Visit>
void ForEachByteLine(std::string_view bytes, Visit visit) {
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        visit(++number, start, end);
        start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
    }
}
