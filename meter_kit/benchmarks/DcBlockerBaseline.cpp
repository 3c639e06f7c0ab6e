// The benchmark programme and the baseline every meter is compared with.
#include "MeterBenchmark.h"

#include "IirFilter.h"

#include <cmath>

namespace vyrbench
{
std::vector<std::vector<float>> programme()
{
    std::vector<std::vector<float>> audio(2, std::vector<float>(programmeFrames));
    for (int i = 0; i < programmeFrames; ++i)
    {
        audio[0][(size_t) i] = (float) (0.7 * std::sin(i * 0.0627) + 0.2 * std::sin(i * 0.71));
        audio[1][(size_t) i] = (float) (0.5 * std::sin(i * 0.0491 + 1.0));
    }
    return audio;
}

double baselineNanosecondsPerFrame()
{
    static const double value = [] {
        vyrkit::IirFilter left(48000.0, 1, 2.0, 0.5, 0.0), right(48000.0, 1, 2.0, 0.5, 0.0);
        auto audio = programme();
        double sink = 0.0;
        const int rounds = 400;
        const auto start = std::chrono::steady_clock::now();
        for (int r = 0; r < rounds; ++r)
            for (int i = 0; i < programmeFrames; ++i)
            {
                sink += left.processSample(audio[0][(size_t) i]);
                sink += right.processSample(audio[1][(size_t) i]);
            }
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(sink);
        return std::chrono::duration<double, std::nano>(end - start).count() / (double (rounds) * programmeFrames);
    }();
    return value;
}

namespace
{
void dcBlockerBaseline(benchmark::State& state)
{
    vyrkit::IirFilter left(48000.0, 1, 2.0, 0.5, 0.0), right(48000.0, 1, 2.0, 0.5, 0.0);
    auto audio = programme();
    int offset = 0;
    for (auto _ : state)
    {
        double sum = 0.0;
        for (int i = 0; i < 1024; ++i)
        {
            sum += left.processSample(audio[0][(size_t) (offset + i)]);
            sum += right.processSample(audio[1][(size_t) (offset + i)]);
        }
        benchmark::DoNotOptimize(sum);
        offset = (offset + 1024) % (programmeFrames - 1024);
    }
    state.SetItemsProcessed(state.iterations() * 1024);
    state.counters["ns_per_sample"] = baselineNanosecondsPerFrame();
}
} // namespace

void registerBaseline()
{
    benchmark::RegisterBenchmark("dcBlockerBaseline", dcBlockerBaseline);
}
} // namespace vyrbench
