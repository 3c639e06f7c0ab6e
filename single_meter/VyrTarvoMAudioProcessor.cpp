#include "VyrTarvoMAudioProcessor.h"

#include "VyrTarvoMAudioProcessorEditor.h"

namespace vyrtarvom
{
VyrTarvoMAudioProcessor::VyrTarvoMAudioProcessor()
    : MeterAudioProcessor("M Track", [](VyrTarvoMAudioProcessorEditor& editor, int index, float value) {
          editor.updateControl(index, value);
      })
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

const juce::String VyrTarvoMAudioProcessor::getName() const { return "Vyr TarvoM"; }

juce::AudioProcessorEditor* VyrTarvoMAudioProcessor::createEditor()
{
    return new VyrTarvoMAudioProcessorEditor(*this);
}
} // namespace vyrtarvom
