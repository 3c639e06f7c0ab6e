// Metering of the two channels: rates, ballistics as a user sees them,
// block-size invariance, trim, overs and the history. The checks both peak
// programme meters share run here on the left channel; what only this meter has
// (the copy to both meters, mid/side, the hold switch's reset) follows them.
#include "TarvoTestSupport.h"

#include "PeakMeterChecks.h"

#include <cmath>

using namespace vyrtarvo;
using namespace vyrtarvo::testing;
using namespace kittest::peak;

namespace
{
using TarvoMetering = MeteringTest<PeakMeter>;

// --- Rates ---------------------------------------------------------------------

class TarvoProcessingRate : public TarvoMetering, public ::testing::WithParamInterface<RateCase> {};

TEST_P(TarvoProcessingRate, OversamplingFactorAndRingStep)
{
    checkOversamplingFactorAndRingStep<PeakMeter>(p, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoProcessingRate, ::testing::Values(
    RateCase { 44100, 44100, 4, 176400, 176 }, RateCase { 48000, 48000, 4, 192000, 192 },
    RateCase { 88200, 88200, 4, 352800, 352 }, RateCase { 96000, 96000, 2, 192000, 192 },
    RateCase { 100000, 100000, 2, 200000, 200 }, RateCase { 176400, 176400, 0, 176400, 176 },
    RateCase { 192000, 192000, 0, 192000, 192 }, RateCase { 8000, 22050, 4, 88200, 88 },
    RateCase { 384000, 192000, 0, 192000, 192 }));

TEST_F(TarvoMetering, UnusableRatesFallBackTo44100) { checkUnusableRatesFallBackTo44100<PeakMeter>(p); }

// --- Ballistics as a user sees them ------------------------------------------------

using TarvoBallistics = BallisticsTest<PeakMeter>;

TEST_P(TarvoBallistics, NeedleRisesInTheIntegrationTime) { checkNeedleRisesInTheIntegrationTime(); }
TEST_P(TarvoBallistics, NeedleFalls24DbInTheFallBackTime) { checkNeedleFalls24DbInTheFallBackTime(); }
TEST_P(TarvoBallistics, HoldNeedleStaysForTheHoldTime) { checkHoldNeedleStaysForTheHoldTime(); }

INSTANTIATE_TEST_SUITE_P(Rates, TarvoBallistics, ::testing::ValuesIn(ballisticsCases), ballisticsCaseName);

// The same readings of both channels, and the same audio, whatever the host's
// block sizes.
class TarvoBlockSizes : public TarvoMetering, public ::testing::WithParamInterface<bool> {};

TEST_P(TarvoBlockSizes, ReadingsDoNotDependOnTheBlockSize)
{
    const auto readings = checkReadingsDoNotDependOnTheBlockSize<PeakMeter>(
        1.2f,
        [this](VyrTarvoAudioProcessor& q) {
            q.setGlobalSetting(PeakMeter::measurementSetting, GetParam() ? 1.0f : 0.0f);
            q.setGlobalSetting(PeakMeter::overCountSetting, 0.3f);
            configure(q, 2, 2, 48000.0, 512);
            setParameter(q, PeakMeter::activeParameter, 1.0f);
            setParameter(q, PeakMeter::trimParameter, 0.7f);
            setParameter(q, PeakMeter::latencyParameter, 0.1f);
        },
        [](const VyrTarvoAudioProcessor& q) {
            return std::vector<double> { q.getNeedleLevel(0), q.getHoldNeedle(0), q.getOverSamples(0),
                                         q.getNeedleLevel(1), q.getHoldNeedle(1), q.getOverSamples(1) };
        });
    EXPECT_GT(readings[0], 0.5);
}

INSTANTIATE_TEST_SUITE_P(Modes, TarvoBlockSizes, ::testing::Bool());

// --- Edge cases ------------------------------------------------------------------

TEST_F(TarvoMetering, OneInputTwoOutputsCopiesTheUntrimmedInputAndMetersItTwice)
{
    checkOneInputTwoOutputsCopiesTheUntrimmedInput<PeakMeter>(p);
    EXPECT_EQ(p.getNeedleLevel(0), p.getNeedleLevel(1));

    // Mid/side: mid is the input doubled and attenuated, side is 0.
    VyrTarvoAudioProcessor ms;
    configure(ms, 1, 2, 44100.0, 256);
    setParameter(ms, VyrTarvoAudioProcessor::lrmsParameter, 1.0f);
    ms.setGlobalSetting(12, 1.0f); // k = 0.5: mid reads as the input
    auto again = tone(1, 4410, 44100.0, 1000.0, 0.05);
    std::vector<std::vector<float>> pair = { again[0], again[0] };
    process(ms, pair, { 256 });
    EXPECT_EQ(ms.getNeedleLevel(1), 0.0);
    EXPECT_NEAR(ms.getNeedleLevel(0), 0.05, 0.002);
}

TEST_F(TarvoMetering, TrimFollowsWhileInactiveAndTheAudioPassesUnchanged)
{
    checkTrimFollowsWhileInactiveAndTheAudioPassesUnchanged<PeakMeter>(p);
}

TEST_F(TarvoMetering, AbsurdTrimNeverMakesFiniteAudioInfinite) { checkAbsurdTrimNeverMakesFiniteAudioInfinite<PeakMeter>(p); }

TEST_F(TarvoMetering, FourTimesOversamplingCountsAnOverWithinOneInputSample)
{
    checkFourTimesOversamplingCountsAnOverWithinOneInputSample<PeakMeter>(p);
}

TEST_F(TarvoMetering, OverCountKeepsAReachedCountAndResetsAShortRun)
{
    checkOverCountKeepsAReachedCountAndResetsAShortRun<PeakMeter>(p);
}

TEST_F(TarvoMetering, InfinityHoldShowsTheHighestHoldSinceTheReset)
{
    const float high = checkInfinityHoldShowsTheHighestHold<PeakMeter>(p);
    // Off or On resets the holds to the needle.
    setParameter(p, VyrTarvoAudioProcessor::holdParameter, 1.0f);
    EXPECT_EQ(p.getHoldNeedle(0), p.getNeedleLevel(0));
    setParameter(p, VyrTarvoAudioProcessor::holdParameter, 0.5f);
    EXPECT_LT(p.getDisplayHold(0, 0.0f), high);
}

TEST_F(TarvoMetering, ReadOutGlidesDownAndJumpsUp) { checkReadOutGlidesDownAndJumpsUp<PeakMeter>(p); }

TEST_F(TarvoMetering, FractionIsZeroWithoutAUsableBlock) { checkFractionFollowsTheLastBlockWithSamples<PeakMeter>(p); }

// --- History and display delay -------------------------------------------------------

TEST_F(TarvoMetering, DelayedReadOutStaysInsideTheRings) { checkDelayedReadOutStaysInsideTheRings<PeakMeter>(p); }

TEST_F(TarvoMetering, DelayedReadOutShowsTheHistoryTheDelayBehind)
{
    checkDelayedReadOutShowsTheHistoryTheDelayBehind<PeakMeter>(p);
}

TEST_F(TarvoMetering, DelayedOverReachesTheLedWhateverSlotItWasStoredIn)
{
    checkDelayedOverReachesTheLedOnceWhateverSlotItWasStoredIn<PeakMeter>(p);
}
} // namespace
