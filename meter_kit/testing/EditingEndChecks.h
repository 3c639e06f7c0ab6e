#pragma once

// The front panels' track-name strip and latency entry stop editing when the
// user presses elsewhere in the window or makes the window small, as they do
// when they lose the focus: what was typed is not committed and nothing is
// posted, and the press does what it does when nothing is being edited. The
// three meters' editor tests run these checks with their own processor, editor
// and places to press.

#include "MouseTesting.h"
#include "PluginTesting.h"
#include "WindowPresses.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <algorithm>
#include <functional>
#include <map>
#include <typeinfo>
#include <utility>
#include <vector>

namespace kittest
{
// A press (and release) on a part of the window, made through JUCE's mouse
// handling of the window on screen: a panel's face, a needle meter, a button, a
// slider. `position` is in the component's own coordinates.
struct PressElsewhere
{
    const char* name;
    juce::Component* component;
    juce::Point<int> position;

    void operator()() const { pressThroughTheWindow(*component, position); }
};

// Presses on the controls that every front panel has, each at the same place of
// its control: the hold switch, the Active, size and help buttons, the trim
// slider.
template <typename FrontPanel>
std::vector<PressElsewhere> pressesOnTheFrontPanelControls(FrontPanel& front)
{
    return { { "hold switch", front.holdSwitch.get(), { 70, 12 } },
             { "Active button", front.activeButton.get(), { 20, 7 } },
             { "size button", front.sizeButton.get(), { 5, 7 } },
             { "help button", front.helpButton.get(), { 5, 7 } },
             { "trim slider", front.trimSlider.get(), { 16, 60 } } };
}

// Every press elsewhere in the window of a meter with one needle: the VU and the
// single-channel meters' pages are laid out alike.
template <typename FrontPanel, typename BackPanel>
std::vector<PressElsewhere> pressesElsewhereInAOneNeedleWindow(FrontPanel& front, BackPanel& back)
{
    auto presses = pressesOnTheFrontPanelControls(front);
    presses.insert(presses.end(), { { "face beside the trim", &front, { 266, 60 } },
                                    { "face beside the switch", &front, { 150, 150 } },
                                    { "meter", front.meter.get(), { 125, 60 } },
                                    { "back-panel click area", &front, { 60, 150 } },
                                    { "back panel", &back, { 150, 100 } } });
    return presses;
}

inline juce::KeyPress typed(juce::juce_wchar c) { return juce::KeyPress(static_cast<int>(c), {}, c); }

// Runs the message loop long enough for a posted command to arrive.
inline void deliverPostedCommands() { juce::MessageManager::getInstance()->runDispatchLoopUntil(20); }

// Latency 123 ms; double-click on the digits, type 4, then `interrupt` (a press
// elsewhere, the window going small): the digits return to 1 2 3, no latency is
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
    EXPECT_EQ(std::count(host.changed.begin(), host.changed.end(), static_cast<int>(Processor::latencyParameter)), 0);
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

// What a press did: the host parameters the host heard of, the window's height,
// and the components of the window that appeared or went, and the buttons and
// sliders whose state or value moved.
struct PressEffect
{
    std::vector<int> heard;
    int height = 0;
    std::vector<const juce::Component*> changed;

    bool operator==(const PressEffect& o) const { return heard == o.heard && height == o.height && changed == o.changed; }
};

inline std::ostream& operator<<(std::ostream& os, const PressEffect& e)
{
    os << "heard";
    for (int index : e.heard)
        os << " " << index;
    os << ", height " << e.height << ", " << e.changed.size() << " components changed:";
    for (const auto* c : e.changed)
        os << " " << typeid(*c).name() << " at " << c->getBounds().toString();
    return os;
}

using ControlStates = std::map<const juce::Component*, std::pair<bool, double>>;

inline void collectControlStates(const juce::Component& area, ControlStates& states)
{
    for (const auto* child : area.getChildren())
    {
        double value = 0.0;
        if (const auto* button = dynamic_cast<const juce::Button*>(child))
            value = button->getToggleState() ? 1.0 : 0.0;
        else if (const auto* slider = dynamic_cast<const juce::Slider*>(child))
            value = slider->getValue();
        states[child] = { child->isVisible(), value };
        collectControlStates(*child, states);
    }
}

template <typename Processor, typename Editor>
PressEffect effectOf(Processor& processor, Editor& editor, const std::function<void()>& press)
{
    ControlStates before, after;
    collectControlStates(editor, before);
    PressEffect effect;
    {
        HostHears host(processor);
        press();
        deliverPostedCommands();
        effect.heard = host.changed;
    }
    effect.height = editor.getHeight();
    collectControlStates(editor, after);
    for (const auto& [component, state] : after)
    {
        const auto old = before.find(component);
        if (old == before.end() || old->second != state)
            effect.changed.push_back(component);
    }
    for (const auto& entry : before)
        if (after.count(entry.first) == 0)
            effect.changed.push_back(entry.first);
    return effect;
}

// Both checks for each press elsewhere, with the window on screen (skipped
// without an X display), and the same press once with nothing being edited: the
// press does what it does then (the host hears the same, the same controls
// move), whatever was being edited. Before each, the window is large, the host
// parameters have their values of the start (`restoreSettings` puts back what
// else a press may change), and the page that holds the pressed component is
// shown, by `showBackPanelCommand` or `showFrontPanelCommand`.
template <typename Processor, typename Editor, typename Presses>
void checkPressesElsewhereStopEditing(Processor& processor, Editor& editor, const Presses& presses,
                                      int showBackPanelCommand, int showFrontPanelCommand,
                                      const std::function<void()>& restoreSettings = {})
{
    if (! hasDisplay())
        GTEST_SKIP() << "no X display";
    OnScreen onScreen(editor);
    std::vector<float> parameters;
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    for (int index = 0; index < processor.getNumParameters(); ++index)
        parameters.push_back(hostParameter(processor, index));
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    for (const PressElsewhere& press : presses)
    {
        SCOPED_TRACE(press.name);
        const auto bringUp = [&] {
            for (size_t index = 0; index < parameters.size(); ++index)
                setHostParameter(processor, static_cast<int>(index), parameters[index]);
            if (restoreSettings)
                restoreSettings();
            processor.getSizeFlag() = 1;
            editor.setSizeMode(processor.getSignature(), 1);
            auto& back = editor.getBackPanel();
            const bool onTheBackPanel = press.component == &back || back.isParentOf(press.component);
            editor.handleCommandMessage(onTheBackPanel ? showBackPanelCommand : showFrontPanelCommand);
            deliverPostedCommands();
        };
        bringUp();
        const PressEffect alone = effectOf(processor, editor, press);

        PressEffect whileEditing;
        const auto measuredPress = [&] { whileEditing = effectOf(processor, editor, press); };
        bringUp();
        checkTheLatencyEntryStopsEditing(processor, editor, measuredPress);
        EXPECT_EQ(whileEditing, alone) << "with the latency entry being edited";
        bringUp();
        checkTheTrackNameStripStopsEditing(processor, editor, measuredPress);
        EXPECT_EQ(whileEditing, alone) << "with the track-name strip being edited";
    }
    editor.handleCommandMessage(showFrontPanelCommand);
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
