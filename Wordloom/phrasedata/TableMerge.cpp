#include "TableMerge.h"

#include "TipEdit.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// A set of texts, compared with ASCII letters in either case, held as their indices in a
// sequence the caller keeps (textAt gives the text of an index): a lookup costs one pass over
// the text however many there are. Open addressing keeps the set in one block of 8-byte slots,
// a hash and an index, instead of one allocation per text; a text is read again only when its
// hash matches.
class FoldedTextSet {
public:
    explicit FoldedTextSet(std::size_t expected) : slots_(SlotsFor(expected)) {}

    // Adds text number `index` unless an equal text is there already; returns whether it was
    // added. Indices come from a table or a file and stay far below 2^32 - 1.
    template <class TextAt>
    bool Insert(std::size_t index, TextAt textAt) {
        if ((count_ + 1) * 4 > slots_.size() * 3) Rehash(slots_.size() * 2);
        const std::u16string_view text = textAt(index);
        const std::uint32_t hash = HashOf(text);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.indexPlusOne == 0) {
                slot = Slot{hash, static_cast<std::uint32_t>(index + 1)};
                ++count_;
                return true;
            }
            if (slot.hash == hash && EqualIgnoringAsciiCase(textAt(slot.indexPlusOne - 1), text)) return false;
        }
    }

    // Empties the set and makes room for `expected` texts, in the block it has when that is
    // large enough.
    void Reset(std::size_t expected) {
        slots_.assign(SlotsFor(expected), Slot{});
        count_ = 0;
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t indexPlusOne = 0;  // 0: free
    };

    // A power of two with room for `expected` texts at most three quarters full.
    static std::size_t SlotsFor(std::size_t expected) {
        std::size_t slots = 16;
        while (slots * 3 < expected * 4) slots *= 2;
        return slots;
    }

    static std::uint32_t HashOf(std::u16string_view text) {
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the folded units
        for (const char16_t unit : text) hash = (hash ^ FoldAsciiCase(unit)) * 1099511628211ull;
        // FNV's low bits depend on the units' low bits only: fold the high half in and keep the
        // top of one more product, which depends on every bit.
        hash ^= hash >> 32;
        hash *= 0x9E3779B97F4A7C15ull;
        return static_cast<std::uint32_t>(hash >> 32);
    }

    void Rehash(std::size_t slotCount) {
        const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slotCount));
        const std::size_t mask = slotCount - 1;
        for (const Slot& slot : old) {
            if (slot.indexPlusOne == 0) continue;
            std::size_t i = slot.hash & mask;
            while (slots_[i].indexPlusOne != 0) i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// Appends one word to an entry's words, with a comma unless the words are empty or already end
// in one.
void AppendWord(std::u16string& words, std::u16string_view word) {
    if (!words.empty() && words.back() != u',') words += u',';
    words += word;
}

}  // namespace

PhraseMergeCounts MergePhrasesFromText(UserPhrases& phrases, PhraseSortState& sort,
                                       const char16_t* units, std::size_t count,
                                       std::int32_t normalImage) {
    PhraseTable incoming;
    PhraseMergeCounts counts;
    counts.invalidLines = ParsePhraseText(incoming, units, count, normalImage);
    if (incoming.empty()) return counts;

    PhraseTable& table = phrases.table;
    // First the lines to add are picked, while neither table changes; then exactly those are
    // moved over. Text i is row i of the table, then line i - rows of the file.
    const std::size_t rows = table.size();
    const auto phraseAt = [&](std::size_t i) -> std::u16string_view {
        return i < rows ? table[i].phrase : incoming[i - rows].phrase;
    };
    std::vector<std::size_t> newLines;
    {
        FoldedTextSet known(rows + incoming.size());
        for (std::size_t row = 0; row < rows; ++row) known.Insert(row, phraseAt);
        for (std::size_t line = 0; line < incoming.size(); ++line) {
            if (known.Insert(rows + line, phraseAt)) newLines.push_back(line);
        }
    }
    counts.added = newLines.size();
    counts.alreadyThere = incoming.size() - newLines.size();
    table.reserve(table.size() + newLines.size());
    for (const std::size_t line : newLines) table.push_back(std::move(incoming[line]));
    if (counts.added > 0) {
        phrases.phrasesUnchanged = false;
        sort = PhraseSortState{};  // the new rows sit at the end whatever the order was
    }
    return counts;
}

// Each line is first given the entry it extends: the table's first entry of its character, or
// the first line of the file for a character the table lacks (that line becomes a new entry).
// Then each entry is finished in turn with its lines in the file's order, which gives the same
// words as taking the lines one by one, while the set of words in hand is that entry's alone.
TipMergeCounts MergeTipsFromText(UserTips& tips, const char16_t* units, std::size_t count,
                                 std::int32_t normalImage) {
    TipTable incoming;
    TipMergeCounts counts;
    counts.invalidLines = ParseTipsText(incoming, units, count, normalImage);
    if (incoming.empty()) return counts;

    TipTable& table = tips.table;
    const std::size_t rowsBefore = table.size();
    // Entry e is table row e below rowsBefore, else the incoming line e - rowsBefore.
    auto entryAt = [&](std::size_t e) -> TipEntry& {
        return e < rowsBefore ? table[e] : incoming[e - rowsBefore];
    };
    std::unordered_map<char16_t, std::size_t> entryOf;  // by character, ASCII letters folded
    entryOf.reserve(rowsBefore + incoming.size());
    for (std::size_t row = 0; row < rowsBefore; ++row) {
        if (table[row].character.size() == 1) entryOf.emplace(FoldAsciiCase(table[row].character[0]), row);
    }
    std::vector<std::size_t> newEntries;                                    // lines, in order
    std::unordered_map<std::size_t, std::vector<std::size_t>> linesOf;      // extending lines
    std::vector<std::size_t> extendedEntries;                               // in first-seen order
    for (std::size_t line = 0; line < incoming.size(); ++line) {
        const auto [place, isNew] = entryOf.try_emplace(FoldAsciiCase(incoming[line].character[0]), rowsBefore + line);
        if (isNew) {
            newEntries.push_back(line);
            continue;
        }
        std::vector<std::size_t>& lines = linesOf[place->second];
        if (lines.empty()) extendedEntries.push_back(place->second);
        lines.push_back(line);
    }

    // The entry's words, then those the lines bring that it lacks, as views into the entry and
    // the lines: nothing changes until the entry is done.
    std::vector<std::u16string_view> words;
    const auto wordAt = [&words](std::size_t i) { return words[i]; };
    FoldedTextSet listed(0);
    for (const std::size_t e : extendedEntries) {
        std::u16string& entryWords = entryAt(e).words;
        words.clear();
        // A word takes at least one unit and a comma.
        std::size_t mostWords = entryWords.size() / 2 + 1;
        for (const std::size_t line : linesOf[e]) mostWords += incoming[line].words.size() / 2 + 1;
        listed.Reset(mostWords);
        ForEachTipWord(entryWords, [&](std::u16string_view word) {
            words.push_back(word);
            listed.Insert(words.size() - 1, wordAt);
        });
        const std::size_t listedBefore = words.size();
        for (const std::size_t line : linesOf[e]) {
            ForEachTipWord(incoming[line].words, [&](std::u16string_view word) {
                words.push_back(word);
                if (!listed.Insert(words.size() - 1, wordAt)) words.pop_back();
            });
        }
        if (words.size() == listedBefore) continue;
        // Only now does the entry's text grow: the views of its own words are no longer read.
        for (std::size_t i = listedBefore; i < words.size(); ++i) AppendWord(entryWords, words[i]);
        if (e < rowsBefore) ++counts.extended;
    }
    for (const std::size_t line : newEntries) table.push_back(std::move(incoming[line]));
    counts.added = newEntries.size();
    if (counts.added > 0 || counts.extended > 0) tips.tipsUnchanged = false;
    return counts;
}
