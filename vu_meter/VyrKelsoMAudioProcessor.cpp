#include "VyrKelsoMAudioProcessor.h"

#include "VyrKelsoMAudioProcessorEditor.h"

namespace vyrkelsom
{
VyrKelsoMAudioProcessor::VyrKelsoMAudioProcessor()
    : MeterAudioProcessor("M Track", [](VyrKelsoMAudioProcessorEditor& editor, int index, float value) {
          editor.updateControl(index, value);
      })
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

const juce::String VyrKelsoMAudioProcessor::getName() const { return "Vyr KelsoM"; }

juce::AudioProcessorEditor* VyrKelsoMAudioProcessor::createEditor()
{
    return new VyrKelsoMAudioProcessorEditor(*this);
}
} // namespace vyrkelsom
