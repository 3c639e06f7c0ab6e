// Peak programme metering: rates and coefficients for the host rate, and the
// per-block loop that trims the audio and drives needles, holds, overs and the
// history rings.
#include "VyrTarvoAudioProcessor.h"

#include "MeterChannels.h"
#include "MeterFrontEnd.h"
#include "MeterRates.h"
#include "PeakProgrammeStep.h"
#include "SafeNumbers.h"

#include <cmath>
#include <limits>

namespace vyrtarvo
{
using vyrkit::truncToInt;

void VyrTarvoAudioProcessor::prepareToPlay(double sampleRate, int)
{
    // The editor's timer reads this state under the callback lock.
    const juce::ScopedLock lock(getCallbackLock());

    const double rate = vyrkit::usableSampleRate(sampleRate);
    meterRate = vyrkit::peak_programme::meterRateFor(rate);
    setRateDependentValues();

    dcBlockerLeft.setSampleRate(rate);
    dcBlockerRight.setSampleRate(rate);

    trimCurrentGain = trimTargetGain;
    trimSmoothing = vyrkit::trimSmoothingFor(rate);
}

void VyrTarvoAudioProcessor::updateProcessingRate()
{
    const juce::ScopedLock lock(getCallbackLock());
    setRateDependentValues();
}

// The oversampling factor, the processing rate, this instance's coefficients for
// it, and a cleared history: shared by prepareToPlay and updateProcessingRate.
void VyrTarvoAudioProcessor::setRateDependentValues()
{
    vyrkit::peak_programme::chooseBallistics(ballistics, processWideSettings(), meterRate, interpolation);
    clearHistory();
}

void VyrTarvoAudioProcessor::followSettings() noexcept
{
    vyrkit::peak_programme::followSettings(ballistics, processWideSettings(), meterRate, interpolation);
}

void VyrTarvoAudioProcessor::followSettingsNow()
{
    const juce::ScopedLock lock(getCallbackLock());
    followSettings();
}

void VyrTarvoAudioProcessor::clearHistory() noexcept
{
    historyPosition.clear();
    for (auto& h : history)
        h.fill(0.0f, 0.0f);
}

void VyrTarvoAudioProcessor::releaseResources()
{
    {
        const juce::ScopedLock lock(getCallbackLock());
        for (int c = 0; c < 2; ++c)
        {
            needleLevel[c] = 0.0;
            holdNeedle[c] = 0.0;
            overSamples[c] = 0.0;
            needleLevelAtBlockStart[c] = 0.0f;
            holdNeedleAtBlockStart[c] = 0.0f;
        }
        dcBlockerLeft.reset();
        dcBlockerLeft.designCoefficients();
        dcBlockerRight.reset();
        dcBlockerRight.designCoefficients();
        trimCurrentGain = trimTargetGain;
    }
    updateProcessingRate();
}


void VyrTarvoAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const int n = buffer.getNumSamples();
    const int bufferChannels = buffer.getNumChannels();
    const int ins = juce::jmin(getTotalNumInputChannels(), bufferChannels);
    const int outs = juce::jmin(getTotalNumOutputChannels(), bufferChannels);
    if (ins < 1)
        return;

    // 1. Channels.
    vyrkit::routeMeterChannels(buffer, ins, outs);

    // 2. Block stamp.
    lastBlockTime = clock.load()() * 0.001;
    blockDuration = static_cast<float>(n) / static_cast<float>(getSampleRate());
    for (int c = 0; c < 2; ++c)
    {
        needleLevelAtBlockStart[c] = static_cast<float>(needleLevel[c]);
        holdNeedleAtBlockStart[c] = static_cast<float>(holdNeedle[c]);
    }

    // The settings and parameters in force for this block.
    const auto& s = processWideSettings();
    // A time or the measurement mode changed since this instance last derived its
    // values (by another instance, perhaps at another rate): derive them again.
    followSettings();
    const int factor = ballistics.oversamplingFactor;
    const auto b = vyrkit::peak_programme::blockBallistics(s, ballistics, latencyMs > 0);
    const bool midSide = lrmsValue > 0.5;
    const float k = midAttenuation(s.midValue);
    const bool stereo = ins >= 2;

    vyrkit::peak_programme::StepState<2> st;
    for (int c = 0; c < 2; ++c)
    {
        st.needle[c] = needleLevel[c];
        st.hold[c] = holdNeedle[c];
        st.overs[c] = overSamples[c];
        st.holdCounter[c] = holdCounter[c];
    }
    st.position = historyPosition;

    vyrkit::TrimStage trim(trimCurrentGain, trimTargetGain, trimSmoothing, trimEnabled == 1);
    const vyrkit::MeterInput input { buffer.getWritePointer(0), stereo ? buffer.getWritePointer(1) : nullptr, n,
                                     dcBlockerLeft, dcBlockerRight };
    // One input is metered on both channels; only its own channel is interpolated.
    vyrkit::meterBlock(input, factor, trim, interpolation, 1, [&](const float (&v)[2]) {
        float m0 = v[0];
        float m1 = stereo ? v[1] : v[0];
        if (midSide)
        {
            const float sum = (m0 + m1) * k;
            m1 = m0 - m1;
            m0 = sum;
        }
        vyrkit::peak_programme::meterStep({ std::abs(m0), std::abs(m1) }, b, st, history);
    });

    for (int c = 0; c < 2; ++c)
    {
        needleLevel[c] = st.needle[c];
        holdNeedle[c] = st.hold[c];
        overSamples[c] = st.overs[c];
        holdCounter[c] = st.holdCounter[c];
    }
    historyPosition = st.position;
    trimCurrentGain = trim.currentGain();
}
} // namespace vyrtarvo
