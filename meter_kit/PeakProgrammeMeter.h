#pragma once

#include "HistoryRing.h"
#include "MeterChannels.h"
#include "MeterFrontEnd.h"
#include "MeterRates.h"
#include "NeedleReadout.h"
#include "PeakProgrammeBallistics.h"
#include "PeakProgrammeStep.h"

namespace vyrkit
{
// The metering state of a peak programme meter instance with one or two metered
// channels, and what it does with it: the rates for the host rate, the block
// loop, and the display read-out. The processor owns one, keeps it under its
// callback lock, and decides only what its channels meter (left and right, mid
// and side, or the mean of both inputs).
template <int channels>
struct PeakProgrammeMeter
{
    explicit PeakProgrammeMeter(double infinityHoldAtStart) noexcept
    {
        for (auto& h : infinityHold)
            h = infinityHoldAtStart;
    }

    // Meter state per metered channel.
    double needleLevel[channels] {};
    double holdNeedle[channels] {};
    int holdCounter[channels] {};
    double overSamples[channels] {};
    double infinityHold[channels];
    float needleLevelAtBlockStart[channels] {};
    float holdNeedleAtBlockStart[channels] {};
    float shownLevel[channels] {};
    float shownHold[channels] {};

    // History rings per channel, one slot per ring step while a display delay is
    // set, and their write position.
    ChannelHistory history[channels];
    HistoryPosition historyPosition;

    // The trim and the DC blockers, and the interpolation history of the
    // filtered input per input channel.
    MeterInputStage input;
    InterpolationHistory interpolation;

    double meterRate = 44100.0;
    // The processing rate, oversampling factor, coefficients, hold length and
    // ring step of this instance, for the shared settings at its own meter rate.
    PeakProgrammeBallistics ballistics;

    // --- Rates ------------------------------------------------------------------

    // prepareToPlay: the meter rate for the host rate, this instance's values for
    // it, a cleared history, the DC blockers and the trim for the host rate.
    void prepare(const PeakProgrammeSettings& s, double sampleRate, float trimTargetGain) noexcept
    {
        const double rate = usableSampleRate(sampleRate);
        meterRate = peak_programme::meterRateFor(rate);
        updateProcessingRate(s);
        input.prepare(rate, trimTargetGain);
    }

    // The oversampling factor, the processing rate, this instance's coefficients
    // for it, and a cleared history.
    void updateProcessingRate(const PeakProgrammeSettings& s) noexcept
    {
        peak_programme::chooseBallistics(ballistics, s, meterRate, interpolation);
        clearHistory();
    }

    // A time or the measurement mode has changed since this instance last derived
    // its values (by another instance, perhaps at another rate): they are derived
    // again for its own rate; the history goes on.
    void followSettings(const PeakProgrammeSettings& s) noexcept
    {
        peak_programme::followSettings(ballistics, s, meterRate, interpolation);
    }

    void clearHistory() noexcept
    {
        historyPosition.clear();
        for (auto& h : history)
            h.fill(0.0f, 0.0f);
    }

    // releaseResources, before the processing rate is chosen again: the needles
    // rest; the hold counters and the running maxima for "Infinity" keep their
    // values.
    void release(float trimTargetGain) noexcept
    {
        for (int c = 0; c < channels; ++c)
        {
            needleLevel[c] = 0.0;
            holdNeedle[c] = 0.0;
            overSamples[c] = 0.0;
            needleLevelAtBlockStart[c] = 0.0f;
            holdNeedleAtBlockStart[c] = 0.0f;
        }
        input.release(trimTargetGain);
    }

    // --- Blocks -----------------------------------------------------------------

    // The needle and hold values when the block began.
    void beginBlock() noexcept
    {
        for (int c = 0; c < channels; ++c)
        {
            needleLevelAtBlockStart[c] = static_cast<float>(needleLevel[c]);
            holdNeedleAtBlockStart[c] = static_cast<float>(holdNeedle[c]);
        }
    }

    // Meters the first one or two channels of the buffer (two when stereo),
    // trimming them while the trim is applied. magnitudesOf(const float (&)[2]
    // point, float (&magnitudes)[channels]) gives, for each processed point of
    // the inputs, the magnitude each metered channel takes in. writeHistory is
    // the display delay, read once for the block: on above 0.
    template <typename Magnitudes>
    [[gnu::always_inline]] inline void meterBlock(juce::AudioBuffer<float>& buffer, bool stereo,
                                                  const PeakProgrammeSettings& s, bool writeHistory,
                                                  float trimTargetGain, bool trimApplied,
                                                  Magnitudes&& magnitudesOf) noexcept
    {
        // A delay that has just gone on shows nothing from before: the rings
        // start from the needles and holds as they stand now.
        if (historyPosition.blockStartsHistory(writeHistory))
            for (int c = 0; c < channels; ++c)
                history[c].fill(static_cast<float>(needleLevel[c]), static_cast<float>(holdNeedle[c]));

        followSettings(s);
        const auto b = peak_programme::blockBallistics(s, ballistics, writeHistory);

        peak_programme::StepState<channels> st;
        for (int c = 0; c < channels; ++c)
        {
            st.needle[c] = needleLevel[c];
            st.hold[c] = holdNeedle[c];
            st.overs[c] = overSamples[c];
            st.holdCounter[c] = holdCounter[c];
        }
        st.position = historyPosition;

        // One input is interpolated alone.
        vyrkit::meterBlock(input, buffer, stereo, ballistics.oversamplingFactor, trimTargetGain, trimApplied,
                           interpolation, 1, [&](const float (&v)[2]) {
                               float magnitudes[channels];
                               magnitudesOf(v, magnitudes);
                               peak_programme::meterStep(magnitudes, b, st, history);
                           });

        for (int c = 0; c < channels; ++c)
        {
            needleLevel[c] = st.needle[c];
            holdNeedle[c] = st.hold[c];
            overSamples[c] = st.overs[c];
            holdCounter[c] = st.holdCounter[c];
        }
        historyPosition = st.position;
    }

    // --- Display read-out -------------------------------------------------------

    // The first read of a display tick: the delay it shows, read once.
    void updateDisplayIndex(int latencyMs) noexcept { readout::updateDisplayIndex(historyPosition, latencyMs); }

    float displayLevel(int c, float x) noexcept
    {
        shownLevel[c] = readout::showsHistory(historyPosition)
                            ? readout::fromRing(history[c].level, historyPosition.displayIndex, x)
                            : readout::follow(needleLevel[c], needleLevelAtBlockStart[c], x);
        return shownLevel[c];
    }

    float displayHold(int c, float x, bool infinityMode) noexcept
    {
        shownHold[c] = readout::showsHistory(historyPosition)
                           ? readout::fromRing(history[c].hold, historyPosition.displayIndex, x)
                           : readout::follow(holdNeedle[c], holdNeedleAtBlockStart[c], x);
        if (infinityMode)
            shownHold[c] = readout::holdInInfinity(shownHold[c], infinityHold[c]);
        return shownHold[c];
    }

    double readOverCount(int c, const float* readMark = nullptr) noexcept
    {
        return readout::readOverCount(history[c], historyPosition, overSamples[c], readMark);
    }

    void setOverCount(int c, double count) noexcept
    {
        readout::setOverCount(history[c], historyPosition, overSamples[c], count);
    }

    // The holds restart from the needles, in "Infinity" too.
    void resetPeakHold() noexcept
    {
        for (int c = 0; c < channels; ++c)
        {
            holdCounter[c] = 0;
            holdNeedle[c] = needleLevel[c];
            infinityHold[c] = needleLevel[c];
        }
    }
};
} // namespace vyrkit
