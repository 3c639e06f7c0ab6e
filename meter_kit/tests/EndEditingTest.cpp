// A press where JUCE moves no keyboard focus (a needle meter, the panel behind
// the controls, an image button, a slider) still ends the editing of the
// track-name strip and the latency entry, as a loss of focus does; a press on the
// field being edited does not. On screen the strip gives the focus away.
#include "COldVuMeter2.h"
#include "EndEditing.h"
#include "KitTestSupport.h"
#include "LatencyControl.h"
#include "TrackNameFont.h"
#include "VyrBox.h"
#include "WindowPresses.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// A stand-in editor that ends the editing on a press elsewhere, whose panel
// holds a strip, a latency entry, a meter, a button that takes no focus and a
// slider, laid out as in the stereo meter's front panel.
struct EditingWindow
{
    kittest::CommandRecorder editor;
    vyrkit::EditingEndsOnPressElsewhere pressesElsewhere { editor };
    vyrkit::VyrBox box { 14 };
    vyrkit::LatencyControl latency { 2 };
    vyrkit::COldVuMeter2 meter { 126.0f, 149.8f, 3.0f, 121.0f, 108.0f, 121.0f };
    juce::ToggleButton button;
    juce::Slider slider { juce::Slider::LinearVertical, juce::Slider::NoTextBox };

    EditingWindow()
    {
        box.font = vyrkit::makeTrackNameFont();
        box.textAreaWidth = 506;
        box.maxTextWidth = 496;
        box.setBounds(17, 167, 506, 39);
        box.setText("Master Track");
        latency.setBounds(529, 167, 54, 40);
        meter.setBounds(12, 16, 250, 115);
        button.setClickingTogglesState(true);
        button.setWantsKeyboardFocus(false);
        button.setBounds(531, 0, 43, 14);
        slider.setRange(-20.0, 20.0, 0.1);
        slider.setBounds(538, 15, 32, 126);
        for (juce::Component* c : { static_cast<juce::Component*>(&meter), static_cast<juce::Component*>(&button),
                                    static_cast<juce::Component*>(&slider), static_cast<juce::Component*>(&latency),
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

    void expectTheEditingEnded()
    {
        EXPECT_FALSE(box.isEditing());
        EXPECT_EQ(box.getWidth(), 506);
        EXPECT_EQ(box.getText(), "N");
        EXPECT_FALSE(latency.isEditing());
        EXPECT_EQ(latency.getDigitText(0), "0");
    }
};

struct Window : ::testing::Test, EditingWindow {};

// Which fields a press on each part of the window ends: every one but the field
// pressed.
TEST_F(Window, APressEndsTheEditingOfEveryFieldButTheOnePressed)
{
    const struct
    {
        const char* name;
        juce::Component* pressed;
        bool stripEnds, latencyEnds;
    } presses[] = {
        { "meter", &meter, true, true },       { "button", &button, true, true },
        { "slider", &slider, true, true },     { "panel", &editor.panel, true, true },
        { "editor", &editor, true, true },     { "strip", &box, false, true },
        { "latency entry", &latency, true, false },
    };
    for (const auto& p : presses)
    {
        SCOPED_TRACE(p.name);
        editTheStrip();
        editTheLatency();
        vyrkit::endEditingElsewhere(editor, p.pressed);
        EXPECT_EQ(box.isEditing(), ! p.stripEnds);
        EXPECT_EQ(latency.isEditing(), ! p.latencyEnds);
        vyrkit::endEditingWithin(editor);
    }
    EXPECT_EQ(box.getText(), "N");
    EXPECT_EQ(latency.getDigitText(0), "0");
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

// Through JUCE's own mouse handling, which tells the window's listener of a
// press on any component inside it: the editing ends, and the press does what it
// always does.
TEST_F(Window, OnScreenAPressOnAnyPartOfTheWindowEndsTheEditing)
{
    if (! kittest::hasDisplay())
        GTEST_SKIP() << "no X display";
    kittest::OnScreen onScreen(editor);

    const struct
    {
        const char* name;
        juce::Component* component;
        juce::Point<int> position;
        std::function<bool()> didItsJob;
    } presses[] = {
        { "meter", &meter, { 100, 50 }, [this] { return meter.ledResetRequest && meter.holdResetRequest; } },
        { "button", &button, { 20, 7 }, [this] { return button.getToggleState(); } },
        // This slider jumps to the pointer.
        { "slider", &slider, { 16, 30 }, [this] { return slider.getValue() > 0.0; } },
        { "panel", &editor.panel, { 300, 150 }, [] { return true; } },
    };
    for (const auto& p : presses)
    {
        SCOPED_TRACE(p.name);
        editTheStrip();
        editTheLatency();
        kittest::pressThroughTheWindow(*p.component, p.position);
        expectTheEditingEnded();
        EXPECT_TRUE(p.didItsJob());
    }
    EXPECT_TRUE(editor.delivered().empty());
}

// A press on the field being edited leaves it editing; the other field's
// editing ends.
TEST_F(Window, OnScreenAPressOnTheFieldBeingEditedKeepsItEditing)
{
    if (! kittest::hasDisplay())
        GTEST_SKIP() << "no X display";
    kittest::OnScreen onScreen(editor);

    editTheStrip();
    editTheLatency();
    kittest::pressThroughTheWindow(box, { 5, 20 });
    EXPECT_TRUE(box.isEditing());
    EXPECT_EQ(box.getText(), "N");
    EXPECT_FALSE(latency.isEditing());

    editTheLatency();
    kittest::pressThroughTheWindow(latency, { 28, 10 }); // the up arrow
    EXPECT_TRUE(latency.isEditing());
    EXPECT_EQ(latency.valueMs, 10);
    EXPECT_FALSE(box.isEditing());
}

// Another window is not elsewhere: its strip keeps editing.
TEST_F(Window, OnScreenAPressInOneWindowLeavesAnotherWindowEditing)
{
    if (! kittest::hasDisplay())
        GTEST_SKIP() << "no X display";
    EditingWindow other;
    other.editor.setTopLeftPosition(700, 0); // beside, not over the first window
    kittest::OnScreen onScreen(editor);
    kittest::OnScreen otherOnScreen(other.editor);
    other.editTheStrip();
    editTheStrip();
    kittest::pressThroughTheWindow(meter, { 100, 50 });
    EXPECT_FALSE(box.isEditing());
    EXPECT_TRUE(other.box.isEditing());
}

// On a real window, with the strip holding the keyboard focus: the double-click
// gives the strip the focus, a press on the meter or on the button does not move
// it, and their press takes it away, so the next key is not the strip's.
TEST_F(Window, OnScreenAPressOnTheMeterOrAButtonTakesTheFocusFromTheStrip)
{
    if (! kittest::hasDisplay())
        GTEST_SKIP() << "no X display";
    kittest::OnScreen onScreen(editor);
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
    const juce::Point<float> onTheStrip { 150.0f, 190.0f };

    for (const juce::Point<float> elsewhere : { juce::Point<float> { 120.0f, 60.0f }, juce::Point<float> { 550.0f, 7.0f } })
    {
        SCOPED_TRACE(elsewhere.toString());
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
        clickAt(elsewhere);
        EXPECT_FALSE(box.isEditing());
        EXPECT_FALSE(box.hasKeyboardFocus(false));
        peer->handleKeyPress(juce::KeyPress('Q', {}, 'Q'));
        EXPECT_EQ(box.getText(), "N");
    }
    EXPECT_TRUE(meter.holdResetRequest);
    EXPECT_TRUE(button.getToggleState());
    EXPECT_TRUE(editor.delivered().empty());
}
} // namespace
