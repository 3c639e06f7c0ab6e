// The editor opened, ticking and closed on the message thread while a host thread
// sets parameters and restores states and an audio thread processes blocks.
// Host calls reach the editor only through the message thread; scripts/test-tsan
// runs this under ThreadSanitizer.
#include "EditorTestSupport.h"

#include "EditorOpeningRaces.h"
#include "SafeNumbers.h"
#include "TarvoMCommandIds.h"

#include <thread>

namespace vyrtarvom::editortesting
{
namespace
{
juce::MemoryBlock stateWith(const juce::String& name, int size, float hold)
{
    VyrTarvoMAudioProcessor source;
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
    auto processor = std::make_unique<VyrTarvoMAudioProcessor>();
    configure(*processor, 2, 2, 44100.0, 256);
    const juce::MemoryBlock states[] = { stateWith("Alpha", 1, 0.5f), stateWith("Beta", 0, 1.0f) };

    std::atomic<bool> stop { false };
    std::thread hostThread([&] {
        juce::Random random(7);
        for (int i = 0; ! stop.load(); ++i)
        {
            setParameter(*processor, i % VyrTarvoMAudioProcessor::numParameters, random.nextFloat());
            if (i % 50 == 0)
            {
                const auto& state = states[(i / 50) % 2];
                processor->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
            }
            if (i % 20 == 0)
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
                    sample = random.nextFloat() * 2.0f - 1.0f;
            process(*processor, block, { 256 });
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });

    // A second window of another instance keeps the poll role busy and passes it on.
    VyrTarvoMAudioProcessor other;
    VyrTarvoMAudioProcessorEditor* otherEditor = nullptr;
    for (int round = 0; round < 12; ++round)
    {
        auto* editor = openEditor(*processor);
        ASSERT_NE(editor, nullptr);
        if (round % 3 == 0)
            otherEditor = openEditor(other);
        pump(35);
        // Now and then a poll reread, with the settings changing under it.
        const int ticks = round % 4 == 0 ? VyrTarvoMAudioProcessor::pollTicksBetweenReloads + 2 : 3;
        for (int tick = 0; tick < ticks; ++tick)
        {
            if (tick == ticks / 2)
                saveAsTheStereoMeter("tarvoOverSampling", round % 8 == 0 ? "1" : "0");
            editor->timerCallback();
            if (tick % 50 == 0)
                pump(1);
        }
        editor->handleCommandMessage(round % 2 == 0 ? CommandId::showBackPanel : CommandId::showFrontPanel);
        editor->getFrontPanel().trimSlider->setValue(round - 6.0, juce::sendNotificationSync);
        pump(10);
        closeEditor(*processor, editor);
        if (otherEditor != nullptr && round % 3 == 1)
            closeEditor(other, otherEditor);
        pump(5);
    }
    closeEditor(other, otherEditor);

    stop = true;
    hostThread.join();
    audioThread.join();
    pump(50); // calls queued for an editor that is gone are dropped

    // Once the threads are quiet an editor shows what the processor holds.
    auto* editor = openEditor(*processor);
    EXPECT_EQ(editor->getFrontPanel().holdSwitch->getValue(),
              vyrkit::truncToInt(parameter(*processor, 0) * 2.0f + 0.5));
    EXPECT_EQ(editor->getFrontPanel().trackNameBox->getText(), processor->getSignature());
    EXPECT_EQ(editor->getHeight(), processor->getSizeFlag().load() != 0 ? 205 : 167);
    EXPECT_TRUE(editor->ownsThePollRole());
    closeEditor(*processor, editor);
    pump(5);
    clearStoredSettings();
    processor->reloadStoredDefaults();
}

TEST(EditorConcurrency, ARestoreWhileTheEditorIsBeingBuiltReachesIt)
{
    kittest::checkARestoreWhileTheEditorIsBeingBuiltReachesIt<VyrTarvoMAudioProcessor, VyrTarvoMAudioProcessorEditor>();
}

TEST(EditorConcurrency, EveryEditorOpenedWhileTheHostSetsAParameterShowsItsValue)
{
    kittest::checkEveryEditorOpenedWhileTheHostSetsAParameterShowsItsValue<VyrTarvoMAudioProcessor, VyrTarvoMAudioProcessorEditor>();
}
} // namespace vyrtarvom::editortesting
