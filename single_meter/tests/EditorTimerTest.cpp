// The editor's display tick: the over LED latch, the meter's reset requests, the
// hold needle's visibility, a busy callback lock, and the poll role with which
// one editor of the process follows the settings the stereo meter saves.
#include "EditorTestSupport.h"

#include "DelayChangeChecks.h"
#include "PeakMeterTickChecks.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vyrtarvom::editortesting
{
namespace
{
// An editor of its own processor, opened and closed with the object.
struct OtherWindow
{
    VyrTarvoMAudioProcessor processor;
    VyrTarvoMAudioProcessorEditor* editor = openEditor(processor);
    ~OtherWindow() { closeEditor(processor, editor); }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            editor->timerCallback();
    }
};
} // namespace

// --- Over LED ---------------------------------------------------------------------

// Lit while overs arrive, dim while latched, off for one tick after a click on
// the meter, and then the latch is gone.
TEST_F(EditorFixture, TheOverLedFollowsOversClicksAndTheMetersState)
{
    ASSERT_EQ(VyrTarvoMAudioProcessor::getOverCount(), 3.0);
    auto& meter = *front().meter;

    processor->setOverCount(2.0);
    editor->timerCallback();
    EXPECT_EQ(meter.ledState, -1);
    EXPECT_FALSE(editor->isOverLatched());

    processor->setOverCount(3.0);
    editor->timerCallback();
    EXPECT_EQ(meter.ledState, 1);
    EXPECT_TRUE(editor->isOverLatched());
    EXPECT_EQ(processor->readOverCount(), 0.0); // the count was consumed

    editor->timerCallback();
    EXPECT_EQ(meter.ledState, 0);

    press(meter, 100, 60);
    editor->timerCallback();
    EXPECT_EQ(meter.ledState, -1);
    EXPECT_TRUE(editor->isOverLatched());
    EXPECT_FALSE(meter.ledResetRequest);

    editor->timerCallback();
    EXPECT_FALSE(editor->isOverLatched());
    EXPECT_EQ(meter.ledState, -1);

    // An over read while the reset is pending still lights the LED, and the
    // click is used up.
    processor->setOverCount(7.0);
    press(meter, 100, 60);
    editor->timerCallback();
    EXPECT_EQ(meter.ledState, 1);
    EXPECT_FALSE(meter.ledResetRequest);
    editor->timerCallback();
    EXPECT_EQ(meter.ledState, 0);
}

// The over count setting decides how many over samples light the LED.
TEST_F(EditorFixture, TheOverCountSettingSetsTheThreshold)
{
    saveAsTheStereoMeter("tarvoOver", "1");
    processor->reloadStoredDefaults();
    ASSERT_EQ(VyrTarvoMAudioProcessor::getOverCount(), 10.0);
    processor->setOverCount(9.0);
    editor->timerCallback();
    EXPECT_EQ(front().meter->ledState, -1);
    processor->setOverCount(10.0);
    editor->timerCallback();
    EXPECT_EQ(front().meter->ledState, 1);
}

TEST_F(EditorFixture, ANewEditorStartsWithoutALatchedLed)
{
    processor->setOverCount(5.0);
    editor->timerCallback();
    ASSERT_TRUE(editor->isOverLatched());
    closeEditor(*processor, editor);
    editor = openEditor(*processor);
    EXPECT_FALSE(editor->isOverLatched());
    editor->timerCallback();
    EXPECT_EQ(front().meter->ledState, -1);
}

// --- Needles ------------------------------------------------------------------------

TEST_F(EditorFixture, AClickOnTheMeterResetsThePeakHoldOnTheNextTick)
{
    kittest::holdALoudPeakOverAQuietSecond(*processor);
    ASSERT_GT(processor->getHoldNeedle(), processor->getNeedleLevel());

    press(*front().meter, 10, 10);
    ASSERT_TRUE(front().meter->holdResetRequest);
    EXPECT_GT(processor->getHoldNeedle(), processor->getNeedleLevel());
    editor->timerCallback();
    EXPECT_FALSE(front().meter->holdResetRequest);
    EXPECT_EQ(processor->getHoldNeedle(), processor->getNeedleLevel());
    EXPECT_EQ(processor->getHoldCounter(), 0);
}

TEST_F(EditorFixture, TheHoldNeedleIsShownUnlessTheHoldModeIsOff)
{
    bool wasShown = false;
    for (const auto& [value, isShown] : { std::pair { 0.0f, false }, { 0.5f, true }, { 1.0f, true }, { 0.2f, false } })
    {
        setParameter(*processor, 0, value);
        editor->timerCallback();
        EXPECT_EQ(front().meter->showHold, isShown) << value;
        // Without the hold only the needle strip and the LED are repainted, after
        // the hold strip once more on the tick the hold goes Off.
        EXPECT_EQ(front().meter->getLastRepaintCount(), isShown || wasShown ? 3 : 2) << value;
        editor->timerCallback();
        EXPECT_EQ(front().meter->getLastRepaintCount(), isShown ? 3 : 2) << value;
        wasShown = isShown;
    }
}

// The needle follows the audio; the repaint covers only its strip and the LED.
TEST_F(EditorFixture, TheTickFeedsTheMeterFromTheReadOut)
{
    editor->timerCallback();
    EXPECT_FLOAT_EQ(front().meter->getLevel(), 0.16f);

    auto loud = tone(0.5f, 4410);
    process(*processor, loud, { 441 });
    editor->timerCallback();
    EXPECT_GT(front().meter->getLevel(), 1.0f);
    EXPECT_EQ(front().meter->getPaintedLevel(), front().meter->getLevel());
    EXPECT_EQ(front().meter->getLastRepaintArea(1), juce::Rectangle<int>(210, 14, 20, 20));
}

// Without a block duration (nothing processed yet) the needle rests instead of
// reading a non-number.
TEST_F(EditorFixture, ATickBeforeAnyBlockLeavesTheNeedleAtRest)
{
    testMilliseconds += 12345;
    editor->timerCallback();
    EXPECT_FLOAT_EQ(front().meter->getLevel(), 0.16f);
    EXPECT_FLOAT_EQ(front().meter->getHoldLevel(), 0.16f);
}

// The audio thread is never waited for; the poll still counts while it holds
// the lock.
TEST_F(EditorFixture, ABusyCallbackLockFreezesTheNeedleButNotThePoll)
{
    {
        BusyAudioThread audio(*processor);
        processor->setOverCount(10.0);
        editor->timerCallback();
        EXPECT_EQ(front().meter->ledState, -1);
        EXPECT_EQ(editor->getPollTickCount(), 1);
    }
    editor->timerCallback();
    EXPECT_EQ(front().meter->ledState, 1);
    EXPECT_EQ(editor->getPollTickCount(), 2);
}

// The timer runs by itself on the message loop.
TEST_F(EditorFixture, TheTimerTicksOnTheMessageLoop)
{
    processor->setOverCount(10.0);
    pump(120);
    EXPECT_EQ(front().meter->ledState, 0); // lit on one tick, latched on the next
    EXPECT_GE(editor->getPollTickCount(), 2);
}

// --- Poll role ----------------------------------------------------------------------

struct DelayedOverLed : EditorFixture, ::testing::WithParamInterface<int> {};

TEST_P(DelayedOverLed, LightsWithTheDelayedNeedlesPeak)
{
    kittest::checkTheOverLedLightsWithTheDelayedNeedlesPeak(*processor, *editor, *front().meter, GetParam(), 2);
}

INSTANTIATE_TEST_SUITE_P(NearTheMaximum, DelayedOverLed, ::testing::Values(500, 975, 990, 999));

// The display delay switched on while the meter runs: nothing the meter read
// before is shown, and one over lights the LED once.
TEST_F(EditorFixture, ADelayThatGoesOnShowsNothingFromBefore)
{
    kittest::checkADelayThatGoesOnShowsNothingFromBefore(*processor, *editor, *front().meter);
}

TEST_F(EditorFixture, ADelayThatGoesOnWithinATickLightsTheLedOnce)
{
    kittest::checkADelayThatGoesOnWithinATickLightsTheLedOnce(*processor, *editor, *front().meter,
                                                              VyrTarvoMAudioProcessor::getOverCount());
}

// The owner rereads on the 501st tick after its constructor; another open editor
// never does, although its processor uses the reread value.
TEST_F(EditorFixture, TheFirstEditorRereadsTheStereoMetersSettingsEvery501Ticks)
{
    OtherWindow second;
    EXPECT_TRUE(editor->ownsThePollRole());
    EXPECT_FALSE(second.editor->ownsThePollRole());

    saveAsTheStereoMeter("tarvoOverSampling", "1");
    saveAsTheStereoMeter("tarvoHold", "1");
    ticks(500);
    second.ticks(500);
    EXPECT_EQ(editor->getPollTickCount(), 500);
    EXPECT_EQ(back().texts[BackPanel::measurementSlot], "CPU Safe");
    EXPECT_EQ(processor->getSettingText(11), "CPU Safe");

    editor->timerCallback();
    EXPECT_EQ(editor->getPollTickCount(), 0);
    EXPECT_EQ(back().texts[BackPanel::measurementSlot], "Precise");
    EXPECT_EQ(back().texts[BackPanel::holdSlot], "10.00s");
    EXPECT_GT(processor->getProcessingRate(), processor->getMeterRate());

    second.ticks(600);
    EXPECT_EQ(second.editor->getPollTickCount(), 0);
    EXPECT_EQ(second.editor->getBackPanel().texts[BackPanel::measurementSlot], "CPU Safe");
    EXPECT_EQ(second.processor.getSettingText(11), "Precise");

    // The next reread comes 501 ticks later.
    saveAsTheStereoMeter("tarvoOverSampling", "0");
    ticks(500);
    EXPECT_EQ(back().texts[BackPanel::measurementSlot], "Precise");
    editor->timerCallback();
    EXPECT_EQ(back().texts[BackPanel::measurementSlot], "CPU Safe");
}

// When the owner closes, the next editor to tick takes the role, without
// counting that tick, and rereads 501 ticks after it.
TEST_F(EditorFixture, TheRolePassesOnWhenTheOwnerCloses)
{
    OtherWindow second;
    ticks(300);
    closeEditor(*processor, editor);
    EXPECT_FALSE(VyrTarvoMAudioProcessor::isPollRoleTaken());

    saveAsTheStereoMeter("tarvoReference", "1");
    second.ticks(1);
    EXPECT_TRUE(second.editor->ownsThePollRole());
    EXPECT_TRUE(VyrTarvoMAudioProcessor::isPollRoleTaken());
    EXPECT_EQ(second.editor->getPollTickCount(), 0);

    const auto before = second.editor->getBackPanel().texts[BackPanel::referenceSlot];
    second.ticks(500);
    EXPECT_EQ(second.editor->getBackPanel().texts[BackPanel::referenceSlot], before);
    second.ticks(1);
    EXPECT_NE(second.editor->getBackPanel().texts[BackPanel::referenceSlot], before);
    EXPECT_EQ(second.editor->getBackPanel().texts[BackPanel::referenceSlot], second.processor.getSettingText(5));

    // A window opened now finds the role taken.
    editor = openEditor(*processor);
    EXPECT_FALSE(editor->ownsThePollRole());
}

// Values out of range or without a number take the fallbacks of the stored
// defaults, and the texts show what the processor uses.
TEST_F(EditorFixture, ThePolledTextsAreThoseOfTheSettingsInUse)
{
    saveAsTheStereoMeter("tarvoOver", "2");
    saveAsTheStereoMeter("tarvoOverReference", "none");
    saveAsTheStereoMeter("tarvoIntegration", "nan");
    ticks(501);
    EXPECT_EQ(back().texts[BackPanel::oversSlot], "3");
    EXPECT_EQ(back().texts[BackPanel::ledReferenceSlot], "+8.15dBu");
    EXPECT_EQ(back().texts[BackPanel::integrationSlot], "10.0ms"); // "nan": the fallback
    for (int slot = 0; slot < BackPanel::numTextSlots; ++slot)
        EXPECT_EQ(back().texts[(size_t) slot], processor->getSettingText(BackPanel::settingTextIndices[(size_t) slot]))
            << slot;
}
} // namespace vyrtarvom::editortesting
