// The benchmark programme and the baseline every meter is compared with.
#include "MeterBenchmark.h"

#include "IirFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

struct BaselineRuns::Sections
{
    vyrkit::IirFilter left { 48000.0, 1, 2.0, 0.5, 0.0 };
    vyrkit::IirFilter right { 48000.0, 1, 2.0, 0.5, 0.0 };
    std::vector<std::vector<float>> audio = programme();
    int offset = 0;
};

BaselineRuns::BaselineRuns() : sections(std::make_unique<Sections>()) {}
BaselineRuns::~BaselineRuns() = default;

double BaselineRuns::timeRun(int frames)
{
    auto& s = *sections;
    double sink = 0.0;
    const auto start = std::chrono::steady_clock::now();
    const float* left = s.audio[0].data() + s.offset;
    const float* right = s.audio[1].data() + s.offset;
    for (int i = 0; i < frames; ++i)
    {
        sink += s.left.processSample(left[i]);
        sink += s.right.processSample(right[i]);
    }
    const auto end = std::chrono::steady_clock::now();
    s.offset = (s.offset + frames) % (programmeFrames - frames);
    benchmark::DoNotOptimize(sink);
    return std::chrono::duration<double, std::nano>(end - start).count() / frames;
}

double baselineNanosecondsPerFrame()
{
    BaselineRuns runs;
    double fastest = std::numeric_limits<double>::infinity();
    for (int r = 0; r < 200; ++r)
        fastest = std::min(fastest, runs.timeRun(framesPerRun));
    return fastest;
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
