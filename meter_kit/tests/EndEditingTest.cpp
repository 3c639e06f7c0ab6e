// A press where JUCE moves no keyboard focus (a needle meter, the panel behind
// the controls) still ends the editing of the track-name strip and the latency
// entry, as a loss of focus does. On screen the strip gives the focus away.
#include "COldVuMeter2.h"
#include "EndEditing.h"
#include "KitTestSupport.h"
#include "LatencyControl.h"
#include "TrackNameFont.h"
#include "VyrBox.h"

#include <gtest/gtest.h>

namespace
{
// A stand-in editor whose panel holds a strip, a latency entry and a meter, laid
// out as in the stereo meter's front panel.
struct EditingWindow
{
    kittest::CommandRecorder editor;
    vyrkit::VyrBox box { 14 };
    vyrkit::LatencyControl latency { 2 };
    vyrkit::COldVuMeter2 meter { 126.0f, 149.8f, 3.0f, 121.0f, 108.0f, 121.0f };

    EditingWindow()
    {
        box.font = vyrkit::makeTrackNameFont();
        box.textAreaWidth = 506;
        box.maxTextWidth = 496;
        box.setBounds(17, 167, 506, 39);
        box.setText("Master Track");
        latency.setBounds(529, 167, 54, 40);
        meter.setBounds(12, 16, 250, 115);
        for (juce::Component* c : { static_cast<juce::Component*>(&meter), static_cast<juce::Component*>(&latency),
                                    static_cast<juce::Component*>(&box) })
            editor.panel.addAndMakeVisible(*c);
    }

    void editTheStrip()
    {
        box.mouseDoubleClick(kittest::click(box, 100.0f, 20.0f));
        box.keyPressed(juce::KeyPress('N', {}, 'N'), &box);
        ASSERT_TRUE(box.isEditing());
    }

    void editTheLatency()
    {
        latency.mouseDoubleClick(kittest::click(latency, 20.0f, 20.0f));
        latency.keyPressed(juce::KeyPress('4', {}, '4'), &latency);
        ASSERT_TRUE(latency.isEditing());
    }
};

struct Window : ::testing::Test, EditingWindow {};

TEST_F(Window, APressOnTheMeterEndsTheEditingAsALossOfFocus)
{
    editTheStrip();
    editTheLatency();
    meter.mouseDown(kittest::click(meter, 100.0f, 50.0f));

    EXPECT_FALSE(box.isEditing());
    EXPECT_EQ(box.getWidth(), 506);
    EXPECT_EQ(box.getText(), "N");
    EXPECT_FALSE(latency.isEditing());
    EXPECT_EQ(latency.getDigitText(0), "0");
    // The meter still raises its two reset requests.
    EXPECT_TRUE(meter.ledResetRequest);
    EXPECT_TRUE(meter.holdResetRequest);
    EXPECT_TRUE(editor.delivered().empty());
}

TEST_F(Window, EndingWithinAComponentLeavesTheRestAlone)
{
    editTheStrip();
    editTheLatency();
    vyrkit::endEditingWithin(latency);
    EXPECT_FALSE(latency.isEditing());
    EXPECT_TRUE(box.isEditing());

    // Nothing is editing: nothing changes.
    vyrkit::endEditingWithin(editor);
    vyrkit::endEditingWithin(editor);
    EXPECT_FALSE(box.isEditing());
    EXPECT_EQ(box.getText(), "N");
    EXPECT_TRUE(editor.delivered().empty());
}

// Another window is not elsewhere: its strip keeps editing.
TEST_F(Window, APressInOneWindowLeavesAnotherWindowEditing)
{
    EditingWindow other;
    other.editTheStrip();
    editTheStrip();
    meter.mouseDown(kittest::click(meter, 100.0f, 50.0f));
    EXPECT_FALSE(box.isEditing());
    EXPECT_TRUE(other.box.isEditing());
}

// On a real window, through JUCE's own mouse and key handling: the double-click
// gives the strip the keyboard focus, a press on the meter does not move it, and
// the meter's press takes it away, so the next key is not the strip's.
TEST_F(Window, OnScreenAPressOnTheMeterTakesTheFocusFromTheStrip)
{
    if (juce::SystemStats::getEnvironmentVariable("DISPLAY", {}).isEmpty())
        GTEST_SKIP() << "no X display";
    editor.addToDesktop(0);
    editor.setVisible(true);
    auto* peer = editor.getPeer();
    ASSERT_NE(peer, nullptr);

    auto time = juce::Time::currentTimeMillis();
    const auto mouse = [&](juce::Point<float> at, bool down) {
        time += 20;
        peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, at,
                               down ? juce::ModifierKeys::leftButtonModifier : juce::ModifierKeys(),
                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                               time);
    };
    const auto clickAt = [&](juce::Point<float> at) {
        mouse(at, true);
        mouse(at, false);
    };
    const juce::Point<float> onTheStrip { 150.0f, 190.0f }, onTheMeter { 120.0f, 60.0f };

    // JUCE gives a component the focus only while its window has the X input
    // focus, which another window on the same server may hold for a moment.
    for (int attempt = 0; attempt < 50 && ! box.hasKeyboardFocus(false); ++attempt)
    {
        peer->grabFocus();
        juce::MessageManager::getInstance()->runDispatchLoopUntil(10);
        time += 1000;
        clickAt(onTheStrip);
        clickAt(onTheStrip);
    }
    if (! box.hasKeyboardFocus(false))
        GTEST_SKIP() << "the window never got the X input focus";
    ASSERT_TRUE(box.isEditing());
    EXPECT_TRUE(peer->handleKeyPress(juce::KeyPress('N', {}, 'N')));
    EXPECT_EQ(box.getText(), "N");

    time += 1000; // not a third click
    clickAt(onTheMeter);
    EXPECT_FALSE(box.isEditing());
    EXPECT_FALSE(box.hasKeyboardFocus(false));
    EXPECT_TRUE(meter.holdResetRequest);
    peer->handleKeyPress(juce::KeyPress('Q', {}, 'Q'));
    EXPECT_EQ(box.getText(), "N");
    EXPECT_TRUE(editor.delivered().empty());
    editor.removeFromDesktop();
}
} // namespace
