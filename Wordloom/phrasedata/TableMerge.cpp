#include "TableMerge.h"

#include "CaselessTexts.h"
#include "InputKeys.h"
#include "PackedTipWords.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
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


// A line's key hashes as the key it is stored under, since case makes no difference.
std::uint32_t HashOfRow(std::u16string_view key, std::u16string_view phrase) {
    return FinishHash(HashCaseless(HashCaseless(0, key), phrase));
}



bool IsMarked(std::uint32_t flags) {
    return (flags & EntryDeleted) != 0;
}

// The characters (single units) met, each with the caller's index: open addressing on the unit
// itself, so that a lookup reads no other memory.
class CharacterIndex {
public:
    // Returns the index of the unit or, when it has none, gives it `next` and returns that.
    std::size_t FindOrAdd(char16_t unit, std::size_t next) {
        if ((count_ + 1) * 4 > slots_.size() * 3) Rehash(slots_.empty() ? 256 : slots_.size() * 2);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = FinishHash(unit) & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.indexPlusOne == 0) {
                slot = Slot{unit, static_cast<std::uint32_t>(next + 1)};
                ++count_;
                return next;
            }
            if (slot.unit == unit) return slot.indexPlusOne - 1;
        }
    }

private:
    struct Slot {
        char16_t unit = 0;
        std::uint32_t indexPlusOne = 0;  // 0: free
    };

    void Rehash(std::size_t slotCount) {
        const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slotCount));
        const std::size_t mask = slotCount - 1;
        for (const Slot& slot : old) {
            if (slot.indexPlusOne == 0) continue;
            std::size_t i = FinishHash(slot.unit) & mask;
            while (slots_[i].indexPlusOne != 0) i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

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
// made of the line itself. The lines that extend an entry are then copied side by side per
// character, in the file's order and each followed by a comma, and the entries are finished one
// after the other: that gives the same words as taking the lines one by one, while the set of
// words in hand is that entry's alone and the table and the copied lines are read front to back
// (reading each line where the file has it cost a cache miss per line).
TipMergeCounts MergeTipsFromText(UserTips& tips, const char16_t* units, std::size_t count,
                                 std::int32_t normalImage) {
    TipTable& table = tips.table;
    const std::size_t rowsBefore = table.size();
    TipMergeCounts counts;

    // Per character (one unit) met: the entry its lines go to and where its extending lines are
    // copied. Characters are met in the order of their entries, but for those whose entries the
    // table has only marked: that order is kept for the table's sake, not relied upon.
    struct Character {
        char16_t unit;
        std::uint32_t entry = None;
        std::uint32_t firstLine = 0;  // in `lineLengths` below
        std::uint32_t lineCount = 0;
        std::size_t joinedStart = 0;   // in `joined` below
        std::size_t joinedLength = 0;  // its lines, each with a comma after it
    };
    std::vector<Character> characters;
    CharacterIndex characterIndex;
    const auto characterOf = [&](char16_t unit) -> std::size_t {
        const std::size_t c = characterIndex.FindOrAdd(unit, characters.size());
        if (c == characters.size()) characters.push_back(Character{unit});
        return c;
    };
    // Only unmarked entries make characters here, so a character met again has its entry.
    for (std::size_t row = 0; row < rowsBefore; ++row) {
        const TipEntry& entry = table[row];
        if (IsMarked(entry.flags) || entry.character.size() != 1) continue;
        const std::size_t c = characterIndex.FindOrAdd(entry.character[0], characters.size());
        if (c == characters.size()) characters.push_back(Character{entry.character[0], static_cast<std::uint32_t>(row)});
    }

    struct Line {
        std::size_t character;  // index in `characters`
        std::u16string_view words;
    };
    std::vector<Line> newEntries;
    std::vector<Line> extending;
    std::size_t validLines = 0;
    ForEachLine(units, count, u'=', [&](std::size_t start, std::size_t afterSeparator, std::size_t cr) {
        if (afterSeparator != start + 2) {  // exactly one unit must stand before the last "="
            ++counts.invalidLines;
            return;
        }
        ++validLines;
        const std::u16string_view words(units + afterSeparator, cr - afterSeparator);
        const std::size_t c = characterOf(units[start]);
        Character& character = characters[c];
        if (character.entry == None) {
            character.entry = static_cast<std::uint32_t>(rowsBefore + newEntries.size());
            newEntries.push_back(Line{c, words});
            return;
        }
        extending.push_back(Line{c, words});
        ++character.lineCount;
        character.joinedLength += words.size() + 1;
    });
    if (validLines == 0) {
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

    // The extending lines copied per character, each character's in the file's order, with
    // their lengths beside them.
    std::uint32_t lineCount = 0;
    std::size_t joinedLength = 0;
    for (Character& character : characters) {
        character.firstLine = lineCount;
        character.joinedStart = joinedLength;
        lineCount += character.lineCount;
        joinedLength += character.joinedLength;
        character.lineCount = 0;
        character.joinedLength = 0;
    }
    const auto joined = std::make_unique_for_overwrite<char16_t[]>(joinedLength);
    std::vector<std::uint32_t> lineLengths(lineCount);
    for (const Line& line : extending) {
        Character& character = characters[line.character];
        char16_t* const end = std::copy(line.words.begin(), line.words.end(), joined.get() + character.joinedStart + character.joinedLength);
        *end = u',';
        character.joinedLength += line.words.size() + 1;
        lineLengths[character.firstLine + character.lineCount++] = static_cast<std::uint32_t>(line.words.size());
    }

    // Each entry's words, then those its lines bring that it lacks: a line of exactly the
    // entry's words brings none and is passed over, and the lines after it are read as one text.
    // The new words gather, with their commas, in `appended`; the entry's words do not change
    // until it is done, so the views of its long words stay.
    WordsInHand listed;
    std::vector<char16_t> appended;
    std::vector<std::pair<std::size_t, std::size_t>> grownRows;  // row, length of its words before
    for (const Character& character : characters) {
        if (character.lineCount == 0) continue;
        std::u16string& entryWords = table[character.entry].words;
        const std::u16string_view before = entryWords;
        const char16_t* const lines = joined.get() + character.joinedStart;
        bool listedBefore = false;
        // A new word takes no more room than it and its comma take among the lines, and a
        // packed one is written as its four lanes.
        if (appended.size() < character.joinedLength + 4) appended.resize(character.joinedLength + 4);
        char16_t* out = appended.data();
        const auto addNewWords = [&](std::size_t from, std::size_t to) {
            if (from == to) return;
            if (!listedBefore) {
                listed.Reset(before.size() / 2 + character.joinedLength / 2 + 2);  // a word takes a unit and a comma
                ForEachPackedWord(before, [&](const PackedWord& word) { listed.Add(word); });
                listedBefore = true;
            }
            ForEachPackedWord(std::u16string_view(lines + from, to - from), [&](const PackedWord& word) {
                if (!listed.Add(word)) return;
                *out++ = u',';
                if (word.key != 0) {
                    std::memcpy(out, &word.units, sizeof word.units);
                    out += word.text.size();
                } else {
                    out = std::copy(word.text.begin(), word.text.end(), out);
                }
            });
        };
        std::size_t runStart = 0;
        std::size_t lineStart = 0;
        for (std::uint32_t i = 0; i < character.lineCount; ++i) {
            const std::size_t length = lineLengths[character.firstLine + i];
            if (length == before.size() && std::memcmp(lines + lineStart, before.data(), length * sizeof(char16_t)) == 0) {
                addNewWords(runStart, lineStart);
                runStart = lineStart + length + 1;
            }
            lineStart += length + 1;
        }
        addNewWords(runStart, lineStart);
        if (out == appended.data()) continue;
        // Only now does the entry's text grow: the views of its own words are no longer read.
        // The first new word takes a comma unless the words are empty or already end in one.
        const char16_t* from = appended.data();
        if (before.empty() || before.back() == u',') ++from;
        if (character.entry < rowsBefore) grownRows.emplace_back(character.entry, entryWords.size());
        entryWords.append(from, static_cast<std::size_t>(out - from));
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
