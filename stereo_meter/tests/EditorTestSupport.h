#pragma once

// Helpers of the stereo editor and panel tests: the kit's editor test helpers,
// this meter's editor opened and closed as the binding does it, and the fixture
// of an open editor with the default settings.

#include "TarvoTestSupport.h"
#include "EditorWindowSuite.h"
#include "MeterEditorFixture.h"
#include "PluginTesting.h"
#include "TarvoCommandIds.h"
#include "VyrTarvoAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>


namespace vyrtarvo::testing
{
// The kit's editor test helpers, by their short names.
using namespace kittest;

inline VyrTarvoAudioProcessorEditor* openEditor(VyrTarvoAudioProcessor& p) { return openEditorOf<VyrTarvoAudioProcessorEditor>(p); }
inline void closeEditor(VyrTarvoAudioProcessor& p, VyrTarvoAudioProcessorEditor*& editor) { closeEditorIfOpen(p, editor); }

// A processor with default settings and an open editor.
struct EditorFixture : MeterEditorFixture<VyrTarvoAudioProcessor, VyrTarvoAudioProcessorEditor>
{
    void SetUp() override
    {
        makeProcessor(512);
        restoreDefaultSettings(*processor);
        openTheEditor();
        ASSERT_NE(editor, nullptr);
        // One tick catches up with the setting changes made before the editor opened.
        editor->timerCallback();
        listenAsTheHost();
    }

    void TearDown() override
    {
        closeTheEditor();
        restoreDefaultSettings(*processor);
    }
};

// What the kit's window suites need to know of this meter's window.
struct Window : kittest::WindowFacts<EditorFixture>
{
    static constexpr int width = 586, timerIntervalMs = 30;
    static constexpr kittest::WindowCommandIds commands { CommandId::hold, CommandId::signature, CommandId::trimText,
                                                         CommandId::showBackPanel, CommandId::showFrontPanel };

    static std::vector<juce::Button*> moreButtonsWithoutFocus(Fixture& f)
    {
        return { f.front().lrmsButton.get(), f.back().measureButton.get() };
    }
};
} // namespace vyrtarvo::testing
