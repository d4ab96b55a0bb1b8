#include "BenchText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

namespace {

// SplitMix64: the same numbers on every compiler and library, unlike std::*_distribution.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n).
    std::uint32_t Below(std::uint32_t n) {
        return static_cast<std::uint32_t>(((Next() >> 32) * n) >> 32);
    }
    // Index into a table of cumulative weights.
    template <std::size_t N>
    std::size_t Weighted(const std::array<std::uint32_t, N>& cumulative) {
        const std::uint32_t r = Below(cumulative.back());
        return static_cast<std::size_t>(
            std::upper_bound(cumulative.begin(), cumulative.end(), r) - cumulative.begin());
    }

private:
    std::uint64_t state_;
};

constexpr char16_t KeyCharacters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ,./;";
constexpr char16_t FirstCjk = 0x4E00;
constexpr std::uint32_t CjkCount = 0x9FFF - 0x4E00 + 1;

// CJK units as text has them: a few thousand common characters make up most of it, with a
// long tail over the whole block. Low indices of the common set are the most frequent.
class CjkSource {
public:
    explicit CjkSource(Random& random) : random_(random) {
        common_.resize(3000);
        for (char16_t& unit : common_) unit = static_cast<char16_t>(FirstCjk + random_.Below(CjkCount));
    }
    char16_t Next() {
        if (random_.Below(100) < 60) return common_[random_.Below(random_.Below(3000) + 1)];
        return static_cast<char16_t>(FirstCjk + random_.Below(CjkCount));
    }
    char16_t MostFrequent() const { return common_[0]; }

private:
    Random& random_;
    std::vector<char16_t> common_;
};

// Appends the line if it still fits; returns false once the text is full.
bool AppendLine(GeneratedText& text, const std::u16string& line, std::size_t maxUnits) {
    if (text.units.size() + line.size() > maxUnits) return false;
    text.units += line;
    ++text.lines;
    return true;
}

}  // namespace

GeneratedText GeneratePhraseText(std::size_t maxBytes, std::uint64_t seed) {
    Random random(seed);
    CjkSource cjk(random);
    // Key lengths 1..6: most user keys have 3 or 4 keys.
    constexpr std::array<std::uint32_t, 6> keyLengths = {4, 20, 50, 84, 94, 100};

    GeneratedText text;
    text.frequentUnit = cjk.MostFrequent();
    const std::size_t maxUnits = maxBytes / sizeof(char16_t);
    text.units.reserve(maxUnits);
    std::u16string line;
    for (;;) {
        line.clear();
        const std::size_t keyLength = random.Weighted(keyLengths) + 1;
        for (std::size_t i = 0; i < keyLength; ++i) line += KeyCharacters[random.Below(30)];
        line += u'\t';
        const std::size_t phraseLength = 2 + random.Below(11);
        for (std::size_t i = 0; i < phraseLength; ++i) line += cjk.Next();
        line += u"\r\n";
        if (!AppendLine(text, line, maxUnits)) break;
    }
    return text;
}

GeneratedText GenerateTipsText(std::size_t maxBytes, std::uint64_t seed) {
    Random random(seed);
    CjkSource cjk(random);

    GeneratedText text;
    text.frequentUnit = cjk.MostFrequent();
    const std::size_t maxUnits = maxBytes / sizeof(char16_t);
    text.units.reserve(maxUnits);
    std::u16string line;
    for (;;) {
        line.clear();
        const char16_t character = cjk.Next();
        line += character;
        line += u'=';
        const std::size_t words = 3 + random.Below(10);
        for (std::size_t w = 0; w < words; ++w) {
            if (w > 0) line += u',';
            const std::size_t wordLength = 2 + random.Below(3);
            // Associated words mostly start with their character.
            line += random.Below(4) == 0 ? cjk.Next() : character;
            for (std::size_t i = 1; i < wordLength; ++i) line += cjk.Next();
        }
        line += u"\r\n";
        if (!AppendLine(text, line, maxUnits)) break;
    }
    return text;
}

std::size_t CountCarriageReturns(const char16_t* units, std::size_t count) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < count; ++i) lines += units[i] == u'\r' ? 1 : 0;
    return lines;
}

std::size_t CountLinesByFind(const char16_t* units, std::size_t count) {
    std::size_t lines = 0;
    const char16_t* const end = units + count;
    for (const char16_t* p = std::find(units, end, u'\r'); p != end; p = std::find(p + 1, end, u'\r')) {
        ++lines;
    }
    return lines;
}

double ScanFloorSeconds(const std::u16string& units) {
    using Clock = std::chrono::steady_clock;
    std::size_t lines = CountCarriageReturns(units.data(), units.size());
    benchmark::DoNotOptimize(lines);
    std::array<double, 15> seconds{};
    for (double& s : seconds) {
        const auto start = Clock::now();
        lines = CountCarriageReturns(units.data(), units.size());
        benchmark::DoNotOptimize(lines);
        s = std::chrono::duration<double>(Clock::now() - start).count();
    }
    std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
    return seconds[seconds.size() / 2];
}
