// Benchmarks of the phrase tool's core on 4 MiB texts, the largest file an import accepts.
//
// Every benchmark times only the operation itself (manual timing with a steady clock): copies
// of the unsorted table, fresh list selections and the freeing of results happen between the
// timed sections. Each one that works on a text also reports, measured in the same run, the time of a plain CR scan
// over the same bytes (floor_ms) and its own time as a multiple of it (x_floor).

#include "AllocationCounter.h"
#include "BenchText.h"
#include "PlainListSelection.h"

#include "InputKeys.h"
#include "InvalidLines.h"
#include "Ordering.h"
#include "RowView.h"
#include "PhraseTable.h"
#include "TableMerge.h"
#include "TextEncoding.h"
#include "TipTable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__unix__)
#include <sys/resource.h>
#endif

namespace {

constexpr std::int32_t NormalImage = 0;
constexpr std::uint64_t PhraseSeed = 0x5EED0001;
constexpr std::uint64_t TipsSeed = 0x5EED0002;

struct BenchData {
    GeneratedText phraseText = GeneratePhraseText(BenchFileBytes, PhraseSeed);
    GeneratedText tipsText = GenerateTipsText(BenchFileBytes, TipsSeed);
    PhraseTable phrases;
    TipTable tips;
    std::size_t phraseInvalid = 0;
    std::size_t tipsInvalid = 0;

    BenchData() {
        phraseInvalid = ParsePhraseText(phrases, phraseText.units.data(), phraseText.units.size(), NormalImage);
        tipsInvalid = ParseTipsText(tips, tipsText.units.data(), tipsText.units.size(), NormalImage);
    }
};

const BenchData& Data() {
    static const BenchData data;
    return data;
}

using Clock = std::chrono::steady_clock;

// Page faults of the process so far (0 where the system does not tell).
double PageFaults() {
#if defined(__unix__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_minflt + usage.ru_majflt);
#else
    return 0;
#endif
}

// The heap as the benchmarks find it. By default (set up in main) memory freed by one iteration
// stays with the process and serves the next, as it does in a long-running program. A cold
// heap gives all free memory back to the system first, so that the timed operation pays for
// the system handing out fresh pages, as the first load after start-up does.
void KeepFreedMemory() {
#if defined(__GLIBC__)
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

void ReleaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

enum HeapState : std::int64_t { WarmHeap = 0, ColdHeap = 1 };

// Times the sections of one benchmark run and reports them against the scan floor.
class Timed {
public:
    Timed(benchmark::State& state, const GeneratedText& floorText)
        : state_(state), floorText_(floorText), floorSeconds_(ScanFloorSeconds(floorText.units)) {}

    template <class Work>
    void Time(Work&& work) {
        const double faultsStart = PageFaults();
        const std::clock_t cpuStart = std::clock();
        const auto start = Clock::now();
        work();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        cpu_ += static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        faults_ += PageFaults() - faultsStart;
        state_.SetIterationTime(seconds);
        total_ += seconds;
    }

    ~Timed() {
        const auto iterations = static_cast<double>(state_.iterations());
        if (iterations == 0) return;
        state_.counters["floor_ms"] = floorSeconds_ * 1e3;
        state_.counters["x_floor"] = total_ / iterations / floorSeconds_;
        // Processor time of the timed sections: what the work costs when other processes share
        // the machine and take turns with it (the wall time then grows, this does not).
        state_.counters["cpu_ms"] = cpu_ / iterations * 1e3;
        // Pages the system had to hand out or bring back during the timed sections.
        state_.counters["faults"] = faults_ / iterations;
        state_.SetBytesProcessed(state_.iterations() * static_cast<std::int64_t>(floorText_.Bytes()));
    }

private:
    benchmark::State& state_;
    const GeneratedText& floorText_;
    double floorSeconds_;
    double total_ = 0;
    double cpu_ = 0;
    double faults_ = 0;
};

const GeneratedText& TextOf(std::int64_t which) {
    return which == 0 ? Data().phraseText : Data().tipsText;
}

// ---- The floor itself, and a line walk with std::find for comparison ----

void ScanFloor(benchmark::State& state) {
    const GeneratedText& text = TextOf(state.range(0));
    Timed timed(state, text);
    for (auto _ : state) {
        std::size_t lines = 0;
        timed.Time([&] { lines = CountCarriageReturns(text.units.data(), text.units.size()); });
        benchmark::DoNotOptimize(lines);
        if (lines != text.lines) state.SkipWithError("wrong line count");
    }
    state.counters["lines"] = static_cast<double>(text.lines);
}
BENCHMARK(ScanFloor)->ArgName("tips")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void FindLines(benchmark::State& state) {
    const GeneratedText& text = TextOf(state.range(0));
    Timed timed(state, text);
    for (auto _ : state) {
        std::size_t lines = 0;
        timed.Time([&] { lines = CountLinesByFind(text.units.data(), text.units.size()); });
        benchmark::DoNotOptimize(lines);
        if (lines != text.lines) state.SkipWithError("wrong line count");
    }
}
BENCHMARK(FindLines)->ArgName("tips")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// What the system charges for fresh memory: the first write to each 4 KiB page of a block as
// large as a parsed phrase table, after the heap gave its free memory back.
void FreshPages(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
    constexpr std::size_t Page = 4096;
    double total = 0;
    for (auto _ : state) {
        ReleaseFreedMemory();
        auto* block = new char[bytes];
        const auto start = Clock::now();
        for (std::size_t i = 0; i < bytes; i += Page) block[i] = 1;
        benchmark::DoNotOptimize(block);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
        delete[] block;
    }
    if (state.iterations() > 0) {
        const double pages = static_cast<double>(state.iterations()) * static_cast<double>(bytes / Page);
        state.counters["us_per_page"] = total / pages * 1e6;
    }
}
BENCHMARK(FreshPages)->ArgName("MiB")->Arg(20)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Text forms ----

void ParsePhrases(benchmark::State& state) {
    const GeneratedText& text = Data().phraseText;
    const bool cold = state.range(0) == ColdHeap;
    Timed timed(state, text);
    for (auto _ : state) {
        if (cold) ReleaseFreedMemory();
        PhraseTable table;
        std::size_t invalid = 0;
        timed.Time([&] { invalid = ParsePhraseText(table, text.units.data(), text.units.size(), NormalImage); });
        if (invalid != 0 || table.size() != text.lines) state.SkipWithError("unexpected parse result");
    }  // the table is freed here, outside the timed section
    state.counters["entries"] = static_cast<double>(text.lines);
}
BENCHMARK(ParsePhrases)->ArgName("cold")->Arg(WarmHeap)->Arg(ColdHeap)->UseManualTime()->Unit(benchmark::kMillisecond);

void ParseTips(benchmark::State& state) {
    const GeneratedText& text = Data().tipsText;
    const bool cold = state.range(0) == ColdHeap;
    Timed timed(state, text);
    for (auto _ : state) {
        if (cold) ReleaseFreedMemory();
        TipTable table;
        std::size_t invalid = 0;
        timed.Time([&] { invalid = ParseTipsText(table, text.units.data(), text.units.size(), NormalImage); });
        if (invalid != 0 || table.size() != text.lines) state.SkipWithError("unexpected parse result");
    }
    state.counters["entries"] = static_cast<double>(text.lines);
}
BENCHMARK(ParseTips)->ArgName("cold")->Arg(WarmHeap)->Arg(ColdHeap)->UseManualTime()->Unit(benchmark::kMillisecond);

void FormatPhrases(benchmark::State& state) {
    const BenchData& data = Data();
    Timed timed(state, data.phraseText);
    for (auto _ : state) {
        std::u16string text;
        timed.Time([&] { text = FormatPhraseText(data.phrases, false); });
        if (text != data.phraseText.units) state.SkipWithError("formatted text differs from the parsed one");
    }
}
BENCHMARK(FormatPhrases)->UseManualTime()->Unit(benchmark::kMillisecond);

void FormatTips(benchmark::State& state) {
    const BenchData& data = Data();
    Timed timed(state, data.tipsText);
    for (auto _ : state) {
        std::u16string text;
        timed.Time([&] { text = FormatTipsText(data.tips, false); });
        if (text != data.tipsText.units) state.SkipWithError("formatted text differs from the parsed one");
    }
}
BENCHMARK(FormatTips)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Import and merge ----

// Two tables of half the file size and texts of the same size and shape with other lines: a
// merge of one into the other makes a table of 4 MiB, the most that imports again (the other
// text merged into the full tables would be refused as too large).
struct HalfData {
    GeneratedText phraseText = GeneratePhraseText(BenchFileBytes / 2, PhraseSeed);
    GeneratedText tipsText = GenerateTipsText(BenchFileBytes / 2, TipsSeed);
    GeneratedText otherPhrases = GeneratePhraseText(BenchFileBytes / 2, PhraseSeed + 100);
    GeneratedText otherTips = GenerateTipsText(BenchFileBytes / 2, TipsSeed + 100);
    PhraseTable phrases;
    TipTable tips;
    HalfData() {
        ParsePhraseText(phrases, phraseText.units.data(), phraseText.units.size(), NormalImage);
        ParseTipsText(tips, tipsText.units.data(), tipsText.units.size(), NormalImage);
    }
};
const HalfData& Halves() {
    static const HalfData data;
    return data;
}

// The time of a parse of the text into a fresh table, the median of a few: what a merge of the
// same text is measured against (x_parse).
template <class Table, class Parse>
double ParseSeconds(const GeneratedText& text, Parse parse) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        Table table;
        const auto start = Clock::now();
        parse(table, text.units.data(), text.units.size(), NormalImage);
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A merge into a copy of a table parsed from half the file size (made outside the timed section):
// of the text it was parsed from (other:0), where every line is already there, or of the same
// size of other lines (other:1), where nearly every line is new; parse_ms is the parse of that
// text in the same run.
void MergePhrases(benchmark::State& state) {
    const bool other = state.range(0) == 1;
    const GeneratedText& text = other ? Halves().otherPhrases : Halves().phraseText;
    const PhraseTable& start = Halves().phrases;
    Timed timed(state, text);
    PhraseMergeCounts counts;
    for (auto _ : state) {
        UserPhrases phrases;
        phrases.table = start;
        PhraseSortState sort;
        timed.Time([&] { counts = MergePhrasesFromText(phrases, sort, text.units.data(), text.units.size(), NormalImage); });
        if (counts.outcome != ImportOutcome::Imported || counts.invalidLines != 0 ||
            counts.added + counts.alreadyThere != text.lines || phrases.table.size() != start.size() + counts.added) {
            state.SkipWithError("unexpected merge result");
        }
    }
    state.counters["added"] = static_cast<double>(counts.added);
    state.counters["already"] = static_cast<double>(counts.alreadyThere);
    state.counters["parse_ms"] = ParseSeconds<PhraseTable>(text, ParsePhraseText) * 1e3;
}
BENCHMARK(MergePhrases)->ArgName("other")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void MergeTips(benchmark::State& state) {
    const bool other = state.range(0) == 1;
    const GeneratedText& text = other ? Halves().otherTips : Halves().tipsText;
    const TipTable& start = Halves().tips;
    Timed timed(state, text);
    TipMergeCounts counts;
    for (auto _ : state) {
        UserTips tips;
        tips.table = start;
        timed.Time([&] { counts = MergeTipsFromText(tips, text.units.data(), text.units.size(), NormalImage); });
        if (counts.outcome != ImportOutcome::Imported || counts.invalidLines != 0 ||
            tips.table.size() != start.size() + counts.added) {
            state.SkipWithError("unexpected merge result");
        }
    }
    state.counters["added"] = static_cast<double>(counts.added);
    state.counters["extended"] = static_cast<double>(counts.extended);
    state.counters["parse_ms"] = ParseSeconds<TipTable>(text, ParseTipsText) * 1e3;
}
BENCHMARK(MergeTips)->ArgName("other")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Reading an import file ----

// The bytes of the bench's phrase text as files hold it: the stored form as Export writes it
// (stored:0), and UTF-8 with LF alone as other editors save it (stored:1).
const std::string& FileBytesOf(std::int64_t form) {
    static const std::string stored = [] {
        const std::u16string& units = Data().phraseText.units;
        std::string bytes(units.size() * 2, '\0');
        for (std::size_t i = 0; i < units.size(); ++i) {
            bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
            bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
        }
        return bytes;
    }();
    static const std::string utf8 = [] {
        std::string bytes;
        for (const char16_t unit : Data().phraseText.units) {
            if (unit == u'\r') continue;
            if (unit < 0x80) {
                bytes += static_cast<char>(unit);
            } else {  // the generated text holds units of the Basic Multilingual Plane only
                bytes += static_cast<char>(0xE0 | (unit >> 12));
                bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
                bytes += static_cast<char>(0x80 | (unit & 0x3F));
            }
        }
        return bytes;
    }();
    return form == 0 ? stored : utf8;
}

// What an import does with a file's bytes before it parses them: tells the encoding and decodes
// them into units with CR LF line ends. Beside it, the decoding of the stored form as it was
// before Big5 and other line ends were read: the byte pairs copied as they stand (PairsOnly).
void DecodeImportFile(benchmark::State& state) {
    const std::string& bytes = FileBytesOf(state.range(0));
    const GeneratedText& text = Data().phraseText;
    Timed timed(state, text);
    for (auto _ : state) {
        std::u16string units;
        timed.Time([&] {
            const std::optional<TextEncoding> encoding = DetectTextEncoding(bytes);
            if (encoding) units = DecodeText(bytes, *encoding);
        });
        if (units != text.units) state.SkipWithError("decoded text differs");
    }
}
BENCHMARK(DecodeImportFile)->ArgName("utf8")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void DecodePairsOnly(benchmark::State& state) {
    const std::string& bytes = FileBytesOf(0);
    const GeneratedText& text = Data().phraseText;
    Timed timed(state, text);
    for (auto _ : state) {
        std::u16string units;
        timed.Time([&] {
            units.assign(bytes.size() / 2, u'\0');
            for (std::size_t i = 0; i < units.size(); ++i) {
                units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i + 1]) << 8 |
                                                 static_cast<unsigned char>(bytes[2 * i]));
            }
        });
        if (units != text.units) state.SkipWithError("decoded text differs");
    }
}
BENCHMARK(DecodePairsOnly)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- The report of invalid lines ----

// The bench's phrase text in the stored form, with the TAB of one line in `every` made a blank,
// so that the import counts that line invalid (every 0: no line).
std::string StoredBytesWithInvalidLines(std::size_t every) {
    std::u16string units = Data().phraseText.units;
    std::size_t line = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i] == u'\t' && every != 0 && line % every == 0) units[i] = u' ';
        if (units[i] == u'\r') ++line;
    }
    std::string bytes(units.size() * 2, '\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    return bytes;
}

// What the report of an import costs once the import counted invalid lines: the file's bytes
// read again (detected, decoded) and every line held to the rules, the invalid ones noted. `every`
// is one invalid line in that many (1: all of them, 0: none). Beside it, in the same run, the
// parse of the same decoded text (parse_ms) and the import's whole reading, decoding and parse
// (import_ms), each the median of five; x_parse and x_import are the report's time over theirs.
// All three are processor time, which other processes on a shared machine do not inflate as they
// do wall time. An import whose file has no invalid line collects nothing at all.
void CollectInvalidLines(benchmark::State& state) {
    const auto every = static_cast<std::size_t>(state.range(0));
    const std::string bytes = StoredBytesWithInvalidLines(every);
    const GeneratedText& text = Data().phraseText;
    auto cpuSeconds = [](std::clock_t from) { return static_cast<double>(std::clock() - from) / CLOCKS_PER_SEC; };
    std::vector<double> parses;
    std::vector<double> imports;
    std::size_t parsedInvalid = 0;
    for (int run = 0; run < 5; ++run) {
        PhraseTable table;
        const std::clock_t start = std::clock();
        const std::u16string decoded = DecodeText(bytes, *DetectTextEncoding(bytes));
        const std::clock_t decodedAt = std::clock();
        parsedInvalid = ParsePhraseText(table, decoded.data(), decoded.size(), NormalImage);
        parses.push_back(cpuSeconds(decodedAt));
        imports.push_back(cpuSeconds(start));
    }
    std::sort(parses.begin(), parses.end());
    std::sort(imports.begin(), imports.end());
    double reportCpu = 0;
    Timed timed(state, text);
    for (auto _ : state) {
        InvalidLineReport report;
        const std::clock_t start = std::clock();
        timed.Time([&] { report = FindInvalidLines(TableKind::Phrases, bytes); });
        reportCpu += cpuSeconds(start);
        if (report.lines.size() != parsedInvalid) state.SkipWithError("the report and the parse disagree");
    }  // the report is freed here, outside the timed section
    const double report = reportCpu / static_cast<double>(state.iterations());
    state.counters["invalid"] = static_cast<double>(parsedInvalid);
    state.counters["parse_ms"] = parses[2] * 1e3;
    state.counters["x_parse"] = report / parses[2];
    state.counters["import_ms"] = imports[2] * 1e3;
    state.counters["x_import"] = report / imports[2];
}
BENCHMARK(CollectInvalidLines)->ArgName("every")->Arg(0)->Arg(100)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Sorting ----

// Whether the table is in the column's order.
bool IsSorted(const PhraseTable& table, int column, bool ascending) {
    for (std::size_t i = 1; i < table.size(); ++i) {
        const PhraseEntry& a = table[i - 1];
        const PhraseEntry& b = table[i];
        bool outOfOrder = false;
        switch (column) {
        case PhraseColumnPhrase: outOfOrder = ascending ? b.phrase < a.phrase : a.phrase < b.phrase; break;
        case PhraseColumnVantixKey: outOfOrder = CompareLayoutOrder(b.inputKey, a.inputKey, ascending); break;
        default: outOfOrder = ascending ? b.inputKey < a.inputKey : a.inputKey < b.inputKey; break;
        }
        if (outOfOrder) return false;
    }
    return true;
}

void StableSort(benchmark::State& state) {
    const BenchData& data = Data();
    const int column = static_cast<int>(state.range(0));
    const bool ascending = state.range(1) != 0;
    Timed timed(state, data.phraseText);
    bool checked = false;
    for (auto _ : state) {
        PhraseTable table = data.phrases;  // the unsorted table, copied outside the timed section
        timed.Time([&] { StableSortPhrases(table, column, ascending); });
        if (!checked) {
            checked = true;
            if (!IsSorted(table, column, ascending)) state.SkipWithError("table not sorted");
        }
    }
}
BENCHMARK(StableSort)
    ->ArgNames({"column", "ascending"})
    ->ArgsProduct({{1, 2, 3}, {1, 0}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A header click with a selection of rows (every 97th) and a focused row carried along.
void SortByColumn(benchmark::State& state) {
    const BenchData& data = Data();
    const int column = static_cast<int>(state.range(0));
    const std::size_t rows = data.phrases.size();
    Timed timed(state, data.phraseText);
    std::size_t selectedRows = 0;
    for (auto _ : state) {
        PhraseTable table = data.phrases;
        PlainListSelection list(rows);
        for (std::size_t row = 0; row < rows; row += 97) list.SetSelected(static_cast<int>(row), true);
        list.SetAnchor(static_cast<int>(rows / 3));
        PhraseSortState sortState;
        selectedRows = list.SelectedCount();
        bool sorted = false;
        timed.Time([&] { sorted = SortPhrasesByColumn(table, sortState, column, list); });
        if (!sorted || list.SelectedCount() != selectedRows) state.SkipWithError("selection not carried along");
    }
    state.counters["selected"] = static_cast<double>(selectedRows);
}
BENCHMARK(SortByColumn)->ArgName("column")->DenseRange(1, 3)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Search ----

// Mark All downwards from row 0 over the whole table: arg 0 searches the most frequent CJK
// unit of the text (a hit every hundred rows or so), arg 1 a text that occurs nowhere.
void MarkAll(benchmark::State& state) {
    const BenchData& data = Data();
    const std::u16string text = state.range(0) == 0 ? std::u16string(1, data.phraseText.frequentUnit) : u"xyz";
    Timed timed(state, data.phraseText);
    std::size_t hits = 0;
    for (auto _ : state) {
        PlainListSelection list(data.phrases.size());
        timed.Time([&] { FindPhrase(data.phrases, text, false, false, true, list); });
        hits = list.SelectedCount();
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(MarkAll)->ArgName("absent")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The filter box's work for one typed character over the whole table, beside Mark All: arg 0 the
// most frequent CJK unit, arg 1 the letter "a" (in many input keys), arg 2 a text that occurs
// nowhere. Each looks at the phrase and both keys of every row.
void FilterPhrases(benchmark::State& state) {
    const BenchData& data = Data();
    const std::u16string texts[] = {std::u16string(1, data.phraseText.frequentUnit), u"a", u"xyz"};
    const std::u16string& text = texts[state.range(0)];
    Timed timed(state, data.phraseText);
    std::size_t shown = 0;
    for (auto _ : state) {
        RowView view;
        timed.Time([&] { view.Filter(data.phrases, text); });
        shown = view.Size(data.phrases.size());
    }
    state.counters["shown"] = static_cast<double>(shown);
}
BENCHMARK(FilterPhrases)->ArgName("text")->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same for the associated words: a character no entry has, so every word is looked at.
void FilterTips(benchmark::State& state) {
    const BenchData& data = Data();
    Timed timed(state, data.tipsText);
    std::size_t shown = 0;
    for (auto _ : state) {
        RowView view;
        timed.Time([&] { view.Filter(data.tips, u"a"); });
        shown = view.Size(data.tips.size());
    }
    state.counters["shown"] = static_cast<double>(shown);
}
BENCHMARK(FilterTips)->UseManualTime()->Unit(benchmark::kMillisecond);

// Find Next of a text that occurs nowhere: the longest walk a single Find Next makes.
void FindNextPhraseAbsent(benchmark::State& state) {
    const BenchData& data = Data();
    Timed timed(state, data.phraseText);
    for (auto _ : state) {
        PlainListSelection list(data.phrases.size());
        bool found = true;
        timed.Time([&] { found = FindPhrase(data.phrases, u"xyz", false, false, false, list); });
        if (found) state.SkipWithError("found an absent text");
    }
}
BENCHMARK(FindNextPhraseAbsent)->UseManualTime()->Unit(benchmark::kMillisecond);

// FindTip of a character no entry has (the tips text holds CJK characters only): a full walk.
void FindTipAbsent(benchmark::State& state) {
    const BenchData& data = Data();
    Timed timed(state, data.tipsText);
    for (auto _ : state) {
        PlainListSelection list(data.tips.size());
        bool found = true;
        timed.Time([&] { found = FindTip(data.tips, u"a", false, list); });
        if (found) state.SkipWithError("found an absent character");
    }
}
BENCHMARK(FindTipAbsent)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Memory ----

// Live bytes requested from operator new while the 4 MiB text is parsed into an empty table,
// against the file size: at the peak (peak_x_file) and once parsed (table_x_file).
template <class Table, class Parse>
void MeasureTableMemory(benchmark::State& state, const GeneratedText& text, Parse parse) {
    Timed timed(state, text);
    for (auto _ : state) {
        Table table;
        timed.Time([&] {
            AllocationCounter::Start();
            parse(table, text);
            AllocationCounter::Stop();
        });
        const double file = static_cast<double>(text.Bytes());
        state.counters["file_MiB"] = file / 1048576.0;
        state.counters["peak_MiB"] = static_cast<double>(AllocationCounter::PeakBytes()) / 1048576.0;
        state.counters["peak_x_file"] = static_cast<double>(AllocationCounter::PeakBytes()) / file;
        state.counters["table_x_file"] = static_cast<double>(AllocationCounter::LiveBytes()) / file;
        state.counters["blocks"] = static_cast<double>(AllocationCounter::LiveBlocks());
    }
}

void PhraseTableMemory(benchmark::State& state) {
    MeasureTableMemory<PhraseTable>(state, Data().phraseText, [](PhraseTable& table, const GeneratedText& text) {
        ParsePhraseText(table, text.units.data(), text.units.size(), NormalImage);
    });
}
BENCHMARK(PhraseTableMemory)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void TipTableMemory(benchmark::State& state) {
    MeasureTableMemory<TipTable>(state, Data().tipsText, [](TipTable& table, const GeneratedText& text) {
        ParseTipsText(table, text.units.data(), text.units.size(), NormalImage);
    });
}
BENCHMARK(TipTableMemory)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Summary against the targets ----

struct Target {
    const char* prefix;  // benchmarks whose name starts with this
    double maxMs;        // 0: no time target
    double maxXFloor;    // 0: no floor target
    double maxPeakXFile; // 0: no memory target
};

constexpr Target Targets[] = {
    {"ParsePhrases/cold:0", 30, 40, 0},
    {"ParseTips/cold:0", 30, 40, 0},
    {"FormatPhrases", 15, 0, 0},
    {"FormatTips", 15, 0, 0},
    {"StableSort/", 60, 0, 0},
    {"SortByColumn/", 60, 0, 0},
    {"MarkAll/", 20, 0, 0},
    {"FilterPhrases/", 10, 0, 0},
    {"FilterTips", 10, 0, 0},
    {"PhraseTableMemory", 0, 0, 10},
};

// The console output, followed by one line per benchmark with its figures and the verdict
// against the targets: with --benchmark_repetitions, the median of the repetitions (ms, cpu_ms,
// x_floor, peak_x_file; the verdict uses these) and the fastest one (best_ms).
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
            Row& row = rows_[run.benchmark_name()];
            row.ms.push_back(run.real_accumulated_time / static_cast<double>(run.iterations) * 1e3);
            auto counter = [&run](const char* name) {
                const auto found = run.counters.find(name);
                return found == run.counters.end() ? NAN : found->second.value;
            };
            row.xFloor.push_back(counter("x_floor"));
            row.cpuMs.push_back(counter("cpu_ms"));
            row.peakXFile.push_back(counter("peak_x_file"));
        }
    }

    void PrintSummary() const {
        if (rows_.empty()) return;
        std::printf("\n%-44s %10s %10s %10s %9s %12s  %-28s %s\n", "benchmark", "ms", "best_ms", "cpu_ms",
                    "x_floor", "peak_x_file", "target", "verdict");
        for (const auto& [name, row] : rows_) {
            const double median = Median(row.ms);
            const double xFloor = Median(row.xFloor);
            const double peakXFile = Median(row.peakXFile);
            std::string target;
            std::string verdict = "-";
            if (const Target* t = TargetOf(name)) {
                bool met = true;
                char buffer[64];
                if (t->maxMs > 0) {
                    std::snprintf(buffer, sizeof buffer, "<= %g ms", t->maxMs);
                    target += buffer;
                    met = met && median <= t->maxMs;
                }
                if (t->maxXFloor > 0) {
                    std::snprintf(buffer, sizeof buffer, "%s<= %gx floor", target.empty() ? "" : ", ", t->maxXFloor);
                    target += buffer;
                    met = met && xFloor <= t->maxXFloor;
                }
                if (t->maxPeakXFile > 0) {
                    std::snprintf(buffer, sizeof buffer, "peak <= %gx file", t->maxPeakXFile);
                    target += buffer;
                    met = met && peakXFile <= t->maxPeakXFile;
                }
                verdict = met ? "met" : "MISSED";
            }
            std::printf("%-44s %10.3f %10.3f %10s %9s %12s  %-28s %s\n", name.c_str(), median,
                        *std::min_element(row.ms.begin(), row.ms.end()), Figure(Median(row.cpuMs), "%.3f").c_str(),
                        Figure(xFloor, "%.1f").c_str(), Figure(peakXFile, "%.2f").c_str(),
                        target.c_str(), verdict.c_str());
        }
    }

private:
    struct Row {
        std::vector<double> ms;
        std::vector<double> cpuMs;
        std::vector<double> xFloor;
        std::vector<double> peakXFile;
    };

    // The median of the repetitions (the only value when there is one).
    static double Median(std::vector<double> values) {
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    }

    static std::string Figure(double value, const char* format) {
        if (std::isnan(value)) return "";
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, format, value);
        return buffer;
    }

    static const Target* TargetOf(const std::string& name) {
        for (const Target& t : Targets) {
            if (name.rfind(t.prefix, 0) == 0) return &t;
        }
        return nullptr;
    }

    std::map<std::string, Row> rows_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    KeepFreedMemory();
    const BenchData& data = Data();
    std::printf("phrase text: %zu bytes, %zu lines, %zu invalid; tips text: %zu bytes, %zu lines, %zu invalid\n",
                data.phraseText.Bytes(), data.phraseText.lines, data.phraseInvalid, data.tipsText.Bytes(),
                data.tipsText.lines, data.tipsInvalid);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
