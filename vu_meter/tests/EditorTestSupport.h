#pragma once

// Helpers of the VU editor and panel tests: the kit's editor test helpers, this
// meter's editor opened and closed as the binding does it, the settings store
// under test control, a test sine, and the fixture of an open editor.

#include "RegistryStore.h"
#include "EditorWindowSuite.h"
#include "MeterEditorFixture.h"
#include "PluginTesting.h"
#include "KelsoCommandIds.h"
#include "VyrKelsoMAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace vyrkelsom::editortest
{
// The kit's editor test helpers, by their short names.
using namespace kittest;

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

inline VyrKelsoMAudioProcessorEditor* openEditor(VyrKelsoMAudioProcessor& p) { return openEditorOf<VyrKelsoMAudioProcessorEditor>(p); }
inline void closeEditor(VyrKelsoMAudioProcessor& p, VyrKelsoMAudioProcessorEditor*& editor) { closeEditorIfOpen(p, editor); }

// A stereo sine of the given peak, both channels alike.
inline std::vector<std::vector<float>> sine(float peak, int samples, double cyclesPerSample = 1000.0 / 44100.0)
{
    std::vector<std::vector<float>> c(2, std::vector<float>(static_cast<size_t>(samples)));
    for (size_t i = 0; i < c[0].size(); ++i)
        c[0][i] = c[1][i] = peak * static_cast<float>(std::sin(2.0 * juce::MathConstants<double>::pi
                                                             * cyclesPerSample * static_cast<double>(i)));
    return c;
}

// A processor with the stored defaults (the store holds no values) and an open
// editor that holds the poll role.
struct EditorFixture : MeterEditorFixture<VyrKelsoMAudioProcessor, VyrKelsoMAudioProcessorEditor>
{
    void SetUp() override
    {
        clearStoredSettings();
        makeProcessor(441);
        ASSERT_FALSE(VyrKelsoMAudioProcessor::isPollRoleTaken()) << "an editor of an earlier test is still open";
        openTheEditor();
        ASSERT_NE(editor, nullptr);
        listenAsTheHost();
    }

    void TearDown() override
    {
        closeTheEditor();
        clearStoredSettings();
        processor->reloadStoredDefaults();
        processor.reset();
    }
};

// What the kit's window suites need to know of this meter's window.
struct Window : kittest::WindowFacts<EditorFixture>
{
    static constexpr int width = 320, timerIntervalMs = 20;
    static constexpr kittest::WindowCommandIds commands { CommandId::hold, CommandId::signature, CommandId::trimText,
                                                         CommandId::showBackPanel, CommandId::showFrontPanel };
};
} // namespace vyrkelsom::editortest
