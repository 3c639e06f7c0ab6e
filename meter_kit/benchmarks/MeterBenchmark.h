#pragma once

// The meters' processBlock benchmarks: every meter is timed on the same
// programme, over the same cases, and compared with the same baseline, two
// DC-blocker sections per frame, which is the least work any of them does per
// input frame.

#include <benchmark/benchmark.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace vyrbench
{
// Frames in the benchmark programme; blocks wrap around inside it.
constexpr int programmeFrames = 1 << 16;

// Two channels of steady tones, the same for every meter.
std::vector<std::vector<float>> programme();

// The baseline: two DC-blocker sections per frame over the programme. Timed in
// short runs between the runs of the case it is compared with, so that both
// meet the same load on a shared machine.
class BaselineRuns
{
public:
    BaselineRuns();
    ~BaselineRuns();
    // Nanoseconds per frame of one run of the given number of frames.
    double timeRun(int frames);

private:
    struct Sections;
    std::unique_ptr<Sections> sections;
};

// Nanoseconds per frame of the baseline: the fastest of several short runs.
double baselineNanosecondsPerFrame();

// Registers the baseline as a benchmark of its own, "dcBlockerBaseline".
void registerBaseline();

// Label of the cases that make up the cost table: one per measurement mode and
// rate. Their arguments include "oversampled" and "rate".
inline constexpr const char* tableCase = "table";

// Frames in one timed run of a case and of the baseline.
constexpr int framesPerRun = 8192;

// Times processBlock of a prepared two-channel processor in blocks of the
// given size over the programme, under the callback lock as the host does. The
// blocks are timed in runs of about framesPerRun frames, each followed by a run
// of the baseline; the fastest run of each stands for its cost (a run that the
// machine's other work has slowed only ever takes longer), so the ratio holds on
// a loaded machine. Sets the counters ns_per_sample (per frame, fastest run),
// baseline_ns (the same for the baseline), ratio_to_baseline and core_percent
// (of one core at the given rate).
template <typename Processor>
void timeProcessBlock(benchmark::State& state, Processor& p, double rate, int blockSize)
{
    auto audio = programme();
    juce::MidiBuffer midi;
    BaselineRuns baseline;
    const int blocksPerRun = std::max(1, framesPerRun / blockSize);
    double fastestCase = std::numeric_limits<double>::infinity();
    double fastestBaseline = std::numeric_limits<double>::infinity();
    int offset = 0;
    int blocksInRun = 0;
    auto runStart = std::chrono::steady_clock::now();
    for (auto _ : state)
    {
        float* channels[] = { audio[0].data() + offset, audio[1].data() + offset };
        juce::AudioBuffer<float> buffer(channels, 2, blockSize);
        {
            const juce::ScopedLock lock(p.getCallbackLock());
            p.processBlock(buffer, midi);
        }
        offset = (offset + blockSize) % (programmeFrames - blockSize);
        if (++blocksInRun == blocksPerRun)
        {
            const auto runEnd = std::chrono::steady_clock::now();
            const double ns = std::chrono::duration<double, std::nano>(runEnd - runStart).count();
            fastestCase = std::min(fastestCase, ns / (double (blocksPerRun) * blockSize));
            state.PauseTiming();
            fastestBaseline = std::min(fastestBaseline, baseline.timeRun(framesPerRun));
            state.ResumeTiming();
            blocksInRun = 0;
            runStart = std::chrono::steady_clock::now();
        }
    }
    if (! std::isfinite(fastestBaseline))
        fastestBaseline = baseline.timeRun(framesPerRun);
    if (! std::isfinite(fastestCase))
        fastestCase = 0.0; // too few iterations for one run
    state.SetItemsProcessed((int64_t) state.iterations() * blockSize);
    state.counters["ns_per_sample"] = fastestCase;
    state.counters["baseline_ns"] = fastestBaseline;
    state.counters["ratio_to_baseline"] = fastestCase / fastestBaseline;
    state.counters["core_percent"] = fastestCase * rate * 1e-9 * 100.0;
}

// Where a meter keeps the switches the benchmark sets.
struct MeterIndices
{
    int measurementSetting; // 1 oversampled ("Precise"), 0 CPU-safe
    int latencyParameter;   // 0.2 for the cases with a display delay of 200 ms
    int activeParameter;    // the trim is active (at 0 dB) in every case
    int midSideParameter = -1; // the stereo meter's LR/MS, or -1
};

// Runs Google Benchmark with its command-line options, and prints the cost
// table at the end (median over repetitions, with the spread of the ratio).
// With VYR_BENCH_TABLE naming a file the table's rows are appended there
// instead, so that one script can show all meters together.
int runRegisteredBenchmarks(int argc, char** argv, const char* meterName);

// The main of a meter's benchmark program: the baseline, then processBlock at
// every measurement mode, rate (44100, 48000, 96000, 192000), mid/side (where
// the meter has it), display delay (none or 200 ms) and block size (64, 1024),
// two channels in and out; the cases without mid/side and delay at block size
// 1024 make the table, one row per mode and rate.
template <typename Processor>
int runMeterBenchmarks(int argc, char** argv, const char* meterName, MeterIndices indices)
{
    registerBaseline();
    const bool hasMidSide = indices.midSideParameter >= 0;
    auto* cases = benchmark::RegisterBenchmark("processBlock", [indices, hasMidSide](benchmark::State& state) {
        int arg = 0;
        const bool oversampled = state.range(arg++) != 0;
        const double rate = (double) state.range(arg++);
        const bool midSide = hasMidSide && state.range(arg++) != 0;
        const bool delayed = state.range(arg++) != 0;
        const int blockSize = (int) state.range(arg++);
        if (! midSide && ! delayed && blockSize == 1024)
            state.SetLabel(tableCase);

        Processor p;
        p.setGlobalSetting(indices.measurementSetting, oversampled ? 1.0f : 0.0f);
        p.setPlayConfigDetails(2, 2, rate, blockSize);
        p.prepareToPlay(rate, blockSize);
        JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
        if (hasMidSide)
            p.setParameter(indices.midSideParameter, midSide ? 1.0f : 0.0f);
        p.setParameter(indices.latencyParameter, delayed ? 0.2f : 0.0f);
        p.setParameter(indices.activeParameter, 1.0f);
        JUCE_END_IGNORE_WARNINGS_GCC_LIKE

        timeProcessBlock(state, p, rate, blockSize);
    });
    if (hasMidSide)
        cases->ArgNames({ "oversampled", "rate", "midside", "delay", "block" })
            ->ArgsProduct({ { 0, 1 }, { 44100, 48000, 96000, 192000 }, { 0, 1 }, { 0, 1 }, { 64, 1024 } });
    else
        cases->ArgNames({ "oversampled", "rate", "delay", "block" })
            ->ArgsProduct({ { 0, 1 }, { 44100, 48000, 96000, 192000 }, { 0, 1 }, { 64, 1024 } });
    return runRegisteredBenchmarks(argc, argv, meterName);
}

// The same for a meter whose processor names its measurement-mode setting and
// has no mid/side.
template <typename Processor>
int runMeterBenchmarks(int argc, char** argv, const char* meterName)
{
    return runMeterBenchmarks<Processor>(
        argc, argv, meterName,
        { Processor::measurementSetting, Processor::latencyParameter, Processor::activeParameter });
}
} // namespace vyrbench
