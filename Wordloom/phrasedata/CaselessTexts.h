// Texts compared with the ASCII letters in either case, many at a time: a hash that texts equal
// that way share, a set of indices found by such hashes, and which texts of a sequence repeat an
// earlier one. Import and merge and vantixdict's duplicate warnings answer their questions here.
#pragma once

#include "Ordering.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr std::uint64_t HashFactor = 0x9E3779B97F4A7C15ull;

inline std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
    hash = (hash ^ value) * HashFactor;
    return hash ^ (hash >> 32);
}

// Goes on hashing with the units of the text, four at a time, each with the case bit of ASCII
// letters (0x20) set: texts equal ignoring ASCII case hash alike. (So do a few other texts;
// the set compares the texts themselves.)
inline std::uint64_t HashCaseless(std::uint64_t hash, std::u16string_view text) {
    constexpr std::uint64_t CaseBits = 0x0020002000200020ull;
    std::size_t i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        std::uint64_t four = 0;
        std::memcpy(&four, text.data() + i, sizeof four);
        hash = Mix(hash, four | CaseBits);
    }
    std::uint64_t rest = text.size();
    for (; i < text.size(); ++i) rest = (rest << 16) | (text[i] | 0x20u);
    return Mix(hash, rest);
}

// The 32 bits of a slot, taken from the top of one more product, which depends on every bit.
inline std::uint32_t FinishHash(std::uint64_t hash) {
    return static_cast<std::uint32_t>((hash * HashFactor) >> 32);
}

// The hash of one text, ASCII case aside.
inline std::uint32_t CaselessHash(std::u16string_view text) {
    return FinishHash(HashCaseless(0, text));
}

// EqualIgnoringAsciiCase, after a quicker look for texts equal unit for unit, as most equal
// texts here are.
inline bool SameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    return std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0 || EqualIgnoringAsciiCase(a, b);
}

// A set of indices into a sequence the caller keeps (table rows, words, characters), found by a
// hash of what they stand for. Open addressing keeps the set in one block of 8-byte slots, a
// hash and an index, instead of one allocation per element; the caller's element is read only
// when the hash matches.
class HashedIndexSet {
public:
    explicit HashedIndexSet(std::size_t expected) : slots_(SlotsFor(expected)) {}

    // Returns the index of that hash for which equal(index) holds, or, when there is none, adds
    // `index` under `hash` and returns it. Indices stay far below 2^32 - 1.
    template <class Equal>
    std::size_t FindOrAdd(std::uint32_t hash, std::size_t index, Equal equal) {
        if ((count_ + 1) * 4 > slots_.size() * 3) Rehash(slots_.size() * 2);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.indexPlusOne == 0) {
                slot = Slot{hash, static_cast<std::uint32_t>(index + 1)};
                ++count_;
                return index;
            }
            const std::size_t found = slot.indexPlusOne - 1;
            if (slot.hash == hash && equal(found)) return found;
        }
    }

    // Returns the index of that hash for which equal(index) holds, or `none`.
    template <class Equal>
    std::size_t Find(std::uint32_t hash, std::size_t none, Equal equal) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.indexPlusOne == 0) return none;
            const std::size_t found = slot.indexPlusOne - 1;
            if (slot.hash == hash && equal(found)) return found;
        }
    }

    // Empties the set and makes room for `expected` indices, in the block it has when that is
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

    // A power of two with room for `expected` indices at most three quarters full.
    static std::size_t SlotsFor(std::size_t expected) {
        std::size_t slots = 16;
        while (slots * 3 < expected * 4) slots *= 2;
        return slots;
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

// For each of `count` texts (textAt(i) gives text i), the index of the first text equal to it
// ignoring ASCII case: i itself when no earlier text is.
template <class TextAt>
std::vector<std::size_t> FirstOfEqualTexts(std::size_t count, TextAt textAt) {
    std::vector<std::size_t> first(count);
    HashedIndexSet seen(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::u16string_view text = textAt(i);
        first[i] = seen.FindOrAdd(CaselessHash(text), i, [&](std::size_t earlier) {
            return SameIgnoringAsciiCase(textAt(earlier), text);
        });
    }
    return first;
}
