#pragma once

// Helpers of the single-channel editor and panel tests: a processor configured as
// a host does, an editor opened and closed the way the plug-in binding does it, a
// clock the tests move by hand, a recorder of host notifications, the settings
// store the stereo meter writes, message-loop pumping and synthetic mouse events.

#include "RegistryStore.h"
#include "EditorTesting.h"
#include "VyrTarvoMAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace vyrtarvom::editortesting
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
inline void setParameter(VyrTarvoMAudioProcessor& p, int index, float value) { p.setParameter(index, value); }
inline float parameter(VyrTarvoMAudioProcessor& p, int index) { return p.getParameter(index); }
inline juce::String parameterText(VyrTarvoMAudioProcessor& p, int index) { return p.getParameterText(index); }
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

using kittest::BusyAudioThread;
using kittest::closeEditorIfOpen;
using kittest::countPixels;
using kittest::HostNotifications;
using kittest::keepForInspection;
using kittest::mouseAt;
using kittest::paintedArea;
using kittest::press;
using kittest::pump;
using kittest::release;
using kittest::snapshot;
using kittest::testClock;
using kittest::testMilliseconds;

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

// Opens the editor as the binding does, and closes it in the order JUCE asserts.
inline VyrTarvoMAudioProcessorEditor* openEditor(VyrTarvoMAudioProcessor& p)
{
    return dynamic_cast<VyrTarvoMAudioProcessorEditor*>(p.createEditorIfNeeded());
}

inline void closeEditor(VyrTarvoMAudioProcessor& p, VyrTarvoMAudioProcessorEditor*& editor) { closeEditorIfOpen(p, editor); }

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
} // namespace vyrtarvom::editortesting
