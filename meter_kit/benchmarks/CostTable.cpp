// The run of the meters' benchmark programs and the cost table they end with.
#include "MeterBenchmark.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

namespace vyrbench
{
namespace
{
// The value of "key:value" in a benchmark's argument string, or -1.
long argumentValue(const std::string& args, const std::string& key)
{
    size_t start = 0;
    while (start <= args.size())
    {
        const size_t end = std::min(args.find('/', start), args.size());
        const auto part = args.substr(start, end - start);
        if (part.compare(0, key.size() + 1, key + ":") == 0)
            return std::strtol(part.c_str() + key.size() + 1, nullptr, 10);
        start = end + 1;
    }
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// The output that Google Benchmark's options ask for, and on the side the
// measurements of the table's cases, one per repetition.
class CostTableReporter : public benchmark::BenchmarkReporter
{
public:
    struct Measurements
    {
        std::vector<double> nsPerFrame, ratio, baselineNs;
    };
    // Keyed by (oversampled, rate), so CPU-safe rows come first, rates rising.
    std::map<std::pair<long, long>, Measurements> rows;

    bool ReportContext(const Context& context) override { return display->ReportContext(context); }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs)
        {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.report_label != tableCase)
                continue;
            const auto key = std::make_pair(argumentValue(run.run_name.args, "oversampled"),
                                            argumentValue(run.run_name.args, "rate"));
            auto& m = rows[key];
            m.nsPerFrame.push_back(run.counters.at("ns_per_sample").value);
            m.ratio.push_back(run.counters.at("ratio_to_baseline").value);
            m.baselineNs.push_back(run.counters.at("baseline_ns").value);
        }
        display->ReportRuns(runs);
    }

    void Finalize() override { display->Finalize(); }

private:
    // Owned by Google Benchmark.
    benchmark::BenchmarkReporter* display = benchmark::CreateDefaultDisplayReporter();
};

void writeTable(std::FILE* out, const char* meterName, const CostTableReporter& reporter)
{
    // The baseline as it was timed beside the cases: the median of its runs.
    std::vector<double> baselines;
    for (const auto& row : reporter.rows)
        baselines.insert(baselines.end(), row.second.baselineNs.begin(), row.second.baselineNs.end());
    std::fprintf(out, "%-8s %-12s %6s %10.2f %7.2f\n", meterName, "baseline", "-", median(baselines), 1.0);
    for (const auto& [key, m] : reporter.rows)
    {
        std::fprintf(out, "%-8s %-12s %6ld %10.2f %7.2f", meterName, key.first != 0 ? "oversampled" : "cpu-safe",
                     key.second, median(m.nsPerFrame), median(m.ratio));
        if (m.ratio.size() > 1)
            std::fprintf(out, "   %.2f-%.2f over %zu runs", *std::min_element(m.ratio.begin(), m.ratio.end()),
                         *std::max_element(m.ratio.begin(), m.ratio.end()), m.ratio.size());
        std::fprintf(out, "\n");
    }
}

void writeHeader(std::FILE* out)
{
    std::fprintf(out, "%-8s %-12s %6s %10s %7s\n", "meter", "mode", "rate", "ns/frame", "ratio");
}
} // namespace

int runRegisteredBenchmarks(int argc, char** argv, const char* meterName)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CostTableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (reporter.rows.empty())
        return 0;

    const char* tablePath = std::getenv("VYR_BENCH_TABLE");
    if (tablePath != nullptr && *tablePath != 0)
    {
        std::FILE* out = std::fopen(tablePath, "a");
        if (out == nullptr)
        {
            std::fprintf(stderr, "cannot append the cost table to %s\n", tablePath);
            return 1;
        }
        if (std::ftell(out) == 0)
            writeHeader(out);
        writeTable(out, meterName, reporter);
        std::fclose(out);
        return 0;
    }
    std::printf("\n");
    writeHeader(stdout);
    writeTable(stdout, meterName, reporter);
    return 0;
}
} // namespace vyrbench
