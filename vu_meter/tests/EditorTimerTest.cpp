// The VU editor's 20 ms tick: the needle and hold values it pushes into the
// meter, the over LED's latch and its reset by a click, the hold reset, and a
// callback lock held by the audio thread.
#include "EditorTestSupport.h"

#include "DelayChangeChecks.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vyrkelsom::editortest
{
namespace
{
// Samples of alternating sign above full scale: every processed point is an
// over at the "0dBFS" reference.
std::vector<std::vector<float>> overs(int samples)
{
    std::vector<std::vector<float>> c(2, std::vector<float>(static_cast<size_t>(samples)));
    for (size_t i = 0; i < c[0].size(); ++i)
        c[0][i] = c[1][i] = (i % 2 == 0 ? 1.2f : -1.2f);
    return c;
}

std::vector<std::vector<float>> silence(int samples)
{
    return std::vector<std::vector<float>>(2, std::vector<float>(static_cast<size_t>(samples)));
}
} // namespace

struct EditorTimer : EditorFixture
{
    void SetUp() override
    {
        EditorFixture::SetUp();
        // The tests tick by hand.
        editor->stopTimer();
    }

    COldVuMeter2& meter() { return *front().meter; }

    void tick()
    {
        testMilliseconds = testMilliseconds.load() + 20;
        editor->timerCallback();
    }
};

TEST_F(EditorTimer, TheFirstTickPutsOutTheLatchedLed)
{
    EXPECT_EQ(meter().ledState, 0.0f);
    tick();
    EXPECT_EQ(meter().ledState, -1.0f);
    EXPECT_FALSE(meter().ledResetRequest);
    EXPECT_FALSE(editor->isOverLatched());
}

TEST_F(EditorTimer, AnOverLightsThenLatchesUntilAClickPutsItOut)
{
    tick();
    auto o = overs(10);
    process(*processor, o, { 10 });
    ASSERT_GE(processor->getOverSamples(), 3.0);

    tick();
    EXPECT_EQ(meter().ledState, 1.0f);
    EXPECT_TRUE(editor->isOverLatched());
    EXPECT_EQ(processor->getOverSamples(), 0.0); // consumed

    auto s = silence(441);
    process(*processor, s, { 441 });
    tick();
    EXPECT_EQ(meter().ledState, 0.0f);
    tick();
    EXPECT_EQ(meter().ledState, 0.0f);

    press(meter(), 100, 50);
    tick();
    EXPECT_EQ(meter().ledState, -1.0f);
    EXPECT_TRUE(editor->isOverLatched()); // cleared on the tick after
    tick();
    EXPECT_EQ(meter().ledState, -1.0f);
    EXPECT_FALSE(editor->isOverLatched());
}

TEST_F(EditorTimer, AClickWhileTheLedIsLitIsUsedUpWithoutEffect)
{
    tick();
    auto o = overs(10);
    process(*processor, o, { 10 });
    tick();
    ASSERT_EQ(meter().ledState, 1.0f);

    press(meter(), 10, 10);
    process(*processor, o, { 10 });
    tick();
    EXPECT_EQ(meter().ledState, 1.0f);
    EXPECT_FALSE(meter().ledResetRequest);

    auto s = silence(441);
    process(*processor, s, { 441 });
    tick();
    EXPECT_EQ(meter().ledState, 0.0f);
}

TEST_F(EditorTimer, OversBelowTheCountDoNotLight)
{
    tick();
    auto o = overs(2);
    auto s = silence(1);
    process(*processor, o, { 2 });
    process(*processor, s, { 1 });
    tick();
    EXPECT_EQ(meter().ledState, -1.0f);
    EXPECT_FALSE(editor->isOverLatched());
}

// A 1 ms over in a quiet tone with a display delay up to the maximum: the LED
// lights where the delayed needle shows the over, that is at the tick at which
// it lights without a delay, moved by the delay, give or take one tick; and it
// keeps its place beside the delayed needle's peak (the VU needle peaks some
// ticks after an over). Wherever the over falls between two ticks.
struct DelayedOverLed : EditorTimer, ::testing::WithParamInterface<int>
{
    struct Shown
    {
        int litAt = -1; // the first tick with the LED lit
        int litTicks = 0;
        int peakAt = -1; // the tick with the highest needle
    };

    Shown run(int delayMs, int overAtSample, int ticks)
    {
        setParameter(*processor, 1, static_cast<float>(delayMs) / 1000.0f);
        constexpr int tickSamples = 882; // 20 ms at 44100 Hz
        auto audio = sine(0.05f, ticks * tickSamples);
        for (auto& channel : audio)
            for (int i = overAtSample; i < overAtSample + 44; ++i)
                channel[(size_t) i] = 1.5f;

        Shown shown;
        float peak = -1.0f;
        std::vector<std::vector<float>> block(2, std::vector<float>(tickSamples));
        for (int t = 0; t < ticks; ++t)
        {
            for (size_t c = 0; c < 2; ++c)
                std::copy(audio[c].begin() + t * tickSamples, audio[c].begin() + (t + 1) * tickSamples, block[c].begin());
            process(*processor, block, { tickSamples });
            tick();
            if (meter().getLevel() > peak)
            {
                peak = meter().getLevel();
                shown.peakAt = t;
            }
            if (meter().ledState == 1.0f)
            {
                if (shown.litAt < 0)
                    shown.litAt = t;
                ++shown.litTicks;
            }
        }
        return shown;
    }
};

TEST_P(DelayedOverLed, LightsWhereTheDelayedNeedleShowsTheOver)
{
    const int delayMs = GetParam();
    for (int offsetMs : { 0, 5, 11, 17 })
    {
        SCOPED_TRACE(testing::Message() << delayMs << " ms, over at +" << offsetMs << " ms");
        // A second of tone first, so that the history holds nothing older.
        const int overAt = 44100 + offsetMs * 44;
        const int ticks = (overAt / 44 + delayMs + 400) / 20;
        const Shown live = run(0, overAt, ticks);
        const Shown delayed = run(delayMs, overAt, ticks);
        ASSERT_GE(live.litAt, 0);
        ASSERT_GE(delayed.litAt, 0);
        // The over may fill two history slots, read on two ticks in a row.
        EXPECT_LE(delayed.litTicks, 2);
        const double delayTicks = delayMs / 20.0;
        EXPECT_LE(std::abs(delayed.litAt - (live.litAt + delayTicks)), 1.0)
            << "LED at tick " << delayed.litAt << ", without the delay at " << live.litAt;
        EXPECT_LE(std::abs(delayed.peakAt - (live.peakAt + delayTicks)), 1.0)
            << "peak at tick " << delayed.peakAt << ", without the delay at " << live.peakAt;
        EXPECT_LE(std::abs((delayed.litAt - delayed.peakAt) - (live.litAt - live.peakAt)), 1)
            << "LED at tick " << delayed.litAt << ", delayed peak at " << delayed.peakAt;
    }
}

INSTANTIATE_TEST_SUITE_P(NearTheMaximum, DelayedOverLed, ::testing::Values(500, 975, 990, 999));

// The display delay switched on while the meter runs: nothing the meter read
// before is shown, and one over lights the LED once.
TEST_F(EditorTimer, ADelayThatGoesOnShowsNothingFromBefore)
{
    kittest::checkADelayThatGoesOnShowsNothingFromBefore(*processor, *editor, meter());
}

TEST_F(EditorTimer, ADelayThatGoesOnWithinATickLightsTheLedOnce)
{
    kittest::checkADelayThatGoesOnWithinATickLightsTheLedOnce(*processor, *editor, meter(),
                                                              VyrKelsoMAudioProcessor::getOverCountLimit());
}

TEST_F(EditorTimer, TheHoldTickFollowsTheHoldMode)
{
    const struct { float value; bool shown; } modes[] = { { 0.0f, false }, { 0.5f, true }, { 1.0f, true }, { 0.2f, false } };
    for (const auto& m : modes)
    {
        setParameter(*processor, 0, m.value);
        tick();
        EXPECT_EQ(meter().showHold, m.shown) << m.value;
    }
}

TEST_F(EditorTimer, TheNeedleShowsTheProcessorsReadOut)
{
    auto loud = sine(0.125f, 8820);
    process(*processor, loud, { 441 });
    tick();
    // A rising needle shows its newest value; the clock has not moved since the
    // block, so nothing of the block has elapsed.
    EXPECT_FLOAT_EQ(meter().getLevel(), juce::jmin(3.0f, processor->getNeedleLevel()));
    EXPECT_GT(meter().getLevel(), 0.5f);
    EXPECT_FLOAT_EQ(meter().getHoldLevel(), juce::jmin(3.0f, processor->getHoldNeedle()));
    EXPECT_FLOAT_EQ(meter().getPaintedLevel(), meter().getLevel());
}

TEST_F(EditorTimer, AClickResetsTheInfinityHoldToTheNeedle)
{
    setParameter(*processor, 0, 0.5f); // Infinity
    auto loud = sine(0.125f, 22050);
    process(*processor, loud, { 441 });
    tick();
    const float held = meter().getHoldLevel();
    ASSERT_GT(held, 0.8f);

    // Beyond the hold time: the hold needle would fall, but Infinity keeps it.
    auto s = silence(88200);
    process(*processor, s, { 441 });
    tick();
    EXPECT_FLOAT_EQ(meter().getHoldLevel(), held);
    ASSERT_LT(meter().getLevel(), 0.2f);

    press(meter(), 50, 50);
    tick();
    EXPECT_FALSE(meter().holdResetRequest);
    EXPECT_LT(meter().getHoldLevel(), 0.2f);
    EXPECT_NEAR(meter().getHoldLevel(), meter().getLevel(), 1e-6f);
}

TEST_F(EditorTimer, AClickInHoldModeOnChangesNoHold)
{
    setParameter(*processor, 0, 1.0f); // On
    auto loud = sine(0.125f, 22050);
    process(*processor, loud, { 441 });
    tick();
    const float hold = processor->getHoldNeedle();
    press(meter(), 50, 50);
    tick();
    EXPECT_FALSE(meter().holdResetRequest);
    EXPECT_EQ(processor->getHoldNeedle(), hold);
}

// The audio thread is never waited for: a busy lock leaves the meter as it was
// for that tick, while the poll still counts.
TEST_F(EditorTimer, ABusyCallbackLockSkipsTheMeterButNotThePoll)
{
    auto loud = sine(0.125f, 8820);
    process(*processor, loud, { 441 });
    {
        BusyAudioThread audio(processor->getCallbackLock());
        tick();
        EXPECT_EQ(meter().getLevel(), 0.0f);
        EXPECT_EQ(meter().ledState, 0.0f);
        EXPECT_TRUE(meter().ledResetRequest);
        EXPECT_EQ(editor->getPollTickCount(), 1);
    }
    tick();
    EXPECT_GT(meter().getLevel(), 0.5f);
    EXPECT_EQ(meter().ledState, -1.0f);
    EXPECT_EQ(editor->getPollTickCount(), 2);
}

// The timer itself runs every 20 ms once the message loop does.
TEST_F(EditorFixture, TheTimerTicksOnItsOwn)
{
    for (int i = 0; i < 200 && editor->getPollTickCount() < 2; ++i)
        pump(10);
    EXPECT_GE(editor->getPollTickCount(), 2);
    EXPECT_EQ(front().meter->ledState, -1.0f);
}
} // namespace vyrkelsom::editortest
