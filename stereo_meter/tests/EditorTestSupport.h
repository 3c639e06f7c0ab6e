#pragma once

// Helpers of the editor and panel tests: an editor opened and closed the way the
// plug-in binding does it, a clock the tests move by hand, a recorder of host
// notifications, message-loop pumping and synthetic mouse events.

#include "TarvoTestSupport.h"
#include "VyrTarvoAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>
#include <vector>

namespace vyrtarvo::testing
{
// The processor's millisecond clock, moved by the tests.
inline std::atomic<juce::uint32> testMilliseconds { 100000 };
inline juce::uint32 testClock() { return testMilliseconds.load(); }

// Runs the message loop so that posted commands and queued calls arrive.
inline void pump(int milliseconds = 20)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
}

// What the host hears of parameter changes.
struct HostNotifications : juce::AudioProcessorListener
{
    struct Change
    {
        int index;
        float value;
    };
    std::vector<Change> changes;

    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float value) override
    {
        changes.push_back({ index, value });
    }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
};

// Opens the editor as the binding does, and closes it in the order JUCE asserts.
inline VyrTarvoAudioProcessorEditor* openEditor(VyrTarvoAudioProcessor& p)
{
    return dynamic_cast<VyrTarvoAudioProcessorEditor*>(p.createEditorIfNeeded());
}

inline void closeEditor(VyrTarvoAudioProcessor& p, VyrTarvoAudioProcessorEditor*& editor)
{
    if (editor == nullptr)
        return;
    p.editorBeingDeleted(editor);
    delete editor;
    editor = nullptr;
}

// A processor at 44100 Hz with default settings, its clock under test control,
// and an open editor.
struct EditorFixture : ::testing::Test
{
    std::unique_ptr<VyrTarvoAudioProcessor> processor = std::make_unique<VyrTarvoAudioProcessor>();
    VyrTarvoAudioProcessorEditor* editor = nullptr;
    HostNotifications host;

    void SetUp() override
    {
        processor->setMillisecondClock(&testClock);
        configure(*processor, 2, 2, 44100.0, 512);
        restoreDefaultSettings(*processor);
        pump(1);
        editor = openEditor(*processor);
        ASSERT_NE(editor, nullptr);
        // One tick catches up with the setting changes made before the editor opened.
        editor->timerCallback();
        processor->addListener(&host);
    }

    void TearDown() override
    {
        processor->removeListener(&host);
        closeEditor(*processor, editor);
        restoreDefaultSettings(*processor);
        pump(1);
    }

    FrontPanel& front() { return editor->getFrontPanel(); }
    BackPanel& back() { return editor->getBackPanel(); }
};

// A press (and release) at a point of a component, delivered to it directly.
inline juce::MouseEvent mouseAt(juce::Component& component, int x, int y, int clicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    const juce::Point<float> pos { static_cast<float>(x), static_cast<float>(y) };
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), pos, juce::ModifierKeys(),
                            juce::MouseInputSource::defaultPressure,
                            juce::MouseInputSource::defaultOrientation,
                            juce::MouseInputSource::defaultRotation,
                            juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY,
                            &component, &component, now, pos, now, clicks, false);
}

// Mouse handlers reached through Component, where they are public.
inline void press(juce::Component& component, int x, int y, int clicks = 1)
{
    component.mouseDown(mouseAt(component, x, y, clicks));
}

inline void release(juce::Component& component, int x, int y)
{
    component.mouseUp(mouseAt(component, x, y));
}

// Paints a component with its children into an image, as the screen would.
inline juce::Image snapshot(juce::Component& component)
{
    return component.createComponentSnapshot(component.getLocalBounds(), true, 1.0f);
}

inline int countPixels(const juce::Image& image, juce::Rectangle<int> area, juce::Colour colour)
{
    int n = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (image.getPixelAt(x, y).getARGB() == colour.getARGB())
                ++n;
    return n;
}
} // namespace vyrtarvo::testing
