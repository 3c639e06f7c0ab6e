#include "VyrTarvoMAudioProcessor.h"

#include "TarvoMSettings.h"
#include "VyrTarvoMAudioProcessorEditor.h"

namespace vyrtarvom
{
namespace
{
// The name, a new instance's track name, the empty name and text of an index
// with no parameter, and the saved state, the element "VYRTARVOMsettings".
const VyrTarvoMAudioProcessor::Description description {
    "Vyr TarvoM", "M Track", "", vyrkit::fourParameterStateLayout("VYRTARVOMsettings")
};
} // namespace

// A new instance's running maximum for "Infinity" starts at 0.
VyrTarvoMAudioProcessor::VyrTarvoMAudioProcessor() : PeakProgrammeProcessor(description, processWideSettings(), 0.0)
{
    // Members, the two DC blockers (2 Hz high-pass at 44100 Hz) and the cleared
    // history rings are set up by their initialisers.

    // Every instance rereads the stored defaults, so one created after the stereo
    // meter has saved brings the new settings to all instances in the process.
    loadStoredDefaults();

    prepareToPlay(44100.0, 0);
    releaseResources();
}

// Nothing is written to the settings store: the stereo meter owns those values.
VyrTarvoMAudioProcessor::~VyrTarvoMAudioProcessor() = default;

juce::AudioProcessorEditor* VyrTarvoMAudioProcessor::createEditor()
{
    return new VyrTarvoMAudioProcessorEditor(*this);
}
} // namespace vyrtarvom
