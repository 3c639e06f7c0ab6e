#pragma once

// What the fingerprint tool needs to know of one meter: its parameters and
// settings, and how to reach the few things that only its own processor and
// editor types offer. Everything else goes through JUCE's base classes.

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vyrfp
{
// (index, normalised value) pairs, applied in order.
using Values = std::vector<std::pair<int, float>>;

// A setting that the matrix moves through its positions, with the parameters
// its runs need to show it (the mid attenuation only acts in mid/side).
struct SettingAxis
{
    int index;
    std::string name;
    Values withParameters;
    bool snapshots = false;
};

class Meter
{
public:
    virtual ~Meter() = default;

    std::string name;
    int tickPeriodMs = 30;
    int holdParameter = 0, latencyParameter = 1, trimParameter = 2, activeParameter = 3;
    int lrmsParameter = -1;
    int measurementSetting = 0;
    int showFrontCommand = 0, showBackCommand = 0;
    // Every setting with its default, in the order the settings are applied.
    Values defaultSettings;
    std::vector<SettingAxis> settingAxes;
    // The setting indices of getSettingText, in order.
    std::vector<int> settingTextIndices;
    // The channel configurations, inputs and outputs, besides two in and out.
    std::vector<std::pair<int, int>> otherLayouts;

    // Puts the settings where the meter reads them before a processor exists
    // (the settings store, for the meters that only read it).
    virtual void storeSettings(const Values&) {}
    // A processor on the tool's clock.
    virtual std::unique_ptr<juce::AudioProcessor> createProcessor() = 0;
    // Gives the process-wide settings these values.
    virtual void applySettings(juce::AudioProcessor&, const Values&) = 0;
    // Changes settings as another instance, or another program, would.
    virtual void changeSettingsElsewhere(const Values&) = 0;
    virtual void setGlobalSetting(juce::AudioProcessor&, int index, float value) = 0;
    virtual juce::String getSettingText(juce::AudioProcessor&, int index) = 0;
    // Every process-wide setting's value and the derived values the processor
    // shows, as one line.
    virtual std::string globalState(juce::AudioProcessor&) = 0;
    // The meter state after a block: needles, holds, over counts, trim gain.
    virtual std::string meterState(juce::AudioProcessor&) = 0;
    // What the editor's needle meters show after a tick.
    virtual std::string shownState(juce::AudioProcessorEditor&) = 0;
    // A click on the (first) needle meter.
    virtual void clickMeter(juce::AudioProcessorEditor&) = 0;
    virtual void setSignature(juce::AudioProcessor&, const juce::String&) = 0;
    virtual juce::String getSignature(juce::AudioProcessor&) = 0;
    // The window size flag and, with an editor open, the editor following it.
    virtual void setWindowSize(juce::AudioProcessor&, juce::AudioProcessorEditor*, int size) = 0;
    virtual int getWindowSize(juce::AudioProcessor&) = 0;
};

// The main of a meter's fingerprint program: writes everything into
// OUTDIR/<meter name>/.
int runFingerprint(int argc, char** argv, Meter& meter);

// The tool's millisecond clock, which the processors stamp blocks and read-outs
// with; it moves only when the tool moves it.
juce::uint32 toolClock();
void setToolClock(juce::uint32 milliseconds);
} // namespace vyrfp
