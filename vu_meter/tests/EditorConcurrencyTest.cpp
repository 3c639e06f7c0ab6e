// The VU editor opened, ticking and closed on the message thread while a host
// thread sets parameters and restores states and an audio thread processes
// blocks. Host calls reach the editor only through the message thread;
// scripts/test-tsan runs this under ThreadSanitizer.
#include "EditorTestSupport.h"

#include "EditorOpeningRaces.h"
#include "KelsoCommandIds.h"
#include "SafeNumbers.h"

#include <thread>

namespace vyrkelsom::editortest
{
namespace
{
juce::MemoryBlock stateWith(const juce::String& name, int size, float hold)
{
    VyrKelsoMAudioProcessor source;
    source.setSignature(name);
    source.getSizeFlag() = size;
    setParameter(source, 0, hold);
    juce::MemoryBlock state;
    source.getStateInformation(state);
    return state;
}
} // namespace

TEST(EditorConcurrency, HostAndAudioThreadsWhileEditorsComeAndGo)
{
    clearStoredSettings();
    auto processor = std::make_unique<VyrKelsoMAudioProcessor>();
    configure(*processor, 2, 2, 44100.0, 256);
    const juce::MemoryBlock states[] = { stateWith("Alpha", 1, 0.5f), stateWith("Beta", 0, 1.0f) };

    std::atomic<bool> stop { false };
    std::thread hostThread([&] {
        juce::Random random(7);
        for (int i = 0; ! stop.load(); ++i)
        {
            setParameter(*processor, i % 5, random.nextFloat());
            if (i % 50 == 0)
            {
                const auto& state = states[(i / 50) % 2];
                processor->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
            }
            // Every call reaches the open editor as a queued message; a pause now
            // and then keeps the queue within what the message thread handles,
            // also under ThreadSanitizer.
            if (i % 8 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    std::thread audioThread([&] {
        std::vector<std::vector<float>> block(2, std::vector<float>(256));
        juce::Random random(11);
        while (! stop.load())
        {
            for (auto& channel : block)
                for (auto& sample : channel)
                    sample = random.nextFloat() * 2.4f - 1.2f;
            process(*processor, block, { 256 });
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });

    storeSetting(8, "0.75");
    for (int round = 0; round < 12; ++round)
    {
        auto* editor = openEditor(*processor);
        ASSERT_NE(editor, nullptr);
        pump(45);
        editor->timerCallback();
        editor->handleCommandMessage(round % 2 == 0 ? CommandId::showBackPanel : CommandId::showFrontPanel);
        editor->getFrontPanel().trimSlider->setValue(round - 6.0, juce::sendNotificationSync);
        editor->getFrontPanel().meter->mouseDown(mouseAt(*editor->getFrontPanel().meter, 30, 30));
        pump(10);
        closeEditor(*processor, editor);
        pump(5);
    }

    stop = true;
    hostThread.join();
    audioThread.join();
    pump(50); // calls queued for an editor that is gone are dropped
    EXPECT_FALSE(VyrKelsoMAudioProcessor::isPollRoleTaken());

    // Once the threads are quiet an editor shows what the processor holds.
    auto* editor = openEditor(*processor);
    const float hold = parameter(*processor, 0);
    EXPECT_EQ(editor->getFrontPanel().holdSwitch->getValue(), vyrkit::truncToInt(hold * 2.0f + 0.5));
    EXPECT_EQ(editor->getFrontPanel().trackNameBox->getText(), processor->getSignature());
    EXPECT_EQ(editor->getHeight(), processor->getSizeFlag().load() != 0 ? 205 : 167);
    EXPECT_EQ(editor->getFaceRow(), 3);
    closeEditor(*processor, editor);
    pump(5);
    clearStoredSettings();
    processor->reloadStoredDefaults();
}

TEST(EditorConcurrency, ARestoreWhileTheEditorIsBeingBuiltReachesIt)
{
    kittest::checkARestoreWhileTheEditorIsBeingBuiltReachesIt<VyrKelsoMAudioProcessor, VyrKelsoMAudioProcessorEditor>();
}

TEST(EditorConcurrency, EveryEditorOpenedWhileTheHostSetsAParameterShowsItsValue)
{
    kittest::checkEveryEditorOpenedWhileTheHostSetsAParameterShowsItsValue<VyrKelsoMAudioProcessor, VyrKelsoMAudioProcessorEditor>();
}
} // namespace vyrkelsom::editortest
