#pragma once

#include "DelayedOverReadout.h"
#include "IirFilter.h"
#include "MeterAudioProcessor.h"
#include "PeakProgrammeBallistics.h"
#include "RelaxedAtomic.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>

namespace vyrtarvom
{
using vyrkit::RelaxedAtomic;

class VyrTarvoMAudioProcessorEditor;

// The single-channel peak programme meter: one metered channel (the mean of the
// two rectified inputs, or the only input), four host parameters, the seven
// process-wide ballistics settings read from the stereo meter's stored defaults,
// and the state chunk.
class VyrTarvoMAudioProcessor : public vyrkit::MeterAudioProcessor<VyrTarvoMAudioProcessorEditor>
{
public:
    static constexpr int numParameters = 4;
    static constexpr int ringSize = 1001;

    enum ParameterIndex
    {
        holdParameter = 0,
        latencyParameter = 1,
        trimParameter = 2,
        activeParameter = 3
    };

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

    const juce::String getName() const override;

    void prepareToPlay(double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    // The host reaches the names and texts through JUCE's two-argument forms too.
    using juce::AudioProcessor::getParameterName;
    using juce::AudioProcessor::getParameterText;
    int getNumParameters() override;
    const juce::String getParameterName(int index) override;
    float getParameter(int index) override;
    const juce::String getParameterText(int index) override;
    float getParameterDefaultValue(int index) override;
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    juce::AudioProcessorEditor* createEditor() override;

    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;

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

    // --- Poll role ---------------------------------------------------------------
    // One editor in the process rereads the stored defaults periodically. These
    // run on the message thread only.
    static constexpr int pollTicksBetweenReloads = 500;
    static bool isPollRoleTaken() noexcept;
    // Takes the role when it is free; true when the caller now holds it.
    static bool takePollRoleIfFree() noexcept;
    static void releasePollRole() noexcept;

    // --- Metering and display read-out (with the callback lock held) -------------
    void updateProcessingRate();
    void updateDisplayIndex() noexcept;
    float getDisplayLevel(float fraction) noexcept;
    float getDisplayHold(float fraction) noexcept;
    double readOverCount() noexcept;
    void setOverCount(double count) noexcept;
    void resetPeakHold();

    // The interpolation fraction for a read-out at the given time: how far the
    // display has moved through the last block. 0 before any block, for an empty
    // block, and whenever the quotient is not a finite positive number.
    float getDisplayFraction(double nowSeconds) const noexcept;

    // --- Values the editor reads -------------------------------------------------
    float getHoldMode() const noexcept { return holdMode; }
    double getLastBlockTime() const noexcept { return lastBlockTime; }
    double getBlockDuration() const noexcept { return blockDuration; }

    // Inspection for tests and benchmarks.
    double getNeedleLevel() const noexcept { return needleLevel; }
    double getHoldNeedle() const noexcept { return holdNeedle; }
    double getInfinityHold() const noexcept { return infinityHold; }
    int getHoldCounter() const noexcept { return holdCounter; }
    double getOverSamples() const noexcept { return overSamples; }
    double getMeterRate() const noexcept { return meterRate; }
    double getProcessingRate() const noexcept { return ballistics.processingRate; }
    int getRingStep() const noexcept { return ballistics.ringStep; }
    const vyrkit::PeakProgrammeBallistics& getBallistics() const noexcept { return ballistics; }
    int getRingWriteIndex() const noexcept { return ringWriteIndex; }
    int getDisplayIndex() const noexcept { return displayIndex; }
    float getRingSlot(int ring, int slot) const noexcept;
    float getTrimCurrentGain() const noexcept { return trimCurrentGain; }
    float getTrimTargetGain() const noexcept { return trimTargetGain; }
    float getTrimSmoothing() const noexcept { return trimSmoothing; }
    float getTrimDb() const noexcept { return trimDb; }
    int getLatencyMs() const noexcept { return latencyMs; }
    int getTrimEnabled() const noexcept { return trimEnabled; }
    const vyrkit::IirFilter& getDcBlocker(int channel) const noexcept
    {
        return channel == 0 ? dcBlockerLeft : dcBlockerRight;
    }

private:
    bool storeParameter(int index, float newValue) override;
    void loadStoredDefaults();
    void clearHistory() noexcept;
    void setRateDependentValues();
    // Takes the shared settings up again for this instance's own rate after a time
    // or the measurement mode has changed; the history goes on. Callback lock held.
    void followSettings() noexcept;
    void followSettingsNow();
    void restartPeakHold() noexcept;

    // Host parameters and their derived values.
    RelaxedAtomic<float> holdModeValue { 0.0f };
    RelaxedAtomic<float> holdMode { 0.0f };
    RelaxedAtomic<float> latencyValue { 0.0f };
    RelaxedAtomic<int> latencyMs { 0 };
    RelaxedAtomic<float> trimValue { 0.5f };
    RelaxedAtomic<float> trimDb { 0.0f };
    RelaxedAtomic<float> trimTargetGain { 1.0f };
    RelaxedAtomic<float> activeValue { 0.0f };
    RelaxedAtomic<int> trimEnabled { 0 };

    vyrkit::IirFilter dcBlockerLeft { 44100.0, 1, 2.0, 0.5, 0.0 };
    vyrkit::IirFilter dcBlockerRight { 44100.0, 1, 2.0, 0.5, 0.0 };

    // Meter state of the one metered channel.
    double needleLevel = 0.0;
    double holdNeedle = 0.0;
    int holdCounter = 0;
    double overSamples = 0.0;
    double infinityHold = 0.0;
    float needleLevelAtBlockStart = 0.0f;
    float holdNeedleAtBlockStart = 0.0f;
    float shownLevel = 0.0f;
    float shownHold = 0.0f;

    // Interpolation history of the filtered input, per input channel.
    float newest[2] {};
    float previous[2] {};
    float older[2] {};
    float midPoint[2] {};
    float threeQuarterPoint[2] {};

    // History rings, one slot per ring step while a display delay is set.
    std::array<float, ringSize> levelRing {};
    std::array<float, ringSize> holdRing {};
    std::array<float, ringSize> overRing {};
    int ringWriteIndex = 0;
    int displayIndex = 0;
    int ringStepCounter = 0;
    // The over LED's reads of the over ring.
    vyrkit::DelayedOverReadout overReadout;

    double lastBlockTime = 0.0;
    double blockDuration = 0.0;
    double meterRate = 44100.0;
    // The processing rate, oversampling factor, coefficients, hold length and ring
    // step of this instance, for the shared settings at its own meter rate. Kept
    // under the callback lock.
    vyrkit::PeakProgrammeBallistics ballistics;
    float trimCurrentGain = 1.0f;
    float trimSmoothing = 0.0005f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoMAudioProcessor)
};
} // namespace vyrtarvom
