#include "LineDiagnostics.h"

#include "CaselessTexts.h"
#include "InputKeys.h"
#include "PhraseTable.h"
#include "TextDisplay.h"
#include "TipTable.h"
#include "Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace {

constexpr char16_t Tab = u'\t';
constexpr char16_t TipSeparator = u'=';
constexpr char16_t WordSeparator = u',';

// The character at a unit index, a surrogate pair taken whole.
char32_t CharacterAt(std::u16string_view text, std::size_t index) {
    const char16_t unit = text[index];
    if (IsHighSurrogate(unit) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
        return CombineSurrogates(unit, text[index + 1]);
    }
    return unit;
}

// Index of the first unpaired surrogate, or npos.
std::size_t FindUnpairedSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            return i;
        }
    }
    return std::u16string_view::npos;
}

// Index of the first control character (C0 or DEL), or npos.
std::size_t FindControl(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 0x20 || text[i] == 0x7F) return i;
    }
    return std::u16string_view::npos;
}

std::string WhyKeyIsInvalid(std::u16string_view key, std::size_t bad) {
    const char32_t character = CharacterAt(key, bad);
    std::string reason = "the input key " + QuoteText(key) + " has " + DescribeCharacter(character) +
                         " at position " + std::to_string(bad + 1) + ", ";
    reason += character > 0xFFFF ? "a two-unit character, which is not a key character"
                                 : "which is not one of the 30 key characters (A-Z , . / ;)";
    std::size_t more = 0;
    for (std::size_t i = bad + (character > 0xFFFF ? 2 : 1); i < key.size(); ++i) {
        if (!IsStoredKeyUnit(key[i]) && !IsLowSurrogate(key[i])) ++more;
    }
    if (more > 0) reason += " (and " + CountOf(more, "more such character", "more such characters") + ")";
    return reason;
}

// What one pass over a line finds: its last separator (TAB or "="), and the first unit that needs
// a closer look: a control character other than the separator, DEL, or half of a surrogate pair.
struct LineScan {
    std::size_t lastSeparator = std::u16string_view::npos;
    std::size_t firstUnusual = std::u16string_view::npos;
};

LineScan ScanLine(std::u16string_view text, char16_t separator) {
    LineScan scan;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == separator) {
            scan.lastSeparator = i;
        } else if ((unit < 0x20 || unit == 0x7F || (unit & 0xF800) == 0xD800) &&
                   scan.firstUnusual == std::u16string_view::npos) {
            scan.firstUnusual = i;
        }
    }
    return scan;
}

// What every line check shares: the walk over the import's lines, the lines that did not decode,
// the count of entries and invalid lines, and the findings. A checker for each table says what
// its lines must hold.
class LineFrame {
public:
    LineFrame(TableKind kind, std::u16string_view units, const std::vector<UndecodedLine>& undecoded, CheckScope scope)
        : units_(units), warnings_(scope == CheckScope::Everything), undecoded_(undecoded) {
        check_.kind = kind;
        // Capacity that is never touched costs nothing; growing a large vector costs copies.
        check_.lines.reserve(units.size() / 2 + 1);
    }
    virtual ~LineFrame() = default;
    LineFrame(const LineFrame&) = delete;
    LineFrame& operator=(const LineFrame&) = delete;

    TextCheck Run() {
        ForEachImportLine(units_, [this](const ImportLine& line) { CheckLine(line); });
        Finish();
        return std::move(check_);
    }

protected:
    // TAB or "=": what stands between the key or character and the rest of the line.
    virtual char16_t Separator() const = 0;
    // Whether the import reads the line as an entry; reports why not, or what the editors would
    // refuse.
    virtual bool CheckEntryLine(const ImportLine& line, std::u16string_view text, const LineScan& scan) = 0;
    // What can be told only once every line was seen.
    virtual void Finish() {}

    bool Invalid(const ImportLine& line, std::string reason) {
        Add(line, Severity::Invalid, std::move(reason));
        return false;
    }

    void Add(const ImportLine& line, Severity severity, std::string message) {
        if (severity == Severity::Warning) ++check_.warnings;
        check_.findings.push_back(Finding{line.number, severity, std::move(message)});
    }

    void NoteLongest(std::size_t length, const ImportLine& line) {
        if (check_.longestLine != 0 && length <= check_.longestLength) return;
        check_.longestLength = length;
        check_.longestLine = line.number;
    }

    static void Count(std::vector<std::size_t>& counts, std::size_t value) {
        if (counts.size() <= value) counts.resize(value + 1, 0);
        ++counts[value];
    }

    // What an entry's text holds that does not belong there.
    void CheckContent(const ImportLine& line, std::u16string_view text, const char* what) {
        if (const std::size_t control = FindControl(text); control != std::u16string_view::npos) {
            Add(line, Severity::Warning,
                std::string("the ") + what + " holds the control character " + DescribeCharacter(text[control]));
        }
        if (const std::size_t half = FindUnpairedSurrogate(text); half != std::u16string_view::npos) {
            Add(line, Severity::Warning,
                std::string("the ") + what + " holds " + DescribeCharacter(text[half]) +
                    " without its other half (broken UTF-16)");
        }
    }

    std::u16string_view units_;
    bool warnings_;
    TextCheck check_;

private:
    void CheckLine(const ImportLine& line) {
        LineStatus status;
        const std::u16string_view text = units_.substr(line.start, line.end - line.start);
        const LineScan scan = ScanLine(text, Separator());
        // A line that did not decode is empty in the units, which both parsers count as invalid:
        // it is reported with what did not decode.
        status.undecoded = nextUndecoded_ < undecoded_.size() && undecoded_[nextUndecoded_].line == line.number;
        const bool entry = status.undecoded ? Invalid(line, undecoded_[nextUndecoded_++].reason)
                                            : CheckEntryLine(line, text, scan);
        status.verdict = entry ? LineVerdict::Entry : LineVerdict::Invalid;
        if (entry) {
            ++check_.entries;
            check_.entryUnits += line.end - line.start + 2;
        } else {
            ++check_.invalidLines;
        }
        // Only lines with unusual units can be unwritable.
        const bool unusual = scan.firstUnusual != std::u16string_view::npos;
        status.writableAsUtf8 = !status.undecoded && (!unusual || Utf8Obstacle(units_, line).empty());
        if (!status.writableAsUtf8) ++check_.linesNotWritableAsUtf8;
        check_.lines.push_back(status);
    }

    const std::vector<UndecodedLine>& undecoded_;
    std::size_t nextUndecoded_ = 0;
};

// Phrase lines: an input key of key characters, TAB, the phrase.
class PhraseLineChecker final : public LineFrame {
public:
    PhraseLineChecker(std::u16string_view units, const std::vector<UndecodedLine>& undecoded, CheckScope scope)
        : LineFrame(TableKind::Phrases, units, undecoded, scope) {
        if (warnings_) phrases_.reserve(units.size() / 4 + 1);
    }

private:
    char16_t Separator() const override { return Tab; }
    bool CheckEntryLine(const ImportLine& line, std::u16string_view text, const LineScan& scan) override {
        return CheckPhraseLine(line, text, scan);
    }
    void Finish() override {
        if (warnings_) AddDuplicatePhraseWarnings();
    }

    // Whether the import reads the line as a phrase entry; reports why not, or what the phrase
    // edit dialog would refuse.
    bool CheckPhraseLine(const ImportLine& line, std::u16string_view text, const LineScan& scan) {
        if (const std::optional<LineFault> fault = PhraseLineFault(text)) {
            return Invalid(line, DescribeLineFault(*fault, text));
        }
        const std::size_t lastTab = scan.lastSeparator;
        const std::u16string_view key = text.substr(0, lastTab);
        const std::u16string_view phrase = text.substr(lastTab + 1);
        if (std::any_of(key.begin(), key.end(), [](char16_t unit) { return unit >= u'a'; })) ++check_.lowerCaseKeys;

        Count(check_.keyLengthCounts, key.size());
        NoteLongest(phrase.size(), line);
        if (!warnings_) return true;
        if (key.size() > MaxInputKeyLength) {
            Add(line, Severity::Warning,
                "the input key " + QuoteText(key) + " has " + std::to_string(key.size()) +
                    " keys; the phrase edit dialog accepts at most " + std::to_string(MaxInputKeyLength));
        }
        if (phrase.empty()) {
            Add(line, Severity::Warning, "empty phrase; the phrase edit dialog does not accept it");
        } else if (phrase.size() > MaxPhraseLength) {
            Add(line, Severity::Warning,
                "the phrase has " + std::to_string(phrase.size()) +
                    " units; the phrase edit dialog accepts at most " + std::to_string(MaxPhraseLength));
        }
        if (!phrase.empty()) {
            phrases_.push_back(PhraseSpan{static_cast<std::uint32_t>(line.start + lastTab + 1),
                                          static_cast<std::uint32_t>(phrase.size()),
                                          static_cast<std::uint32_t>(line.number)});
        }
        if (scan.firstUnusual != std::u16string_view::npos) CheckContent(line, phrase, "phrase");
        return true;
    }

    // The phrase edit dialog's duplicate test over the whole file: every phrase that equals an
    // earlier one, ASCII letters compared without case, is reported with the first line that
    // holds it. Phrases are grouped by a hash of their folded text, sorted in linear time.
    void AddDuplicatePhraseWarnings() {
        const std::vector<std::size_t> first =
            FirstOfEqualTexts(phrases_.size(), [this](std::size_t i) { return PhraseOf(i); });
        std::vector<Finding> duplicates;
        for (std::size_t phrase = 0; phrase < phrases_.size(); ++phrase) {
            if (first[phrase] == phrase) continue;
            duplicates.push_back(Finding{phrases_[phrase].line, Severity::Warning,
                                         "the phrase " + QuoteText(PhraseOf(phrase)) + " is also on line " +
                                             std::to_string(phrases_[first[phrase]].line) +
                                             " (ASCII letters compared without case); the phrase edit "
                                             "dialog does not add a phrase twice"});
        }
        if (duplicates.empty()) return;

        auto byLine = [](const Finding& a, const Finding& b) { return a.line < b.line; };
        std::sort(duplicates.begin(), duplicates.end(), byLine);
        check_.warnings += duplicates.size();
        const auto middle = static_cast<std::ptrdiff_t>(check_.findings.size());
        check_.findings.insert(check_.findings.end(), std::make_move_iterator(duplicates.begin()),
                               std::make_move_iterator(duplicates.end()));
        std::inplace_merge(check_.findings.begin(), check_.findings.begin() + middle, check_.findings.end(), byLine);
    }

    std::u16string_view PhraseOf(std::size_t index) const {
        return units_.substr(phrases_[index].start, phrases_[index].length);
    }

    // Positions fit 32 bits: input files are limited far below 4 GiB.
    struct PhraseSpan {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
        std::uint32_t line = 0;
    };

    std::vector<PhraseSpan> phrases_;  // the phrases of the entries, for the duplicate test
};

// Associated-word lines: one character, "=", the words joined by ",".
class TipLineChecker final : public LineFrame {
public:
    TipLineChecker(std::u16string_view units, const std::vector<UndecodedLine>& undecoded, CheckScope scope)
        : LineFrame(TableKind::Tips, units, undecoded, scope) {}

private:
    char16_t Separator() const override { return TipSeparator; }
    bool CheckEntryLine(const ImportLine& line, std::u16string_view text, const LineScan& scan) override {
        return CheckTipLine(line, text, scan);
    }

    // Whether the import reads the line as an associated-word entry; reports why not, or what
    // the associated-word editor would refuse.
    bool CheckTipLine(const ImportLine& line, std::u16string_view text, const LineScan& scan) {
        if (const std::optional<LineFault> fault = TipLineFault(text)) {
            return Invalid(line, DescribeLineFault(*fault, text));
        }
        const char16_t character = text[0];
        const std::u16string_view words = text.substr(2);
        if (!warnings_) {
            Count(check_.wordCountCounts, CountWords(words));
            return true;
        }
        if (IsHighSurrogate(character) || IsLowSurrogate(character)) {
            Add(line, Severity::Warning,
                "the character is " + DescribeCharacter(character) +
                    "; the associated-word editor accepts only whole characters");
        }
        const char16_t folded = FoldAsciiCase(character);
        if (firstLineOfCharacter_.empty()) firstLineOfCharacter_.resize(0x10000, 0);
        if (firstLineOfCharacter_[folded] != 0) {
            Add(line, Severity::Warning,
                "the character " + DescribeCharacter(character) + " also has an entry on line " +
                    std::to_string(firstLineOfCharacter_[folded]) +
                    "; the associated-word editor warns about a character that is already in the table");
        } else {
            firstLineOfCharacter_[folded] = line.number;
        }
        CheckWords(line, words);
        if (scan.firstUnusual != std::u16string_view::npos) CheckContent(line, words, "associated words");
        return true;
    }

    void CheckWords(const ImportLine& line, std::u16string_view words) {
        std::vector<std::u16string_view> list;
        std::size_t emptyWords = 0;
        for (std::size_t start = 0;;) {
            const std::size_t comma = words.find(WordSeparator, start);
            const std::u16string_view word = words.substr(start, comma == std::u16string_view::npos ? words.npos : comma - start);
            if (word.empty()) {
                ++emptyWords;
            } else {
                list.push_back(word);
            }
            if (comma == std::u16string_view::npos) break;
            start = comma + 1;
        }
        Count(check_.wordCountCounts, list.size());

        if (list.empty()) {
            Add(line, Severity::Warning, "no associated words; the associated-word editor keeps at least one word");
            return;
        }
        if (emptyWords > 0) {
            Add(line, Severity::Warning,
                "empty word (a leading, trailing or doubled comma); the associated-word editor drops it");
        }
        std::size_t longWords = 0;
        std::u16string_view firstLong;
        for (const std::u16string_view word : list) {
            NoteLongest(word.size(), line);
            if (word.size() > MaxTipWordLength && longWords++ == 0) firstLong = word;
        }
        if (longWords > 0) {
            std::string message = "the word " + QuoteText(firstLong) + " has " + std::to_string(firstLong.size()) +
                                  " units; the associated-word editor accepts at most " +
                                  std::to_string(MaxTipWordLength);
            if (longWords > 1) message += " (and " + CountOf(longWords - 1, "more long word", "more long words") + ")";
            Add(line, Severity::Warning, message);
        }
        if (const std::u16string_view twice = FindRepeatedWord(list); !twice.empty()) {
            Add(line, Severity::Warning,
                "the word " + QuoteText(twice) +
                    " appears more than once (ASCII letters compared without case); the associated-word "
                    "editor does not add a word twice");
        }
    }

    static std::u16string_view FindRepeatedWord(const std::vector<std::u16string_view>& list) {
        if (list.size() <= 32) {
            for (std::size_t i = 0; i < list.size(); ++i) {
                for (std::size_t j = 0; j < i; ++j) {
                    if (EqualIgnoringAsciiCase(list[i], list[j])) return list[i];
                }
            }
            return {};
        }
        const std::vector<std::size_t> first =
            FirstOfEqualTexts(list.size(), [&list](std::size_t i) { return list[i]; });
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (first[i] != i) return list[i];
        }
        return {};
    }

    static std::size_t CountWords(std::u16string_view words) {
        std::size_t count = 0;
        for (std::size_t start = 0;;) {
            const std::size_t comma = words.find(WordSeparator, start);
            const std::size_t end = comma == std::u16string_view::npos ? words.size() : comma;
            if (end > start) ++count;
            if (comma == std::u16string_view::npos) return count;
            start = comma + 1;
        }
    }

    std::vector<std::size_t> firstLineOfCharacter_;  // by folded character unit; 0: none yet
};

}  // namespace

std::string DescribeLineFault(const LineFault& fault, std::u16string_view line) {
    const std::size_t lastTab = line.rfind(Tab);
    const std::size_t lastSeparator = line.rfind(TipSeparator);
    switch (fault.reason) {
    case InvalidReason::NoEncoding: return "the file is in no encoding the import reads";
    case InvalidReason::NotDecoded: return "bytes that do not decode: the import reads the line as empty";
    case InvalidReason::EmptyLine: return "empty line";
    case InvalidReason::NoTab: return "no TAB between the input key and the phrase";
    case InvalidReason::EmptyKey: return "empty input key: the line starts with TAB";
    case InvalidReason::TabInKey:
        return "more than one TAB: the input key is everything before the last TAB (" +
               QuoteText(line.substr(0, lastTab)) + "), and TAB is not a key character";
    case InvalidReason::NotKeyCharacter:
    case InvalidReason::TwoUnitKeyCharacter: return WhyKeyIsInvalid(line.substr(0, lastTab), fault.position);
    case InvalidReason::NoEquals: return "no \"=\" between the character and its associated words";
    case InvalidReason::NoCharacter: return "no character before \"=\"";
    case InvalidReason::TwoUnitCharacter:
        return "the character " + DescribeCharacter(CombineSurrogates(line[0], line[1])) +
               " is a two-unit character; only characters of one UTF-16 unit can have associated words";
    case InvalidReason::EqualsInCharacter:
        return "more than one \"=\": the character is everything before the last \"=\" (" +
               QuoteText(line.substr(0, lastSeparator)) + "), so associated words cannot hold \"=\"";
    case InvalidReason::LongCharacter:
        return "the character " + QuoteText(line.substr(0, lastSeparator)) + " has " +
               std::to_string(lastSeparator) + " units; it must be exactly one";
    }
    return {};
}

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Invalid: return "invalid";
    case Severity::Warning: return "warning";
    }
    return "";
}

TextCheck CheckText(TableKind kind, std::u16string_view units, const std::vector<UndecodedLine>& undecoded,
                    CheckScope scope) {
    if (kind == TableKind::Phrases) return PhraseLineChecker(units, undecoded, scope).Run();
    return TipLineChecker(units, undecoded, scope).Run();
}

TextCheck CheckText(TableKind kind, std::u16string_view units, CheckScope scope) {
    return CheckText(kind, units, {}, scope);
}

std::string Utf8Obstacle(std::u16string_view units, const ImportLine& line) {
    const std::u16string_view text = units.substr(line.start, line.end - line.start);
    if (const std::size_t half = FindUnpairedSurrogate(text); half != std::u16string_view::npos) {
        return "it holds " + DescribeCharacter(text[half]) + " without its other half";
    }
    if (text.find(u'\0') != std::u16string_view::npos) return "it holds U+0000 (NUL)";
    return {};
}
