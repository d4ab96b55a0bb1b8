// Deterministic phrase and tips texts of realistic shape for the benchmarks, and the plain
// CR scan that serves as the floor every benchmark is compared with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Largest file the phrase tool imports; the generated texts fill it with whole lines.
inline constexpr std::size_t BenchFileBytes = 4194304;

struct GeneratedText {
    std::u16string units;       // UTF-16 units, lines ended by CR LF
    std::size_t lines = 0;
    char16_t frequentUnit = 0;  // the most frequent CJK unit of the generator (a search text)

    std::size_t Bytes() const { return units.size() * sizeof(char16_t); }
};

// Lines "KEY TAB PHRASE CR LF": keys of 1 to 6 of the 30 key characters, phrases of 2 to 12
// CJK units. Whole lines only, at most maxBytes bytes.
GeneratedText GeneratePhraseText(std::size_t maxBytes, std::uint64_t seed);

// Lines "CHARACTER = WORD , WORD ... CR LF": 3 to 12 words of 2 to 4 CJK units each. Whole
// lines only, at most maxBytes bytes.
GeneratedText GenerateTipsText(std::size_t maxBytes, std::uint64_t seed);

// The floor: counts the CRs of the text in one straight, vectorizable pass.
std::size_t CountCarriageReturns(const char16_t* units, std::size_t count);

// The same count done the way a line reader walks: std::find from one CR to the next.
std::size_t CountLinesByFind(const char16_t* units, std::size_t count);

// Median time in seconds of CountCarriageReturns over the text (after one warm-up pass).
double ScanFloorSeconds(const std::u16string& units);
