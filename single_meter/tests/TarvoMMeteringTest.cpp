// Metering of the one channel: rates, ballistics as a user sees them, the mean
// of the rectified inputs, block-size invariance, trim, overs and the history.
// The checks both peak programme meters share run here on the one channel; what
// only this meter has (the mean of two inputs, the history's slots) stays here.
#include "TarvoMTestSupport.h"

#include "IirFilter.h"
#include "PeakMeterChecks.h"

#include <cmath>

using namespace vyrtarvom;
using namespace vyrtarvom::testing;
using namespace kittest::peak;

namespace
{
constexpr int latencyParameter = VyrTarvoMAudioProcessor::latencyParameter;
constexpr int trimParameter = VyrTarvoMAudioProcessor::trimParameter;
constexpr int activeParameter = VyrTarvoMAudioProcessor::activeParameter;
constexpr int measurementSetting = VyrTarvoMAudioProcessor::measurementSetting;

using TarvoMMetering = MeteringTest<PeakMeter>;

// --- Rates ---------------------------------------------------------------------

class TarvoMProcessingRate : public TarvoMMetering, public ::testing::WithParamInterface<RateCase> {};

TEST_P(TarvoMProcessingRate, OversamplingFactorAndRingStep)
{
    checkOversamplingFactorAndRingStep<PeakMeter>(p, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoMProcessingRate, ::testing::Values(
    RateCase { 44100, 44100, 4, 176400, 176 }, RateCase { 48000, 48000, 4, 192000, 192 },
    RateCase { 88200, 88200, 4, 352800, 352 }, RateCase { 96000, 96000, 2, 192000, 192 },
    RateCase { 176400, 176400, 0, 176400, 176 }, RateCase { 11025, 22050, 4, 88200, 88 },
    RateCase { 384000, 192000, 0, 192000, 192 }));

TEST_F(TarvoMMetering, UnusableRatesFallBackTo44100) { checkUnusableRatesFallBackTo44100<PeakMeter>(p); }

// --- Ballistics as a user sees them ------------------------------------------------

using TarvoMBallistics = BallisticsTest<PeakMeter>;

TEST_P(TarvoMBallistics, NeedleRisesInTheIntegrationTime) { checkNeedleRisesInTheIntegrationTime(); }
TEST_P(TarvoMBallistics, NeedleFalls24DbInTheFallBackTime) { checkNeedleFalls24DbInTheFallBackTime(); }
TEST_P(TarvoMBallistics, HoldNeedleStaysForTheHoldTime) { checkHoldNeedleStaysForTheHoldTime(); }

INSTANTIATE_TEST_SUITE_P(Rates, TarvoMBallistics, ::testing::ValuesIn(ballisticsCases), ballisticsCaseName);

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
    const auto monoTrace = trace<PeakMeter>(mono, one);

    configure(p, 2, 2, 48000.0, 256);
    std::vector<std::vector<float>> both = { signal, signal };
    const auto stereoTrace = trace<PeakMeter>(p, both);
    EXPECT_EQ(stereoTrace.needle, monoTrace.needle);
    EXPECT_EQ(stereoTrace.hold, monoTrace.hold);

    // The sign of a channel does not matter: magnitudes are averaged.
    VyrTarvoMAudioProcessor inverted;
    configure(inverted, 2, 2, 48000.0, 256);
    std::vector<std::vector<float>> opposite = { signal, signal };
    for (float& v : opposite[1])
        v = -v;
    const auto invertedTrace = trace<PeakMeter>(inverted, opposite);
    for (size_t i = 0; i < signal.size(); i += 97)
        EXPECT_NEAR(invertedTrace.needle[i], monoTrace.needle[i], 1e-6) << i;

    VyrTarvoMAudioProcessor halfSilent;
    configure(halfSilent, 2, 2, 48000.0, 256);
    std::vector<std::vector<float>> leftOnly = { signal, std::vector<float>(signal.size(), 0.0f) };
    const auto halfTrace = trace<PeakMeter>(halfSilent, leftOnly);
    // 6 dB below: exactly half, as the halving of a float is exact.
    for (size_t i = 0; i < signal.size(); i += 97)
        EXPECT_NEAR(halfTrace.needle[i], monoTrace.needle[i] * 0.5, 1e-12 + monoTrace.needle[i] * 1e-6) << i;
    EXPECT_GT(monoTrace.needle.back(), 0.5);
}

INSTANTIATE_TEST_SUITE_P(Modes, TarvoMChannels, ::testing::Bool(), modeName);

TEST_F(TarvoMMetering, OneInputTwoOutputsCopiesTheUntrimmedInput)
{
    checkOneInputTwoOutputsCopiesTheUntrimmedInput<PeakMeter>(p);
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
    checkTrimFollowsWhileInactiveAndTheAudioPassesUnchanged<PeakMeter>(p);
}

TEST_F(TarvoMMetering, AbsurdTrimNeverMakesFiniteAudioInfinite) { checkAbsurdTrimNeverMakesFiniteAudioInfinite<PeakMeter>(p); }

// The same readings, and the same audio, whatever the host's block sizes.
class TarvoMBlockSizes : public TarvoMMetering, public ::testing::WithParamInterface<bool> {};

TEST_P(TarvoMBlockSizes, ReadingsDoNotDependOnTheBlockSize)
{
    const auto readings = checkReadingsDoNotDependOnTheBlockSize<PeakMeter>(
        1.9f,
        [this](VyrTarvoMAudioProcessor& q) {
            q.setGlobalSetting(measurementSetting, GetParam() ? 1.0f : 0.0f);
            q.setGlobalSetting(VyrTarvoMAudioProcessor::overReferenceSetting, 1.0f);
            configure(q, 2, 2, 48000.0, 512);
            setParameter(q, activeParameter, 1.0f);
            setParameter(q, trimParameter, 0.7f);
            setParameter(q, latencyParameter, 0.1f);
        },
        [](const VyrTarvoMAudioProcessor& q) {
            return std::vector<double> { q.getNeedleLevel(), q.getHoldNeedle(), q.getOverSamples(),
                                         (double) q.getRingWriteIndex() };
        });
    EXPECT_GT(readings[0], 0.3);
}

INSTANTIATE_TEST_SUITE_P(Modes, TarvoMBlockSizes, ::testing::Bool(), modeName);

// --- Overs -------------------------------------------------------------------------

TEST_F(TarvoMMetering, FourTimesOversamplingCountsProcessedSamples)
{
    checkFourTimesOversamplingCountsAnOverWithinOneInputSample<PeakMeter>(p);
}

TEST_F(TarvoMMetering, OverCountKeepsAReachedCountAndResetsAShortRun)
{
    checkOverCountKeepsAReachedCountAndResetsAShortRun<PeakMeter>(p);
}

// --- Read-out ------------------------------------------------------------------------

TEST_F(TarvoMMetering, InfinityHoldShowsTheHighestHoldSinceTheReset)
{
    const float high = checkInfinityHoldShowsTheHighestHold<PeakMeter>(p);
    // A click on the meter resets it to the needle.
    p.resetPeakHold();
    EXPECT_EQ(p.getHoldNeedle(), p.getNeedleLevel());
    EXPECT_LT(p.getDisplayHold(0.0f), high);
}

TEST_F(TarvoMMetering, ReadOutJumpsUpAndGlidesDownPastTheCurrentValue) { checkReadOutGlidesDownAndJumpsUp<PeakMeter>(p); }

TEST_F(TarvoMMetering, AnEmptyBlockOnlyRenewsTheStamp) { checkFractionFollowsTheLastBlockWithSamples<PeakMeter>(p); }

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

TEST_F(TarvoMMetering, DelayedReadOutStaysInsideTheRings) { checkDelayedReadOutStaysInsideTheRings<PeakMeter>(p); }

TEST_F(TarvoMMetering, DelayedReadOutShowsTheHistoryTheDelayBehind)
{
    checkDelayedReadOutShowsTheHistoryTheDelayBehind<PeakMeter>(p);
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
    checkDelayedOverReachesTheLedOnceWhateverSlotItWasStoredIn<PeakMeter>(p);
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
