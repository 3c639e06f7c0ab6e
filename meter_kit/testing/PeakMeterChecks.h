#pragma once

// The metering checks the two peak programme meters share, written once for
// either: rates, ballistics as a user sees them, block-size invariance, trim,
// overs, the read-out and the delayed history. Each check works on the meter's
// first (or only) channel through a small traits struct Meter of the meter's
// own test support:
//   using Processor;                        the meter's processor
//   referenceSetting, measurementSetting, overCountSetting, overReferenceSetting,
//   fallBackSetting;                        setter indices of the settings
//   holdParameter, latencyParameter, trimParameter, activeParameter;
//   restoreDefaultSettings(p), settings()   the process-wide settings
//   needle(p), hold(p), overSamples(p), displayLevel(p, x), displayHold(p, x),
//   readOverCount(p), setOverCount(p, count), overCount()
// Each meter's TEST calls these, so that every meter keeps its own test names.

#include "ProcessorTesting.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace kittest::peak
{
inline constexpr double pi = 3.14159265358979323846;

inline std::vector<std::vector<float>> tone(int channels, int samples, double rate, double frequency, double amplitude,
                                            double phase = pi / 4)
{
    std::vector<std::vector<float>> out((size_t) channels, std::vector<float>((size_t) samples));
    for (int i = 0; i < samples; ++i)
        for (auto& ch : out)
            ch[(size_t) i] = (float) (amplitude * std::sin(2.0 * pi * frequency * i / rate + phase));
    return out;
}

// The needle and the hold needle after each input sample.
struct Trace
{
    std::vector<double> needle, hold;
};

// Runs the signal sample by sample and records the needle and hold after each
// input sample.
template <typename Meter>
Trace trace(typename Meter::Processor& p, const std::vector<std::vector<float>>& signal)
{
    Trace t;
    const size_t n = signal[0].size();
    t.needle.resize(n);
    t.hold.resize(n);
    std::vector<std::vector<float>> one(signal.size(), std::vector<float>(1));
    for (size_t i = 0; i < n; ++i)
    {
        for (size_t c = 0; c < signal.size(); ++c)
            one[c][0] = signal[c][i];
        process(p, one, { 1 });
        t.needle[i] = Meter::needle(p);
        t.hold[i] = Meter::hold(p);
    }
    return t;
}

inline int firstIndex(const std::vector<double>& v, size_t from, const std::function<bool(double)>& test)
{
    for (size_t i = from; i < v.size(); ++i)
        if (test(v[i]))
            return (int) i;
    return -1;
}

// Every test starts from the default settings with a reference of 0 dBFS, so
// that levels read as amplitudes.
template <typename Meter>
class MeteringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Meter::restoreDefaultSettings(p);
        p.setGlobalSetting(Meter::referenceSetting, 1.0f);
    }
    typename Meter::Processor p;
};

// --- Rates ---------------------------------------------------------------------

struct RateCase
{
    double hostRate, meterRate;
    int factor;
    double processingRate;
    int ringStep;
};

template <typename Meter>
void checkOversamplingFactorAndRingStep(typename Meter::Processor& p, const RateCase& c)
{
    p.setGlobalSetting(Meter::measurementSetting, 1.0f);
    configure(p, 2, 2, c.hostRate, 512);
    EXPECT_EQ(p.getMeterRate(), c.meterRate);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, c.factor);
    EXPECT_EQ(p.getProcessingRate(), c.processingRate);
    EXPECT_EQ(p.getRingStep(), c.ringStep);
    // The trim smoothing follows the true rate, unclamped.
    EXPECT_EQ(p.getTrimSmoothing(), (float) (22.05000114440918 / c.hostRate));

    p.setGlobalSetting(Meter::measurementSetting, 0.0f);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, 0);
    EXPECT_EQ(p.getProcessingRate(), c.meterRate);
    EXPECT_EQ(p.getRingStep(), (int) (c.meterRate * (double) 0.001f));
}

template <typename Meter>
void checkUnusableRatesFallBackTo44100(typename Meter::Processor& p)
{
    for (double bad : { 0.0, -48000.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        p.prepareToPlay(bad, 512);
        EXPECT_EQ(p.getMeterRate(), 44100.0);
        for (int channel : { 0, 1 })
        {
            EXPECT_EQ(p.getDcBlocker(channel).getSampleRate(), 44100.0);
            EXPECT_EQ(p.getDcBlocker(channel).getFrequency(), 2.0);
        }
        EXPECT_EQ(p.getTrimSmoothing(), 0.0005f);
    }
}

// --- Ballistics as a user sees them ------------------------------------------------

struct BallisticsCase
{
    double rate;
    bool oversampled;
};

inline const std::vector<BallisticsCase> ballisticsCases = {
    { 44100, false }, { 44100, true }, { 48000, false }, { 48000, true }, { 96000, false }, { 96000, true },
};

inline std::string ballisticsCaseName(const ::testing::TestParamInfo<BallisticsCase>& info)
{
    return std::to_string((int) info.param.rate) + (info.param.oversampled ? "Oversampled" : "CpuSafe");
}

inline std::string modeName(const ::testing::TestParamInfo<bool>& info)
{
    return info.param ? "Oversampled" : "CpuSafe";
}

// Each rate in either measurement mode, the instance prepared in SetUp.
template <typename Meter>
class BallisticsTest : public MeteringTest<Meter>, public ::testing::WithParamInterface<BallisticsCase>
{
protected:
    void SetUp() override
    {
        MeteringTest<Meter>::SetUp();
        applyModeSettings();
        configure(this->p, 2, 2, GetParam().rate, 64);
    }

    // A constructor may reread the stored settings: every further instance of a
    // test sets the test's reference and mode again.
    void applyModeSettings()
    {
        this->p.setGlobalSetting(Meter::referenceSetting, 1.0f);
        this->p.setGlobalSetting(Meter::measurementSetting, GetParam().oversampled ? 1.0f : 0.0f);
    }

    double ms(int samples) const { return samples * 1000.0 / GetParam().rate; }

    void checkNeedleRisesInTheIntegrationTime()
    {
        auto& p = this->p;
        const double rate = GetParam().rate;
        const double integrationMs = Meter::settings().integrationMs;
        ASSERT_NEAR(integrationMs, 10.0, 0.05);

        // A tone at a quarter of the rate, sampled at 45 degrees: every sample has
        // the same magnitude, so the needle rises like a step (to 99 % in the
        // integration time). Interpolated points lie elsewhere, so only without
        // oversampling.
        if (! GetParam().oversampled)
        {
            typename Meter::Processor step;
            applyModeSettings();
            configure(step, 2, 2, rate, 64);
            const auto t = trace<Meter>(step, tone(2, (int) (rate * 0.3), rate, rate / 4, 0.5));
            const double level = 0.5 * std::sqrt(0.5);
            const int reached = firstIndex(t.needle, 0, [&](double v) { return v >= 0.99 * level * 0.9999; });
            EXPECT_NEAR(ms(reached), integrationMs, 0.15);
        }

        // A 1 kHz sine reaches 99 % of its steady reading in the same time whether
        // or not the measurement oversamples.
        typename Meter::Processor reference;
        reference.setGlobalSetting(Meter::referenceSetting, 1.0f);
        reference.setGlobalSetting(Meter::measurementSetting, 0.0f);
        configure(reference, 2, 2, rate, 64);
        applyModeSettings();
        const auto signal = tone(2, (int) (rate * 0.3), rate, 1000.0, 0.5, 0.0);
        const auto r = trace<Meter>(reference, signal);
        const auto t = trace<Meter>(p, signal);
        const double steady = t.needle.back();
        EXPECT_NEAR(steady, r.needle.back(), 0.005 * steady);
        EXPECT_NEAR(steady, 0.5, 0.01);
        const int reached = firstIndex(t.needle, 0, [&](double v) { return v >= 0.99 * steady; });
        const int reachedReference = firstIndex(r.needle, 0, [&](double v) { return v >= 0.99 * r.needle.back(); });
        EXPECT_NEAR(ms(reached), ms(reachedReference), 2.0);
        EXPECT_GT(ms(reached), integrationMs);
    }

    void checkNeedleFalls24DbInTheFallBackTime()
    {
        const double rate = GetParam().rate;
        const double returnMs = Meter::settings().returnMs;
        ASSERT_NEAR(returnMs, 2000.0, 10.0);

        auto signal = tone(2, (int) (rate * 2.5), rate, rate / 4, 0.5);
        const int cut = (int) (rate * 0.2);
        for (auto& ch : signal)
            std::fill(ch.begin() + cut, ch.end(), 0.0f);
        const auto t = trace<Meter>(this->p, signal);
        const double start = t.needle[(size_t) cut - 1];
        const int fallen = firstIndex(t.needle, (size_t) cut, [&](double v) { return v <= start / 16.0; });
        ASSERT_GT(fallen, 0);
        EXPECT_NEAR(ms(fallen - cut), returnMs, returnMs * 0.01);
    }

    void checkHoldNeedleStaysForTheHoldTime()
    {
        const double rate = GetParam().rate;
        const double holdMs = Meter::settings().holdMs;
        ASSERT_NEAR(holdMs, 1000.0, 1.0);

        auto signal = tone(2, (int) (rate * 1.5), rate, rate / 4, 0.5);
        const int cut = (int) (rate * 0.05);
        for (auto& ch : signal)
            std::fill(ch.begin() + cut, ch.end(), 0.0f);
        const auto t = trace<Meter>(this->p, signal);
        const int peak = (int) (std::max_element(t.hold.begin(), t.hold.end()) - t.hold.begin());
        const double top = t.hold[(size_t) peak];
        const int falls = firstIndex(t.hold, (size_t) peak, [&](double v) { return v < top; });
        ASSERT_GT(falls, peak);
        EXPECT_NEAR(ms(falls - peak), holdMs, 0.2);
        // Afterwards it falls like the needle.
        EXPECT_LT(t.hold.back(), top);
        EXPECT_LT(t.needle[(size_t) peak + (size_t) (rate * 0.5)], top);
    }
};

// --- Block sizes -------------------------------------------------------------------

// The same readings, and the same audio, whatever the host's block sizes: a
// 997 Hz programme (the second channel 10 dB lower) with a short burst of
// burstLevel on the first, fed in blocks of 1, 7, 64, 1024 and random sizes, and
// in a run with empty blocks. setUp prepares each fresh instance at 48000 Hz;
// read gives the readings that must agree. Returns the readings of the first
// schedule.
template <typename Meter, typename SetUp, typename Read>
std::vector<double> checkReadingsDoNotDependOnTheBlockSize(float burstLevel, SetUp&& setUp, Read&& read)
{
    const double rate = 48000.0;
    auto programme = tone(2, (int) (rate * 0.4), rate, 997.0, 0.9, 0.3);
    for (int i = 0; i < (int) programme[0].size(); ++i)
    {
        programme[1][(size_t) i] *= 0.3f;
        if (i > 6000 && i < 6010)
            programme[0][(size_t) i] = burstLevel; // a short burst past full scale
    }

    std::mt19937 random(7);
    std::vector<int> randomSizes;
    for (int i = 0; i < 200; ++i)
        randomSizes.push_back(1 + (int) (random() % 700));
    // Empty blocks are legal: the host may send them between others.
    const std::vector<std::vector<int>> schedules = { { 1 }, { 7 }, { 64 }, { 1024 }, randomSizes, { 0, 33, 0, 500 } };

    struct Result
    {
        std::vector<double> readings;
        std::vector<std::vector<float>> audio;
    };
    std::vector<Result> results;
    for (const auto& schedule : schedules)
    {
        typename Meter::Processor q;
        setUp(q);
        auto audio = programme;
        process(q, audio, schedule);
        results.push_back({ read(q), audio });
    }
    for (size_t i = 1; i < results.size(); ++i)
    {
        EXPECT_EQ(results[i].readings, results[0].readings) << "schedule " << i;
        EXPECT_EQ(results[i].audio, results[0].audio) << "schedule " << i;
    }
    return results[0].readings;
}

// --- Trim and channels -----------------------------------------------------------

// One input, two outputs: the second output is the untrimmed input, the first
// the trimmed one.
template <typename Meter>
void checkOneInputTwoOutputsCopiesTheUntrimmedInput(typename Meter::Processor& p)
{
    configure(p, 1, 2, 44100.0, 256);
    setParameter(p, Meter::activeParameter, 1.0f);
    setParameter(p, Meter::trimParameter, 1.0f); // +20 dB
    auto input = tone(1, 4410, 44100.0, 1000.0, 0.05);
    std::vector<std::vector<float>> audio = { input[0], std::vector<float>(input[0].size(), 7.0f) };
    process(p, audio, { 256 });
    EXPECT_EQ(audio[1], input[0]);
    EXPECT_NE(audio[0], input[0]);
    EXPECT_NEAR(audio[0].back(), input[0].back() * p.getTrimCurrentGain(), 1e-6);
    EXPECT_GT(std::abs(audio[0].back()), std::abs(input[0].back()) * 5.0f);
}

template <typename Meter>
void checkTrimFollowsWhileInactiveAndTheAudioPassesUnchanged(typename Meter::Processor& p)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, Meter::trimParameter, 1.0f); // target gain 10, trim still inactive
    auto audio = tone(2, 44100, 44100.0, 440.0, 0.25);
    const auto original = audio;
    process(p, audio, { 256 });
    EXPECT_EQ(audio, original);
    EXPECT_NEAR(p.getTrimCurrentGain(), 10.0f, 1e-3f);

    // Switched on, the trim starts from the smoothed gain.
    setParameter(p, Meter::activeParameter, 1.0f);
    std::vector<std::vector<float>> ones(2, std::vector<float>(1, 0.5f));
    process(p, ones, { 1 });
    EXPECT_NEAR(ones[0][0], 0.5f * 10.0f, 1e-3f);
}

template <typename Meter>
void checkAbsurdTrimNeverMakesFiniteAudioInfinite(typename Meter::Processor& p)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, Meter::activeParameter, 1.0f);
    setParameter(p, Meter::trimParameter, 1e30f);
    auto audio = tone(2, 44100, 44100.0, 440.0, 0.9);
    audio[0][5] = 3e38f;
    process(p, audio, { 256 });
    for (const auto& ch : audio)
        for (float v : ch)
            ASSERT_TRUE(std::isfinite(v));
}

// --- Overs -------------------------------------------------------------------------

template <typename Meter>
void checkFourTimesOversamplingCountsAnOverWithinOneInputSample(typename Meter::Processor& p)
{
    p.setGlobalSetting(Meter::measurementSetting, 1.0f);
    p.setGlobalSetting(Meter::overReferenceSetting, 1.0f);   // 0 dBFS
    p.setGlobalSetting(Meter::overCountSetting, 3.0f / 9.0f); // four steps
    configure(p, 2, 2, 44100.0, 256);
    ASSERT_EQ(Meter::overCount(), 4.0);
    // Two samples well past full scale: every interpolated point of the second one
    // lies above the threshold too.
    std::vector<std::vector<float>> audio(2, std::vector<float> { 1.5f, 1.5f });
    process(p, audio, { 1 });
    EXPECT_GE(Meter::overSamples(p), 4.0);
}

template <typename Meter>
void checkOverCountKeepsAReachedCountAndResetsAShortRun(typename Meter::Processor& p)
{
    p.setGlobalSetting(Meter::overReferenceSetting, 1.0f);
    p.setGlobalSetting(Meter::overCountSetting, 2.0f / 9.0f); // three steps
    configure(p, 2, 2, 44100.0, 256);
    std::vector<std::vector<float>> three(2, std::vector<float> { 1.1f, -1.1f, 1.1f, 0.0f });
    process(p, three, { 4 });
    EXPECT_EQ(Meter::overSamples(p), 3.0);
    EXPECT_EQ(Meter::readOverCount(p), 3.0);
    Meter::setOverCount(p, 0.0);
    std::vector<std::vector<float>> two(2, std::vector<float> { 0.0f, 1.1f, 1.1f, 0.1f });
    process(p, two, { 4 });
    EXPECT_EQ(Meter::overSamples(p), 0.0);
}

// --- Read-out ------------------------------------------------------------------------

// With the hold on Infinity, the hold shows the highest hold since the last reset,
// however quiet the audio becomes. Returns that highest hold.
template <typename Meter>
float checkInfinityHoldShowsTheHighestHold(typename Meter::Processor& p)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, Meter::holdParameter, 0.5f); // Infinity
    auto loud = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, loud, { 256 });
    p.updateDisplayIndex();
    const float high = Meter::displayHold(p, 0.0f);
    EXPECT_GT(high, 0.5f);
    auto quiet = tone(2, 44100 * 3, 44100.0, 11025.0, 0.1);
    process(p, quiet, { 256 });
    EXPECT_EQ(Meter::displayHold(p, 0.0f), high);
    return high;
}

// Between two blocks the read-out glides down from the last reading past the
// current one as time passes, and jumps up at once.
template <typename Meter>
void checkReadOutGlidesDownAndJumpsUp(typename Meter::Processor& p)
{
    configure(p, 2, 2, 44100.0, 441);
    auto loud = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, loud, { 441 });
    std::vector<std::vector<float>> silence(2, std::vector<float>(441, 0.0f));
    process(p, silence, { 441 });
    const double live = Meter::needle(p);
    ASSERT_LT(live, Meter::hold(p) + 1.0);
    const float atStart = Meter::displayLevel(p, 0.0f);
    EXPECT_GT(atStart, live);
    EXPECT_FLOAT_EQ(Meter::displayLevel(p, 1.0f), (float) live);
    EXPECT_LT(Meter::displayLevel(p, 2.0f), (float) live); // and beyond, as time passes
    std::vector<std::vector<float>> longSilence(2, std::vector<float>(44100 * 3, 0.0f));
    process(p, longSilence, { 441 });
    auto oneBlock = tone(2, 441, 44100.0, 11025.0, 0.8);
    process(p, oneBlock, { 441 });
    // Rising: at once.
    EXPECT_EQ(Meter::displayLevel(p, 0.0f), (float) Meter::needle(p));
    EXPECT_EQ(Meter::displayLevel(p, 0.7f), (float) Meter::needle(p));
}

inline juce::uint32 fixedClock() { return 10000; }

// The fraction of the block time passed is 0 until a block with samples came,
// and an empty block only renews the stamp: it meters nothing and leaves no
// duration to glide over.
template <typename Meter>
void checkFractionFollowsTheLastBlockWithSamples(typename Meter::Processor& p)
{
    p.setMillisecondClock(&fixedClock);
    EXPECT_EQ(p.getDisplayFraction(12.0), 0.0f); // no block yet
    configure(p, 2, 2, 44100.0, 441);
    std::vector<std::vector<float>> block(2, std::vector<float>(441, 0.3f));
    std::vector<float*> pointers = { block[0].data(), block[1].data() };
    juce::AudioBuffer<float> none(pointers.data(), 2, 0);
    juce::MidiBuffer midi;
    p.processBlock(none, midi);
    EXPECT_EQ(p.getDisplayFraction(10.5), 0.0f);

    process(p, block, { 441 });
    EXPECT_EQ(p.getLastBlockTime(), 10.0);
    EXPECT_NEAR(p.getDisplayFraction(10.005), 0.5f, 1e-4f);
    EXPECT_EQ(p.getDisplayFraction(9.0), 0.0f);

    const double needle = Meter::needle(p);
    p.processBlock(none, midi);
    EXPECT_EQ(p.getBlockDuration(), 0.0);
    EXPECT_EQ(Meter::needle(p), needle);
    EXPECT_EQ(p.getDisplayFraction(10.5), 0.0f);
}

// --- History and display delay -------------------------------------------------------

template <typename Meter>
void checkDelayedReadOutStaysInsideTheRings(typename Meter::Processor& p)
{
    configure(p, 2, 2, 44100.0, 512);
    auto audio = tone(2, 44100, 44100.0, 1000.0, 0.5);
    struct Case
    {
        float latency;
        int behind;
    };
    // A negative delay behaves as none.
    for (const auto& c : { Case { 0.001f, 1 }, Case { 0.5f, 500 }, Case { 0.999f, 999 }, Case { 1.0f, 999 },
                           Case { 2.0f, 999 }, Case { 1e9f, 999 }, Case { -0.3f, 0 }, Case { -1000.0f, 0 } })
    {
        setParameter(p, Meter::latencyParameter, c.latency);
        process(p, audio, { 512 });
        p.updateDisplayIndex();
        EXPECT_EQ((p.getRingWriteIndex() - p.getDisplayIndex() + 1001) % 1001, c.behind) << c.latency;
        EXPECT_GE(p.getDisplayIndex(), 0);
        EXPECT_LE(p.getDisplayIndex(), 1000);
        EXPECT_GE(p.getRingWriteIndex(), 0);
        EXPECT_LE(p.getRingWriteIndex(), 1000);
        EXPECT_TRUE(std::isfinite(Meter::displayLevel(p, 0.5f)));
        Meter::readOverCount(p);
        Meter::setOverCount(p, 0.0);
    }
    setParameter(p, Meter::latencyParameter, -0.3f);
    p.updateDisplayIndex();
    EXPECT_EQ(p.getDisplayIndex(), p.getRingWriteIndex());
}

template <typename Meter>
void checkDelayedReadOutShowsTheHistoryTheDelayBehind(typename Meter::Processor& p)
{
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, Meter::latencyParameter, 0.1f); // 100 ms
    // 300 ms of silence, then a loud tone.
    std::vector<std::vector<float>> silence(2, std::vector<float>(13230, 0.0f));
    process(p, silence, { 441 });
    auto loud = tone(2, 2205, 44100.0, 11025.0, 0.8);
    process(p, loud, { 441 });
    p.updateDisplayIndex();
    EXPECT_LT(Meter::displayLevel(p, 0.0f), 0.01f); // 50 ms into the tone: still silence
    auto more = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, more, { 441 });
    p.updateDisplayIndex();
    EXPECT_GT(Meter::displayLevel(p, 0.0f), 0.5f); // 150 ms in: the tone
    EXPECT_GT(Meter::displayHold(p, 0.0f), 0.5f);
}

template <typename Meter>
void checkDelayedOverReachesTheLedOnceWhateverSlotItWasStoredIn(typename Meter::Processor& p)
{
    p.setGlobalSetting(Meter::overReferenceSetting, 1.0f);
    p.setGlobalSetting(Meter::overCountSetting, 0.0f); // one step makes an over
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, Meter::latencyParameter, 0.05f); // 50 ms
    std::vector<std::vector<float>> quiet(2, std::vector<float>(4410, 0.1f));
    process(p, quiet, { 441 });
    p.updateDisplayIndex();
    EXPECT_EQ(Meter::readOverCount(p), 0.0);

    // One over, then ticks 30 ms apart: exactly one of them shows it.
    std::vector<std::vector<float>> burst(2, std::vector<float>(441, 0.1f));
    burst[0][200] = burst[1][200] = 1.5f;
    process(p, burst, { 441 });
    int shown = 0;
    for (int tick = 0; tick < 8; ++tick)
    {
        std::vector<std::vector<float>> block(2, std::vector<float>(1323, 0.1f));
        process(p, block, { 1323 });
        p.updateDisplayIndex();
        if (Meter::readOverCount(p) >= Meter::overCount())
        {
            ++shown;
            Meter::setOverCount(p, 0.0);
        }
    }
    EXPECT_EQ(shown, 1);
}
} // namespace kittest::peak
