// Fuzz target for Import and merge into both tables: a stored table, some of its entries marked
// deleted, and a file merged into it. The table, the counts and the flags the merge leaves must
// equal those of a slow model that applies the rules line by line with plain loops.
//
// Input: the first byte chooses the table (even: phrases, odd: associated words); the rest is
// read as UTF-16LE units and split at U+FFFF into the stored text, the marks (bit b of unit u
// marks entry 16 u + b) and the file. With one U+FFFF there are no marks; with none the file is
// merged into the table read from the same text.

#include "FuzzSupport.h"

#include "Ordering.h"
#include "PhraseTable.h"
#include "TableMerge.h"
#include "TestTables.h"
#include "TipTable.h"

#include <algorithm>

namespace {

constexpr std::int32_t TableImage = 3;
constexpr std::int32_t DeletedImage = 4;
constexpr std::int32_t NormalImage = 6;  // the image the merge gives the rows it adds
constexpr char16_t SectionEnd = u'\uffff';

struct Input {
    std::u16string table;
    std::u16string marks;
    std::u16string file;
};

Input SplitInput(std::u16string_view units) {
    const std::size_t first = units.find(SectionEnd);
    if (first == std::u16string_view::npos) return Input{std::u16string(units), {}, std::u16string(units)};
    const std::size_t second = units.find(SectionEnd, first + 1);
    if (second == std::u16string_view::npos) {
        return Input{std::u16string(units.substr(0, first)), {}, std::u16string(units.substr(first + 1))};
    }
    return Input{std::u16string(units.substr(0, first)), std::u16string(units.substr(first + 1, second - first - 1)),
                 std::u16string(units.substr(second + 1))};
}

bool IsMarked(std::u16string_view marks, std::size_t entry) {
    const std::size_t unit = entry / 16;
    return unit < marks.size() && ((marks[unit] >> (entry % 16)) & 1) != 0;
}

template <class Table>
void ApplyMarks(Table& table, std::u16string_view marks) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (IsMarked(marks, i)) {
            table[i].flags = EntryDeleted;
            table[i].image = DeletedImage;
        }
    }
}

bool Marked(std::uint32_t flags) {
    return (flags & EntryDeleted) != 0;
}

// What both merges start from: the stored table with its marks, and the file's lines as the
// parser reads them (its own target checks the parser).
template <class Table>
struct MergeStart {
    Table stored;
    Table lines;
    std::size_t invalidLines = 0;
};

template <class Table>
MergeStart<Table> ReadMergeStart(const Input& input,
                                 std::size_t (*parse)(Table&, const char16_t*, std::size_t, std::int32_t)) {
    MergeStart<Table> start;
    parse(start.stored, input.table.data(), input.table.size(), TableImage);
    ApplyMarks(start.stored, input.marks);
    start.invalidLines = parse(start.lines, input.file.data(), input.file.size(), NormalImage);
    return start;
}

template <class Table, class Same>
bool SameTable(const Table& a, const Table& b, Same same) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

// ---- Phrases ----

bool SamePhrase(const PhraseEntry& a, const PhraseEntry& b) {
    return a.phrase == b.phrase && a.vantixKey == b.vantixKey && a.inputKey == b.inputKey &&
           a.flags == b.flags && a.image == b.image;
}

// The rule line by line: a line is there when a row not marked deleted, among them the rows
// earlier lines added, has its key unit for unit and its phrase with ASCII letters folded.
PhraseTable ModelMergePhrases(const MergeStart<PhraseTable>& start, PhraseMergeCounts& counts) {
    PhraseTable table = start.stored;
    counts.invalidLines = start.invalidLines;
    for (const PhraseEntry& line : start.lines) {
        bool there = false;
        for (const PhraseEntry& row : table) {
            if (!Marked(row.flags) && row.inputKey == line.inputKey &&
                fuzz::Folded(row.phrase) == fuzz::Folded(line.phrase)) {
                there = true;
            }
        }
        if (there) {
            ++counts.alreadyThere;
        } else {
            ++counts.added;
            table.push_back(line);
        }
    }
    return table;
}

bool SameSortState(const PhraseSortState& a, const PhraseSortState& b) {
    return a.columnSortState == b.columnSortState && a.sortedByPhrase == b.sortedByPhrase &&
           a.sortedByVantixKey == b.sortedByVantixKey && a.sortedByInputKey == b.sortedByInputKey &&
           a.sortAscending == b.sortAscending && a.sortDescending == b.sortDescending;
}

void CheckPhraseMerge(const Input& input) {
    const MergeStart<PhraseTable> start = ReadMergeStart<PhraseTable>(input, ParsePhraseText);
    PhraseMergeCounts expected;
    const PhraseTable model = ModelMergePhrases(start, expected);

    UserPhrases phrases{start.stored, true, true};  // unchanged, and some entries may be marked
    const PhraseSortState sorted = SortedBy(PhraseColumnInputKey, false);
    PhraseSortState sort = sorted;
    const PhraseMergeCounts counts =
        MergePhrasesFromText(phrases, sort, input.file.data(), input.file.size(), NormalImage);
    FUZZ_CHECK(counts.added == expected.added);
    FUZZ_CHECK(counts.alreadyThere == expected.alreadyThere);
    FUZZ_CHECK(counts.invalidLines == expected.invalidLines);
    FUZZ_CHECK(SameTable(phrases.table, model, SamePhrase));
    FUZZ_CHECK(phrases.phrasesUnchanged == (counts.added == 0));
    FUZZ_CHECK(phrases.phrasesHaveDeleted);
    FUZZ_CHECK(SameSortState(sort, counts.added == 0 ? sorted : PhraseSortState{}));

    // Every line is there now: the same file again adds nothing.
    const PhraseTable merged = phrases.table;
    const PhraseMergeCounts again =
        MergePhrasesFromText(phrases, sort, input.file.data(), input.file.size(), NormalImage);
    FUZZ_CHECK(again.added == 0);
    FUZZ_CHECK(again.alreadyThere == start.lines.size());
    FUZZ_CHECK(SameTable(phrases.table, merged, SamePhrase));
}

// ---- Associated words ----

bool SameTip(const TipEntry& a, const TipEntry& b) {
    return a.words == b.words && a.character == b.character && a.flags == b.flags && a.image == b.image;
}

std::vector<std::u16string> WordsOf(std::u16string_view words) {
    std::vector<std::u16string> list;
    std::u16string word;
    for (const char16_t c : words) {
        if (c == u',') {
            if (!word.empty()) list.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) list.push_back(word);
    return list;
}

// The rule line by line: a line extends the first unmarked entry of exactly its character with
// each word that entry lacks (ASCII letters folded), or, with no such entry, is appended as read.
TipTable ModelMergeTips(const MergeStart<TipTable>& start, TipMergeCounts& counts) {
    TipTable table = start.stored;
    counts.invalidLines = start.invalidLines;
    const std::size_t rowsBefore = table.size();
    std::vector<bool> extended(rowsBefore, false);
    for (const TipEntry& line : start.lines) {
        std::size_t target = table.size();
        for (std::size_t row = 0; row < table.size(); ++row) {
            if (!Marked(table[row].flags) && table[row].character == line.character) {
                target = row;
                break;
            }
        }
        if (target == table.size()) {
            ++counts.added;
            table.push_back(line);
            continue;
        }
        for (const std::u16string& word : WordsOf(line.words)) {
            bool listed = false;
            for (const std::u16string& have : WordsOf(table[target].words)) {
                if (fuzz::Folded(have) == fuzz::Folded(word)) listed = true;
            }
            if (listed) continue;
            std::u16string& words = table[target].words;
            if (!words.empty() && words.back() != u',') words += u',';
            words += word;
            if (target < rowsBefore) extended[target] = true;
        }
    }
    counts.extended = static_cast<std::size_t>(std::count(extended.begin(), extended.end(), true));
    return table;
}

void CheckTipMerge(const Input& input) {
    const MergeStart<TipTable> start = ReadMergeStart<TipTable>(input, ParseTipsText);
    TipMergeCounts expected;
    const TipTable model = ModelMergeTips(start, expected);

    UserTips tips{start.stored, true, true};
    const TipMergeCounts counts = MergeTipsFromText(tips, input.file.data(), input.file.size(), NormalImage);
    FUZZ_CHECK(counts.added == expected.added);
    FUZZ_CHECK(counts.extended == expected.extended);
    FUZZ_CHECK(counts.invalidLines == expected.invalidLines);
    FUZZ_CHECK(SameTable(tips.table, model, SameTip));
    FUZZ_CHECK(tips.tipsUnchanged == (counts.added == 0 && counts.extended == 0));
    FUZZ_CHECK(tips.tipsHaveDeleted);

    // Every word is listed now: the same file again changes nothing.
    const TipTable merged = tips.table;
    const TipMergeCounts again = MergeTipsFromText(tips, input.file.data(), input.file.size(), NormalImage);
    FUZZ_CHECK(again.added == 0 && again.extended == 0);
    FUZZ_CHECK(SameTable(tips.table, merged, SameTip));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Input input = SplitInput(fuzz::UnitsOf(data + 1, size - 1));
    if (data[0] % 2 == 0) {
        CheckPhraseMerge(input);
    } else {
        CheckTipMerge(input);
    }
    return 0;
}
