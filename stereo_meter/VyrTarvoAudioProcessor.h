#pragma once

#include "PeakProgrammeProcessor.h"
#include "RelaxedAtomic.h"
#include "TarvoSettings.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrtarvo
{
class VyrTarvoAudioProcessorEditor;

// The stereo meter's five host parameters, in the order the host numbers them.
struct TarvoParameterNumbering
{
    static constexpr int numParameters = 5;

    enum ParameterIndex
    {
        holdParameter = 0,
        lrmsParameter = 1,
        latencyParameter = 2,
        trimParameter = 3,
        activeParameter = 4
    };
};

// The stereo peak programme meter: two metered channels (left and right, or mid
// and side), five host parameters, the process-wide ballistics settings with
// their stored defaults, and the state chunk.
class VyrTarvoAudioProcessor
    : public vyrkit::PeakProgrammeProcessor<VyrTarvoAudioProcessorEditor, TarvoParameterNumbering, 2>
{
public:
    VyrTarvoAudioProcessor();
    ~VyrTarvoAudioProcessor() override;

    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    juce::AudioProcessorEditor* createEditor() override;

    // --- Process-wide settings (indices 6 to 13) -------------------------------
    void setGlobalSetting(int index, float value);
    static float getGlobalSetting(int slot) noexcept;
    static juce::String getSettingText(int index);
    static int getGlobalChangeCounter() noexcept;

    // Per-user defaults of the settings in the settings store.
    static float readStoredDefault(int index);
    static void writeStoredDefault(int index, float value);
    static void saveStoredDefaults();

    // --- Display read-out (with the callback lock held) -----------------------
    float getDisplayLevel(int channel, float fraction) noexcept;
    float getDisplayHold(int channel, float fraction) noexcept;
    double readOverCount(int channel) noexcept;
    void setOverCount(int channel, double count) noexcept;

    // The count of setting changes the open editor last showed.
    int shownChangeCount = 0;

    // Inspection for tests and the benchmark.
    double getNeedleLevel(int channel) const noexcept { return meter.needleLevel[channel & 1]; }
    double getHoldNeedle(int channel) const noexcept { return meter.holdNeedle[channel & 1]; }
    double getOverSamples(int channel) const noexcept { return meter.overSamples[channel & 1]; }

private:
    // The LR/MS switch.
    juce::String ownParameterName(int index) override;
    float ownParameterValue(int index) override;
    juce::String ownParameterText(int index) override;
    bool storeOwnParameter(int index, float value) override;

    // Each setting from its stored default, or its fallback for a stored number
    // outside 0..1.
    void loadStoredDefaults();

    RelaxedAtomic<double> lrmsValue { 0.0 };
    RelaxedAtomic<double> midSideFlag { 0.0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoAudioProcessor)
};
} // namespace vyrtarvo
