// VU metering as a user sees it: the processing rate for each host rate and
// measurement mode, the channels, the needle's ballistics, the over count, the
// hold needle, and results that do not depend on how the host cuts the blocks.
#include "KelsoTestSupport.h"

#include "KelsoSettings.h"

#include <algorithm>
#include <limits>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;

namespace
{
using KelsoMetering = KelsoTest;

struct RateCase
{
    double hostRate;
    bool precise;
    int factor;
    double processingRate;
    int ringStep;
};

TEST_F(KelsoMetering, ProcessingRatesForEachHostRateAndMode)
{
    const RateCase cases[] = {
        { 44100.0, true, 4, 176400.0, 176 },  { 48000.0, true, 4, 192000.0, 192 },
        { 88200.0, true, 4, 352800.0, 352 },  { 96000.0, true, 2, 192000.0, 192 },
        { 100000.0, true, 2, 200000.0, 200 }, { 176400.0, true, 0, 176400.0, 176 },
        { 192000.0, true, 0, 192000.0, 192 }, { 44100.0, false, 0, 44100.0, 44 },
        { 96000.0, false, 0, 96000.0, 96 },   { 16000.0, false, 0, 22050.0, 22 },
        { 384000.0, false, 0, 192000.0, 192 },
    };
    VyrKelsoMAudioProcessor p;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.hostRate) + (c.precise ? " Precise" : " CPU Safe"));
        p.setGlobalSetting(12, c.precise ? 1.0f : 0.0f);
        configure(p, 2, 2, c.hostRate, 512);
        EXPECT_EQ(VyrKelsoMAudioProcessor::getOversamplingFactor(), c.factor);
        EXPECT_EQ(p.getProcessingRate(), c.processingRate);
        EXPECT_EQ(p.getMeterRate(), juce::jlimit(22050.0, 192000.0, c.hostRate));
        EXPECT_EQ(p.getRingStep(), c.ringStep);
        // The DC blockers run at the host's rate, the needle at the processing rate.
        EXPECT_EQ(p.getDcBlocker(0).getSampleRate(), c.hostRate);
        EXPECT_EQ(p.getDcBlocker(1).getSampleRate(), c.hostRate);
        EXPECT_EQ(p.getNeedleBank().getSection(0).getSampleRate(), c.processingRate);
        EXPECT_EQ(p.getTrimSmoothing(), (float) (22.05000114440918 / c.hostRate));
        const auto& s = processWideSettings();
        EXPECT_FLOAT_EQ(p.getHoldLength(), (float) (s.holdTimeMs * 0.001 * c.processingRate));
        EXPECT_FLOAT_EQ(p.getHoldRelease(),
                        (float) (1.0 - std::pow(0.0625, 1.0 / (c.processingRate * s.integrationMs * 0.001))));
    }
}

TEST_F(KelsoMetering, AnUnusableHostRateMetersAt44100)
{
    VyrKelsoMAudioProcessor p;
    for (double rate : { 0.0, -48000.0, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity() })
    {
        SCOPED_TRACE(rate);
        p.prepareToPlay(rate, 512);
        EXPECT_EQ(p.getProcessingRate(), 44100.0);
        EXPECT_EQ(p.getDcBlocker(0).getSampleRate(), 44100.0);
        EXPECT_EQ(p.getTrimSmoothing(), 0.0005f);
        EXPECT_TRUE(std::isfinite(p.getDcBlocker(0).getB0()));
    }
}

TEST_F(KelsoMetering, OneInputTwoOutputsTrimsOnlyTheFirstOutput)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 1, 2, 44100.0, 256);
    setParameter(p, 2, 0.65f); // +6 dB
    setParameter(p, 3, 1.0f);
    p.prepareToPlay(44100.0, 256); // the trim starts at its target
    auto audio = sine(2, 256, 440.0, 44100.0, 0.25);
    const auto input = audio[0];
    audio[1].assign(256, 0.7f); // whatever the host left in the second output
    process(p, audio, { 256 });
    const float gain = p.getTrimTargetGain();
    EXPECT_NEAR(gain, 1.99526f, 1e-4);
    for (int i = 0; i < 256; ++i)
    {
        EXPECT_NEAR(audio[0][(size_t) i], input[(size_t) i] * gain, 1e-6) << i;
        EXPECT_EQ(audio[1][(size_t) i], input[(size_t) i]) << i;
    }
}

TEST_F(KelsoMetering, TwoChannelsPassUnchangedWhileTheTrimIsInactive)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 2, 2, 44100.0, 128);
    setParameter(p, 2, 1.0f); // +20 dB, but not active
    auto audio = sine(2, 1024, 440.0, 44100.0, 0.5);
    const auto input = audio;
    process(p, audio, { 128 });
    EXPECT_EQ(audio, input);
    EXPECT_GT(p.getNeedleLevel(), 0.0f);
}

TEST_F(KelsoMetering, ExtremeInputStaysFinite)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 2, 2, 44100.0, 512);
    setParameter(p, 2, 1.0f);
    setParameter(p, 3, 1.0f);
    std::vector<std::vector<float>> audio(2, std::vector<float>(44100, std::numeric_limits<float>::max()));
    for (size_t i = 0; i < audio[1].size(); i += 2)
        audio[1][i] = -audio[1][i];
    process(p, audio, { 512 });
    for (const auto& channel : audio)
        EXPECT_TRUE(std::all_of(channel.begin(), channel.end(), [](float v) { return std::isfinite(v); }));
    EXPECT_TRUE(std::isfinite(p.getNeedleLevel()));
    EXPECT_TRUE(std::isfinite(p.getHoldNeedle()));
}

// The needle's path for a tone whose needle settles at `target`, sample by
// sample, at 48000 Hz.
std::vector<float> needlePath(VyrKelsoMAudioProcessor& p, double target, double seconds)
{
    configure(p, 2, 2, 48000.0, 1);
    const double peak = target * processWideSettings().referenceGain / 1.56 * juce::MathConstants<double>::halfPi;
    auto audio = sine(2, (int) (48000 * seconds), 1000.0, 48000.0, peak);
    std::vector<float> path;
    process(p, audio, { 1 }, [&](int) { path.push_back(p.getNeedleLevel()); });
    return path;
}

struct Response
{
    double settled, riseMs, overshoot;
};

Response responseOf(const std::vector<float>& path)
{
    // The settled value is the mean over the last half second (the ripple at
    // twice the tone's frequency averages out).
    const size_t half = 24000;
    double settled = 0.0;
    for (size_t i = path.size() - half; i < path.size(); ++i)
        settled += path[i];
    settled /= (double) half;
    const auto reach = std::find_if(path.begin(), path.end(), [&](float v) { return v >= 0.99 * settled; });
    const float peak = *std::max_element(path.begin(), path.end());
    return { settled, (double) (reach - path.begin()) / 48.0, peak / settled - 1.0 };
}

TEST_F(KelsoMetering, ATypeANeedleReachesASteadyToneInTheIntegrationTime)
{
    VyrKelsoMAudioProcessor p; // type A, 300 ms
    const auto r = responseOf(needlePath(p, 1.0, 2.0));
    EXPECT_NEAR(r.settled, 1.0, 0.002);
    // 99 % of the final reading within the integration time shown (300 ms),
    // with a small overshoot.
    EXPECT_GT(r.riseMs, 270.0);
    EXPECT_LE(r.riseMs, 300.0);
    EXPECT_GT(r.overshoot, 0.0);
    EXPECT_LT(r.overshoot, 0.015);
}

TEST_F(KelsoMetering, LowerReadingsRiseFasterAndTypeBIsSlowerAtTheTop)
{
    VyrKelsoMAudioProcessor p;
    const auto a6 = responseOf(needlePath(p, 0.5, 2.0));
    EXPECT_NEAR(a6.settled, 0.5, 0.002);
    EXPECT_LT(a6.riseMs, 300.0);

    storeValue("vuType", "1");
    p.reloadStoredDefaults();
    const auto b0 = responseOf(needlePath(p, 1.0, 2.0));
    EXPECT_NEAR(b0.settled, 1.0, 0.002);
    EXPECT_GT(b0.riseMs, 300.0);
    EXPECT_LT(b0.overshoot, 0.001);
}

TEST_F(KelsoMetering, AToneAtTheReferenceLevelSettlesAt156)
{
    for (bool precise : { false, true })
    {
        SCOPED_TRACE(precise);
        VyrKelsoMAudioProcessor p;
        p.setGlobalSetting(12, precise ? 1.0f : 0.0f);
        configure(p, 2, 2, 44100.0, 512);
        const double peak = processWideSettings().referenceGain * juce::MathConstants<double>::halfPi;
        auto audio = sine(2, 3 * 44100, 997.0, 44100.0, peak);
        float low = 10.0f, high = -10.0f;
        process(p, audio, { 512 }, [&](int last) {
            if (last > 2 * 44100)
            {
                low = std::min(low, p.getNeedleLevel());
                high = std::max(high, p.getNeedleLevel());
            }
        });
        EXPECT_NEAR(0.5 * (low + high), 1.56, 0.01);
        EXPECT_LT(high - low, 0.02);
    }
}

TEST_F(KelsoMetering, BlockSizesDoNotChangeTheMeter)
{
    for (bool precise : { false, true })
    {
        SCOPED_TRACE(precise);
        std::vector<float> needle, hold, slot;
        std::vector<std::vector<float>> outputs;
        for (const std::vector<int>& sizes : std::vector<std::vector<int>> { { 1 }, { 512 }, { 37, 1024, 5, 300 } })
        {
            VyrKelsoMAudioProcessor p;
            p.setGlobalSetting(12, precise ? 1.0f : 0.0f);
            configure(p, 2, 2, 44100.0, 1024);
            setParameter(p, 1, 0.02f);
            setParameter(p, 2, 0.6f);
            setParameter(p, 3, 1.0f);
            auto audio = sine(2, 22050, 300.0, 44100.0, 0.4);
            for (size_t i = 0; i < audio[1].size(); ++i)
                audio[1][i] *= 0.5f;
            process(p, audio, sizes);
            needle.push_back(p.getNeedleLevel());
            hold.push_back(p.getHoldNeedle());
            outputs.push_back(audio[0]);
            // One slot per ring step of processed samples: 22050 / 44 or 88200 / 176.
            EXPECT_EQ(p.getRingWriteIndex(), 501);
            slot.push_back(p.getLevelRingSlot(400));
        }
        EXPECT_EQ(needle[0], needle[1]);
        EXPECT_EQ(needle[0], needle[2]);
        EXPECT_EQ(hold[0], hold[2]);
        EXPECT_EQ(slot[0], slot[1]);
        EXPECT_EQ(slot[0], slot[2]);
        EXPECT_EQ(outputs[0], outputs[1]);
        EXPECT_EQ(outputs[0], outputs[2]);
    }
}

// Samples at plus and minus the amplitude, alternating, so that the DC
// blocker passes them almost unchanged.
std::vector<std::vector<float>> burst(const std::vector<float>& magnitudes)
{
    std::vector<std::vector<float>> audio(2);
    for (size_t i = 0; i < magnitudes.size(); ++i)
        for (auto& channel : audio)
            channel.push_back((i % 2 == 0 ? 1.0f : -1.0f) * magnitudes[i]);
    return audio;
}

struct OverCase
{
    const char* name;
    std::vector<float> magnitudes;
    float overReference;
    double expected;
};

TEST_F(KelsoMetering, OversLatchAtTheCountLimit)
{
    const OverCase cases[] = {
        { "three at full scale latch", { 0, 1.05f, 1.05f, 1.05f, 0, 0 }, 1.0f, 3.0 },
        { "two at full scale do not", { 0, 1.05f, 1.05f, 0, 0 }, 1.0f, 0.0 },
        { "four latch and count on", { 0, 1.05f, 1.05f, 1.05f, 1.05f, 0 }, 1.0f, 4.0 },
        { "just below full scale is no over", { 0, 0.99f, 0.99f, 0.99f, 0 }, 1.0f, 0.0 },
        { "-1 dBFS", { 0, 0.9f, 0.9f, 0.9f, 0 }, 0.6f, 3.0 },
        { "-3 dBFS", { 0, 0.72f, 0.72f, 0.72f, 0 }, 0.4f, 3.0 },
        { "below -3 dBFS", { 0, 0.69f, 0.69f, 0.69f, 0 }, 0.4f, 0.0 },
        // 8 dB above the -18 dBFS reference is -10 dBFS, 0.316.
        { "+8VU", { 0, 0.33f, 0.33f, 0.33f, 0 }, 0.0f, 3.0 },
        { "below +8VU", { 0, 0.30f, 0.30f, 0.30f, 0 }, 0.0f, 0.0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        VyrKelsoMAudioProcessor p;
        p.setGlobalSetting(11, c.overReference);
        ASSERT_EQ(VyrKelsoMAudioProcessor::getOverCountLimit(), 3.0);
        configure(p, 2, 2, 44100.0, 64);
        auto audio = burst(c.magnitudes);
        process(p, audio, { 64 });
        EXPECT_EQ(p.getOverSamples(), c.expected);
    }
}

TEST_F(KelsoMetering, TheHoldNeedleWaitsTheHoldTimeThenFalls)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 2, 2, 44100.0, 1);
    auto audio = sine(2, 44100, 1000.0, 44100.0, 0.2);
    audio[0].resize(3 * 44100, 0.0f);
    audio[1].resize(3 * 44100, 0.0f);
    std::vector<float> needle, hold;
    process(p, audio, { 1 }, [&](int) {
        needle.push_back(p.getNeedleLevel());
        hold.push_back(p.getHoldNeedle());
    });
    // The last sample on which the needle raised the hold.
    size_t peakAt = 0;
    for (size_t i = 1; i < hold.size(); ++i)
        if (hold[i] == needle[i] && needle[i] > 0.5f)
            peakAt = i;
    const float peak = needle[peakAt];
    EXPECT_EQ(peak, *std::max_element(needle.begin(), needle.end()));
    // Held for the hold length (1 s), then it falls to a sixteenth of its value
    // in the integration time (350.1 ms internally).
    const size_t holdLength = (size_t) std::ceil(p.getHoldLength());
    EXPECT_EQ(hold[peakAt + holdLength - 1], peak);
    EXPECT_LT(hold[peakAt + holdLength], peak);
    const size_t fallen = peakAt + holdLength + (size_t) (0.3501 * 44100);
    EXPECT_NEAR(hold[fallen] / peak, 0.0625, 0.001);
    for (size_t i = peakAt; i < hold.size(); ++i)
        ASSERT_GE(hold[i], needle[i]);
}

TEST_F(KelsoMetering, ABypassedBlockChangesNeitherAudioNorMeters)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 2, 2, 44100.0, 512);
    setParameter(p, 2, 1.0f);
    setParameter(p, 3, 1.0f);
    auto audio = sine(2, 512, 440.0, 44100.0, 0.5);
    const auto input = audio;
    std::vector<float*> pointers = { audio[0].data(), audio[1].data() };
    juce::AudioBuffer<float> buffer(pointers.data(), 2, 512);
    juce::MidiBuffer midi;
    p.processBlockBypassed(buffer, midi);
    EXPECT_EQ(audio, input);
    EXPECT_EQ(p.getNeedleLevel(), -0.05f);
    EXPECT_EQ(p.getBlockDuration(), 0.0);
}
} // namespace
