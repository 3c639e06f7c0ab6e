#pragma once

// The front panels' track-name strip and latency entry stop editing when the
// user presses elsewhere in the window or makes the window small, as they do
// when they lose the focus: what was typed is not committed and nothing is
// posted. The three meters' editor tests run these checks with their own
// processor, editor and places to press.

#include "MouseTesting.h"
#include "PluginTesting.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace kittest
{
// A press on a part of the window that takes no keyboard focus: a panel's face,
// a needle meter.
struct PressElsewhere
{
    const char* name;
    juce::Component* component;
    juce::Point<int> position;

    void operator()() const
    {
        component->mouseDown(click(*component, static_cast<float>(position.x), static_cast<float>(position.y)));
    }
};

inline juce::KeyPress typed(juce::juce_wchar c) { return juce::KeyPress(static_cast<int>(c), {}, c); }

// Runs the message loop long enough for a posted command to arrive.
inline void deliverPostedCommands() { juce::MessageManager::getInstance()->runDispatchLoopUntil(20); }

// Latency 123 ms; double-click on the digits, type 4, then `interrupt` (a press
// elsewhere, the window going small): the digits return to 1 2 3, nothing is
// posted, and the 5 and 6 typed next are not taken.
template <typename Processor, typename Editor>
void checkTheLatencyEntryStopsEditing(Processor& processor, Editor& editor, const std::function<void()>& interrupt)
{
    auto& latency = *editor.getFrontPanel().latencyControl;
    setHostParameter(processor, Processor::latencyParameter, 0.123f);
    ASSERT_EQ(latency.valueMs, 123);
    HostHears host(processor);

    latency.mouseDoubleClick(click(latency, 20.0f, 20.0f));
    ASSERT_TRUE(latency.isEditing());
    EXPECT_TRUE(latency.keyPressed(typed('4'), &latency));
    ASSERT_EQ(latency.getDigitText(0), "4");

    interrupt();
    EXPECT_FALSE(latency.isEditing());
    EXPECT_EQ(latency.getDigitText(0) + latency.getDigitText(1) + latency.getDigitText(2), "123");
    EXPECT_FALSE(latency.keyPressed(typed('5'), &latency));
    EXPECT_FALSE(latency.keyPressed(typed('6'), &latency));
    deliverPostedCommands();
    EXPECT_EQ(latency.valueMs, 123);
    EXPECT_TRUE(host.changed.empty());
    EXPECT_EQ(hostParameter(processor, Processor::latencyParameter), 0.123f);
}

// "Master Track"; double-click, type N, then `interrupt`: editing ends with "N"
// left in the strip (or the name `interrupt` gives it), nothing is posted, the
// processor keeps "Master Track", and a Q or Return typed next is not taken.
template <typename Processor, typename Editor>
void checkTheTrackNameStripStopsEditing(Processor& processor, Editor& editor, const std::function<void()>& interrupt,
                                        const juce::String& textAfter = "N")
{
    auto& box = *editor.getFrontPanel().trackNameBox;
    processor.setSignature("Master Track");
    box.setText("Master Track");

    box.mouseDoubleClick(click(box, 100.0f, 20.0f));
    ASSERT_TRUE(box.isEditing());
    EXPECT_TRUE(box.keyPressed(typed('N'), &box));

    interrupt();
    EXPECT_FALSE(box.isEditing());
    EXPECT_EQ(box.getWidth(), box.textAreaWidth);
    EXPECT_FALSE(box.keyPressed(typed('Q'), &box));
    EXPECT_FALSE(box.keyPressed(juce::KeyPress(juce::KeyPress::returnKey), &box));
    EXPECT_EQ(box.getText(), textAfter);
    deliverPostedCommands();
    EXPECT_EQ(processor.getSignature(), "Master Track");
}

// Both checks for each press elsewhere. A press in the click area of the back
// panel shows it; the front panel comes back with `showFrontPanelCommand`.
template <typename Processor, typename Editor, typename Presses>
void checkPressesElsewhereStopEditing(Processor& processor, Editor& editor, const Presses& presses,
                                      int showFrontPanelCommand)
{
    for (const PressElsewhere& press : presses)
    {
        SCOPED_TRACE(press.name);
        checkTheLatencyEntryStopsEditing(processor, editor, press);
        checkTheTrackNameStripStopsEditing(processor, editor, press);
        editor.handleCommandMessage(showFrontPanelCommand);
    }
}

// Both checks for the window going small, from the large window: through the
// size button and through a state restore's setSizeMode (which also gives the
// strip the restored name).
template <typename Processor, typename Editor>
void checkMakingTheWindowSmallStopsEditing(Processor& processor, Editor& editor)
{
    // Mouse handlers are public in Component.
    juce::Component& sizeButton = *editor.getFrontPanel().sizeButton;
    const auto makeLarge = [&] {
        processor.getSizeFlag() = 1;
        editor.setSizeMode(processor.getSignature(), 1);
    };
    const auto pressSizeButton = [&] {
        sizeButton.mouseDown(click(sizeButton, 3.0f, 3.0f));
        sizeButton.mouseUp(click(sizeButton, 3.0f, 3.0f));
        EXPECT_EQ(processor.getSizeFlag().load(), 0);
        EXPECT_EQ(editor.getHeight(), Editor::smallHeight);
    };
    const auto restoreSmall = [&] {
        editor.setSizeMode("Bass DI", 0);
        EXPECT_EQ(editor.getHeight(), Editor::smallHeight);
    };

    {
        SCOPED_TRACE("size button");
        makeLarge();
        checkTheLatencyEntryStopsEditing(processor, editor, pressSizeButton);
        makeLarge();
        checkTheTrackNameStripStopsEditing(processor, editor, pressSizeButton);
    }
    {
        SCOPED_TRACE("setSizeMode");
        makeLarge();
        checkTheLatencyEntryStopsEditing(processor, editor, restoreSmall);
        makeLarge();
        checkTheTrackNameStripStopsEditing(processor, editor, restoreSmall, "Bass DI");
    }
}
} // namespace kittest
