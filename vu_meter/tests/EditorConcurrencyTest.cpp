// The VU editor opened, ticking and closed on the message thread while a host
// thread sets parameters and restores states and an audio thread processes
// blocks. Host calls reach the editor only through the message thread;
// scripts/test-tsan runs this under ThreadSanitizer.
#include "EditorTestSupport.h"

#include "EditorOpeningRaces.h"
#include "KelsoCommandIds.h"

namespace vyrkelsom::editortest
{
TEST(EditorConcurrency, HostAndAudioThreadsWhileEditorsComeAndGo)
{
    clearStoredSettings();
    auto processor = std::make_unique<VyrKelsoMAudioProcessor>();
    configure(*processor, 2, 2, 44100.0, 256);
    kittest::HostAndAudioTraffic traffic(*processor, 5, 8, 1.2f);

    storeSetting(8, "0.75");
    // A click on the meter in each round resets its LED and hold.
    kittest::runWindowRounds<VyrKelsoMAudioProcessorEditor>(
        *processor, { 12, 45, CommandId::showBackPanel, CommandId::showFrontPanel }, [](auto& editor) {
            auto& meter = *editor.getFrontPanel().meter;
            meter.mouseDown(mouseAt(meter, 30, 30));
        });

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
