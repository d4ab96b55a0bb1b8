// The words of associated-word entries read eight units at a time and, when short, compared as
// numbers: what lets a merge hold every word of a large file against its entry's words quickly.
#pragma once

#include "CaselessTexts.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

// Words are split from eight units read at once as two numbers of four 16-bit lanes, unit 1 in
// bits 0-15 (the text read as little-endian numbers): the first comma is found among the lanes
// with the bit tricks below instead of a branch per unit, and a word of up to four units is
// then the low number with the lanes past it cleared.
static_assert(std::endian::native == std::endian::little);
constexpr std::uint64_t LaneOnes = 0x0001000100010001ull;
constexpr std::uint64_t LaneTops = 0x8000800080008000ull;
constexpr std::uint64_t CommaLanes = LaneOnes * u',';
constexpr std::uint64_t NonAsciiBits = LaneOnes * 0xFF80u;

// Bit 15 of the lanes that are 0: exact for the lowest such lane, which is all that is read.
inline std::uint64_t ZeroLanes(std::uint64_t lanes) {
    return (lanes - LaneOnes) & ~lanes & LaneTops;
}

// The lane index of the lowest lane marked by ZeroLanes, 4 when none is.
inline unsigned FirstLane(std::uint64_t marked) {
    return static_cast<unsigned>(std::countr_zero(marked)) / 16;
}

// A word of an entry's words or of a line: its units, and the same packed into one number with
// ASCII capitals made small, so that words equal ignoring ASCII case pack alike and other words
// do not. Words of more than four units, or with a unit 0, pack as 0.
struct PackedWord {
    std::uint64_t key;
    std::uint64_t units;  // the first four units as read (those past the word are 0)
    std::u16string_view text;
};

inline std::uint64_t FoldedKey(std::uint64_t units, std::size_t length) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const auto unit = static_cast<char16_t>(units >> (16 * i));
        if (unit == 0) return 0;
        key |= std::uint64_t{unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit | 0x20) : unit} << (16 * i);
    }
    return key;
}

// Calls visit(PackedWord) with each word of an entry's words, split as ForEachTipWord splits
// them (at every comma, empty pieces dropped), in one pass that splits and packs. Only a word
// with an ASCII unit or a unit 0, or of more than four units, is looked at unit by unit.
template <class Visit>
void ForEachPackedWord(std::u16string_view words, Visit visit) {
    const char16_t* unit = words.data();
    const char16_t* const end = unit + words.size();
    while (unit != end) {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        if (end - unit >= 8) {
            std::memcpy(&low, unit, sizeof low);
            std::memcpy(&high, unit + 4, sizeof high);
        } else {  // the last units, with commas after them
            std::array<char16_t, 8> last;
            last.fill(u',');
            std::copy(unit, end, last.begin());
            std::memcpy(&low, last.data(), sizeof low);
            std::memcpy(&high, last.data() + 4, sizeof high);
        }
        const std::size_t lowLength = FirstLane(ZeroLanes(low ^ CommaLanes));
        const std::size_t highLength = FirstLane(ZeroLanes(high ^ CommaLanes));
        std::size_t length = lowLength == 4 ? 4 + highLength : lowLength;
        if (length == 0) {  // an empty piece
            ++unit;
            continue;
        }
        std::uint64_t key = 0;
        std::uint64_t units = low;
        if (length <= 4) {
            const std::uint64_t wordLanes = ~std::uint64_t{0} >> (64 - 16 * length);
            units &= wordLanes;
            // The lanes past the word count as non-ASCII.
            const bool plain = ZeroLanes((units & NonAsciiBits) | ~wordLanes) == 0;
            key = plain ? units : FoldedKey(units, length);
        } else {
            while (unit + length != end && unit[length] != u',') ++length;
        }
        visit(PackedWord{key, units, std::u16string_view(unit, length)});
        unit += length;
        if (unit != end) ++unit;  // the comma
    }
}

// The words of one entry: packed words in open addressing, where the number is its own key and
// a lookup reads no text, and the rare longer words through a set of views. The blocks are kept
// from entry to entry and only the front needed is cleared.
class WordsInHand {
public:
    // Empties the set for at most `expected` words.
    void Reset(std::size_t expected) {
        std::size_t size = 16;
        while (size * 3 < expected * 4) size *= 2;
        if (packed_.size() < size) packed_.resize(size);
        std::fill_n(packed_.begin(), size, 0);
        mask_ = size - 1;
        expected_ = expected;
        long_.clear();
    }

    // Adds the word; false when it (ignoring ASCII case) was there already.
    bool Add(const PackedWord& word) {
        if (word.key == 0) return AddLong(word.text);
        for (std::size_t i = static_cast<std::size_t>((word.key * HashFactor) >> 32) & mask_;; i = (i + 1) & mask_) {
            if (packed_[i] == word.key) return false;
            if (packed_[i] == 0) {
                packed_[i] = word.key;
                return true;
            }
        }
    }

private:
    bool AddLong(std::u16string_view text) {
        if (long_.empty()) longIndex_.Reset(expected_);
        const std::size_t found = longIndex_.FindOrAdd(CaselessHash(text), long_.size(), [&](std::size_t i) {
            return SameIgnoringAsciiCase(long_[i], text);
        });
        if (found != long_.size()) return false;
        long_.push_back(text);
        return true;
    }

    std::vector<std::uint64_t> packed_;  // 0: free
    std::size_t mask_ = 0;
    std::size_t expected_ = 0;
    std::vector<std::u16string_view> long_;
    HashedIndexSet longIndex_{0};
};
