#pragma once

#include "PluginIdentity.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

// The three meters' processors linked into the test program behind the
// binding, in place of a deliverable's entry file: createPluginFilter and
// vyrGetPluginIdentity build and describe whichever meter the test has chosen,
// and the test reaches the processor that the binding created, to read what
// its editor would draw.
namespace vyrinprocess
{
struct MeterUnderTest
{
    const char* name;
    juce::AudioProcessor* (*create)();
    const vyrplatform::PluginIdentity& (*identity)();
    // The process-wide measurement mode: "Precise" (oversampled) or "CPU Safe".
    void (*setMeasurementMode)(juce::AudioProcessor&, bool precise);
    // Needles and holds, then the display read-out for a fixed fraction of the
    // last block as the editor's tick takes it (under the callback lock, in the
    // editor's order), channel by channel.
    std::vector<double> (*read)(juce::AudioProcessor&);
};

const std::vector<MeterUnderTest>& meters();

// The meter that createPluginFilter builds from now on.
void choose(const MeterUnderTest& meter);

// The processor that createPluginFilter made last.
juce::AudioProcessor* lastCreated();
} // namespace vyrinprocess
