#pragma once

#include "MeterAudioProcessor.h"
#include "MeterChannels.h"
#include "PeakProgrammeMeter.h"

namespace vyrkit
{
// The processor of a peak programme meter with one or two metered channels:
// the kit's meter processor with the metering state and the library's
// process-wide settings, the rates for the host rate, the block stamp, the
// display index and the hold reset. The meter adds what its channels meter and
// how it reads them out.
template <typename Editor, typename Numbering, int channels>
class PeakProgrammeProcessor : public MeterAudioProcessor<Editor, Numbering, double>
{
    using Base = MeterAudioProcessor<Editor, Numbering, double>;

public:
    // infinityHoldAtStart is the running maximum for "Infinity" of a new instance.
    PeakProgrammeProcessor(const typename Base::Description& description, PeakProgrammeSettings& processWide,
                           double infinityHoldAtStart)
        : Base(description), meter(infinityHoldAtStart), settings(processWide)
    {
    }

    void prepareToPlay(double sampleRate, int) override
    {
        // The editor's timer reads this state under the callback lock.
        const juce::ScopedLock lock(this->getCallbackLock());
        meter.prepare(settings, sampleRate, this->trimTargetGain);
    }

    void releaseResources() override
    {
        {
            const juce::ScopedLock lock(this->getCallbackLock());
            // The hold counters and the running maxima for "Infinity" keep their values.
            meter.release(this->trimTargetGain);
        }
        updateProcessingRate();
    }

    // The oversampling factor, the processing rate, this instance's coefficients
    // for it, and a cleared history.
    void updateProcessingRate()
    {
        const juce::ScopedLock lock(this->getCallbackLock());
        meter.updateProcessingRate(settings);
    }

    // --- Display read-out (with the callback lock held) ------------------------
    // The first read of a display tick: it reads the display delay once, and the
    // tick's other reads show what it chose.
    void updateDisplayIndex() noexcept { meter.updateDisplayIndex(this->latencyMs); }

    // The holds restart from the needles, in "Infinity" too.
    void resetPeakHold()
    {
        // Host threads reset the holds while blocks may be processed.
        const juce::ScopedLock lock(this->getCallbackLock());
        meter.resetPeakHold();
    }

    // --- Inspection for tests and benchmarks -----------------------------------
    double getMeterRate() const noexcept { return meter.meterRate; }
    double getProcessingRate() const noexcept { return meter.ballistics.processingRate; }
    int getRingStep() const noexcept { return meter.ballistics.ringStep; }
    const PeakProgrammeBallistics& getBallistics() const noexcept { return meter.ballistics; }
    int getRingWriteIndex() const noexcept { return meter.historyPosition.writeIndex; }
    int getDisplayIndex() const noexcept { return meter.historyPosition.displayIndex; }
    float getTrimCurrentGain() const noexcept { return meter.input.trimCurrentGain; }
    float getTrimSmoothing() const noexcept { return meter.input.trimSmoothing; }
    const IirFilter& getDcBlocker(int channel) const noexcept { return meter.input.dcBlocker(channel); }

protected:
    // "Off" and "On" restart the holds; "Infinity" keeps what they have held.
    // The callback lock is held.
    void restartHold() override { meter.resetPeakHold(); }

    // Takes the shared settings up again for this instance's own rate after a time
    // or the measurement mode has changed; the history goes on.
    void followSettingsNow()
    {
        const juce::ScopedLock lock(this->getCallbackLock());
        meter.followSettings(settings);
    }

    // The start of processBlock: a hold restart a host thread asked for is done,
    // the channels are routed (outputs without an input are silent, except that a
    // single input is copied, untrimmed, to the second output) and the number of
    // inputs is returned. A block with an input is then stamped and its start
    // values are kept; one without is not metered.
    int beginBlock(juce::AudioBuffer<float>& buffer) noexcept
    {
        this->applyPendingHoldRestart();
        const int n = buffer.getNumSamples();
        const int ins = routeMeterChannels(*this, buffer);
        if (ins < 1)
            return ins;
        this->stampBlock(static_cast<float>(n) / static_cast<float>(this->getSampleRate()));
        meter.beginBlock();
        return ins;
    }

    // The metering state of the metered channels, with the trim, the DC
    // blockers, the history and this instance's rates. Kept under the callback
    // lock.
    PeakProgrammeMeter<channels> meter;
    // The library's ballistics settings, which every instance reads and writes.
    PeakProgrammeSettings& settings;
};
} // namespace vyrkit
