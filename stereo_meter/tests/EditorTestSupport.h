#pragma once

// Helpers of the editor and panel tests: an editor opened and closed the way the
// plug-in binding does it, a clock the tests move by hand, a recorder of host
// notifications, message-loop pumping and synthetic mouse events.

#include "TarvoTestSupport.h"
#include "EditorTesting.h"
#include "VyrTarvoAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace vyrtarvo::testing
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

// Opens the editor as the binding does, and closes it in the order JUCE asserts.
inline VyrTarvoAudioProcessorEditor* openEditor(VyrTarvoAudioProcessor& p)
{
    return dynamic_cast<VyrTarvoAudioProcessorEditor*>(p.createEditorIfNeeded());
}

inline void closeEditor(VyrTarvoAudioProcessor& p, VyrTarvoAudioProcessorEditor*& editor) { closeEditorIfOpen(p, editor); }

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
} // namespace vyrtarvo::testing
