// The editor's display tick: the over LED latch, the reset requests of the
// meters, the hold needle's visibility, a busy callback lock, and the refresh of
// settings changed elsewhere.
#include "EditorTestSupport.h"

#include "DelayChangeChecks.h"
#include "PeakMeterTickChecks.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vyrtarvo::testing
{
struct LedLatch : EditorFixture, ::testing::WithParamInterface<int>
{
    int channel() const { return GetParam(); }
    vyrkit::COldVuMeter2& meter() { return channel() == 0 ? *front().leftMeter : *front().rightMeter; }
    vyrkit::COldVuMeter2& otherMeter() { return channel() == 0 ? *front().rightMeter : *front().leftMeter; }
    bool latched() { return channel() == 0 ? editor->isLeftOverLatched() : editor->isRightOverLatched(); }

    // The default over count setting asks for 3 over samples.
    void overs(double count) { processor->setOverCount(channel(), count); }
};

// Lit while overs arrive, dim while latched, off for one tick after a click on
// either meter, and then the latch is gone.
TEST_P(LedLatch, FollowsOversClicksAndTheMetersState)
{
    ASSERT_EQ(processWideSettings().overCount.load(), 3.0);

    overs(2.0);
    editor->timerCallback();
    EXPECT_EQ(meter().ledState, -1);
    EXPECT_FALSE(latched());

    overs(3.0);
    editor->timerCallback();
    EXPECT_EQ(meter().ledState, 1);
    EXPECT_TRUE(latched());
    EXPECT_EQ(processor->readOverCount(channel()), 0.0); // the count was consumed
    EXPECT_EQ(otherMeter().ledState, -1);

    editor->timerCallback();
    EXPECT_EQ(meter().ledState, 0);

    press(otherMeter(), 100, 60); // a click on either meter resets both
    editor->timerCallback();
    EXPECT_EQ(meter().ledState, -1);
    EXPECT_TRUE(latched());
    EXPECT_FALSE(meter().ledResetRequest);
    EXPECT_FALSE(otherMeter().ledResetRequest);

    editor->timerCallback();
    EXPECT_FALSE(latched());
    EXPECT_EQ(meter().ledState, -1);

    // An over read while the reset is pending still lights the LED.
    overs(7.0);
    press(meter(), 100, 60);
    editor->timerCallback();
    EXPECT_EQ(meter().ledState, 1);
    EXPECT_FALSE(meter().ledResetRequest);
}

INSTANTIATE_TEST_SUITE_P(Channels, LedLatch, ::testing::Values(0, 1));

TEST_F(EditorFixture, ANewEditorStartsWithoutALatchedLed)
{
    processor->setOverCount(0, 5.0);
    editor->timerCallback();
    ASSERT_TRUE(editor->isLeftOverLatched());
    closeEditor(*processor, editor);
    editor = openEditor(*processor);
    EXPECT_FALSE(editor->isLeftOverLatched());
    editor->timerCallback();
    EXPECT_EQ(front().leftMeter->ledState, -1);
}

TEST_F(EditorFixture, AClickOnAMeterResetsThePeakHoldOfBothChannels)
{
    kittest::holdALoudPeakOverAQuietSecond(*processor);
    ASSERT_GT(processor->getHoldNeedle(0), processor->getNeedleLevel(0));

    press(*front().rightMeter, 10, 10);
    ASSERT_TRUE(front().rightMeter->holdResetRequest);
    editor->timerCallback();
    EXPECT_FALSE(front().leftMeter->holdResetRequest);
    EXPECT_FALSE(front().rightMeter->holdResetRequest);
    for (int c = 0; c < 2; ++c)
        EXPECT_EQ(processor->getHoldNeedle(c), processor->getNeedleLevel(c));
}

TEST_F(EditorFixture, TheHoldNeedleIsShownUnlessTheHoldModeIsOff)
{
    for (const auto& [value, shown] : { std::pair { 0.0f, false }, { 0.5f, true }, { 1.0f, true }, { 0.2f, false } })
    {
        setParameter(*processor, 0, value);
        editor->timerCallback();
        EXPECT_EQ(front().leftMeter->showHold, shown) << value;
        EXPECT_EQ(front().rightMeter->showHold, shown) << value;
    }
}

// The needles follow the audio; the repaint covers only their strips.
TEST_F(EditorFixture, TheTickFeedsTheMetersFromTheReadOut)
{
    editor->timerCallback();
    EXPECT_FLOAT_EQ(front().leftMeter->getLevel(), 0.16f);

    auto loud = tone(0.5f, 4410);
    process(*processor, loud, { 441 });
    editor->timerCallback();
    EXPECT_GT(front().leftMeter->getLevel(), 1.0f);
    EXPECT_GT(front().rightMeter->getLevel(), 1.0f);
    EXPECT_EQ(front().leftMeter->getPaintedLevel(), front().leftMeter->getLevel());
    EXPECT_EQ(front().leftMeter->getLastRepaintArea(0), juce::Rectangle<int>(18, 28, 217, 87));
    EXPECT_EQ(front().leftMeter->getLastRepaintArea(1), juce::Rectangle<int>(210, 14, 20, 20));
}

// Without a block duration (nothing processed yet, or an empty block) the
// needles rest instead of reading a non-number.
TEST_F(EditorFixture, ATickBeforeAnyBlockLeavesTheNeedlesAtRest)
{
    testMilliseconds += 12345;
    editor->timerCallback();
    EXPECT_FLOAT_EQ(front().leftMeter->getLevel(), 0.16f);
    EXPECT_FLOAT_EQ(front().rightMeter->getHoldLevel(), 0.16f);
}

// The audio thread is never waited for; the settings still follow other
// instances while it holds the lock.
TEST_F(EditorFixture, ABusyCallbackLockFreezesTheNeedlesButNotTheSettings)
{
    VyrTarvoAudioProcessor other;
    {
        BusyAudioThread audio(*processor);
        processor->setOverCount(0, 10.0);
        other.setGlobalSetting(6, 1.0f);
        editor->timerCallback();
        EXPECT_EQ(front().leftMeter->ledState, -1);
        EXPECT_DOUBLE_EQ(back().referenceKnob->getValue(), 24.0);
        EXPECT_EQ(back().referenceText, VyrTarvoAudioProcessor::getSettingText(6));
    }
    editor->timerCallback();
    EXPECT_EQ(front().leftMeter->ledState, 1);
}

struct DelayedOverLed : EditorFixture, ::testing::WithParamInterface<int> {};

TEST_P(DelayedOverLed, LightsWithTheDelayedNeedlesPeak)
{
    kittest::checkTheOverLedLightsWithTheDelayedNeedlesPeak(*processor, *editor, *front().leftMeter, GetParam(), 1);
    EXPECT_EQ(front().rightMeter->ledState, -1); // the over was on the left only
}

INSTANTIATE_TEST_SUITE_P(NearTheMaximum, DelayedOverLed, ::testing::Values(500, 975, 990, 999));

// The display delay switched on while the meters run, on either channel: nothing
// the meter read before is shown, and one over lights the LED once.
struct DelayGoingOn : EditorFixture, ::testing::WithParamInterface<int>
{
    int channel() const { return GetParam(); }
    vyrkit::COldVuMeter2& meter() { return channel() == 0 ? *front().leftMeter : *front().rightMeter; }
};

TEST_P(DelayGoingOn, ShowsNothingFromBefore)
{
    kittest::checkADelayThatGoesOnShowsNothingFromBefore(*processor, *editor, meter());
}

TEST_P(DelayGoingOn, WithinATickLightsTheLedOnce)
{
    kittest::checkADelayThatGoesOnWithinATickLightsTheLedOnce(*processor, *editor, meter(),
                                                              processWideSettings().overCount.load(), channel());
}

INSTANTIATE_TEST_SUITE_P(Channels, DelayGoingOn, ::testing::Values(0, 1));

// The timer runs by itself on the message loop.
TEST_F(EditorFixture, TheTimerTicksOnTheMessageLoop)
{
    processor->setOverCount(1, 10.0);
    pump(120);
    EXPECT_EQ(front().rightMeter->ledState, 0); // lit on one tick, latched on the next
}
} // namespace vyrtarvo::testing
