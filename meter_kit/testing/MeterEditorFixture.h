#pragma once

// The frame of the three meters' editor fixtures: a processor at 44100 Hz whose
// clock the tests move by hand, its editor opened and closed the way the plug-in
// binding does it, and a recorder of what the host hears. Each meter's
// EditorFixture derives from it and adds what its settings need around the
// opening and the closing.

#include "EditorTesting.h"
#include "ProcessorTesting.h"

#include <gtest/gtest.h>

#include <memory>

namespace kittest
{
template <typename Processor, typename Editor>
struct MeterEditorFixture : ::testing::Test
{
    std::unique_ptr<Processor> processor;
    Editor* editor = nullptr;
    HostNotifications host;

    // A new processor, stereo at 44100 Hz, its clock under test control.
    void makeProcessor(int blockSize)
    {
        processor = std::make_unique<Processor>();
        processor->setMillisecondClock(&testClock);
        configure(*processor, 2, 2, 44100.0, blockSize);
    }

    // Opens the editor as the binding does, once the queued messages are through.
    void openTheEditor()
    {
        pump(1);
        editor = dynamic_cast<Editor*>(processor->createEditorIfNeeded());
    }

    void listenAsTheHost() { processor->addListener(&host); }

    // Stops listening and closes the editor in the order JUCE asserts.
    void closeTheEditor()
    {
        processor->removeListener(&host);
        closeEditorIfOpen(*processor, editor);
        pump(1);
    }

    auto& front() { return editor->getFrontPanel(); }
    auto& back() { return editor->getBackPanel(); }
};
} // namespace kittest
