#include "TableMerge.h"

#include "CaselessTexts.h"
#include "InputKeys.h"
#include "TipEdit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr char16_t Cr = u'\r';

// Walks the lines exactly as the parsers of both text forms do: a line ends at a CR, the unit
// after each CR is skipped unexamined, and a last line not ended by CR is not read. For each
// line, visit(start, afterSeparator, cr) gets the offsets of its first unit, of the unit just
// after its last separator (start when it has none) and of its CR.
template <class Visit>
void ForEachLine(const char16_t* units, std::size_t count, char16_t separator, Visit visit) {
    std::size_t start = 0;
    while (start < count) {
        std::size_t afterSeparator = start;
        std::size_t cr = start;
        while (cr < count && units[cr] != Cr) {
            if (units[cr] == separator) afterSeparator = cr + 1;
            ++cr;
        }
        if (cr == count) break;
        visit(start, afterSeparator, cr);
        start = cr + 2;
    }
}


std::uint32_t HashOfWord(std::u16string_view word) {
    return CaselessHash(word);
}

// A line's key hashes as the key it is stored under, since case makes no difference.
std::uint32_t HashOfRow(std::u16string_view key, std::u16string_view phrase) {
    return FinishHash(HashCaseless(HashCaseless(0, key), phrase));
}

std::uint32_t HashOfUnit(char16_t unit) {
    return FinishHash(unit);
}



bool IsMarked(std::uint32_t flags) {
    return (flags & EntryDeleted) != 0;
}

// Appends one word to an entry's words, with a comma unless the words are empty or already end
// in one.
void AppendWord(std::u16string& words, std::u16string_view word) {
    if (!words.empty() && words.back() != u',') words += u',';
    words += word;
}

constexpr std::uint32_t None = 0xFFFFFFFF;

// A unit of a stored key as the parser raises it: "a".."z" to "A".."Z".
char16_t RaisedKeyUnit(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// The key characters, all below 0x80, marked in a table made once from the layout's.
using KeyUnitTable = std::array<bool, 0x80>;

const KeyUnitTable& KeyUnits() {
    static const KeyUnitTable table = [] {
        KeyUnitTable units{};
        for (const KeyLabelRow& row : KeyLabelTable) units[row.keyCharacter] = true;
        return units;
    }();
    return table;
}

// Whether the parser takes the key of a line: key characters once "a".."z" are raised.
bool IsLineKey(std::u16string_view key, const KeyUnitTable& keyUnits) {
    if (key.empty()) return false;
    for (const char16_t c : key) {
        const char16_t raised = RaisedKeyUnit(c);
        if (raised >= keyUnits.size() || !keyUnits[raised]) return false;
    }
    return true;
}

// Whether the key of a line, raised as the parser raises it, is `stored` unit for unit.
bool IsRaisedKey(std::u16string_view lineKey, std::u16string_view stored) {
    if (lineKey.size() != stored.size()) return false;
    for (std::size_t i = 0; i < lineKey.size(); ++i) {
        if (RaisedKeyUnit(lineKey[i]) != stored[i]) return false;
    }
    return true;
}

}  // namespace

// The lines are read straight from the text, as the parser reads them, and noted by their
// offsets and hash: a line that is already there costs no allocation, and the new ones become
// rows once their number is known, so the table grows once and only by what it needs. The set
// holds the file's lines only (a small file merged into a large table keeps it small), and the
// hashes come first, so that each lookup can fetch its slot ahead of time.
PhraseMergeCounts MergePhrasesFromText(UserPhrases& phrases, PhraseSortState& sort,
                                       const char16_t* units, std::size_t count,
                                       std::int32_t normalImage) {
    PhraseTable& table = phrases.table;
    PhraseMergeCounts counts;

    struct Line {
        std::size_t start;     // the key
        std::size_t afterTab;  // the phrase
        std::size_t cr;
        std::uint32_t hash;
        bool isNew = true;
    };
    const auto keyOf = [units](const Line& line) {
        return std::u16string_view(units + line.start, line.afterTab - 1 - line.start);
    };
    const auto phraseOf = [units](const Line& line) {
        return std::u16string_view(units + line.afterTab, line.cr - line.afterTab);
    };
    std::vector<Line> lines;
    lines.reserve(static_cast<std::size_t>(std::count(units, units + count, Cr)));
    const KeyUnitTable& keyUnits = KeyUnits();
    ForEachLine(units, count, u'\t', [&](std::size_t start, std::size_t afterTab, std::size_t cr) {
        const std::u16string_view key(units + start, afterTab > start ? afterTab - 1 - start : 0);
        if (!IsLineKey(key, keyUnits)) {
            ++counts.invalidLines;
            return;
        }
        lines.push_back(Line{start, afterTab, cr, HashOfRow(key, std::u16string_view(units + afterTab, cr - afterTab))});
    });
    if (lines.empty()) {
        counts.outcome = ImportOutcome::NothingRead;
        return counts;
    }

    // A line equal to an earlier one is already there (the earlier one is added, or is there).
    // Keys hold key characters and letters only: equal ignoring case is equal once raised.
    HashedIndexSet firstLines(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Line& line = lines[i];
        const std::size_t first = firstLines.FindOrAdd(line.hash, i, [&](std::size_t earlier) {
            return SameIgnoringAsciiCase(keyOf(line), keyOf(lines[earlier])) &&
                   SameIgnoringAsciiCase(phraseOf(line), phraseOf(lines[earlier]));
        });
        line.isNew = first == i;
    }
    // So is the first of its kind when an unmarked row equals it.
    std::vector<std::uint32_t> rowHashes(table.size());
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (!IsMarked(table[row].flags)) rowHashes[row] = HashOfRow(table[row].inputKey, table[row].phrase);
    }
    const auto notFound = std::size_t(-1);
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (IsMarked(table[row].flags)) continue;
        const PhraseEntry& entry = table[row];
        const std::size_t first = firstLines.Find(rowHashes[row], notFound, [&](std::size_t line) {
            return IsRaisedKey(keyOf(lines[line]), entry.inputKey) && SameIgnoringAsciiCase(phraseOf(lines[line]), entry.phrase);
        });
        if (first != notFound) lines[first].isNew = false;
    }
    std::uint64_t addedBytes = 0;
    for (const Line& line : lines) {
        if (!line.isNew) continue;
        ++counts.added;
        addedBytes += (line.cr - line.start + 2) * sizeof(char16_t);  // key, TAB, phrase, CR LF
    }
    counts.alreadyThere = lines.size() - counts.added;
    if (counts.added > 0 && StoredFormBytes(table) + addedBytes > MaxImportFileSize) {
        counts.outcome = ImportOutcome::TableTooLarge;
        return counts;
    }

    // The new rows are made as the parser makes them.
    table.reserve(table.size() + counts.added);
    for (const Line& line : lines) {
        if (line.isNew) AppendPhraseLine(table, keyOf(line), phraseOf(line), normalImage);
    }
    if (counts.added > 0) {
        phrases.phrasesUnchanged = false;
        sort = PhraseSortState{};  // the new rows sit at the end whatever the order was
    }
    return counts;
}

// First each line goes to its entry: the first unmarked entry of its character, or a new entry
// made of the line itself. The lines that extend an entry are then gathered per character, in
// the file's order, and the entries are finished one after the other in the table's order: that
// gives the same words as taking the lines one by one, while the set of words in hand is that
// entry's alone and the table is read front to back.
TipMergeCounts MergeTipsFromText(UserTips& tips, const char16_t* units, std::size_t count,
                                 std::int32_t normalImage) {
    TipTable& table = tips.table;
    const std::size_t rowsBefore = table.size();
    TipMergeCounts counts;

    // Per character (one unit) met: the entry its lines go to and its extending lines, found
    // through a set of their indices.
    struct Character {
        char16_t unit;
        std::uint32_t entry = None;
        std::uint32_t firstLine = 0;  // in `grouped` below
        std::uint32_t lineCount = 0;
    };
    std::vector<Character> characters;
    HashedIndexSet characterIndex(0);
    const auto characterOf = [&](char16_t unit) -> std::size_t {
        const std::size_t i = characterIndex.FindOrAdd(HashOfUnit(unit), characters.size(), [&](std::size_t c) {
            return characters[c].unit == unit;
        });
        if (i == characters.size()) characters.push_back(Character{unit});
        return i;
    };
    for (std::size_t row = 0; row < rowsBefore; ++row) {
        const TipEntry& entry = table[row];
        if (IsMarked(entry.flags) || entry.character.size() != 1) continue;
        const std::size_t c = characterOf(entry.character[0]);
        std::uint32_t& target = characters[c].entry;
        if (target == None) target = static_cast<std::uint32_t>(row);
    }

    struct Line {
        std::size_t character;  // index in `characters`
        std::u16string_view words;
    };
    std::vector<Line> newEntries;
    std::vector<Line> extending;
    std::vector<std::size_t> extended;  // characters with extending lines
    ForEachLine(units, count, u'=', [&](std::size_t start, std::size_t afterSeparator, std::size_t cr) {
        if (afterSeparator != start + 2) {  // exactly one unit must stand before the last "="
            ++counts.invalidLines;
            return;
        }
        const std::u16string_view words(units + afterSeparator, cr - afterSeparator);
        const std::size_t c = characterOf(units[start]);
        Character& character = characters[c];
        if (character.entry == None) {
            character.entry = static_cast<std::uint32_t>(rowsBefore + newEntries.size());
            newEntries.push_back(Line{c, words});
            return;
        }
        extending.push_back(Line{c, words});
        if (character.lineCount++ == 0) extended.push_back(c);
    });
    if (newEntries.empty() && extending.empty()) {
        counts.outcome = ImportOutcome::NothingRead;
        return counts;
    }

    // The new entries as they were read, appended at once; then the table holds every entry
    // that lines extend.
    table.reserve(rowsBefore + newEntries.size());
    for (const Line& line : newEntries) {
        TipEntry& entry = table.emplace_back();
        entry.words.assign(line.words);
        entry.character.assign(1, characters[line.character].unit);
        entry.image = normalImage;
    }
    counts.added = newEntries.size();

    // The extending lines side by side per character, each character's in the file's order.
    std::vector<std::u16string_view> grouped(extending.size());
    std::uint32_t placed = 0;
    for (const std::size_t c : extended) {
        characters[c].firstLine = placed;
        placed += characters[c].lineCount;
        characters[c].lineCount = 0;
    }
    for (const Line& line : extending) {
        Character& character = characters[line.character];
        grouped[character.firstLine + character.lineCount++] = line.words;
    }
    std::sort(extended.begin(), extended.end(),
              [&](std::size_t a, std::size_t b) { return characters[a].entry < characters[b].entry; });

    // The entry's words, then those its lines bring that it lacks, as views into the entry and
    // the text: the entry's words do not change until it is done.
    std::vector<std::u16string_view> words;
    HashedIndexSet listed(0);
    std::vector<std::pair<std::size_t, std::size_t>> grownRows;  // row, length of its words before
    for (std::size_t k = 0; k < extended.size(); ++k) {
        const Character& character = characters[extended[k]];
        const auto linesBegin = grouped.begin() + character.firstLine;
        const auto linesEnd = linesBegin + character.lineCount;
        std::u16string& entryWords = table[character.entry].words;
        words.clear();
        // A word takes at least one unit and a comma.
        std::size_t mostWords = entryWords.size() / 2 + 1;
        for (auto line = linesBegin; line != linesEnd; ++line) mostWords += line->size() / 2 + 1;
        listed.Reset(mostWords);
        const auto addUnlessListed = [&](std::u16string_view word) {
            const std::size_t found = listed.FindOrAdd(HashOfWord(word), words.size(), [&](std::size_t i) {
                return SameIgnoringAsciiCase(words[i], word);
            });
            if (found == words.size()) words.push_back(word);
        };
        ForEachTipWord(entryWords, addUnlessListed);
        const std::size_t listedBefore = words.size();
        for (auto line = linesBegin; line != linesEnd; ++line) ForEachTipWord(*line, addUnlessListed);
        if (words.size() == listedBefore) continue;
        // Only now does the entry's text grow: the views of its own words are no longer read.
        std::size_t length = entryWords.size();
        for (std::size_t i = listedBefore; i < words.size(); ++i) length += words[i].size() + 1;
        if (character.entry < rowsBefore) grownRows.emplace_back(character.entry, entryWords.size());
        entryWords.reserve(length);
        for (std::size_t i = listedBefore; i < words.size(); ++i) AppendWord(entryWords, words[i]);
    }
    counts.extended = grownRows.size();

    // Words are only ever appended, so a table grown too large is put back exactly as it was.
    if ((counts.added > 0 || counts.extended > 0) && StoredFormBytes(table) > MaxImportFileSize) {
        for (const auto& [row, length] : grownRows) table[row].words.resize(length);
        table.erase(table.begin() + static_cast<std::ptrdiff_t>(rowsBefore), table.end());
        counts.outcome = ImportOutcome::TableTooLarge;
        return counts;
    }

    if (counts.added > 0 || counts.extended > 0) tips.tipsUnchanged = false;
    return counts;
}
