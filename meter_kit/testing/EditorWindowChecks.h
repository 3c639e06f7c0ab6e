#pragma once

// What every meter's window does the same way, whatever its width: it opens on
// the front page above the back page, takes its height from the window-size
// flag, swaps pages and sizes, passes host automation, commands and typed trims
// on, and hands the track name to the processor alone. The three meters' editor
// tests run these checks with their own processor, editor, width and command ids.

#include "EditorTesting.h"
#include "PluginTesting.h"
#include "ProcessorTesting.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <ostream>
#include <thread>

namespace kittest
{
inline constexpr int smallWindowHeight = 167;
inline constexpr int largeWindowHeight = 205;

// A new editor: the window and both pages at the small height, the front page
// shown above the back page, the display timer running.
template <typename Processor, typename Editor>
void checkTheEditorOpensOnTheFrontPage(Processor& processor, Editor& editor, int width, int timerIntervalMs)
{
    const juce::Rectangle<int> window(0, 0, width, smallWindowHeight);
    EXPECT_EQ(processor.getEditorLink()->getEditor(), &editor);
    EXPECT_EQ(editor.getBounds(), window);
    EXPECT_TRUE(editor.isTimerRunning());
    EXPECT_EQ(editor.getTimerInterval(), timerIntervalMs);

    auto& front = editor.getFrontPanel();
    auto& back = editor.getBackPanel();
    EXPECT_TRUE(front.isVisible());
    EXPECT_FALSE(back.isVisible());
    EXPECT_TRUE(front.isOpaque());
    EXPECT_TRUE(back.isOpaque());
    EXPECT_EQ(front.getBounds(), window);
    EXPECT_EQ(back.getBounds(), window);
    // The back panel was added first, so the front panel lies above it.
    EXPECT_EQ(editor.getIndexOfChildComponent(&back), 0);
    EXPECT_EQ(editor.getIndexOfChildComponent(&front), 1);
}

// Hold "On", 123 ms of delay, +10 dB of trim applied and the name "Drums".
template <typename Processor>
void setUpADrumsTrack(Processor& p)
{
    setParameter(p, Processor::holdParameter, 1.0f);
    setParameter(p, Processor::latencyParameter, 0.123f);
    setParameter(p, Processor::trimParameter, 0.75f);
    setParameter(p, Processor::activeParameter, 1.0f);
    p.setSignature("Drums");
}

// The front page of a window opened on setUpADrumsTrack's processor.
template <typename FrontPanel>
void checkTheFrontPageShowsADrumsTrack(FrontPanel& front)
{
    EXPECT_EQ(front.holdSwitch->getValue(), 2.0);
    EXPECT_EQ(front.latencyControl->valueMs, 123);
    EXPECT_DOUBLE_EQ(front.trimSlider->getValue(), 10.0);
    EXPECT_EQ(front.trimLabel->getText(), "10.0 dB");
    EXPECT_TRUE(front.activeButton->getToggleState());
    EXPECT_TRUE(front.getTrimLook().trimActive.load());
    EXPECT_TRUE(front.getPlusLook().smallWindow.load());
    EXPECT_EQ(front.trackNameBox->getText(), "Drums");
}

// A window of the given size flag with the given track name, hold "On", the
// trim applied and 42 ms of delay: every control shows something, for pictures
// of the whole window.
template <typename Processor, typename Editor>
void setUpAWindowForItsPicture(Processor& processor, Editor& editor, const juce::String& trackName, int size)
{
    processor.getSizeFlag() = size;
    editor.setSizeMode(trackName, size);
    setParameter(processor, Processor::holdParameter, 1.0f);
    setParameter(processor, Processor::activeParameter, 1.0f);
    setParameter(processor, Processor::latencyParameter, 0.042f);
}

template <typename Processor, typename Editor>
void checkTheEditorTakesItsHeightFromTheWindowSizeFlag()
{
    Processor p;
    p.getSizeFlag() = 1;
    auto* editor = openEditorOf<Editor>(p);
    EXPECT_EQ(editor->getHeight(), largeWindowHeight);
    EXPECT_EQ(editor->getFrontPanel().getHeight(), largeWindowHeight);
    EXPECT_EQ(editor->getBackPanel().getHeight(), largeWindowHeight);
    EXPECT_FALSE(editor->getFrontPanel().getPlusLook().smallWindow.load());
    closeEditorIfOpen(p, editor);
}

// A posted command reaches the host once the message loop has run.
template <typename Editor>
void checkPostedCommandsArriveLaterOnTheMessageThread(Editor& editor, HostNotifications& host, int holdCommand)
{
    editor.getFrontPanel().holdSwitch->setValue(2.0, juce::dontSendNotification);
    host.changes.clear();
    editor.postCommandMessage(holdCommand);
    EXPECT_TRUE(host.changes.empty());
    pump();
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].value, 1.0f);
}

template <typename Processor, typename Editor>
void checkTheTrackNameGoesToTheProcessorOnly(Processor& processor, Editor& editor, HostNotifications& host,
                                             int signatureCommand, const juce::String& name)
{
    editor.getFrontPanel().trackNameBox->setText(name);
    editor.handleCommandMessage(signatureCommand);
    EXPECT_EQ(processor.getSignature(), name);
    EXPECT_TRUE(host.changes.empty());
}

struct TypedTrimCase
{
    const char* text;
    float expected;
};

inline std::ostream& operator<<(std::ostream& os, const TypedTrimCase& c) { return os << '"' << c.text << '"'; }

// Typed trims: the leading number of the text, clamped to +-20 dB; no number,
// or one that is not finite, is 0 dB.
inline const TypedTrimCase typedTrimCases[] = {
    { "abc", 0.5f },     { "", 0.5f },       { "35", 1.0f },     { "25", 1.0f },   { "-7.5 dB", 0.3125f },
    { "-40", 0.0f },     { " 3", 0.575f },   { "nan", 0.5f },    { "inf", 0.5f },  { "-inf", 0.5f },
    { "1e999", 0.5f },
};

template <typename Processor, typename Editor>
void checkATypedTrimSetsTheTrim(Processor& processor, Editor& editor, HostNotifications& host, int trimTextCommand,
                                const TypedTrimCase& c)
{
    setParameter(processor, Processor::trimParameter, 0.9f);
    editor.getFrontPanel().trimLabel->setText(c.text, juce::dontSendNotification);
    host.changes.clear();
    editor.handleCommandMessage(trimTextCommand);
    EXPECT_EQ(parameter(processor, Processor::trimParameter), c.expected);
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].index, Processor::trimParameter);
    EXPECT_EQ(host.changes[0].value, c.expected);
}

// Host automation reaches the open editor through the processor: at once on
// the message thread, at the editor's next display tick from another thread.
template <typename Processor, typename Editor>
void checkHostAutomationMovesTheControls(Processor& processor, Editor& editor)
{
    setParameter(processor, Processor::holdParameter, 1.0f);
    EXPECT_EQ(editor.getFrontPanel().holdSwitch->getValue(), 2.0);

    std::thread hostThread([&processor] { setParameter(processor, Processor::latencyParameter, 0.5f); });
    hostThread.join();
    editor.timerCallback();
    EXPECT_EQ(editor.getFrontPanel().latencyControl->valueMs, 500);
}

// The back page takes the window's height when it is shown, not before.
template <typename Editor>
void checkTheBackPanelTakesTheHeightOfTheMomentItIsShown(Editor& editor, int width, int showBackPanel,
                                                         int showFrontPanel)
{
    auto& front = editor.getFrontPanel();
    auto& back = editor.getBackPanel();
    editor.handleCommandMessage(showBackPanel);
    EXPECT_FALSE(front.isVisible());
    EXPECT_TRUE(back.isVisible());
    EXPECT_EQ(back.getBounds(), juce::Rectangle<int>(0, 0, width, smallWindowHeight));
    EXPECT_EQ(editor.getIndexOfChildComponent(&back), 1);

    editor.handleCommandMessage(showFrontPanel);
    EXPECT_TRUE(front.isVisible());
    EXPECT_FALSE(back.isVisible());
    EXPECT_EQ(editor.getIndexOfChildComponent(&front), 1);

    // Enlarged on the front page: the back panel follows when it is next shown.
    press(*front.sizeButton, 3, 3);
    EXPECT_EQ(editor.getBounds(), juce::Rectangle<int>(0, 0, width, largeWindowHeight));
    EXPECT_EQ(back.getHeight(), smallWindowHeight);
    editor.handleCommandMessage(showBackPanel);
    EXPECT_EQ(back.getBounds(), juce::Rectangle<int>(0, 0, width, largeWindowHeight));
}

// The size button acts on the press and toggles on each one.
template <typename Processor, typename Editor>
void checkTheSizeButtonTogglesTheWindowOnThePress(Processor& processor, Editor& editor, int width)
{
    auto& front = editor.getFrontPanel();
    auto& button = *front.sizeButton;
    for (int pressCount = 1; pressCount <= 3; ++pressCount)
    {
        const bool large = pressCount % 2 == 1;
        const int height = large ? largeWindowHeight : smallWindowHeight;
        press(button, 3, 3);
        EXPECT_EQ(processor.getSizeFlag().load(), large ? 1 : 0);
        EXPECT_EQ(editor.getHeight(), height);
        EXPECT_EQ(front.getHeight(), height);
        EXPECT_EQ(editor.getWidth(), width);
        EXPECT_EQ(front.getPlusLook().smallWindow.load(), ! large);
        release(button, 3, 3);
    }
}

template <typename Processor, typename Editor>
void checkSetSizeModeResizesEverythingAndShowsTheName(Processor& processor, Editor& editor, int width)
{
    auto& front = editor.getFrontPanel();
    auto& back = editor.getBackPanel();
    editor.setSizeMode("Bass", 1);
    EXPECT_EQ(front.trackNameBox->getText(), "Bass");
    for (juce::Component* c : { static_cast<juce::Component*>(&editor), static_cast<juce::Component*>(&front),
                                static_cast<juce::Component*>(&back) })
        EXPECT_EQ(c->getBounds(), juce::Rectangle<int>(0, 0, width, largeWindowHeight));
    EXPECT_FALSE(front.getPlusLook().smallWindow.load());
    // The flag is the processor's business.
    EXPECT_EQ(processor.getSizeFlag().load(), 0);

    editor.setSizeMode("Bass", 0);
    EXPECT_EQ(back.getHeight(), smallWindowHeight);
    EXPECT_TRUE(front.getPlusLook().smallWindow.load());
}
} // namespace kittest
