#pragma once

#include "IirFilter.h"
#include "MeterAudioProcessor.h"
#include "PeakProgrammeMeter.h"
#include "RelaxedAtomic.h"
#include "TarvoSettings.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <functional>
#include <memory>

namespace vyrtarvo
{
class VyrTarvoAudioProcessorEditor;

// The stereo peak programme meter: two metered channels (left and right, or mid
// and side), five host parameters, the process-wide ballistics settings with
// their stored defaults, and the state chunk.
class VyrTarvoAudioProcessor : public vyrkit::MeterAudioProcessor<VyrTarvoAudioProcessorEditor>
{
public:
    static constexpr int numParameters = 5;
    static constexpr int ringSize = vyrkit::historyRingSize;

    enum ParameterIndex
    {
        holdParameter = 0,
        lrmsParameter = 1,
        latencyParameter = 2,
        trimParameter = 3,
        activeParameter = 4
    };

    VyrTarvoAudioProcessor();
    ~VyrTarvoAudioProcessor() override;

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

    // --- Process-wide settings (indices 6 to 13) -------------------------------
    void setGlobalSetting(int index, float value);
    static float getGlobalSetting(int slot) noexcept;
    static juce::String getSettingText(int index);
    static int getGlobalChangeCounter() noexcept;

    // Per-user defaults of the settings in the settings store.
    static float readStoredDefault(int index);
    static void writeStoredDefault(int index, float value);
    static void saveStoredDefaults();

    // --- Metering and display read-out -----------------------------------------
    void updateProcessingRate();
    void updateDisplayIndex() noexcept;
    float getDisplayLevel(int channel, float fraction) noexcept;
    float getDisplayHold(int channel, float fraction) noexcept;
    double readOverCount(int channel) noexcept;
    void setOverCount(int channel, double count) noexcept;
    void resetPeakHold();

    // The interpolation fraction for a read-out at the given time: how far the
    // display has moved through the last block. 0 before any block, for an empty
    // block, and whenever the quotient is not a finite positive number.
    float getDisplayFraction(double nowSeconds) const noexcept;

    // --- Values the editor reads -----------------------------------------------
    float getHoldMode() const noexcept { return holdMode; }
    double getLastBlockTime() const noexcept { return lastBlockTime; }
    double getBlockDuration() const noexcept { return blockDuration; }
    int shownChangeCount = 0;

    // Inspection for tests and the benchmark.
    double getNeedleLevel(int channel) const noexcept { return meter.needleLevel[channel & 1]; }
    double getHoldNeedle(int channel) const noexcept { return meter.holdNeedle[channel & 1]; }
    double getOverSamples(int channel) const noexcept { return meter.overSamples[channel & 1]; }
    double getMeterRate() const noexcept { return meter.meterRate; }
    double getProcessingRate() const noexcept { return meter.ballistics.processingRate; }
    int getRingStep() const noexcept { return meter.ballistics.ringStep; }
    const vyrkit::PeakProgrammeBallistics& getBallistics() const noexcept { return meter.ballistics; }
    int getRingWriteIndex() const noexcept { return meter.historyPosition.writeIndex; }
    int getDisplayIndex() const noexcept { return meter.historyPosition.displayIndex; }
    float getTrimCurrentGain() const noexcept { return meter.input.trimCurrentGain; }
    float getTrimTargetGain() const noexcept { return trimTargetGain; }
    float getTrimSmoothing() const noexcept { return meter.input.trimSmoothing; }
    float getTrimDb() const noexcept { return trimDb; }
    int getLatencyMs() const noexcept { return latencyMs; }
    int getTrimEnabled() const noexcept { return trimEnabled; }
    const vyrkit::IirFilter& getDcBlocker(int channel) const noexcept { return meter.input.dcBlocker(channel); }

private:
    bool storeParameter(int index, float newValue) override;
    // Each setting from its stored default, or its fallback for a stored number
    // outside 0..1.
    void loadStoredDefaults();
    // Takes the shared settings up again for this instance's own rate after a time
    // or the measurement mode has changed; the history goes on.
    void followSettingsNow();

    // Host parameters and their derived values.
    RelaxedAtomic<float> holdModeValue { 0.0f };
    RelaxedAtomic<float> holdMode { 0.0f };
    RelaxedAtomic<double> lrmsValue { 0.0 };
    RelaxedAtomic<double> midSideFlag { 0.0 };
    RelaxedAtomic<float> latencyValue { 0.0f };
    RelaxedAtomic<int> latencyMs { 0 };
    RelaxedAtomic<float> trimValue { 0.5f };
    RelaxedAtomic<float> trimDb { 0.0f };
    RelaxedAtomic<float> trimTargetGain { 1.0f };
    RelaxedAtomic<float> activeValue { 0.0f };
    RelaxedAtomic<int> trimEnabled { 0 };

    double lastBlockTime = 0.0;
    double blockDuration = 0.0;
    // The metering state of the two metered channels (0 left or mid, 1 right or
    // side), with the trim, the DC blockers, the history and this instance's
    // rates. Kept under the callback lock.
    vyrkit::PeakProgrammeMeter<2> meter { -0.05 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoAudioProcessor)
};
} // namespace vyrtarvo
