// Fuzz target for the phrase text form: parses arbitrary UTF-16 text and checks the table it
// yields, the text formatted back from it, and sorting and searching over it.

#include "FuzzSupport.h"

#include "InputKeys.h"
#include "Ordering.h"
#include "PhraseTable.h"

#include <algorithm>
#include <numeric>

using fuzz::PlainListSelection;

namespace {

constexpr std::int32_t NormalImage = 5;

// The key alphabet in layout order, written out again here so that the library's own table is
// checked rather than trusted.
constexpr std::u16string_view LayoutOrder = u"QAZWSXEDCRFVTGBYHNUJMIK,OL.P;/";

int LayoutPosition(char16_t c) {
    const std::size_t at = LayoutOrder.find(c);
    return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::u16string LabelsOf(std::u16string_view key) {
    std::u16string labels;
    for (const char16_t c : key) {
        const int position = LayoutPosition(c);
        labels += u"1234567890"[(position - 1) / 3];
        labels += u"^-v"[(position - 1) % 3];
    }
    return labels;
}

bool SameEntry(const PhraseEntry& a, const PhraseEntry& b) {
    return a.phrase == b.phrase && a.vantixKey == b.vantixKey && a.inputKey == b.inputKey &&
           a.flags == b.flags && a.image == b.image;
}

bool SameTable(const PhraseTable& a, const PhraseTable& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameEntry);
}

// What the parser must produce: one entry per line whose key (before the last TAB, ASCII
// letters raised) is non-empty and of key characters only; every other line is invalid.
PhraseTable ModelParse(std::u16string_view text, std::size_t& invalid) {
    PhraseTable table;
    invalid = 0;
    for (fuzz::ModelLine& line : fuzz::ModelLines(text, u'\t')) {
        std::u16string key = line.head;
        for (char16_t& c : key) {
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        }
        const bool valid = !key.empty() && std::all_of(key.begin(), key.end(), [](char16_t c) { return LayoutPosition(c) > 0; });
        if (!valid) {
            ++invalid;
            continue;
        }
        PhraseEntry entry;
        entry.phrase = line.tail;
        entry.vantixKey = LabelsOf(key);
        entry.inputKey = key;
        entry.image = NormalImage;
        table.push_back(std::move(entry));
    }
    return table;
}

// Less-than of a column's sort key in one direction.
bool ModelLess(const PhraseEntry& a, const PhraseEntry& b, int column, bool ascending) {
    auto unitsLess = [](std::u16string_view x, std::u16string_view y) {
        const std::size_t common = std::min(x.size(), y.size());
        for (std::size_t i = 0; i < common; ++i) {
            if (x[i] != y[i]) return static_cast<std::uint16_t>(x[i]) < static_cast<std::uint16_t>(y[i]);
        }
        return x.size() < y.size();
    };
    auto layoutLess = [](std::u16string_view x, std::u16string_view y) {
        const std::size_t common = std::min(x.size(), y.size());
        for (std::size_t i = 0; i < common; ++i) {
            const int px = LayoutPosition(x[i]);
            const int py = LayoutPosition(y[i]);
            if (px != py) return px < py;
        }
        return x.size() < y.size();
    };
    const PhraseEntry& first = ascending ? a : b;
    const PhraseEntry& second = ascending ? b : a;
    switch (column) {
    case PhraseColumnPhrase: return unitsLess(first.phrase, second.phrase);
    case PhraseColumnVantixKey: return layoutLess(first.inputKey, second.inputKey);
    default: return unitsLess(first.inputKey, second.inputKey);
    }
}

// The row order of a stable sort: order[i] is the old row of new row i.
std::vector<std::size_t> ModelSortOrder(const PhraseTable& table, int column, bool ascending) {
    std::vector<std::size_t> order(table.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return ModelLess(table[x], table[y], column, ascending);
    });
    return order;
}

void CheckEntryInvariants(const PhraseTable& table) {
    for (const PhraseEntry& entry : table) {
        FUZZ_CHECK(!entry.inputKey.empty());
        FUZZ_CHECK(IsValidStoredKey(entry.inputKey));
        for (const char16_t c : entry.inputKey) {
            FUZZ_CHECK(IsKeyCharacter(c));
            FUZZ_CHECK(!(c >= u'a' && c <= u'z'));
        }
        FUZZ_CHECK(entry.vantixKey == ToVantixInputKey(entry.inputKey));
        FUZZ_CHECK(entry.vantixKey.size() == 2 * entry.inputKey.size());
        FUZZ_CHECK(entry.phrase.find(u'\t') == std::u16string::npos);
        FUZZ_CHECK(entry.phrase.find(u'\r') == std::u16string::npos);
        FUZZ_CHECK(entry.flags == 0);
        FUZZ_CHECK(entry.image == NormalImage);
    }
}

void CheckRoundTrip(const PhraseTable& table) {
    const std::u16string text = FormatPhraseText(table, false);
    FUZZ_CHECK(text == FormatPhraseText(table, true));  // nothing is marked deleted
    std::size_t length = 0;
    for (const PhraseEntry& entry : table) length += entry.inputKey.size() + 1 + entry.phrase.size() + 2;
    FUZZ_CHECK(text.size() == length);
    FUZZ_CHECK(fuzz::CountOf(text, u'\r') == table.size());

    PhraseTable again;
    FUZZ_CHECK(ParsePhraseText(again, text.data(), text.size(), NormalImage) == 0);
    FUZZ_CHECK(SameTable(again, table));
    FUZZ_CHECK(FormatPhraseText(again, false) == text);

    // A marked entry is left out when asked, and only then.
    if (!table.empty()) {
        PhraseTable marked = table;
        marked.front().flags |= EntryDeleted;
        FUZZ_CHECK(FormatPhraseText(marked, false) == text);
        const std::size_t firstLine = table.front().inputKey.size() + table.front().phrase.size() + 3;
        FUZZ_CHECK(FormatPhraseText(marked, true) == text.substr(firstLine));
    }
}

void CheckSorting(const PhraseTable& table) {
    for (int column = PhraseColumnPhrase; column <= PhraseColumnInputKey; ++column) {
        for (const bool ascending : {true, false}) {
            const std::vector<std::size_t> order = ModelSortOrder(table, column, ascending);
            PhraseTable sorted = table;
            StableSortPhrases(sorted, column, ascending);
            FUZZ_CHECK(sorted.size() == table.size());
            for (std::size_t row = 0; row < sorted.size(); ++row) FUZZ_CHECK(SameEntry(sorted[row], table[order[row]]));
        }
    }

    // A header click carries the selection (every third row) and the focus to the new rows.
    const int column = static_cast<int>(table.size() % 3) + 1;
    const int rows = static_cast<int>(table.size());
    PhraseTable sorted = table;
    PlainListSelection list(table.size(), rows / 2);
    for (int row = 0; row < rows; row += 3) list.SetSelected(row, true);
    PhraseSortState state;
    const bool done = SortPhrasesByColumn(sorted, state, column, list);
    if (table.size() < 2) {
        FUZZ_CHECK(!done);
        FUZZ_CHECK(state.CurrentColumn() == 0);
        FUZZ_CHECK(SameTable(sorted, table));
        return;
    }
    FUZZ_CHECK(done);
    FUZZ_CHECK(state.CurrentColumn() == column);
    FUZZ_CHECK(state.columnSortState[static_cast<std::size_t>(column)] == 1);
    FUZZ_CHECK(state.sortAscending && !state.sortDescending);
    const std::vector<std::size_t> order = ModelSortOrder(table, column, true);
    std::vector<int> expectedSelected;
    int expectedFocus = -1;
    for (std::size_t row = 0; row < order.size(); ++row) {
        FUZZ_CHECK(SameEntry(sorted[row], table[order[row]]));  // also: the markers are gone
        if (order[row] % 3 == 0) expectedSelected.push_back(static_cast<int>(row));
        if (order[row] == static_cast<std::size_t>(rows / 2)) expectedFocus = static_cast<int>(row);
    }
    FUZZ_CHECK(list.SelectedRows() == expectedSelected);
    FUZZ_CHECK(list.FocusAnchor() == expectedFocus);

    // Descending re-sorts the same column the other way.
    FUZZ_CHECK(SortPhrasesInDirection(sorted, state, false, list));
    FUZZ_CHECK(state.CurrentColumn() == column);
    FUZZ_CHECK(state.columnSortState[static_cast<std::size_t>(column)] == 2);
    FUZZ_CHECK(!state.sortAscending && state.sortDescending);
    // Ties keep their order from before, which the ascending sort kept from the original table.
    const std::vector<std::size_t> down = ModelSortOrder(table, column, false);
    expectedSelected.clear();
    expectedFocus = -1;
    for (std::size_t row = 0; row < down.size(); ++row) {
        FUZZ_CHECK(SameEntry(sorted[row], table[down[row]]));
        if (down[row] % 3 == 0) expectedSelected.push_back(static_cast<int>(row));
        if (down[row] == static_cast<std::size_t>(rows / 2)) expectedFocus = static_cast<int>(row);
    }
    FUZZ_CHECK(list.SelectedRows() == expectedSelected);
    FUZZ_CHECK(list.FocusAnchor() == expectedFocus);
}

void CheckSearch(const PhraseTable& table) {
    // Search for the start of the first non-empty phrase, with its ASCII letters' case flipped.
    std::u16string text = u"\x4E00\x4E01";
    for (const PhraseEntry& entry : table) {
        if (!entry.phrase.empty()) {
            text = entry.phrase.substr(0, 2);
            break;
        }
    }
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        else if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    const std::u16string folded = fuzz::Folded(text);
    const int rows = static_cast<int>(table.size());

    for (const bool matchWhole : {false, true}) {
        std::vector<int> matches;
        for (int row = 0; row < rows; ++row) {
            const std::u16string phrase = fuzz::Folded(table[static_cast<std::size_t>(row)].phrase);
            if (matchWhole ? phrase == folded : phrase.find(folded) != std::u16string::npos) matches.push_back(row);
        }

        // Mark All downwards from an anchor before the first row, then upwards from past the last.
        PlainListSelection down(table.size(), -1);
        FUZZ_CHECK(FindPhrase(table, text, matchWhole, false, true, down) == !matches.empty());
        FUZZ_CHECK(down.SelectedRows() == matches);
        if (!matches.empty()) FUZZ_CHECK(down.FocusAnchor() == matches.back());

        PlainListSelection up(table.size(), rows + 3);
        FUZZ_CHECK(FindPhrase(table, text, matchWhole, true, true, up) == !matches.empty());
        FUZZ_CHECK(up.SelectedRows() == matches);
        if (!matches.empty()) FUZZ_CHECK(up.FocusAnchor() == matches.front());

        // Find Next walks through the matches one by one, then finds nothing and deselects.
        PlainListSelection next(table.size(), 0);
        const std::size_t steps = std::min<std::size_t>(matches.size(), 64);
        for (std::size_t i = 0; i < steps; ++i) {
            FUZZ_CHECK(FindPhrase(table, text, matchWhole, false, false, next));
            FUZZ_CHECK(next.SelectedRows() == std::vector<int>{matches[i]});
            FUZZ_CHECK(next.FocusAnchor() == matches[i]);
        }
        if (steps == matches.size()) {
            FUZZ_CHECK(!FindPhrase(table, text, matchWhole, false, false, next));
            FUZZ_CHECK(next.SelectedRows().empty());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string units = fuzz::UnitsOf(data, size);

    PhraseTable table;
    const std::size_t invalid = ParsePhraseText(table, units.data(), units.size(), NormalImage);

    CheckEntryInvariants(table);
    FUZZ_CHECK(table.size() + invalid <= fuzz::CountOf(units, u'\r'));
    std::size_t modelInvalid = 0;
    const PhraseTable model = ModelParse(units, modelInvalid);
    FUZZ_CHECK(invalid == modelInvalid);
    FUZZ_CHECK(SameTable(table, model));

    // Parsing appends: a second pass over the same text adds the same entries after the first.
    PhraseTable twice = table;
    FUZZ_CHECK(ParsePhraseText(twice, units.data(), units.size(), NormalImage) == invalid);
    FUZZ_CHECK(twice.size() == 2 * table.size());
    FUZZ_CHECK(std::equal(table.begin(), table.end(), twice.begin(), SameEntry));
    FUZZ_CHECK(std::equal(table.begin(), table.end(), twice.begin() + static_cast<std::ptrdiff_t>(table.size()), SameEntry));

    CheckRoundTrip(table);
    CheckSorting(table);
    CheckSearch(table);
    return 0;
}
