// Cost of the stereo meter's processBlock per input sample, across measurement
// modes, rates, left/right and mid/side, display delay and block sizes, and as a
// ratio to a baseline that runs only the two DC-blocker sections per sample.
#include "VyrTarvoAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

using vyrtarvo::VyrTarvoAudioProcessor;

namespace
{
constexpr int totalSamples = 1 << 16;

std::vector<std::vector<float>> programme()
{
    std::vector<std::vector<float>> audio(2, std::vector<float>(totalSamples));
    for (int i = 0; i < totalSamples; ++i)
    {
        audio[0][(size_t) i] = (float) (0.7 * std::sin(i * 0.0627) + 0.2 * std::sin(i * 0.71));
        audio[1][(size_t) i] = (float) (0.5 * std::sin(i * 0.0491 + 1.0));
    }
    return audio;
}

// Nanoseconds per input sample of the baseline, measured once.
double baselineNanosecondsPerSample()
{
    static const double value = [] {
        vyrkit::IirFilter left(48000.0, 1, 2.0, 0.5, 0.0), right(48000.0, 1, 2.0, 0.5, 0.0);
        auto audio = programme();
        double sink = 0.0;
        const int rounds = 400;
        const auto start = std::chrono::steady_clock::now();
        for (int r = 0; r < rounds; ++r)
            for (int i = 0; i < totalSamples; ++i)
            {
                sink += left.processSample(audio[0][(size_t) i]);
                sink += right.processSample(audio[1][(size_t) i]);
            }
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(sink);
        return std::chrono::duration<double, std::nano>(end - start).count() / (double (rounds) * totalSamples);
    }();
    return value;
}

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
        offset = (offset + 1024) % (totalSamples - 1024);
    }
    state.SetItemsProcessed(state.iterations() * 1024);
    state.counters["ns_per_sample"] = baselineNanosecondsPerSample();
}

// Arguments: oversampled (0/1), host rate, mid/side (0/1), display delay (0/1), block size.
void processBlock(benchmark::State& state)
{
    const bool oversampled = state.range(0) != 0;
    const double rate = (double) state.range(1);
    const bool midSide = state.range(2) != 0;
    const bool delayed = state.range(3) != 0;
    const int blockSize = (int) state.range(4);

    VyrTarvoAudioProcessor p;
    p.setGlobalSetting(13, oversampled ? 1.0f : 0.0f);
    p.setPlayConfigDetails(2, 2, rate, blockSize);
    p.prepareToPlay(rate, blockSize);
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    p.setParameter(1, midSide ? 1.0f : 0.0f);
    p.setParameter(2, delayed ? 0.2f : 0.0f);
    p.setParameter(4, 1.0f);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    auto audio = programme();
    juce::MidiBuffer midi;
    int offset = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
    {
        float* channels[] = { audio[0].data() + offset, audio[1].data() + offset };
        juce::AudioBuffer<float> buffer(channels, 2, blockSize);
        const juce::ScopedLock lock(p.getCallbackLock());
        p.processBlock(buffer, midi);
        offset = (offset + blockSize) % (totalSamples - blockSize);
    }
    const auto end = std::chrono::steady_clock::now();
    const double samples = (double) state.iterations() * blockSize;
    const double nsPerSample = std::chrono::duration<double, std::nano>(end - start).count() / samples;
    state.SetItemsProcessed((int64_t) samples);
    state.counters["ns_per_sample"] = nsPerSample;
    state.counters["ratio_to_baseline"] = nsPerSample / baselineNanosecondsPerSample();
    state.counters["core_percent"] = nsPerSample * rate * 1e-9 * 100.0;
}
} // namespace

BENCHMARK(dcBlockerBaseline);
BENCHMARK(processBlock)
    ->ArgNames({ "oversampled", "rate", "midside", "delay", "block" })
    ->ArgsProduct({ { 0, 1 }, { 44100, 48000, 96000, 192000 }, { 0, 1 }, { 0, 1 }, { 64, 1024 } });
