#pragma once

#include "FourParameterMeter.h"
#include "LibraryPollRole.h"
#include "PeakProgrammeProcessor.h"
#include "RelaxedAtomic.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrtarvom
{
using vyrkit::RelaxedAtomic;

class VyrTarvoMAudioProcessorEditor;

// The single-channel peak programme meter: one metered channel (the mean of the
// two rectified inputs, or the only input), four host parameters, the seven
// process-wide ballistics settings read from the stereo meter's stored defaults,
// and the state chunk.
class VyrTarvoMAudioProcessor
    : public vyrkit::PeakProgrammeProcessor<VyrTarvoMAudioProcessorEditor, vyrkit::FourParameterNumbering, 1>,
      public vyrkit::LibraryPollRole<VyrTarvoMAudioProcessor>
{
public:
    // Setter indices of the seven settings (setGlobalSetting); their texts and
    // stored defaults are numbered 5 higher (getSettingText, readStoredDefault).
    enum SettingIndex
    {
        referenceSetting = 0,
        integrationSetting = 1,
        holdTimeSetting = 2,
        fallBackSetting = 3,
        overCountSetting = 4,
        overReferenceSetting = 5,
        measurementSetting = 6
    };
    static constexpr int numSettings = 7;
    static constexpr int firstSettingTextIndex = 5;
    static constexpr int lastSettingTextIndex = 11;

    VyrTarvoMAudioProcessor();
    ~VyrTarvoMAudioProcessor() override;

    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    juce::AudioProcessorEditor* createEditor() override;

    // --- Process-wide settings ---------------------------------------------------
    // Setting 0..6 from a normalised value; other indices and non-finite values
    // change nothing.
    void setGlobalSetting(int index, float value);
    // Text index 0 (this processor's hold mode) or 5..11 (the settings); empty
    // for any other index.
    juce::String getSettingText(int index) const;
    // Rereads the seven stored defaults into the settings; always true.
    bool reloadStoredDefaults();
    // The stored default with text index 5..11, read from the stereo meter's key
    // (never written here); 0 for other indices.
    static float readStoredDefault(int index);
    // The over count (1 to 10) that lights the LED.
    static double getOverCount() noexcept;
    // The normalised value of setting 0..6 as last set (0 for other indices).
    static float getGlobalSetting(int index) noexcept;

    // One editor in the process rereads the stored defaults periodically (the
    // poll role, isPollRoleTaken and the others from LibraryPollRole).
    static constexpr int pollTicksBetweenReloads = 500;

    // --- Display read-out (with the callback lock held) -------------------------
    float getDisplayLevel(float fraction) noexcept;
    float getDisplayHold(float fraction) noexcept;
    double readOverCount() noexcept;
    void setOverCount(double count) noexcept;

    // Inspection for tests and benchmarks.
    double getNeedleLevel() const noexcept { return meter.needleLevel[0]; }
    double getHoldNeedle() const noexcept { return meter.holdNeedle[0]; }
    double getInfinityHold() const noexcept { return meter.infinityHold[0]; }
    int getHoldCounter() const noexcept { return meter.holdCounter[0]; }
    double getOverSamples() const noexcept { return meter.overSamples[0]; }
    float getRingSlot(int ring, int slot) const noexcept;

private:
    void loadStoredDefaults();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoMAudioProcessor)
};
} // namespace vyrtarvom
