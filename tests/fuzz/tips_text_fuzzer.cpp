// Fuzz target for the tips text: parses arbitrary UTF-16 text and checks the table it yields,
// the text formatted back from it, and the search over the character column.

#include "FuzzSupport.h"

#include "Ordering.h"
#include "TipTable.h"

#include <algorithm>

using fuzz::PlainListSelection;

namespace {

constexpr std::int32_t NormalImage = 9;

bool SameEntry(const TipEntry& a, const TipEntry& b) {
    return a.words == b.words && a.character == b.character && a.flags == b.flags && a.image == b.image;
}

bool SameTable(const TipTable& a, const TipTable& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameEntry);
}

// What the parser must produce: one entry per line with exactly one unit before its last "=",
// the words being everything after it; every other line is invalid.
TipTable ModelParse(std::u16string_view text, std::size_t& invalid) {
    TipTable table;
    invalid = 0;
    for (fuzz::ModelLine& line : fuzz::ModelLines(text, u'=')) {
        if (!line.hasSeparator || line.head.size() != 1) {
            ++invalid;
            continue;
        }
        TipEntry entry;
        entry.words = line.tail;
        entry.character = line.head;
        entry.image = NormalImage;
        table.push_back(std::move(entry));
    }
    return table;
}

void CheckEntryInvariants(const TipTable& table) {
    for (const TipEntry& entry : table) {
        FUZZ_CHECK(entry.character.size() == 1);
        FUZZ_CHECK(entry.character[0] != u'\r');
        FUZZ_CHECK(entry.words.find(u'\r') == std::u16string::npos);
        FUZZ_CHECK(entry.words.find(u'=') == std::u16string::npos);
        FUZZ_CHECK(entry.flags == 0);
        FUZZ_CHECK(entry.image == NormalImage);
    }
}

void CheckRoundTrip(const TipTable& table) {
    const std::u16string text = FormatTipsText(table, false);
    FUZZ_CHECK(text == FormatTipsText(table, true));  // nothing is marked deleted
    std::size_t length = 0;
    for (const TipEntry& entry : table) length += entry.character.size() + 1 + entry.words.size() + 2;
    FUZZ_CHECK(text.size() == length);
    FUZZ_CHECK(fuzz::CountOf(text, u'\r') == table.size());

    TipTable again;
    FUZZ_CHECK(ParseTipsText(again, text.data(), text.size(), NormalImage) == 0);
    FUZZ_CHECK(SameTable(again, table));
    FUZZ_CHECK(FormatTipsText(again, false) == text);

    // A marked entry is left out when asked, and only then.
    if (!table.empty()) {
        TipTable marked = table;
        marked.back().flags |= EntryDeleted;
        FUZZ_CHECK(FormatTipsText(marked, false) == text);
        const std::size_t lastLine = table.back().character.size() + table.back().words.size() + 3;
        FUZZ_CHECK(FormatTipsText(marked, true) == text.substr(0, text.size() - lastLine));
    }
}

void CheckSearch(const TipTable& table) {
    const int rows = static_cast<int>(table.size());
    // The character of the middle entry, with an ASCII letter's case flipped.
    std::u16string text = u"\x4E00";
    if (!table.empty()) text = table[table.size() / 2].character;
    char16_t& c = text[0];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    else if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');

    std::vector<int> matches;
    for (int row = 0; row < rows; ++row) {
        if (fuzz::Folded(table[static_cast<std::size_t>(row)].character) == fuzz::Folded(text)) matches.push_back(row);
    }

    // Downwards from before the first row: the first match; asked again, it stays there.
    PlainListSelection down(table.size(), -1);
    FUZZ_CHECK(FindTip(table, text, false, down) == !matches.empty());
    if (matches.empty()) {
        FUZZ_CHECK(down.SelectedRows().empty());
    } else {
        FUZZ_CHECK(down.SelectedRows() == std::vector<int>{matches.front()});
        FUZZ_CHECK(down.FocusAnchor() == matches.front());
        FUZZ_CHECK(FindTip(table, text, false, down));
        FUZZ_CHECK(down.SelectedRows() == std::vector<int>{matches.front()});
        FUZZ_CHECK(down.FocusAnchor() == matches.front());
    }

    // Upwards from past the last row: the last match.
    PlainListSelection up(table.size(), rows + 1);
    FUZZ_CHECK(FindTip(table, text, true, up) == !matches.empty());
    if (!matches.empty()) {
        FUZZ_CHECK(up.SelectedRows() == std::vector<int>{matches.back()});
        FUZZ_CHECK(up.FocusAnchor() == matches.back());
    }

    // A text of two units never matches a character, and every row passed is deselected.
    PlainListSelection two(table.size(), 0);
    for (int row = 0; row < rows; ++row) two.SetSelected(row, true);
    FUZZ_CHECK(!FindTip(table, text + text, false, two));
    FUZZ_CHECK(two.SelectedRows().empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string units = fuzz::UnitsOf(data, size);

    TipTable table;
    const std::size_t invalid = ParseTipsText(table, units.data(), units.size(), NormalImage);

    CheckEntryInvariants(table);
    FUZZ_CHECK(table.size() + invalid <= fuzz::CountOf(units, u'\r'));
    std::size_t modelInvalid = 0;
    const TipTable model = ModelParse(units, modelInvalid);
    FUZZ_CHECK(invalid == modelInvalid);
    FUZZ_CHECK(SameTable(table, model));

    // Parsing appends: a second pass over the same text adds the same entries after the first.
    TipTable twice = table;
    FUZZ_CHECK(ParseTipsText(twice, units.data(), units.size(), NormalImage) == invalid);
    FUZZ_CHECK(twice.size() == 2 * table.size());
    FUZZ_CHECK(std::equal(table.begin(), table.end(), twice.begin(), SameEntry));
    FUZZ_CHECK(std::equal(table.begin(), table.end(), twice.begin() + static_cast<std::ptrdiff_t>(table.size()), SameEntry));

    CheckRoundTrip(table);
    CheckSearch(table);
    return 0;
}
