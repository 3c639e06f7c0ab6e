// The VU editor opened, ticking and closed on the message thread while a host
// thread sets parameters and restores states and an audio thread processes
// blocks. Host calls reach the editor only through the message thread;
// scripts/test-tsan runs this under ThreadSanitizer.
#include "EditorTestSupport.h"

#include "EditorOpeningRaces.h"
#include "KelsoCommandIds.h"

#include <thread>

namespace vyrkelsom::editortest
{
TEST(EditorConcurrency, HostAndAudioThreadsWhileEditorsComeAndGo)
{
    clearStoredSettings();
    auto processor = std::make_unique<VyrKelsoMAudioProcessor>();
    configure(*processor, 2, 2, 44100.0, 256);
    kittest::HostAndAudioTraffic traffic(*processor, 5, 8, 1.2f);

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

    traffic.stop();
    pump(50); // calls queued for an editor that is gone are dropped
    EXPECT_FALSE(VyrKelsoMAudioProcessor::isPollRoleTaken());

    auto* editor = openEditor(*processor);
    kittest::checkANewEditorShowsWhatTheProcessorHolds(*processor, *editor);
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
