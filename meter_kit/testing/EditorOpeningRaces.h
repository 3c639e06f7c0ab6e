#pragma once

// The editors' concurrency checks that all three meters share: host calls that
// arrive while an editor is being built, or while editors come and go, are never
// lost and never leave an editor showing an older value than the processor holds.
// Each meter's EditorConcurrency tests run them with its processor and editor.

#include "EditorThreadTesting.h"
#include "PluginTesting.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace kittest
{
// The trim slider's position for a normalised trim value.
inline double trimPosition(float value)
{
    return static_cast<int>(static_cast<double>(value * 400.0f) + 0.5) * 0.1 - 20.0;
}

// A state restored by a host thread while the editor is being built, after the
// editor has read the values it changes, still reaches the editor.
template <typename Processor, typename Editor>
void checkARestoreWhileTheEditorIsBeingBuiltReachesIt()
{
    HostCallWhileEditorIsBuilt<Processor> processor;
    prepare(processor);
    Processor source;
    source.setSignature("Restored Bass");
    source.getSizeFlag() = 1;
    setHostParameter(source, Processor::holdParameter, 1.0f);
    setHostParameter(source, Processor::trimParameter, 0.75f);
    setHostParameter(source, Processor::activeParameter, 1.0f);
    juce::MemoryBlock state;
    source.getStateInformation(state);
    ASSERT_EQ(processor.getSizeFlag().load(), 0);

    // Active is the last parameter the constructor reads.
    processor.readIndex = Processor::activeParameter;
    processor.hostCall = [&state](Processor& p) {
        p.setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    };
    auto* editor = openEditorOf<Editor>(processor);
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(processor.hostCall, nullptr); // the restore ran during the constructor
    runQueuedCalls();

    auto& front = editor->getFrontPanel();
    EXPECT_EQ(front.holdSwitch->getValue(), 2.0);
    EXPECT_NEAR(front.trimSlider->getValue(), 10.0, 1e-9);
    EXPECT_TRUE(front.activeButton->getToggleState());
    EXPECT_EQ(front.trackNameBox->getText(), "Restored Bass");
    EXPECT_EQ(editor->getHeight(), Editor::largeHeight);
    closeEditorOf(processor, editor);
}

// A host thread sets the trim again and again while editors are opened and
// closed, some with calls still queued for them; once it pauses, the open editor
// shows the value the processor holds.
template <typename Processor, typename Editor>
void checkEveryEditorOpenedWhileTheHostSetsAParameterShowsItsValue()
{
    Processor processor;
    prepare(processor);
    HostThread host([&processor](int i) {
        setHostParameter(processor, Processor::trimParameter, static_cast<float>(i % 401) / 400.0f);
        if (i % 4 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    });

    for (int round = 0; round < 12; ++round)
    {
        host.resume();
        auto* editor = openEditorOf<Editor>(processor);
        ASSERT_NE(editor, nullptr);
        juce::MessageManager::getInstance()->runDispatchLoopUntil(2);
        if (round % 2 == 1)
        {
            // The editor closes with calls still queued for it, the host goes on
            // without an editor, and the next editor opens after it pauses.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            closeEditorOf(processor, editor);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            host.pause();
            editor = openEditorOf<Editor>(processor);
        }
        host.pause();
        runQueuedCalls();
        EXPECT_NEAR(editor->getFrontPanel().trimSlider->getValue(),
                    trimPosition(hostParameter(processor, Processor::trimParameter)), 1e-9)
            << "round " << round;
        closeEditorOf(processor, editor);
    }
}
} // namespace kittest
