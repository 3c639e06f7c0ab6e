#pragma once

// Helpers of the single-channel editor and panel tests: a processor configured as
// a host does, an editor opened and closed the way the plug-in binding does it, a
// clock the tests move by hand, a recorder of host notifications, the settings
// store the stereo meter writes, message-loop pumping and synthetic mouse events.

#include "RegistryStore.h"
#include "VyrTarvoMAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>
#include <vector>

namespace vyrtarvom::editortesting
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
inline void setParameter(VyrTarvoMAudioProcessor& p, int index, float value) { p.setParameter(index, value); }
inline float parameter(VyrTarvoMAudioProcessor& p, int index) { return p.getParameter(index); }
inline juce::String parameterText(VyrTarvoMAudioProcessor& p, int index) { return p.getParameterText(index); }
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// The processor's millisecond clock, moved by the tests.
inline std::atomic<juce::uint32> testMilliseconds { 100000 };
inline juce::uint32 testClock() { return testMilliseconds.load(); }

// Runs the message loop so that posted commands and queued calls arrive.
inline void pump(int milliseconds = 20)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
}

// The stereo meter's key, from which this plug-in reads its settings.
inline juce::String storedSetting(const char* name)
{
    return juce::String("HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\") + name;
}

inline const char* const storedSettingNames[] = { "tarvoReference", "tarvoIntegration", "tarvoHold", "tarvoReturn",
                                                  "tarvoOver", "tarvoOverReference", "tarvoOverSampling" };

// What the stereo meter does when its back panel is left: it saves a setting.
inline void saveAsTheStereoMeter(const char* name, const juce::String& text)
{
    vyrplatform::RegistryStore::setValue(storedSetting(name), text);
}

// Forgets every stored setting, so the defaults apply again.
inline void clearStoredSettings()
{
    for (auto* name : storedSettingNames)
        vyrplatform::RegistryStore::deleteValue(storedSetting(name));
}

// Configures an instance as a host does: channels, rate, then prepareToPlay.
inline void configure(VyrTarvoMAudioProcessor& p, int ins, int outs, double rate, int blockSize)
{
    p.setPlayConfigDetails(ins, outs, rate, blockSize);
    p.prepareToPlay(rate, blockSize);
}

// Feeds the channels through processBlock in blocks of the given sizes (cycled),
// in place, holding the callback lock as the host's wrapper does.
inline void process(VyrTarvoMAudioProcessor& p, std::vector<std::vector<float>>& channels,
                    const std::vector<int>& blockSizes)
{
    const int total = static_cast<int>(channels[0].size());
    const int numChannels = static_cast<int>(channels.size());
    std::vector<float*> pointers(channels.size());
    juce::MidiBuffer midi;
    int start = 0;
    size_t which = 0;
    while (start < total)
    {
        const int n = juce::jmin(blockSizes[which++ % blockSizes.size()], total - start);
        for (int c = 0; c < numChannels; ++c)
            pointers[(size_t) c] = channels[(size_t) c].data() + start;
        juce::AudioBuffer<float> buffer(pointers.data(), numChannels, n);
        const juce::ScopedLock lock(p.getCallbackLock());
        p.processBlock(buffer, midi);
        start += n;
    }
}

// A stereo sine of the given amplitude on both channels.
inline std::vector<std::vector<float>> tone(float amplitude, int samples)
{
    std::vector<std::vector<float>> channels(2, std::vector<float>((size_t) samples));
    for (int i = 0; i < samples; ++i)
        channels[0][(size_t) i] = channels[1][(size_t) i] = amplitude * static_cast<float>(std::sin(0.0628 * i));
    return channels;
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
inline VyrTarvoMAudioProcessorEditor* openEditor(VyrTarvoMAudioProcessor& p)
{
    return dynamic_cast<VyrTarvoMAudioProcessorEditor*>(p.createEditorIfNeeded());
}

inline void closeEditor(VyrTarvoMAudioProcessor& p, VyrTarvoMAudioProcessorEditor*& editor)
{
    if (editor == nullptr)
        return;
    p.editorBeingDeleted(editor);
    delete editor;
    editor = nullptr;
}

// A processor at 44100 Hz with the default settings (nothing stored), its clock
// under test control, and an open editor, which holds the poll role.
struct EditorFixture : ::testing::Test
{
    std::unique_ptr<VyrTarvoMAudioProcessor> processor;
    VyrTarvoMAudioProcessorEditor* editor = nullptr;
    HostNotifications host;

    void SetUp() override
    {
        clearStoredSettings();
        processor = std::make_unique<VyrTarvoMAudioProcessor>();
        processor->setMillisecondClock(&testClock);
        configure(*processor, 2, 2, 44100.0, 512);
        pump(1);
        editor = openEditor(*processor);
        ASSERT_NE(editor, nullptr);
        processor->addListener(&host);
    }

    void TearDown() override
    {
        processor->removeListener(&host);
        closeEditor(*processor, editor);
        pump(1);
        processor.reset();
        clearStoredSettings();
        // Back to the default settings for whatever runs next in this process.
        VyrTarvoMAudioProcessor().reloadStoredDefaults();
    }

    FrontPanel& front() { return editor->getFrontPanel(); }
    BackPanel& back() { return editor->getBackPanel(); }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            editor->timerCallback();
    }
};

// A press at a point of a component, delivered to it directly.
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

// The smallest rectangle holding every pixel that is not fully transparent.
inline juce::Rectangle<int> paintedArea(const juce::Image& image)
{
    juce::Rectangle<int> area;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt(x, y).getAlpha() != 0)
                area = area.isEmpty() ? juce::Rectangle<int>(x, y, 1, 1) : area.getUnion({ x, y, 1, 1 });
    return area;
}
} // namespace vyrtarvom::editortesting
