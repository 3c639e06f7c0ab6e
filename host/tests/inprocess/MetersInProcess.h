#pragma once

#include "PluginIdentity.h"
#include "VyrPluginAbi.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <ostream>
#include <string>
#include <vector>

// The three meters' processors linked into the test program behind the
// binding, in place of a deliverable's entry file: createPluginFilter and
// vyrGetPluginIdentity build and describe whichever meter the test has chosen,
// and the test reaches the processor that the binding created, to read what
// its editor would draw. The binding's session (ACFStartup) lasts as long as
// the test program.
namespace vyrinprocess
{
struct MeterUnderTest
{
    const char* name;
    juce::AudioProcessor* (*create)();
    const vyrplatform::PluginIdentity& (*identity)();
    // Metered channels: 2 for the stereo meter, 1 for the others.
    int channels;
    // The process-wide measurement mode: "Precise" (oversampled) or "CPU Safe".
    void (*setMeasurementMode)(juce::AudioProcessor&, bool precise);
    // Per metered channel: needle, hold, then the display read-out for a fixed
    // fraction of the last block (level, hold, over count) as the editor's tick
    // takes it, under the callback lock.
    std::vector<double> (*read)(juce::AudioProcessor&);
};

constexpr int valuesPerChannel = 5;

const std::vector<MeterUnderTest>& meters();

// Each meter in each measurement mode, for parameterised tests.
struct MeterInMode
{
    const MeterUnderTest* meter;
    bool precise;
};
std::vector<MeterInMode> everyMeterInBothModes();
std::string testName(const MeterInMode& m);
inline void PrintTo(const MeterInMode& m, std::ostream* os) { *os << testName(m); }

// The meter that createPluginFilter builds from now on.
void choose(const MeterUnderTest& meter);

// The effect's function table of the started session.
const VyrEffectFactory& effectFactory();

// One instance made through the C interface for the chosen meter, in the
// stereo configuration, with the processor the binding created for it.
class Instance
{
public:
    explicit Instance(double sampleRate);
    ~Instance();

    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    // By the name the host sees; false when there is none.
    bool setParameter(const std::string& name, float value);
    void process(const float* const* inputs, float* const* outputs, int numSamples);

    VyrInstance* handle = nullptr;
    juce::AudioProcessor* processor = nullptr;

private:
    const double rate;
    VyrInstanceHost host {};
};
} // namespace vyrinprocess
