// Peak programme metering of one channel: rates and coefficients for the host
// rate, and the per-block loop that trims the audio and drives the needle, the
// hold, the over count and the history rings. Two inputs are metered as the mean
// of their rectified samples, one input by itself.
#include "VyrTarvoMAudioProcessor.h"

#include "MeterChannels.h"
#include "MeterFrontEnd.h"
#include "MeterRates.h"
#include "PeakProgrammeStep.h"
#include "SafeNumbers.h"
#include "TarvoMSettings.h"

#include <cmath>
#include <limits>

namespace vyrtarvom
{
using vyrkit::truncToInt;

void VyrTarvoMAudioProcessor::prepareToPlay(double sampleRate, int)
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

void VyrTarvoMAudioProcessor::updateProcessingRate()
{
    const juce::ScopedLock lock(getCallbackLock());
    setRateDependentValues();
}

// The oversampling factor, the processing rate, this instance's coefficients for
// it, and a cleared history: shared by prepareToPlay and updateProcessingRate.
void VyrTarvoMAudioProcessor::setRateDependentValues()
{
    vyrkit::peak_programme::chooseBallistics(ballistics, processWideSettings(), meterRate, interpolation);
    clearHistory();
}

void VyrTarvoMAudioProcessor::followSettings() noexcept
{
    vyrkit::peak_programme::followSettings(ballistics, processWideSettings(), meterRate, interpolation);
}

void VyrTarvoMAudioProcessor::followSettingsNow()
{
    const juce::ScopedLock lock(getCallbackLock());
    followSettings();
}

void VyrTarvoMAudioProcessor::clearHistory() noexcept
{
    historyPosition.clear();
    history.fill(0.0f, 0.0f);
}

void VyrTarvoMAudioProcessor::releaseResources()
{
    {
        const juce::ScopedLock lock(getCallbackLock());
        // The hold counter and the running maximum for "Infinity" keep their values.
        needleLevel = 0.0;
        holdNeedle = 0.0;
        overSamples = 0.0;
        needleLevelAtBlockStart = 0.0f;
        holdNeedleAtBlockStart = 0.0f;
        dcBlockerLeft.reset();
        dcBlockerLeft.designCoefficients();
        dcBlockerRight.reset();
        dcBlockerRight.designCoefficients();
        trimCurrentGain = trimTargetGain;
    }
    updateProcessingRate();
}

namespace
{
// The value metered from one point of both inputs: the mean of the magnitudes,
// the sum in single precision and the halving in double.
inline float meanOfRectified(float left, float right) noexcept
{
    const float sum = std::abs(left) + std::abs(right);
    return static_cast<float>(static_cast<double>(sum) * 0.5);
}
} // namespace

void VyrTarvoMAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const int n = buffer.getNumSamples();
    const int bufferChannels = buffer.getNumChannels();
    const int ins = juce::jmin(getTotalNumInputChannels(), bufferChannels);
    const int outs = juce::jmin(getTotalNumOutputChannels(), bufferChannels);
    // Every channel configuration has an input; a block without one is not metered.
    if (ins < 1)
        return;

    // 1. Channels. One input feeds both outputs: the second one untrimmed.
    vyrkit::routeMeterChannels(buffer, ins, outs);

    // 2. Block stamp.
    lastBlockTime = clock.load()() * 0.001;
    blockDuration = static_cast<float>(n) / static_cast<float>(getSampleRate());
    needleLevelAtBlockStart = static_cast<float>(needleLevel);
    holdNeedleAtBlockStart = static_cast<float>(holdNeedle);

    // The settings and parameters in force for this block.
    const auto& s = processWideSettings();
    // A time or the measurement mode changed since this instance last derived its
    // values (by another instance, perhaps at another rate): derive them again.
    followSettings();
    const int factor = ballistics.oversamplingFactor;
    const auto b = vyrkit::peak_programme::blockBallistics(s, ballistics, latencyMs > 0);
    const bool stereo = ins >= 2;

    vyrkit::peak_programme::StepState<1> st;
    st.needle[0] = needleLevel;
    st.hold[0] = holdNeedle;
    st.overs[0] = overSamples;
    st.holdCounter[0] = holdCounter;
    st.position = historyPosition;

    vyrkit::TrimStage trim(trimCurrentGain, trimTargetGain, trimSmoothing, trimEnabled != 0);
    const vyrkit::MeterInput input { buffer.getWritePointer(0), stereo ? buffer.getWritePointer(1) : nullptr, n,
                                     dcBlockerLeft, dcBlockerRight };
    // One input is interpolated alone.
    vyrkit::meterBlock(input, factor, trim, interpolation, 1, [&](const float (&v)[2]) {
        vyrkit::peak_programme::meterStep({ stereo ? meanOfRectified(v[0], v[1]) : std::abs(v[0]) }, b, st, &history);
    });

    needleLevel = st.needle[0];
    holdNeedle = st.hold[0];
    overSamples = st.overs[0];
    holdCounter = st.holdCounter[0];
    historyPosition = st.position;
    trimCurrentGain = trim.currentGain();
}
} // namespace vyrtarvom
