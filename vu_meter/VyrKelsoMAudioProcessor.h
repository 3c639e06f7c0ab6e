#pragma once

#include "FourParameterMeter.h"
#include "HistoryRing.h"
#include "IirFilter.h"
#include "LibraryPollRole.h"
#include "MeterAudioProcessor.h"
#include "MeterFrontEnd.h"
#include "NeedleFilterBank.h"
#include "NeedleReadout.h"
#include "RelaxedAtomic.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrkelsom
{
using vyrkit::RelaxedAtomic;
class VyrKelsoMAudioProcessorEditor;

// The VU meter: one needle driven by a bank of low-pass sections whose damping
// follows the deflection, a hold needle, an over count, four host parameters,
// the process-wide settings read (never written) from the settings store, and
// the state chunk.
class VyrKelsoMAudioProcessor
    : public vyrkit::MeterAudioProcessor<VyrKelsoMAudioProcessorEditor, vyrkit::FourParameterNumbering, float>,
      public vyrkit::LibraryPollRole<VyrKelsoMAudioProcessor>
{
public:
    // Setting indices (the editor's command ids 5..12).
    enum SettingIndex
    {
        vuTypeSetting = 5,
        referenceSetting = 6,
        integrationSetting = 7,
        backlightSetting = 8,
        holdTimeSetting = 9,
        overCountSetting = 10,
        overReferenceSetting = 11,
        measurementSetting = 12
    };

    VyrKelsoMAudioProcessor();
    ~VyrKelsoMAudioProcessor() override;

    void prepareToPlay(double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    juce::AudioProcessorEditor* createEditor() override;

    // --- Process-wide settings (indices 5 to 12) -------------------------------
    // Stores one setting and its derived values; the integration time also
    // redesigns this instance's needle bank, the hold time its hold length, a
    // changed measurement mode its processing rate. The open editor follows.
    void setGlobalSetting(int index, float value);
    // The normalised value of setting slot i (index - 5); 0 outside 0..7.
    static float getGlobalSetting(int slot) noexcept;
    // Display text of a setting (5..12) or of this instance's hold mode (0);
    // " " for any other index.
    juce::String getSettingText(int index) const;
    // The over count limit, 1 to 10 processed samples.
    static double getOverCountLimit() noexcept;
    // The needle's cut-off frequency last designed, in Hz.
    static double getNeedleCutoff() noexcept;
    // The shared oversampling factor: 0, 2 or 4.
    static int getOversamplingFactor() noexcept;

    // The stored default of a setting (5..12) as read from the settings store,
    // the table's default text when missing; no range check.
    static float readStoredDefault(int index);
    // Rereads all eight settings from the store (a value outside 0..1 takes its
    // fallback) and redesigns this instance's needle bank. Always true.
    bool reloadStoredDefaults();

    // The periodic reread is done by one editor per process, which holds the
    // poll role (takePollRoleIfFree and the others from LibraryPollRole).

    // --- Metering and display read-out -----------------------------------------
    void updateProcessingRate();
    void updateBallistics();

    // Called by the editor's timer while it holds the callback lock. The
    // fraction is how far the display has moved through the last block.
    void updateDisplayIndex() noexcept;
    float getDisplayLevel(float fraction) noexcept;
    // In hold mode Infinity the value returned never falls until resetPeakHold.
    float getDisplayHold(float fraction) noexcept;
    // Infinity mode only: the hold drops to the needle shown now.
    void resetPeakHold(float fraction);
    // The over count at the shown position: with a display delay the largest
    // count of the ring slots passed since the last read, which are then marked
    // as read; setOverCount writes those slots (or the live count).
    double readOverCount() noexcept;
    void setOverCount(double count) noexcept;

    // Inspection for tests and benchmarks.
    float getNeedleLevel() const noexcept { return needleLevel; }
    float getHoldNeedle() const noexcept { return holdNeedle; }
    float getHoldCounter() const noexcept { return holdCounter; }
    double getInfinityHold() const noexcept { return infinityHold; }
    double getOverSamples() const noexcept { return overSamples; }
    double getMeterRate() const noexcept { return meterRate; }
    double getProcessingRate() const noexcept { return processingRate; }
    float getHoldLength() const noexcept { return holdLength; }
    float getHoldRelease() const noexcept { return holdRelease; }
    int getRingStep() const noexcept { return ringStep; }
    int getRingWriteIndex() const noexcept { return historyPosition.writeIndex; }
    int getDisplayIndex() const noexcept { return historyPosition.displayIndex; }
    float getLevelRingSlot(int slot) const noexcept { return history.level[(size_t) vyrkit::readout::wrapIndex(slot)]; }
    float getHoldRingSlot(int slot) const noexcept { return history.hold[(size_t) vyrkit::readout::wrapIndex(slot)]; }
    float getOverRingSlot(int slot) const noexcept { return history.over[(size_t) vyrkit::readout::wrapIndex(slot)]; }
    float getTrimCurrentGain() const noexcept { return input.trimCurrentGain; }
    float getTrimSmoothing() const noexcept { return input.trimSmoothing; }
    const NeedleFilterBank& getNeedleBank() const noexcept { return needleBank; }
    const vyrkit::IirFilter& getDcBlocker(int channel) const noexcept { return input.dcBlocker(channel); }

private:
    // "Off" and "On" end the running maximum of "Infinity".
    void restartHold() override;

    void chooseProcessingRate(double rate);
    void setRateDependentValues();
    void fillRings(float level, float hold) noexcept;

    NeedleFilterBank needleBank { 0.68f, 0.55f, 16 };
    // The trim and the DC blockers.
    vyrkit::MeterInputStage input;

    // Meter state.
    float needleLevel = -0.05f;
    float needleLevelAtBlockStart = -0.05f;
    float shownLevel = -0.05f;
    float holdNeedle = -0.05f;
    float holdCounter = 0.0f;
    float holdNeedleAtBlockStart = -0.05f;
    float shownHold = -0.05f;
    // The running maximum of the shown hold in hold mode Infinity; -0.05 marks that
    // none is held (leaving Infinity sets it). A new instance starts at 0.
    double infinityHold = 0.0;
    double overSamples = 0.0;

    // Oversampler history per channel (0 left, 1 right).
    vyrkit::InterpolationHistory interpolation;

    // History rings, one slot per ring step while a display delay is set.
    vyrkit::ChannelHistory history;
    vyrkit::HistoryPosition historyPosition;
    int ringStep = 44;

    double meterRate = 44100.0;
    double processingRate = 44100.0;
    // The oversampling factor that processingRate was chosen with. The blocks
    // use this one rather than the shared factor, which another instance at
    // another rate may have set, so that the points per sample always match
    // the rate the needle was designed for.
    int processingFactor = 0;
    float holdLength = 0.0f;
    float holdRelease = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrKelsoMAudioProcessor)
};
} // namespace vyrkelsom
