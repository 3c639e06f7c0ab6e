#include "VyrKelsoMAudioProcessor.h"

#include "VyrKelsoMAudioProcessorEditor.h"

namespace vyrkelsom
{
namespace
{
// The name, a new instance's track name, the name and text " " of an index
// with no parameter, and the saved state, the element "VYRKELSOMsettings".
const VyrKelsoMAudioProcessor::Description description {
    "Vyr KelsoM", "M Track", " ", vyrkit::fourParameterStateLayout("VYRKELSOMsettings")
};
} // namespace

VyrKelsoMAudioProcessor::VyrKelsoMAudioProcessor() : MeterAudioProcessor(description)
{
    // The meter state (needles and holds at -0.05), the needle bank, the two DC
    // blockers (2 Hz high-pass at 44100 Hz), the parameters and the track name
    // are set up by their initialisers.
    fillRings(-0.05f, -0.05f);

    // Every instance rereads the per-user settings, so a new instance brings a
    // changed store to all instances of the process.
    reloadStoredDefaults();

    prepareToPlay(44100.0, 0);
    releaseResources();
}

VyrKelsoMAudioProcessor::~VyrKelsoMAudioProcessor() = default;

juce::AudioProcessorEditor* VyrKelsoMAudioProcessor::createEditor()
{
    return new VyrKelsoMAudioProcessorEditor(*this);
}
} // namespace vyrkelsom
