#include "TarvoTestSupport.h"

#include <cmath>
#include <limits>
#include <random>

using namespace vyrtarvo;
using namespace vyrtarvo::testing;

namespace
{
constexpr double pi = 3.14159265358979323846;

std::vector<std::vector<float>> tone(int channels, int samples, double rate, double frequency, double amplitude,
                                     double phase = pi / 4)
{
    std::vector<std::vector<float>> out((size_t) channels, std::vector<float>((size_t) samples));
    for (int i = 0; i < samples; ++i)
        for (auto& ch : out)
            ch[(size_t) i] = (float) (amplitude * std::sin(2.0 * pi * frequency * i / rate + phase));
    return out;
}

// Runs the signal sample by sample and records channel 0's needle and hold after
// each input sample.
struct Trace
{
    std::vector<double> needle, hold;
};

Trace trace(VyrTarvoAudioProcessor& p, const std::vector<std::vector<float>>& signal)
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
        t.needle[i] = p.getNeedleLevel(0);
        t.hold[i] = p.getHoldNeedle(0);
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

class TarvoMetering : public ::testing::Test
{
protected:
    void SetUp() override
    {
        restoreDefaultSettings(p);
        p.setGlobalSetting(6, 1.0f); // reference 0 dBFS: levels read as amplitudes
    }
    VyrTarvoAudioProcessor p;
};

// --- Rates ---------------------------------------------------------------------

struct RateCase
{
    double hostRate, meterRate;
    int factor;
    double processingRate;
    int ringStep;
};

class TarvoProcessingRate : public TarvoMetering, public ::testing::WithParamInterface<RateCase> {};

TEST_P(TarvoProcessingRate, OversamplingFactorAndRingStep)
{
    const auto& c = GetParam();
    p.setGlobalSetting(13, 1.0f);
    configure(p, 2, 2, c.hostRate, 512);
    EXPECT_EQ(p.getMeterRate(), c.meterRate);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, c.factor);
    EXPECT_EQ(p.getProcessingRate(), c.processingRate);
    EXPECT_EQ(p.getRingStep(), c.ringStep);

    p.setGlobalSetting(13, 0.0f);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, 0);
    EXPECT_EQ(p.getProcessingRate(), c.meterRate);
    EXPECT_EQ(p.getRingStep(), (int) (c.meterRate * (double) 0.001f));
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoProcessingRate, ::testing::Values(
    RateCase { 44100, 44100, 4, 176400, 176 }, RateCase { 48000, 48000, 4, 192000, 192 },
    RateCase { 88200, 88200, 4, 352800, 352 }, RateCase { 96000, 96000, 2, 192000, 192 },
    RateCase { 100000, 100000, 2, 200000, 200 }, RateCase { 176400, 176400, 0, 176400, 176 },
    RateCase { 192000, 192000, 0, 192000, 192 }, RateCase { 8000, 22050, 4, 88200, 88 },
    RateCase { 384000, 192000, 0, 192000, 192 }));

TEST_F(TarvoMetering, UnusableRatesFallBackTo44100)
{
    for (double bad : { 0.0, -48000.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        p.prepareToPlay(bad, 512);
        EXPECT_EQ(p.getMeterRate(), 44100.0);
        EXPECT_EQ(p.getDcBlocker(0).getSampleRate(), 44100.0);
        EXPECT_EQ(p.getTrimSmoothing(), 0.0005f);
        EXPECT_EQ(p.getDcBlocker(0).getFrequency(), 2.0);
    }
}

// --- Ballistics as a user sees them ------------------------------------------------

struct BallisticsCase
{
    double rate;
    bool oversampled;
};

class TarvoBallistics : public TarvoMetering, public ::testing::WithParamInterface<BallisticsCase>
{
protected:
    void SetUp() override
    {
        TarvoMetering::SetUp();
        p.setGlobalSetting(13, GetParam().oversampled ? 1.0f : 0.0f);
        configure(p, 2, 2, GetParam().rate, 64);
    }
    double ms(int samples) const { return samples * 1000.0 / GetParam().rate; }
};

TEST_P(TarvoBallistics, NeedleRisesInTheIntegrationTime)
{
    const double rate = GetParam().rate;
    const double integrationMs = processWideSettings().integrationMs;
    ASSERT_NEAR(integrationMs, 10.0, 0.05);

    // A tone whose samples all have the same magnitude rises like a step.
    if (! GetParam().oversampled)
    {
        VyrTarvoAudioProcessor step;
        configure(step, 2, 2, rate, 64);
        const auto t = trace(step, tone(2, (int) (rate * 0.3), rate, rate / 4, 0.5));
        const double level = 0.5 * std::sqrt(0.5);
        const int reached = firstIndex(t.needle, 0, [&](double v) { return v >= 0.99 * level * 0.9999; });
        EXPECT_NEAR(ms(reached), integrationMs, 0.15);
    }

    // A 1 kHz sine: the needle reaches 99 % of its steady reading in the same time
    // whether or not the measurement oversamples.
    VyrTarvoAudioProcessor reference;
    reference.setGlobalSetting(13, 0.0f);
    configure(reference, 2, 2, rate, 64);
    p.setGlobalSetting(13, GetParam().oversampled ? 1.0f : 0.0f);
    const auto signal = tone(2, (int) (rate * 0.3), rate, 1000.0, 0.5, 0.0);
    const auto t = trace(p, signal);
    const auto r = trace(reference, signal);
    const double steady = t.needle.back();
    EXPECT_NEAR(steady, r.needle.back(), 0.005 * steady);
    EXPECT_NEAR(steady, 0.5, 0.01);
    const int reached = firstIndex(t.needle, 0, [&](double v) { return v >= 0.99 * steady; });
    const int reachedReference = firstIndex(r.needle, 0, [&](double v) { return v >= 0.99 * r.needle.back(); });
    EXPECT_NEAR(ms(reached), ms(reachedReference), 2.0);
    EXPECT_GT(ms(reached), integrationMs);
}

TEST_P(TarvoBallistics, NeedleFalls24DbInTheFallBackTime)
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

TEST_P(TarvoBallistics, HoldNeedleStaysForTheHoldTime)
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
    EXPECT_LT(t.needle[(size_t) peak + (size_t) (rate * 0.5)], top);
}

INSTANTIATE_TEST_SUITE_P(Rates, TarvoBallistics, ::testing::Values(
    BallisticsCase { 44100, false }, BallisticsCase { 44100, true }, BallisticsCase { 48000, false },
    BallisticsCase { 48000, true }, BallisticsCase { 96000, false }, BallisticsCase { 96000, true }),
    [](const auto& info) { return std::to_string((int) info.param.rate) + (info.param.oversampled ? "Oversampled" : "CpuSafe"); });

// The same readings, and the same audio, whatever the host's block sizes.
class TarvoBlockSizes : public TarvoMetering, public ::testing::WithParamInterface<bool> {};

TEST_P(TarvoBlockSizes, ReadingsDoNotDependOnTheBlockSize)
{
    const double rate = 48000.0;
    auto programme = tone(2, (int) (rate * 0.4), rate, 997.0, 0.9, 0.3);
    for (int i = 0; i < (int) programme[0].size(); ++i)
    {
        programme[1][(size_t) i] *= 0.3f;
        if (i > 6000 && i < 6010)
            programme[0][(size_t) i] = 1.2f; // a short burst past full scale
    }

    std::mt19937 random(7);
    std::vector<int> randomSizes;
    for (int i = 0; i < 200; ++i)
        randomSizes.push_back(1 + (int) (random() % 700));
    const std::vector<std::vector<int>> schedules = { { 1 }, { 7 }, { 64 }, { 1024 }, randomSizes, { 0, 33, 0, 500 } };

    struct Result
    {
        double needle[2], hold[2], overs[2];
        std::vector<std::vector<float>> audio;
    };
    std::vector<Result> results;
    for (const auto& schedule : schedules)
    {
        VyrTarvoAudioProcessor q;
        q.setGlobalSetting(13, GetParam() ? 1.0f : 0.0f);
        q.setGlobalSetting(10, 0.3f);
        configure(q, 2, 2, rate, 512);
        setParameter(q, 4, 1.0f);
        setParameter(q, 3, 0.7f);
        setParameter(q, 2, 0.1f);
        auto audio = programme;
        std::vector<int> sizes = schedule;
        if (sizes == std::vector<int> { 0, 33, 0, 500 })
            sizes = { 0, 33, 0, 500 }; // empty blocks are legal
        std::vector<int> safe;
        for (int s : sizes)
            safe.push_back(s == 0 ? 0 : s);
        // process() skips nothing: a zero-size block is sent as such.
        process(q, audio, safe.size() == 4 && safe[0] == 0 ? std::vector<int> { 33, 500 } : safe);
        Result r;
        for (int c = 0; c < 2; ++c)
        {
            r.needle[c] = q.getNeedleLevel(c);
            r.hold[c] = q.getHoldNeedle(c);
            r.overs[c] = q.getOverSamples(c);
        }
        r.audio = audio;
        results.push_back(r);
    }
    for (size_t i = 1; i < results.size(); ++i)
    {
        for (int c = 0; c < 2; ++c)
        {
            EXPECT_EQ(results[i].needle[c], results[0].needle[c]) << "schedule " << i;
            EXPECT_EQ(results[i].hold[c], results[0].hold[c]) << "schedule " << i;
            EXPECT_EQ(results[i].overs[c], results[0].overs[c]) << "schedule " << i;
        }
        EXPECT_EQ(results[i].audio, results[0].audio) << "schedule " << i;
    }
    EXPECT_GT(results[0].needle[0], 0.5);
}

INSTANTIATE_TEST_SUITE_P(Modes, TarvoBlockSizes, ::testing::Bool());

// --- Edge cases ------------------------------------------------------------------

TEST_F(TarvoMetering, OneInputTwoOutputsCopiesTheUntrimmedInputAndMetersItTwice)
{
    configure(p, 1, 2, 44100.0, 256);
    setParameter(p, 4, 1.0f);
    setParameter(p, 3, 1.0f); // +20 dB
    auto input = tone(1, 4410, 44100.0, 1000.0, 0.05);
    std::vector<std::vector<float>> audio = { input[0], std::vector<float>(input[0].size(), 7.0f) };
    process(p, audio, { 256 });
    EXPECT_EQ(audio[1], input[0]);
    EXPECT_NE(audio[0], input[0]);
    EXPECT_NEAR(audio[0].back(), input[0].back() * p.getTrimCurrentGain(), 1e-6);
    EXPECT_EQ(p.getNeedleLevel(0), p.getNeedleLevel(1));

    // Mid/side: mid is the input doubled and attenuated, side is 0.
    VyrTarvoAudioProcessor ms;
    configure(ms, 1, 2, 44100.0, 256);
    setParameter(ms, 1, 1.0f);
    ms.setGlobalSetting(12, 1.0f); // k = 0.5: mid reads as the input
    auto again = tone(1, 4410, 44100.0, 1000.0, 0.05);
    std::vector<std::vector<float>> pair = { again[0], again[0] };
    process(ms, pair, { 256 });
    EXPECT_EQ(ms.getNeedleLevel(1), 0.0);
    EXPECT_NEAR(ms.getNeedleLevel(0), 0.05, 0.002);
}

TEST_F(TarvoMetering, TrimFollowsWhileInactiveAndTheAudioPassesUnchanged)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, 3, 1.0f); // target gain 10, trim still inactive
    auto audio = tone(2, 44100, 44100.0, 440.0, 0.25);
    const auto original = audio;
    process(p, audio, { 256 });
    EXPECT_EQ(audio, original);
    EXPECT_NEAR(p.getTrimCurrentGain(), 10.0f, 1e-3f);

    // Switched on, the trim starts from the smoothed gain.
    setParameter(p, 4, 1.0f);
    std::vector<std::vector<float>> ones(2, std::vector<float>(1, 0.5f));
    process(p, ones, { 1 });
    EXPECT_NEAR(ones[0][0], 0.5f * 10.0f, 1e-3f);
}

TEST_F(TarvoMetering, AbsurdTrimNeverMakesFiniteAudioInfinite)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, 4, 1.0f);
    setParameter(p, 3, 1e30f);
    auto audio = tone(2, 44100, 44100.0, 440.0, 0.9);
    audio[0][5] = 3e38f;
    process(p, audio, { 256 });
    for (const auto& ch : audio)
        for (float v : ch)
            ASSERT_TRUE(std::isfinite(v));
}

TEST_F(TarvoMetering, FourTimesOversamplingCountsAnOverWithinOneInputSample)
{
    p.setGlobalSetting(13, 1.0f);
    p.setGlobalSetting(11, 1.0f);              // 0 dBFS
    p.setGlobalSetting(10, 3.0f / 9.0f);       // four steps
    configure(p, 2, 2, 44100.0, 256);
    ASSERT_EQ(processWideSettings().overCount.load(), 4.0);
    // Two samples well past full scale: every interpolated point of the second one
    // lies above the threshold too.
    std::vector<std::vector<float>> audio(2, std::vector<float> { 1.5f, 1.5f });
    process(p, audio, { 1 });
    EXPECT_GE(p.getOverSamples(0), 4.0);
}

TEST_F(TarvoMetering, OverCountKeepsAReachedCountAndResetsAShortRun)
{
    p.setGlobalSetting(11, 1.0f);
    p.setGlobalSetting(10, 2.0f / 9.0f); // three steps
    configure(p, 2, 2, 44100.0, 256);
    std::vector<std::vector<float>> three(2, std::vector<float> { 1.1f, -1.1f, 1.1f, 0.0f });
    process(p, three, { 4 });
    EXPECT_EQ(p.getOverSamples(0), 3.0);
    std::vector<std::vector<float>> two(2, std::vector<float> { 0.0f, 1.1f, 1.1f, 0.1f });
    p.setOverCount(0, 0.0);
    process(p, two, { 4 });
    EXPECT_EQ(p.getOverSamples(0), 0.0);
}

TEST_F(TarvoMetering, InfinityHoldShowsTheHighestHoldSinceTheReset)
{
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, 0, 0.5f); // Infinity
    auto loud = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, loud, { 256 });
    p.updateDisplayIndex();
    const float high = p.getDisplayHold(0, 0.0f);
    EXPECT_GT(high, 0.5f);
    auto quiet = tone(2, 44100 * 3, 44100.0, 11025.0, 0.1);
    process(p, quiet, { 256 });
    EXPECT_EQ(p.getDisplayHold(0, 0.0f), high);
    // Off or On resets the holds to the needle.
    setParameter(p, 0, 1.0f);
    EXPECT_EQ(p.getHoldNeedle(0), p.getNeedleLevel(0));
    setParameter(p, 0, 0.5f);
    EXPECT_LT(p.getDisplayHold(0, 0.0f), high);
}

TEST_F(TarvoMetering, ReadOutGlidesDownAndJumpsUp)
{
    configure(p, 2, 2, 44100.0, 441);
    auto loud = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, loud, { 441 });
    std::vector<std::vector<float>> silence(2, std::vector<float>(441, 0.0f));
    process(p, silence, { 441 });
    const double live = p.getNeedleLevel(0);
    ASSERT_LT(live, p.getHoldNeedle(0) + 1.0);
    const float atStart = p.getDisplayLevel(0, 0.0f);
    EXPECT_GT(atStart, live);
    EXPECT_FLOAT_EQ(p.getDisplayLevel(0, 1.0f), (float) live);
    EXPECT_LT(p.getDisplayLevel(0, 2.0f), (float) live); // and beyond, as time passes
    std::vector<std::vector<float>> longSilence(2, std::vector<float>(44100 * 3, 0.0f));
    process(p, longSilence, { 441 });
    auto oneBlock = tone(2, 441, 44100.0, 11025.0, 0.8);
    process(p, oneBlock, { 441 });
    EXPECT_EQ(p.getDisplayLevel(0, 0.0f), (float) p.getNeedleLevel(0));
}

juce::uint32 fixedClock() { return 10000; }

TEST_F(TarvoMetering, FractionIsZeroWithoutAUsableBlock)
{
    p.setMillisecondClock(&fixedClock);
    EXPECT_EQ(p.getDisplayFraction(12.0), 0.0f); // no block yet
    configure(p, 2, 2, 44100.0, 441);
    std::vector<std::vector<float>> empty(2, std::vector<float>());
    std::vector<float*> pointers = { nullptr, nullptr };
    juce::AudioBuffer<float> none(pointers.data(), 2, 0);
    juce::MidiBuffer midi;
    p.processBlock(none, midi);
    EXPECT_EQ(p.getDisplayFraction(10.5), 0.0f);
    std::vector<std::vector<float>> block(2, std::vector<float>(441, 0.0f));
    process(p, block, { 441 });
    EXPECT_EQ(p.getLastBlockTime(), 10.0);
    EXPECT_NEAR(p.getDisplayFraction(10.005), 0.5f, 1e-4f);
    EXPECT_EQ(p.getDisplayFraction(9.0), 0.0f);
}

// --- History and display delay -------------------------------------------------------

TEST_F(TarvoMetering, DelayedReadOutStaysInsideTheRings)
{
    configure(p, 2, 2, 44100.0, 512);
    auto audio = tone(2, 44100, 44100.0, 1000.0, 0.5);
    for (float latency : { 0.001f, 0.5f, 0.999f, 1.0f, 2.0f, -0.3f, -1000.0f })
    {
        setParameter(p, 2, latency);
        process(p, audio, { 512 });
        p.updateDisplayIndex();
        EXPECT_GE(p.getDisplayIndex(), 0);
        EXPECT_LE(p.getDisplayIndex(), 1000);
        EXPECT_GE(p.getRingWriteIndex(), 0);
        EXPECT_LE(p.getRingWriteIndex(), 1000);
        EXPECT_TRUE(std::isfinite(p.getDisplayLevel(0, 0.5f)));
        p.readOverCount(1);
        p.setOverCount(1, 0.0);
    }
}

TEST_F(TarvoMetering, DelayedReadOutShowsTheHistoryTheDelayBehind)
{
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, 2, 0.1f); // 100 ms
    // 300 ms of silence, then a loud tone: 50 ms into the tone the delayed display
    // still shows silence, 150 ms in it shows the tone.
    std::vector<std::vector<float>> silence(2, std::vector<float>(13230, 0.0f));
    process(p, silence, { 441 });
    auto loud = tone(2, 2205, 44100.0, 11025.0, 0.8);
    process(p, loud, { 441 });
    p.updateDisplayIndex();
    EXPECT_LT(p.getDisplayLevel(0, 0.0f), 0.01f);
    auto more = tone(2, 4410, 44100.0, 11025.0, 0.8);
    process(p, more, { 441 });
    p.updateDisplayIndex();
    EXPECT_GT(p.getDisplayLevel(0, 0.0f), 0.5f);
}

TEST_F(TarvoMetering, DelayedOverReachesTheLedWhateverSlotItWasStoredIn)
{
    p.setGlobalSetting(11, 1.0f);
    p.setGlobalSetting(10, 0.0f); // one step makes an over
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, 2, 0.05f); // 50 ms
    std::vector<std::vector<float>> quiet(2, std::vector<float>(4410, 0.1f));
    process(p, quiet, { 441 });
    p.updateDisplayIndex();
    EXPECT_EQ(p.readOverCount(0), 0.0);

    // One over, then ticks 30 ms apart: exactly one of them shows it.
    std::vector<std::vector<float>> burst(2, std::vector<float>(441, 0.1f));
    burst[0][200] = 1.5f;
    process(p, burst, { 441 });
    int shown = 0;
    for (int tick = 0; tick < 8; ++tick)
    {
        std::vector<std::vector<float>> block(2, std::vector<float>(1323, 0.1f));
        process(p, block, { 1323 });
        p.updateDisplayIndex();
        if (p.readOverCount(0) >= processWideSettings().overCount)
        {
            ++shown;
            p.setOverCount(0, 0.0);
        }
    }
    EXPECT_EQ(shown, 1);
}

} // namespace
