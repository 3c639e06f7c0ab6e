#pragma once

#include "IirFilter.h"
#include "MeterAudioProcessor.h"
#include "PeakProgrammeMeter.h"
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
    static constexpr int ringSize = vyrkit::historyRingSize;

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
    double getNeedleLevel() const noexcept { return meter.needleLevel[0]; }
    double getHoldNeedle() const noexcept { return meter.holdNeedle[0]; }
    double getInfinityHold() const noexcept { return meter.infinityHold[0]; }
    int getHoldCounter() const noexcept { return meter.holdCounter[0]; }
    double getOverSamples() const noexcept { return meter.overSamples[0]; }
    double getMeterRate() const noexcept { return meter.meterRate; }
    double getProcessingRate() const noexcept { return meter.ballistics.processingRate; }
    int getRingStep() const noexcept { return meter.ballistics.ringStep; }
    const vyrkit::PeakProgrammeBallistics& getBallistics() const noexcept { return meter.ballistics; }
    int getRingWriteIndex() const noexcept { return meter.historyPosition.writeIndex; }
    int getDisplayIndex() const noexcept { return meter.historyPosition.displayIndex; }
    float getRingSlot(int ring, int slot) const noexcept;
    float getTrimCurrentGain() const noexcept { return meter.input.trimCurrentGain; }
    float getTrimTargetGain() const noexcept { return trimTargetGain; }
    float getTrimSmoothing() const noexcept { return meter.input.trimSmoothing; }
    float getTrimDb() const noexcept { return trimDb; }
    int getLatencyMs() const noexcept { return latencyMs; }
    int getTrimEnabled() const noexcept { return trimEnabled; }
    const vyrkit::IirFilter& getDcBlocker(int channel) const noexcept
    {
        return meter.input.dcBlocker(channel);
    }

private:
    bool storeParameter(int index, float newValue) override;
    void loadStoredDefaults();
    // Takes the shared settings up again for this instance's own rate after a time
    // or the measurement mode has changed; the history goes on.
    void followSettingsNow();

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


    double lastBlockTime = 0.0;
    double blockDuration = 0.0;
    // The metering state of the one metered channel, with the trim, the DC
    // blockers, the history and this instance's rates. Kept under the callback
    // lock. A new instance's running maximum for "Infinity" starts at 0.
    vyrkit::PeakProgrammeMeter<1> meter { 0.0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoMAudioProcessor)
};
} // namespace vyrtarvom
