#include "VyrTarvoAudioProcessor.h"

#include "VyrTarvoAudioProcessorEditor.h"

namespace vyrtarvo
{
namespace
{
using P = VyrTarvoAudioProcessor;
// The name, a new instance's track name, the empty name and text of an index
// with no parameter, and the saved state: the element "VYRTARVOsettings" with
// hold, LR/MS, trim and active before the track name and latency after it,
// restored Active before Trim, so that the trim text shown is that of the
// restored state.
const P::Description description {
    "Vyr Tarvo",
    "Master Track",
    "",
    { "VYRTARVOsettings",
      { { { "hold", P::holdParameter },
          { "LRMS", P::lrmsParameter },
          { "trim", P::trimParameter },
          { "active", P::activeParameter },
          { "latency", P::latencyParameter } } },
      4,
      { P::activeParameter, P::trimParameter, P::latencyParameter, P::holdParameter, P::lrmsParameter } },
};
} // namespace

// A new instance's running maximum for "Infinity" starts at -0.05.
VyrTarvoAudioProcessor::VyrTarvoAudioProcessor() : PeakProgrammeProcessor(description, processWideSettings(), -0.05)
{
    // Members, the two DC blockers (2 Hz high-pass at 44100 Hz) and the cleared
    // history rings are set up by their initialisers.

    // The first instance in the process loads the per-user defaults; every later
    // one meters with the settings as they are.
    if (! processWideSettings().firstInstanceCreated.exchange(true))
        loadStoredDefaults();

    prepareToPlay(44100.0, 0);
    releaseResources();
}

VyrTarvoAudioProcessor::~VyrTarvoAudioProcessor()
{
    saveStoredDefaults();
}

juce::AudioProcessorEditor* VyrTarvoAudioProcessor::createEditor()
{
    return new VyrTarvoAudioProcessorEditor(*this);
}
} // namespace vyrtarvo
