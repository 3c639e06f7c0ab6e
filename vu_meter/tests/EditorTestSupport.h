#pragma once

// Helpers of the VU editor and panel tests: an editor opened and closed the way
// the plug-in binding does it, a clock the tests move by hand, a recorder of host
// notifications, the settings store under test control, message-loop pumping and
// synthetic mouse events.

#include "RegistryStore.h"
#include "EditorTesting.h"
#include "VyrKelsoMAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace vyrkelsom::editortest
{
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

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
inline void setParameter(VyrKelsoMAudioProcessor& p, int index, float value) { p.setParameter(index, value); }
inline float getParameter(VyrKelsoMAudioProcessor& p, int index) { return p.getParameter(index); }
inline juce::String parameterText(VyrKelsoMAudioProcessor& p, int index) { return p.getParameterText(index); }
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// The VU meter's key in the settings store, and its eight values (indices 5..12).
inline const juce::String storeKey = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRKELSO\\";
inline const char* const storedValueNames[] = { "vuType",    "vuReference", "vuIntegration", "vuBacklit",
                                                "vuHold",    "vuOver",      "vuOverRef",     "vuOverSampling" };

inline void storeSetting(int index, const juce::String& text)
{
    ASSERT_TRUE(vyrplatform::RegistryStore::setValue(storeKey + storedValueNames[index - 5], text));
}

// Removes every stored value, so the next reread gives the defaults.
inline void clearStoredSettings()
{
    for (const char* name : storedValueNames)
        vyrplatform::RegistryStore::deleteValue(storeKey + name);
}

// Opens the editor as the binding does, and closes it in the order JUCE asserts.
inline VyrKelsoMAudioProcessorEditor* openEditor(VyrKelsoMAudioProcessor& p)
{
    return dynamic_cast<VyrKelsoMAudioProcessorEditor*>(p.createEditorIfNeeded());
}

inline void closeEditor(VyrKelsoMAudioProcessor& p, VyrKelsoMAudioProcessorEditor*& editor) { closeEditorIfOpen(p, editor); }

// Configures an instance as a host does: channels, rate, then prepareToPlay.
inline void configure(VyrKelsoMAudioProcessor& p, int ins, int outs, double rate, int blockSize)
{
    p.setPlayConfigDetails(ins, outs, rate, blockSize);
    p.prepareToPlay(rate, blockSize);
}

// Feeds the channels through processBlock in blocks of the given size, in place,
// under the callback lock as the host does.
inline void process(VyrKelsoMAudioProcessor& p, std::vector<std::vector<float>>& channels, int blockSize)
{
    const int total = static_cast<int>(channels[0].size());
    std::vector<float*> pointers(channels.size());
    juce::MidiBuffer midi;
    for (int start = 0; start < total; start += blockSize)
    {
        const int n = juce::jmin(blockSize, total - start);
        for (size_t c = 0; c < channels.size(); ++c)
            pointers[c] = channels[c].data() + start;
        juce::AudioBuffer<float> buffer(pointers.data(), static_cast<int>(channels.size()), n);
        const juce::ScopedLock lock(p.getCallbackLock());
        p.processBlock(buffer, midi);
    }
}

// A stereo sine of the given peak, both channels alike.
inline std::vector<std::vector<float>> sine(float peak, int samples, double cyclesPerSample = 1000.0 / 44100.0)
{
    std::vector<std::vector<float>> c(2, std::vector<float>(static_cast<size_t>(samples)));
    for (size_t i = 0; i < c[0].size(); ++i)
        c[0][i] = c[1][i] = peak * static_cast<float>(std::sin(2.0 * juce::MathConstants<double>::pi
                                                             * cyclesPerSample * static_cast<double>(i)));
    return c;
}

// A processor at 44100 Hz with the stored defaults (the store holds no values),
// its clock under test control, and an open editor that holds the poll role.
struct EditorFixture : ::testing::Test
{
    std::unique_ptr<VyrKelsoMAudioProcessor> processor;
    VyrKelsoMAudioProcessorEditor* editor = nullptr;
    HostNotifications host;

    void SetUp() override
    {
        clearStoredSettings();
        processor = std::make_unique<VyrKelsoMAudioProcessor>();
        processor->setMillisecondClock(&testClock);
        configure(*processor, 2, 2, 44100.0, 441);
        pump(1);
        ASSERT_FALSE(VyrKelsoMAudioProcessor::isPollRoleTaken()) << "an editor of an earlier test is still open";
        editor = openEditor(*processor);
        ASSERT_NE(editor, nullptr);
        processor->addListener(&host);
    }

    void TearDown() override
    {
        processor->removeListener(&host);
        closeEditor(*processor, editor);
        pump(1);
        clearStoredSettings();
        processor->reloadStoredDefaults();
        processor.reset();
    }

    FrontPanel& front() { return editor->getFrontPanel(); }
    BackPanel& back() { return editor->getBackPanel(); }
};
} // namespace vyrkelsom::editortest
