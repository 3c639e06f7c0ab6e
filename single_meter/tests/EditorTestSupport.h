#pragma once

// Helpers of the single-channel editor and panel tests: the kit's editor test
// helpers, this meter's editor opened and closed as the binding does it, the
// settings store the stereo meter writes, and the fixture of an open editor.

#include "RegistryStore.h"
#include "EditorWindowSuite.h"
#include "MeterEditorFixture.h"
#include "PluginTesting.h"
#include "TarvoMCommandIds.h"
#include "VyrTarvoMAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>


namespace vyrtarvom::editortesting
{
// The kit's editor test helpers, by their short names.
using namespace kittest;

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

inline VyrTarvoMAudioProcessorEditor* openEditor(VyrTarvoMAudioProcessor& p) { return openEditorOf<VyrTarvoMAudioProcessorEditor>(p); }
inline void closeEditor(VyrTarvoMAudioProcessor& p, VyrTarvoMAudioProcessorEditor*& editor) { closeEditorIfOpen(p, editor); }

// A processor with the default settings (nothing stored) and an open editor,
// which holds the poll role.
struct EditorFixture : MeterEditorFixture<VyrTarvoMAudioProcessor, VyrTarvoMAudioProcessorEditor>
{
    void SetUp() override
    {
        clearStoredSettings();
        makeProcessor(512);
        openTheEditor();
        ASSERT_NE(editor, nullptr);
        listenAsTheHost();
    }

    void TearDown() override
    {
        closeTheEditor();
        processor.reset();
        clearStoredSettings();
        // Back to the default settings for whatever runs next in this process.
        VyrTarvoMAudioProcessor().reloadStoredDefaults();
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            editor->timerCallback();
    }
};

// What the kit's window suites need to know of this meter's window.
struct Window : kittest::WindowFacts<EditorFixture>
{
    static constexpr int width = 320, timerIntervalMs = 30;
    static constexpr kittest::WindowCommandIds commands { CommandId::hold, CommandId::signature, CommandId::trimText,
                                                         CommandId::showBackPanel, CommandId::showFrontPanel };
};
} // namespace vyrtarvom::editortesting
