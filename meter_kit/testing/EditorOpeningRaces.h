#pragma once

// The editors' concurrency checks that all three meters share: host calls that
// arrive while an editor is being built, or while editors come and go, are never
// lost and never leave an editor showing an older value than the processor holds.
// Each meter's EditorConcurrency tests run them with its processor and editor.

#include "EditorTesting.h"
#include "EditorThreadTesting.h"
#include "PluginTesting.h"
#include "ProcessorTesting.h"
#include "SafeNumbers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

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
    editor->timerCallback(); // the parameters show at the next display tick

    auto& front = editor->getFrontPanel();
    EXPECT_EQ(front.holdSwitch->getValue(), 2.0);
    EXPECT_NEAR(front.trimSlider->getValue(), 10.0, 1e-9);
    EXPECT_TRUE(front.activeButton->getToggleState());
    EXPECT_EQ(front.trackNameBox->getText(), "Restored Bass");
    EXPECT_EQ(editor->getHeight(), Editor::largeHeight);
    closeEditorOf(processor, editor);
}

// A host thread sets the trim again and again while editors are opened and
// closed; once it pauses, the open editor shows the value the processor holds
// at its next display tick.
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
        editor->timerCallback(); // the parameters show at the next display tick
        EXPECT_NEAR(editor->getFrontPanel().trimSlider->getValue(),
                    trimPosition(hostParameter(processor, Processor::trimParameter)), 1e-9)
            << "round " << round;
        closeEditorOf(processor, editor);
    }
}

// A saved state with the given track name, window size and hold parameter.
template <typename Processor>
juce::MemoryBlock stateWith(const juce::String& name, int size, float hold)
{
    Processor source;
    source.setSignature(name);
    source.getSizeFlag() = size;
    setParameter(source, Processor::holdParameter, hold);
    juce::MemoryBlock state;
    source.getStateInformation(state);
    return state;
}

// A host thread and an audio thread at work on one processor until destroyed.
// The host sets the parameters 0 .. parameterCycle - 1 in turn to random values,
// restores one of two states every 50 calls and rests 1 ms every pacing calls,
// so that the calls queued for the message thread never outrun it, even under
// ThreadSanitizer's slowdown. The audio thread processes 256-sample blocks of
// noise up to the given peak, 2 ms apart.
template <typename Processor>
class HostAndAudioTraffic
{
public:
    HostAndAudioTraffic(Processor& p, int parameterCycle, int pacing, float peak)
        : processor(p),
          states { stateWith<Processor>("Alpha", 1, 0.5f), stateWith<Processor>("Beta", 0, 1.0f) },
          host([this, parameterCycle, pacing] { hostCalls(parameterCycle, pacing); }),
          audio([this, peak] { audioBlocks(peak); })
    {
    }

    ~HostAndAudioTraffic() { stop(); }

    void stop()
    {
        stopping = true;
        if (host.joinable())
            host.join();
        if (audio.joinable())
            audio.join();
    }

private:
    void hostCalls(int parameterCycle, int pacing)
    {
        juce::Random random(7);
        for (int i = 0; ! stopping.load(); ++i)
        {
            setParameter(processor, i % parameterCycle, random.nextFloat());
            if (i % 50 == 0)
            {
                const auto& state = states[(i / 50) % 2];
                processor.setStateInformation(state.getData(), static_cast<int>(state.getSize()));
            }
            if (i % pacing == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void audioBlocks(float peak)
    {
        std::vector<std::vector<float>> block(2, std::vector<float>(256));
        juce::Random random(11);
        while (! stopping.load())
        {
            for (auto& channel : block)
                for (auto& sample : channel)
                    sample = random.nextFloat() * (2.0f * peak) - peak;
            process(processor, block, { 256 });
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    Processor& processor;
    const juce::MemoryBlock states[2];
    std::atomic<bool> stopping { false };
    std::thread host;
    std::thread audio; // last, so that both threads start once the rest is built
};

// Rounds of a window opened and closed under traffic: each opens the editor,
// leaves the message loop to run for settleMs, ticks once, swaps the page (to
// the back on even rounds), moves the trim to round - 6 dB as a drag does, hands
// the editor to afterTheTrim, and closes it.
struct WindowRounds
{
    int rounds;
    int settleMs;
    int showBackPanelCommand;
    int showFrontPanelCommand;
};

template <typename Editor, typename Processor, typename AfterTheTrim>
void runWindowRounds(Processor& processor, const WindowRounds& r, AfterTheTrim&& afterTheTrim)
{
    for (int round = 0; round < r.rounds; ++round)
    {
        auto* editor = openEditorOf<Editor>(processor);
        ASSERT_NE(editor, nullptr);
        pump(r.settleMs);
        editor->timerCallback();
        editor->handleCommandMessage(round % 2 == 0 ? r.showBackPanelCommand : r.showFrontPanelCommand);
        editor->getFrontPanel().trimSlider->setValue(round - 6.0, juce::sendNotificationSync);
        afterTheTrim(*editor);
        pump(10);
        closeEditorIfOpen(processor, editor);
        pump(5);
    }
}

// Once the threads are quiet and the calls queued for editors that are gone are
// dropped, a new editor shows what the processor holds.
template <typename Processor, typename Editor>
void checkANewEditorShowsWhatTheProcessorHolds(Processor& processor, Editor& editor)
{
    const float hold = parameter(processor, Processor::holdParameter);
    EXPECT_EQ(editor.getFrontPanel().holdSwitch->getValue(), vyrkit::truncToInt(hold * 2.0f + 0.5));
    EXPECT_EQ(editor.getFrontPanel().trackNameBox->getText(), processor.getSignature());
    EXPECT_EQ(editor.getHeight(), processor.getSizeFlag().load() != 0 ? 205 : 167);
}
} // namespace kittest
