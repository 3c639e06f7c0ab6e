// The editor opened, ticking and closed on the message thread while a host thread
// sets parameters and restores states and an audio thread processes blocks.
// Host calls reach the editor only through the message thread; scripts/test-tsan
// runs this under ThreadSanitizer.
#include "EditorTestSupport.h"

#include "EditorOpeningRaces.h"
#include "TarvoMCommandIds.h"

namespace vyrtarvom::editortesting
{
TEST(EditorConcurrency, HostAndAudioThreadsWhileEditorsComeAndGo)
{
    clearStoredSettings();
    auto processor = std::make_unique<VyrTarvoMAudioProcessor>();
    configure(*processor, 2, 2, 44100.0, 256);
    kittest::HostAndAudioTraffic traffic(*processor, VyrTarvoMAudioProcessor::numParameters, 20, 1.0f);

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

    traffic.stop();
    pump(50); // calls queued for an editor that is gone are dropped

    auto* editor = openEditor(*processor);
    kittest::checkANewEditorShowsWhatTheProcessorHolds(*processor, *editor);
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
