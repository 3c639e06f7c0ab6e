// The editor opened, ticking and closed on the message thread while a host thread
// sets parameters and restores states and an audio thread processes blocks.
// Host calls reach the editor only through the message thread; scripts/test-tsan
// runs this under ThreadSanitizer.
#include "EditorTestSupport.h"

#include "EditorOpeningRaces.h"
#include "TarvoCommandIds.h"

namespace vyrtarvo::testing
{
TEST(EditorConcurrency, HostAndAudioThreadsWhileEditorsComeAndGo)
{
    auto processor = std::make_unique<VyrTarvoAudioProcessor>();
    configure(*processor, 2, 2, 44100.0, 256);
    restoreDefaultSettings(*processor);
    kittest::HostAndAudioTraffic traffic(*processor, 5, 8, 1.0f);

    kittest::runWindowRounds<VyrTarvoAudioProcessorEditor>(
        *processor, { 12, 35, CommandId::showBackPanel, CommandId::showFrontPanel }, [](auto&) {});

    traffic.stop();
    pump(50); // calls queued for an editor that is gone are dropped

    auto* editor = openEditor(*processor);
    kittest::checkANewEditorShowsWhatTheProcessorHolds(*processor, *editor);
    closeEditor(*processor, editor);
    pump(5);
    restoreDefaultSettings(*processor);
}

TEST(EditorConcurrency, ARestoreWhileTheEditorIsBeingBuiltReachesIt)
{
    kittest::checkARestoreWhileTheEditorIsBeingBuiltReachesIt<VyrTarvoAudioProcessor, VyrTarvoAudioProcessorEditor>();
}

TEST(EditorConcurrency, EveryEditorOpenedWhileTheHostSetsAParameterShowsItsValue)
{
    kittest::checkEveryEditorOpenedWhileTheHostSetsAParameterShowsItsValue<VyrTarvoAudioProcessor,
                                                                           VyrTarvoAudioProcessorEditor>();
}
} // namespace vyrtarvo::testing
