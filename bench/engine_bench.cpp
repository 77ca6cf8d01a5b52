// The translation methods against their transliteration, a plain copy (the
// floor) and curl_easy_unescape, on the same inputs in one process.
//
// Defaults added unless given: --benchmark_repetitions=10
// --benchmark_enable_random_interleaving=true --benchmark_min_time=0.1
// --benchmark_report_aggregates_only=true. Ratios of the median CPU times
// follow the usual report (CPU time: the machine may be shared).
// --plain-loops measures the engine without its vector code, --avx2 with
// the 256-bit code at most. The unwrapping is measured per line on links
// like those of cli_throughput.sh's batch, beside the translation of each.

#include "engine/Scan.h"
#include "engine/Tables.h"
#include "engine/Translate.h"
#include "engine/Unwrap.h"
#include "engine/reference/ReferenceEngine.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quorvel;

class SilentReporter : public Reporter {
public:
    void message(const std::u16string&, const std::u16string&, MessageStyle) override { ++boxes; }
    int boxes = 0;
};

std::u16string widen(const std::string& s)
{
    return std::u16string(s.begin(), s.end());
}

std::string repeatTo(const std::string& unit, std::size_t length)
{
    std::string out;
    while (out.size() + unit.size() <= length)
        out += unit;
    return out + unit.substr(0, length - out.size());
}

struct Input {
    const char* name;
    std::string bytes; // ASCII: the same text as the 16-bit one
    std::u16string text;
};

std::vector<Input> makeInputs()
{
    const std::string link =
        "https://www.example-redirect.com/cgi-bin/track/click?uid=8c1f0e77&sess=Q2x7Zk3"
        "&src=newsletter&action=https%3A%2F%2Fshop.example.org%2Fproducts%2Fsearch%3Fq%3Dred"
        "%20running%20shoes%26size%3D42%26colour%3Dred%26page%3D2%26sort%3Dprice-asc%26ref"
        "%3Dspring%2Dsale%23reviews&campaign=2024-spring&utm_medium=email');";
    const std::string regular = repeatTo("%2Fa%3A%3Db%26c%3f%20d%7E%25e", 32000);

    std::mt19937 rng(7);
    const char* pieces[] = {"%2F", "%3a", "%41", "%7e", "%25", "%28", "%5F", "%zz", "%7f",
                            "%1F", "%2",  "%%",  "%g4", "%4",  "x",   "ab",  "/",   "q=1&"};
    std::string irregular;
    while (irregular.size() < 32000)
        irregular +=
            pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(rng)];
    irregular.resize(32000);
    const std::string clean = repeatTo(
        "https://shop.example.org/products/search?q=red+running+shoes&size=42&page=2/", 32000);

    std::vector<Input> inputs = {{"link300", link, {}},
                                 {"dense_regular", regular, {}},
                                 {"dense_irregular", irregular, {}},
                                 {"no_percent", clean, {}}};
    for (Input& input : inputs)
        input.text = widen(input.bytes);
    return inputs;
}

struct Tables {
    CodeTable codes, chars;
    Tables() { buildTranslationTables(codes, chars); }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

void copyText(benchmark::State& state, const Input& input)
{
    for (auto _ : state) {
        std::u16string copy(input.text);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}

template <auto Method> void dynamic(benchmark::State& state, const Input& input)
{
    SilentReporter reporter;
    const TrailingOptions options;
    for (auto _ : state) {
        std::u16string result;
        std::int16_t count = 0;
        Method(reporter, options, input.text, result, count);
        benchmark::DoNotOptimize(result.data());
        benchmark::DoNotOptimize(count);
    }
    if (reporter.boxes)
        state.SkipWithError("the input overflowed");
}

template <auto Method> void predefined(benchmark::State& state, const Input& input)
{
    SilentReporter reporter;
    const TrailingOptions options;
    for (auto _ : state) {
        std::u16string result;
        std::int16_t count = 0;
        Method(reporter, tables().codes, tables().chars, options, input.text, result, count);
        benchmark::DoNotOptimize(result.data());
        benchmark::DoNotOptimize(count);
    }
    if (reporter.boxes)
        state.SkipWithError("the input overflowed");
}

CURL* curlHandle = nullptr;

void curlUnescape(benchmark::State& state, const Input& input)
{
    const int length = static_cast<int>(input.bytes.size());
    for (auto _ : state) {
        int outLength = 0;
        char* out = curl_easy_unescape(curlHandle, input.bytes.data(), length, &outLength);
        benchmark::DoNotOptimize(out);
        curl_free(out);
    }
}

// Redirect links of about 150 characters with the target after "action=",
// 5 to 15 escape codes, 60 % ending in "');", as in cli_throughput.sh.
std::vector<std::u16string> makeBatch(std::size_t count)
{
    std::mt19937 rng(20240613);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
    const char* codes[] = {"%3A", "%2F", "%3F", "%3D", "%26", "%20",
                           "%2B", "%25", "%23", "%2C", "%40", "%7E"};
    const auto word = [&](int lo, int hi) {
        std::string w;
        for (int n = pick(lo, hi); n > 0; --n)
            w += "abcdefghijklmnopqrstuvwxyz0123456789"[pick(0, 35)];
        return w;
    };
    std::vector<std::u16string> batch;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string head = "https://r" + std::to_string(pick(1, 9)) +
                                 ".example.com/c?id=" + std::to_string(pick(1, 99999)) + "&action=";
        const std::string tail = pick(0, 9) < 6 ? "');" : "";
        std::string target = "https%3A%2F%2F" + word(4, 10) + ".example.org";
        for (int made = 2, wanted = pick(5, 15); head.size() + target.size() + tail.size() < 150;)
            target += made++ < wanted ? codes[pick(0, 11)] + word(2, 9) : word(3, 9);
        batch.push_back(widen(head + target + tail));
    }
    return batch;
}

const std::vector<std::u16string>& batch()
{
    static const std::vector<std::u16string> lines = makeBatch(10000);
    return lines;
}

void perLine(benchmark::State& state)
{
    state.counters["ns/line"] = benchmark::Counter(static_cast<double>(batch().size()),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

// What the filter does for a line without --unwrap: one buffer for all.
void translateLines(benchmark::State& state)
{
    SilentReporter reporter;
    const TrailingOptions options;
    std::u16string buffer;
    for (auto _ : state) {
        for (const std::u16string& line : batch()) {
            buffer.assign(line);
            const TranslationView shown =
                translateInPlace(reporter, TranslationMethod::Dynamic, tables().codes,
                                 tables().chars, options, buffer);
            benchmark::DoNotOptimize(shown.text.data());
        }
    }
    perLine(state);
}

// Every host of the batch is plain ASCII: the host-name services are never asked.
class AsciiHostNames : public unwrap::HostNames {
public:
    std::optional<std::u16string> toAscii(std::u16string_view) const override { return {}; }
    std::u16string toUnicode(std::u16string_view host) const override
    {
        return std::u16string(host);
    }
    bool looksDeceptive(std::u16string_view) const override { return false; }
};

// With the record of every step (the window, --json, --trace) or without it
// (the filter's usual output).
void unwrapLines(benchmark::State& state, bool record)
{
    const AsciiHostNames hosts;
    unwrap::Options options;
    options.record = record;
    unwrap::Result result;
    for (auto _ : state) {
        for (const std::u16string& line : batch()) {
            unwrap::unwrapLink(line, options, hosts, result);
            benchmark::DoNotOptimize(result.target.data());
        }
    }
    if (result.layers != 1)
        state.SkipWithError("the last line did not unwrap to one layer");
    perLine(state);
}

// Keeps the median of each benchmark and prints the ratios that matter.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }

    double of(const std::string& name) const
    {
        const auto it = medians.find(name);
        return it == medians.end() ? 0.0 : it->second;
    }

    // Ratios whose two benchmarks ran (a filter may leave some out).
    void printRatios(const std::vector<Input>& inputs) const
    {
        struct Ratio {
            const char* label;
            const char* numerator;
            const char* denominator;
        };
        static constexpr Ratio kRatios[] = {
            {"dyn vs curl %.2fx", "curl_easy_unescape", "FixTheURLDyn"},
            {"dyn vs reference %.0fx", "reference_dyn", "FixTheURLDyn"},
            {"predef vs reference %.0fx", "reference_predef", "FixTheURLPredef"},
            {"predef/dyn time %.2f", "FixTheURLPredef", "FixTheURLDyn"},
            {"dyn/copy time %.2f", "FixTheURLDyn", "copy"},
        };
        std::printf("\nRatios of median CPU times (how many times faster the first is):\n");
        if (of("unwrapLink_batch") > 0 && of("translateInPlace_batch") > 0)
            std::printf("  batch lines       unwrap/translate time %.2f, without the record %.2f\n",
                        of("unwrapLink_batch") / of("translateInPlace_batch"),
                        of("unwrapLink_batch_bare") / of("translateInPlace_batch"));
        for (const Input& input : inputs) {
            const auto of = [&](const char* method) {
                return this->of(std::string(method) + "/" + input.name);
            };
            std::printf("  %-16s", input.name);
            for (const Ratio& ratio : kRatios) {
                if (of(ratio.numerator) <= 0 || of(ratio.denominator) <= 0)
                    continue;
                std::printf("  ");
                std::printf(ratio.label, of(ratio.numerator) / of(ratio.denominator));
            }
            std::printf("\n");
        }
    }

    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv)
{
    const std::pair<const char*, const char*> defaults[] = {
        {"--benchmark_repetitions", "10"},
        {"--benchmark_enable_random_interleaving", "true"},
        {"--benchmark_min_time", "0.1"},
        {"--benchmark_report_aggregates_only", "true"},
    };
    std::vector<std::string> added;
    for (const auto& [flag, value] : defaults) {
        bool given = false;
        for (int i = 1; i < argc; ++i)
            given = given || std::string(argv[i]).rfind(flag, 0) == 0;
        if (!given)
            added.push_back(std::string(flag) + "=" + value);
    }
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::string(argv[i]) == "--plain-loops")
            scan::useVectorCode(false);
        else if (std::string(argv[i]) == "--avx2")
            scan::limitVectorCode(scan::VectorCode::Avx2);
        else
            args.push_back(argv[i]);
    }
    for (std::string& arg : added)
        args.push_back(arg.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    curl_global_init(CURL_GLOBAL_DEFAULT);
    curlHandle = curl_easy_init();

    static const std::vector<Input> inputs = makeInputs();
    for (const Input& input : inputs) {
        const std::string suffix = std::string("/") + input.name;
        benchmark::RegisterBenchmark(("copy" + suffix).c_str(), copyText, input);
        benchmark::RegisterBenchmark(("FixTheURLDyn" + suffix).c_str(), dynamic<&FixTheURLDyn>,
                                     input);
        benchmark::RegisterBenchmark(("FixTheURLPredef" + suffix).c_str(),
                                     predefined<&FixTheURLPredef>, input);
        benchmark::RegisterBenchmark(("reference_dyn" + suffix).c_str(),
                                     dynamic<&reference::FixTheURLDyn>, input);
        benchmark::RegisterBenchmark(("reference_predef" + suffix).c_str(),
                                     predefined<&reference::FixTheURLPredef>, input);
        benchmark::RegisterBenchmark(("curl_easy_unescape" + suffix).c_str(), curlUnescape, input);
    }

    benchmark::RegisterBenchmark("translateInPlace_batch", translateLines);
    benchmark::RegisterBenchmark("unwrapLink_batch", unwrapLines, true);
    benchmark::RegisterBenchmark("unwrapLink_batch_bare", unwrapLines, false);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios(inputs);
    benchmark::Shutdown();

    curl_easy_cleanup(curlHandle);
    curl_global_cleanup();
    return 0;
}
