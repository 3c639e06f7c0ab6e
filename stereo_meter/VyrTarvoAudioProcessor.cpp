#include "VyrTarvoAudioProcessor.h"

#include "VyrTarvoAudioProcessorEditor.h"

namespace vyrtarvo
{
VyrTarvoAudioProcessor::VyrTarvoAudioProcessor()
    : MeterAudioProcessor("Master Track", [](VyrTarvoAudioProcessorEditor& editor, int index, float value) {
          editor.updateControl(index, value);
      })
{
    // Members, the two DC blockers (2 Hz high-pass at 44100 Hz) and the cleared
    // history rings are set up by their initialisers.

    // The first instance in the process loads the per-user defaults; every later
    // one meters with the settings as they are.
    auto& settings = processWideSettings();
    if (! settings.firstInstanceCreated.exchange(true))
        loadStoredDefaults();

    prepareToPlay(44100.0, 0);
    releaseResources();
}

VyrTarvoAudioProcessor::~VyrTarvoAudioProcessor()
{
    saveStoredDefaults();
}

const juce::String VyrTarvoAudioProcessor::getName() const { return "Vyr Tarvo"; }

juce::AudioProcessorEditor* VyrTarvoAudioProcessor::createEditor()
{
    return new VyrTarvoAudioProcessorEditor(*this);
}
} // namespace vyrtarvo
