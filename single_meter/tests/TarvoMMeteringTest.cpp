// Metering of the one channel: rates, ballistics as a user sees them, the mean
// of the rectified inputs, block-size invariance, trim, overs and the history.
#include "TarvoMTestSupport.h"

#include "IirFilter.h"

#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace vyrtarvom;
using namespace vyrtarvom::testing;

namespace
{
constexpr double pi = 3.14159265358979323846;
constexpr int holdParameter = VyrTarvoMAudioProcessor::holdParameter;
constexpr int latencyParameter = VyrTarvoMAudioProcessor::latencyParameter;
constexpr int trimParameter = VyrTarvoMAudioProcessor::trimParameter;
constexpr int activeParameter = VyrTarvoMAudioProcessor::activeParameter;
constexpr int measurementSetting = VyrTarvoMAudioProcessor::measurementSetting;

std::vector<std::vector<float>> tone(int channels, int samples, double rate, double frequency, double amplitude,
                                     double phase = pi / 4)
{
    std::vector<std::vector<float>> out((size_t) channels, std::vector<float>((size_t) samples));
    for (int i = 0; i < samples; ++i)
        for (auto& ch : out)
            ch[(size_t) i] = (float) (amplitude * std::sin(2.0 * pi * frequency * i / rate + phase));
    return out;
}

// Runs the signal sample by sample and records the needle and hold after each
// input sample.
struct Trace
{
    std::vector<double> needle, hold;
};

Trace trace(VyrTarvoMAudioProcessor& p, const std::vector<std::vector<float>>& signal)
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
        t.needle[i] = p.getNeedleLevel();
        t.hold[i] = p.getHoldNeedle();
    }
    return t;
}

int firstIndex(const std::vector<double>& v, size_t from, const std::function<bool(double)>& test)
{
    for (size_t i = from; i < v.size(); ++i)
        if (test(v[i]))
            return (int) i;
    return -1;
}

class TarvoMMetering : public ::testing::Test
{
protected:
    void SetUp() override
    {
        restoreDefaultSettings(p);
        p.setGlobalSetting(VyrTarvoMAudioProcessor::referenceSetting, 1.0f); // 0 dBFS: levels read as amplitudes
    }
    VyrTarvoMAudioProcessor p;
};

// --- Rates ---------------------------------------------------------------------

struct RateCase
{
    double hostRate, meterRate;
    int factor;
    double processingRate;
    int ringStep;
};

class TarvoMProcessingRate : public TarvoMMetering, public ::testing::WithParamInterface<RateCase> {};

TEST_P(TarvoMProcessingRate, OversamplingFactorAndRingStep)
{
    const auto& c = GetParam();
    p.setGlobalSetting(measurementSetting, 1.0f);
    configure(p, 2, 2, c.hostRate, 512);
    EXPECT_EQ(p.getMeterRate(), c.meterRate);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, c.factor);
    EXPECT_EQ(p.getProcessingRate(), c.processingRate);
    EXPECT_EQ(p.getRingStep(), c.ringStep);
    // The trim smoothing follows the true rate, unclamped.
    EXPECT_EQ(p.getTrimSmoothing(), (float) (22.05000114440918 / c.hostRate));

    p.setGlobalSetting(measurementSetting, 0.0f);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, 0);
    EXPECT_EQ(p.getProcessingRate(), c.meterRate);
    EXPECT_EQ(p.getRingStep(), (int) (c.meterRate * (double) 0.001f));
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoMProcessingRate, ::testing::Values(
    RateCase { 44100, 44100, 4, 176400, 176 }, RateCase { 48000, 48000, 4, 192000, 192 },
    RateCase { 88200, 88200, 4, 352800, 352 }, RateCase { 96000, 96000, 2, 192000, 192 },
    RateCase { 176400, 176400, 0, 176400, 176 }, RateCase { 11025, 22050, 4, 88200, 88 },
    RateCase { 384000, 192000, 0, 192000, 192 }));

TEST_F(TarvoMMetering, UnusableRatesFallBackTo44100)
{
    for (double bad : { 0.0, -48000.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        p.prepareToPlay(bad, 512);
        EXPECT_EQ(p.getMeterRate(), 44100.0);
        EXPECT_EQ(p.getDcBlocker(0).getSampleRate(), 44100.0);
        EXPECT_EQ(p.getDcBlocker(1).getSampleRate(), 44100.0);
        EXPECT_EQ(p.getTrimSmoothing(), 0.0005f);
    }
}

// --- Ballistics as a user sees them ------------------------------------------------

struct BallisticsCase
{
    double rate;
    bool oversampled;
};

class TarvoMBallistics : public TarvoMMetering, public ::testing::WithParamInterface<BallisticsCase>
{
protected:
    void SetUp() override
    {
        TarvoMMetering::SetUp();
        p.setGlobalSetting(measurementSetting, GetParam().oversampled ? 1.0f : 0.0f);
        configure(p, 2, 2, GetParam().rate, 64);
    }
    double ms(int samples) const { return samples * 1000.0 / GetParam().rate; }
};

TEST_P(TarvoMBallistics, NeedleRisesInTheIntegrationTime)
{
    const double rate = GetParam().rate;
    const double integrationMs = processWideSettings().integrationMs;
    ASSERT_NEAR(integrationMs, 10.0, 0.05);

    // A tone at a quarter of the rate, sampled at 45 degrees: every sample has the
    // same magnitude, so the needle rises like a step (to 99 % in the integration
    // time). Interpolated points lie elsewhere, so only without oversampling.
    if (! GetParam().oversampled)
    {
        const auto t = trace(p, tone(2, (int) (rate * 0.3), rate, rate / 4, 0.5));
        const double level = 0.5 * std::sqrt(0.5);
        const int reached = firstIndex(t.needle, 0, [&](double v) { return v >= 0.99 * level * 0.9999; });
        EXPECT_NEAR(ms(reached), integrationMs, 0.15);
        return;
    }

    // A 1 kHz sine reaches 99 % of its steady reading in the same time whether or
    // not the measurement oversamples.
    // Every constructor rereads the stored defaults: the test's settings again.
    VyrTarvoMAudioProcessor reference;
    reference.setGlobalSetting(VyrTarvoMAudioProcessor::referenceSetting, 1.0f);
    reference.setGlobalSetting(measurementSetting, 0.0f);
    configure(reference, 2, 2, rate, 64);
    p.setGlobalSetting(measurementSetting, 1.0f);
    const auto signal = tone(2, (int) (rate * 0.3), rate, 1000.0, 0.5, 0.0);
    const auto r = trace(reference, signal);
    const auto t = trace(p, signal);
    const double steady = t.needle.back();
    EXPECT_NEAR(steady, r.needle.back(), 0.005 * steady);
    EXPECT_NEAR(steady, 0.5, 0.01);
    const int reached = firstIndex(t.needle, 0, [&](double v) { return v >= 0.99 * steady; });
    const int reachedReference = firstIndex(r.needle, 0, [&](double v) { return v >= 0.99 * r.needle.back(); });
    EXPECT_NEAR(ms(reached), ms(reachedReference), 2.0);
    EXPECT_GT(ms(reached), integrationMs);
}

TEST_P(TarvoMBallistics, NeedleFalls24DbInTheFallBackTime)
{
    const double rate = GetParam().rate;
    const double returnMs = processWideSettings().returnMs;
    ASSERT_NEAR(returnMs, 2000.0, 10.0);

    auto signal = tone(2, (int) (rate * 2.5), rate, rate / 4, 0.5);
    const int cut = (int) (rate * 0.2);
    for (auto& ch : signal)
        std::fill(ch.begin() + cut, ch.end(), 0.0f);
    const auto t = trace(p, signal);
    const double start = t.needle[(size_t) cut - 1];
    const int fallen = firstIndex(t.needle, (size_t) cut, [&](double v) { return v <= start / 16.0; });
    ASSERT_GT(fallen, 0);
    EXPECT_NEAR(ms(fallen - cut), returnMs, returnMs * 0.01);
}

TEST_P(TarvoMBallistics, HoldNeedleStaysForTheHoldTime)
{
    const double rate = GetParam().rate;
    const double holdMs = processWideSettings().holdMs;
    ASSERT_NEAR(holdMs, 1000.0, 1.0);

    auto signal = tone(2, (int) (rate * 1.5), rate, rate / 4, 0.5);
    const int cut = (int) (rate * 0.05);
    for (auto& ch : signal)
        std::fill(ch.begin() + cut, ch.end(), 0.0f);
    const auto t = trace(p, signal);
    const int peak = (int) (std::max_element(t.hold.begin(), t.hold.end()) - t.hold.begin());
    const double top = t.hold[(size_t) peak];
    const int falls = firstIndex(t.hold, (size_t) peak, [&](double v) { return v < top; });
    ASSERT_GT(falls, peak);
    EXPECT_NEAR(ms(falls - peak), holdMs, 0.2);
    // Afterwards it falls like the needle.
    EXPECT_LT(t.hold.back(), top);
}

INSTANTIATE_TEST_SUITE_P(Rates, TarvoMBallistics, ::testing::Values(
    BallisticsCase { 44100, false }, BallisticsCase { 44100, true }, BallisticsCase { 48000, false },
    BallisticsCase { 48000, true }, BallisticsCase { 96000, false }, BallisticsCase { 96000, true }),
    [](const auto& info) { return std::to_string((int) info.param.rate) + (info.param.oversampled ? "Oversampled" : "CpuSafe"); });

// --- The one metered channel -------------------------------------------------------

// The first sample after a preparation, computed by hand: the DC-blocked inputs,
// the mean of their magnitudes (sum in float, halving in double), the reference
// scaling, and one attack step from rest.
TEST_F(TarvoMMetering, TwoInputsAreMeteredAsTheMeanOfTheirMagnitudes)
{
    struct Case
    {
        float left, right;
    };
    for (const auto& c : { Case { 0.5f, -0.25f }, Case { -0.3f, 0.0f }, Case { 0.1f, 0.7f }, Case { -1.0f, -1.0f } })
    {
        p.setGlobalSetting(VyrTarvoMAudioProcessor::referenceSetting, 0.5f);
        configure(p, 2, 2, 48000.0, 64);
        p.releaseResources();
        p.prepareToPlay(48000.0, 64);
        std::vector<std::vector<float>> audio = { { c.left }, { c.right } };
        process(p, audio, { 1 });

        vyrkit::IirFilter left(48000.0, 1, 2.0, 0.5, 0.0), right(48000.0, 1, 2.0, 0.5, 0.0);
        const float fl = (float) left.processSample((double) c.left);
        const float fr = (float) right.processSample((double) c.right);
        const float sum = std::abs(fl) + std::abs(fr);
        float a = (float) ((double) sum * 0.5);
        a = (float) ((double) a * processWideSettings().inverseReferenceGain);
        const double expected = ((0.0 + ((double) a - 0.0) * p.getBallistics().attackCoefficient) + 1e-14) - 1e-14;
        EXPECT_EQ(p.getNeedleLevel(), expected) << c.left << " " << c.right;
    }
}

class TarvoMChannels : public TarvoMMetering, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        TarvoMMetering::SetUp();
        p.setGlobalSetting(measurementSetting, GetParam() ? 1.0f : 0.0f);
    }
};

TEST_P(TarvoMChannels, OneInputReadsLikeTwoIdenticalOnesAndOneSilentChannelHalves)
{
    const auto signal = tone(1, 4800, 48000.0, 997.0, 0.6, 0.2)[0];

    VyrTarvoMAudioProcessor mono;
    configure(mono, 1, 1, 48000.0, 256);
    std::vector<std::vector<float>> one = { signal };
    const auto monoTrace = trace(mono, one);

    configure(p, 2, 2, 48000.0, 256);
    std::vector<std::vector<float>> both = { signal, signal };
    const auto stereoTrace = trace(p, both);
    EXPECT_EQ(stereoTrace.needle, monoTrace.needle);
    EXPECT_EQ(stereoTrace.hold, monoTrace.hold);

    // The sign of a channel does not matter: magnitudes are averaged.
    VyrTarvoMAudioProcessor inverted;
    configure(inverted, 2, 2, 48000.0, 256);
    std::vector<std::vector<float>> opposite = { signal, signal };
    for (float& v : opposite[1])
        v = -v;
    const auto invertedTrace = trace(inverted, opposite);
    for (size_t i = 0; i < signal.size(); i += 97)
        EXPECT_NEAR(invertedTrace.needle[i], monoTrace.needle[i], 1e-6) << i;

    VyrTarvoMAudioProcessor halfSilent;
    configure(halfSilent, 2, 2, 48000.0, 256);
    std::vector<std::vector<float>> leftOnly = { signal, std::vector<float>(signal.size(), 0.0f) };
    const auto halfTrace = trace(halfSilent, leftOnly);
    // 6 dB below: exactly half, as the halving of a float is exact.
    for (size_t i = 0; i < signal.size(); i += 97)
        EXPECT_NEAR(halfTrace.needle[i], monoTrace.needle[i] * 0.5, 1e-12 + monoTrace.needle[i] * 1e-6) << i;
    EXPECT_GT(monoTrace.needle.back(), 0.5);
}

INSTANTIATE_TEST_SUITE_P(Modes, TarvoMChannels, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Oversampled" : "CpuSafe"; });

TEST_F(TarvoMMetering, OneInputTwoOutputsCopiesTheUntrimmedInput)
{
    configure(p, 1, 2, 44100.0, 256);
    setParameter(p, activeParameter, 1.0f);
    setParameter(p, trimParameter, 1.0f); // +20 dB
    auto input = tone(1, 4410, 44100.0, 1000.0, 0.05);
    std::vector<std::vector<float>> audio = { input[0], std::vector<float>(input[0].size(), 7.0f) };
    process(p, audio, { 256 });
    EXPECT_EQ(audio[1], input[0]);
    EXPECT_NEAR(audio[0].back(), input[0].back() * p.getTrimCurrentGain(), 1e-6);
    EXPECT_GT(std::abs(audio[0].back()), std::abs(input[0].back()) * 5.0f);
}

TEST_F(TarvoMMetering, TwoInputsAreBothTrimmedAndExtraOutputsCleared)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, activeParameter, 1.0f);
    setParameter(p, trimParameter, 0.0f); // -20 dB
    std::vector<std::vector<float>> audio(2, std::vector<float>(44100, 0.5f));
    process(p, audio, { 256 });
    EXPECT_NEAR(audio[0].back(), 0.05f, 1e-5f);
    EXPECT_NEAR(audio[1].back(), 0.05f, 1e-5f);
}

TEST_F(TarvoMMetering, TrimFollowsWhileInactiveAndTheAudioPassesUnchanged)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, trimParameter, 1.0f); // target gain 10, trim still inactive
    auto audio = tone(2, 44100, 44100.0, 440.0, 0.25);
    const auto original = audio;
    process(p, audio, { 256 });
    EXPECT_EQ(audio, original);
    EXPECT_NEAR(p.getTrimCurrentGain(), 10.0f, 1e-3f);

    // Switched on, the trim starts from the smoothed gain.
    setParameter(p, activeParameter, 1.0f);
    std::vector<std::vector<float>> ones(2, std::vector<float>(1, 0.5f));
    process(p, ones, { 1 });
    EXPECT_NEAR(ones[0][0], 0.5f * 10.0f, 1e-3f);
}

TEST_F(TarvoMMetering, AbsurdTrimNeverMakesFiniteAudioInfinite)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, activeParameter, 1.0f);
    setParameter(p, trimParameter, 1e30f);
    auto audio = tone(2, 4410, 44100.0, 440.0, 0.9);
    audio[0][5] = 3e38f;
    process(p, audio, { 256 });
    for (const auto& ch : audio)
        for (float v : ch)
            ASSERT_TRUE(std::isfinite(v));
}

// The same readings, and the same audio, whatever the host's block sizes.
class TarvoMBlockSizes : public TarvoMMetering, public ::testing::WithParamInterface<bool> {};

TEST_P(TarvoMBlockSizes, ReadingsDoNotDependOnTheBlockSize)
{
    const double rate = 48000.0;
    auto programme = tone(2, (int) (rate * 0.4), rate, 997.0, 0.9, 0.3);
    for (int i = 0; i < (int) programme[0].size(); ++i)
    {
        programme[1][(size_t) i] *= 0.3f;
        if (i > 6000 && i < 6010)
            programme[0][(size_t) i] = 1.9f; // a short burst past full scale
    }

    std::mt19937 random(7);
    std::vector<int> randomSizes;
    for (int i = 0; i < 200; ++i)
        randomSizes.push_back(1 + (int) (random() % 700));
    const std::vector<std::vector<int>> schedules = { { 1 }, { 7 }, { 64 }, { 1024 }, randomSizes };

    struct Result
    {
        double needle, hold, overs;
        int ringWriteIndex;
        std::vector<std::vector<float>> audio;
    };
    std::vector<Result> results;
    for (const auto& schedule : schedules)
    {
        VyrTarvoMAudioProcessor q;
        q.setGlobalSetting(measurementSetting, GetParam() ? 1.0f : 0.0f);
        q.setGlobalSetting(VyrTarvoMAudioProcessor::overReferenceSetting, 1.0f);
        configure(q, 2, 2, rate, 512);
        setParameter(q, activeParameter, 1.0f);
        setParameter(q, trimParameter, 0.7f);
        setParameter(q, latencyParameter, 0.1f);
        auto audio = programme;
        process(q, audio, schedule);
        results.push_back({ q.getNeedleLevel(), q.getHoldNeedle(), q.getOverSamples(), q.getRingWriteIndex(), audio });
    }
    for (size_t i = 1; i < results.size(); ++i)
    {
        EXPECT_EQ(results[i].needle, results[0].needle) << "schedule " << i;
        EXPECT_EQ(results[i].hold, results[0].hold) << "schedule " << i;
        EXPECT_EQ(results[i].overs, results[0].overs) << "schedule " << i;
        EXPECT_EQ(results[i].ringWriteIndex, results[0].ringWriteIndex) << "schedule " << i;
        EXPECT_EQ(results[i].audio, results[0].audio) << "schedule " << i;
    }
    EXPECT_GT(results[0].needle, 0.3);
}

INSTANTIATE_TEST_SUITE_P(Modes, TarvoMBlockSizes, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Oversampled" : "CpuSafe"; });

// --- Overs -------------------------------------------------------------------------

TEST_F(TarvoMMetering, FourTimesOversamplingCountsProcessedSamples)
{
    p.setGlobalSetting(measurementSetting, 1.0f);
    p.setGlobalSetting(VyrTarvoMAudioProcessor::overReferenceSetting, 1.0f); // 0 dBFS
    p.setGlobalSetting(VyrTarvoMAudioProcessor::overCountSetting, 3.0f / 9.0f); // four steps
    configure(p, 2, 2, 44100.0, 256);
    ASSERT_EQ(VyrTarvoMAudioProcessor::getOverCount(), 4.0);
    // Two samples well past full scale: every interpolated point of the second one
    // lies above the threshold too.
    std::vector<std::vector<float>> audio(2, std::vector<float> { 1.5f, 1.5f });
    process(p, audio, { 1 });
    EXPECT_GE(p.getOverSamples(), 4.0);
}

TEST_F(TarvoMMetering, OverCountKeepsAReachedCountAndResetsAShortRun)
{
    p.setGlobalSetting(VyrTarvoMAudioProcessor::overReferenceSetting, 1.0f);
    p.setGlobalSetting(VyrTarvoMAudioProcessor::overCountSetting, 2.0f / 9.0f); // three steps
    configure(p, 2, 2, 44100.0, 256);
    std::vector<std::vector<float>> three(2, std::vector<float> { 1.1f, -1.1f, 1.1f, 0.0f });
    process(p, three, { 4 });
    EXPECT_EQ(p.getOverSamples(), 3.0);
    EXPECT_EQ(p.readOverCount(), 3.0);
    p.setOverCount(0.0);
    std::vector<std::vector<float>> two(2, std::vector<float> { 0.0f, 1.1f, 1.1f, 0.1f });
    process(p, two, { 4 });
    EXPECT_EQ(p.getOverSamples(), 0.0);
}

// --- Read-out ------------------------------------------------------------------------

TEST_F(TarvoMMetering, InfinityHoldShowsTheHighestHoldSinceTheReset)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, holdParameter, 0.5f); // Infinity
    auto loud = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, loud, { 256 });
    p.updateDisplayIndex();
    const float high = p.getDisplayHold(0.0f);
    EXPECT_GT(high, 0.5f);
    auto quiet = tone(2, 44100 * 3, 44100.0, 11025.0, 0.1);
    process(p, quiet, { 256 });
    EXPECT_EQ(p.getDisplayHold(0.0f), high);
    // A click on the meter resets it to the needle.
    p.resetPeakHold();
    EXPECT_EQ(p.getHoldNeedle(), p.getNeedleLevel());
    EXPECT_LT(p.getDisplayHold(0.0f), high);
}

TEST_F(TarvoMMetering, ReadOutJumpsUpAndGlidesDownPastTheCurrentValue)
{
    configure(p, 2, 2, 44100.0, 441);
    auto loud = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, loud, { 441 });
    std::vector<std::vector<float>> silence(2, std::vector<float>(441, 0.0f));
    process(p, silence, { 441 });
    const double live = p.getNeedleLevel();
    const float atStart = p.getDisplayLevel(0.0f);
    EXPECT_GT(atStart, live);
    EXPECT_FLOAT_EQ(p.getDisplayLevel(1.0f), (float) live);
    EXPECT_LT(p.getDisplayLevel(2.0f), (float) live); // and beyond, as time passes
    auto oneBlock = tone(2, 441, 44100.0, 11025.0, 0.8);
    std::vector<std::vector<float>> longSilence(2, std::vector<float>(44100 * 3, 0.0f));
    process(p, longSilence, { 441 });
    process(p, oneBlock, { 441 });
    EXPECT_EQ(p.getDisplayLevel(0.7f), (float) p.getNeedleLevel()); // rising: at once
}

juce::uint32 fixedClock() { return 10000; }

TEST_F(TarvoMMetering, AnEmptyBlockOnlyRenewsTheStamp)
{
    p.setMillisecondClock(&fixedClock);
    EXPECT_EQ(p.getDisplayFraction(12.0), 0.0f); // no block yet
    configure(p, 2, 2, 44100.0, 441);
    std::vector<std::vector<float>> block(2, std::vector<float>(441, 0.3f));
    process(p, block, { 441 });
    EXPECT_EQ(p.getLastBlockTime(), 10.0);
    EXPECT_NEAR(p.getDisplayFraction(10.005), 0.5f, 1e-4f);
    EXPECT_EQ(p.getDisplayFraction(9.0), 0.0f);

    const double needle = p.getNeedleLevel();
    std::vector<float*> pointers = { block[0].data(), block[1].data() };
    juce::AudioBuffer<float> none(pointers.data(), 2, 0);
    juce::MidiBuffer midi;
    p.processBlock(none, midi);
    EXPECT_EQ(p.getBlockDuration(), 0.0);
    EXPECT_EQ(p.getNeedleLevel(), needle);
    EXPECT_EQ(p.getDisplayFraction(10.5), 0.0f);
}

// --- History and display delay -------------------------------------------------------

TEST_F(TarvoMMetering, WithoutADelayTheRingsAreNotWritten)
{
    configure(p, 2, 2, 44100.0, 441);
    auto audio = tone(2, 44100, 44100.0, 1000.0, 0.5);
    process(p, audio, { 441 });
    EXPECT_EQ(p.getRingWriteIndex(), 0);
    for (int slot : { 0, 1, 500, 1000 })
        EXPECT_EQ(p.getRingSlot(0, slot), 0.0f);
}

TEST_F(TarvoMMetering, DelayedReadOutStaysInsideTheRings)
{
    configure(p, 2, 2, 44100.0, 512);
    auto audio = tone(2, 44100, 44100.0, 1000.0, 0.5);
    struct Case
    {
        float latency;
        int behind;
    };
    for (const auto& c : { Case { 0.001f, 1 }, Case { 0.5f, 500 }, Case { 0.999f, 999 }, Case { 1.0f, 999 },
                           Case { 2.0f, 999 }, Case { 1e9f, 999 } })
    {
        setParameter(p, latencyParameter, c.latency);
        process(p, audio, { 512 });
        p.updateDisplayIndex();
        EXPECT_EQ((p.getRingWriteIndex() - p.getDisplayIndex() + 1001) % 1001, c.behind) << c.latency;
        EXPECT_GE(p.getRingWriteIndex(), 0);
        EXPECT_LE(p.getRingWriteIndex(), 1000);
        EXPECT_TRUE(std::isfinite(p.getDisplayLevel(0.5f)));
        p.readOverCount();
        p.setOverCount(0.0);
    }
    // A negative delay behaves as none.
    setParameter(p, latencyParameter, -0.3f);
    p.updateDisplayIndex();
    EXPECT_EQ(p.getDisplayIndex(), p.getRingWriteIndex());
}

TEST_F(TarvoMMetering, DelayedReadOutShowsTheHistoryTheDelayBehind)
{
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, latencyParameter, 0.1f); // 100 ms
    std::vector<std::vector<float>> silence(2, std::vector<float>(13230, 0.0f));
    process(p, silence, { 441 });
    auto loud = tone(2, 2205, 44100.0, 11025.0, 0.8);
    process(p, loud, { 441 });
    p.updateDisplayIndex();
    EXPECT_LT(p.getDisplayLevel(0.0f), 0.01f); // 50 ms into the tone: still silence
    auto more = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, more, { 441 });
    p.updateDisplayIndex();
    EXPECT_GT(p.getDisplayLevel(0.0f), 0.5f); // 150 ms in: the tone
    EXPECT_GT(p.getDisplayHold(0.0f), 0.5f);
}

TEST_F(TarvoMMetering, AnOverInTheHistoryHoldsTheCountAndIsReadOnce)
{
    p.setGlobalSetting(VyrTarvoMAudioProcessor::overReferenceSetting, 1.0f);
    p.setGlobalSetting(VyrTarvoMAudioProcessor::overCountSetting, 2.0f / 9.0f); // three steps
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, latencyParameter, 0.001f); // 1 ms: one slot behind
    // Ten samples past full scale, written into the slot of the 44th sample.
    std::vector<std::vector<float>> audio(2, std::vector<float>(44, 0.1f));
    for (int i = 30; i < 40; ++i)
        audio[0][(size_t) i] = audio[1][(size_t) i] = (i % 2 == 0) ? 1.5f : -1.5f;
    process(p, audio, { 44 });
    ASSERT_EQ(p.getRingWriteIndex(), 1);
    EXPECT_EQ(p.getRingSlot(2, 1), 3.0f); // exactly the over count
    EXPECT_EQ(p.getOverSamples(), 0.0);   // taken by the history

    std::vector<std::vector<float>> quiet(2, std::vector<float>(44, 0.1f));
    process(p, quiet, { 44 });
    p.updateDisplayIndex();
    ASSERT_EQ(p.getDisplayIndex(), 1);
    EXPECT_EQ(p.readOverCount(), 3.0);
    EXPECT_EQ(p.getRingSlot(2, 1), -1.0f); // marked as read
    EXPECT_EQ(p.readOverCount(), -1.0);    // the same slot again counts nothing
}

TEST_F(TarvoMMetering, DelayedOverReachesTheLedOnceWhateverSlotItWasStoredIn)
{
    p.setGlobalSetting(VyrTarvoMAudioProcessor::overReferenceSetting, 1.0f);
    p.setGlobalSetting(VyrTarvoMAudioProcessor::overCountSetting, 0.0f); // one step makes an over
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, latencyParameter, 0.05f); // 50 ms
    std::vector<std::vector<float>> quiet(2, std::vector<float>(4410, 0.1f));
    process(p, quiet, { 441 });
    p.updateDisplayIndex();
    EXPECT_LT(p.readOverCount(), 1.0);

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
        if (p.readOverCount() >= VyrTarvoMAudioProcessor::getOverCount())
        {
            ++shown;
            p.setOverCount(0.0);
        }
    }
    EXPECT_EQ(shown, 1);
}

TEST_F(TarvoMMetering, PreparingAgainClearsTheHistoryAndSnapsTheTrim)
{
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, latencyParameter, 0.2f);
    setParameter(p, trimParameter, 1.0f);
    auto audio = tone(2, 4410, 44100.0, 1000.0, 0.5);
    process(p, audio, { 441 });
    ASSERT_GT(p.getRingWriteIndex(), 0);
    p.prepareToPlay(44100.0, 1024);
    EXPECT_EQ(p.getRingWriteIndex(), 0);
    EXPECT_EQ(p.getRingSlot(0, 50), 0.0f);
    EXPECT_EQ(p.getTrimCurrentGain(), p.getTrimTargetGain());

    p.releaseResources();
    EXPECT_EQ(p.getNeedleLevel(), 0.0);
    EXPECT_EQ(p.getHoldNeedle(), 0.0);
}
} // namespace
