// Peak programme metering of one channel: rates and coefficients for the host
// rate, and the per-block loop that trims the audio and drives the needle, the
// hold, the over count and the history rings. Two inputs are metered as the mean
// of their rectified samples, one input by itself.
#include "VyrTarvoMAudioProcessor.h"

#include "DcBlockedSample.h"
#include "MeterRates.h"
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
    vyrkit::peak_programme::chooseBallistics(ballistics, processWideSettings(), meterRate, { newest, previous, older });
    clearHistory();
}

void VyrTarvoMAudioProcessor::followSettings() noexcept
{
    vyrkit::peak_programme::followSettings(ballistics, processWideSettings(), meterRate, { newest, previous, older });
}

void VyrTarvoMAudioProcessor::followSettingsNow()
{
    const juce::ScopedLock lock(getCallbackLock());
    followSettings();
}

void VyrTarvoMAudioProcessor::clearHistory() noexcept
{
    ringWriteIndex = 0;
    displayIndex = 0;
    ringStepCounter = 0;
    levelRing.fill(0.0f);
    holdRing.fill(0.0f);
    overRing.fill(0.0f);
    overReadout.clear();
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
// The settings in force for one block, read once at its start.
struct BlockBallistics
{
    double inverseReference, threshold, attack, release, holdLength, overLimit;
    bool writeHistory;
    int ringStep;
};

// The meter state the loop works on, held in locals for the length of a block so
// that the compiler keeps it in registers rather than in the processor.
struct StepState
{
    double needle, hold, overs;
    int holdCounter;
    int ringStepCounter, ringWriteIndex;
};

struct Rings
{
    float* level;
    float* hold;
    float* over;
    vyrkit::DelayedOverReadout* overReadout;
};

// One processed step of the metered channel, from its rectified value: level,
// over count, needle, hold and the history.
inline void meterStep(float rectified, const BlockBallistics& b, StepState& st, const Rings& rings) noexcept
{
    const float a = static_cast<float>(static_cast<double>(rectified) * b.inverseReference);
    const double level = a;

    if (level >= b.threshold)
        st.overs += 1.0;
    else if (st.overs < b.overLimit)
        st.overs = 0.0;

    double needle = st.needle;
    if (level > needle)
        needle += (level - needle) * b.attack;
    else
        needle += (level - needle) * b.release;
    st.needle = (needle + 1e-14) - 1e-14;

    if (st.needle > st.hold)
    {
        st.hold = st.needle;
        st.holdCounter = 0;
    }
    if (static_cast<double>(st.holdCounter) >= b.holdLength)
        st.hold = st.hold + (0.0 - st.hold) * b.release;
    // Held at its limit: hours without a new peak keep the hold released.
    if (st.holdCounter < std::numeric_limits<int>::max())
        ++st.holdCounter;
    st.hold = (st.hold + 1e-14) - 1e-14;

    // ">=" so that a ring step lowered by a rate change never stops the history.
    if (b.writeHistory && ++st.ringStepCounter >= b.ringStep)
    {
        if (++st.ringWriteIndex >= VyrTarvoMAudioProcessor::ringSize)
            st.ringWriteIndex = 0;
        st.ringStepCounter = 0;
        const auto slot = static_cast<size_t>(st.ringWriteIndex);
        rings.overReadout->overwriting(rings.over[slot], b.overLimit);
        rings.level[slot] = static_cast<float>(st.needle);
        rings.hold[slot] = static_cast<float>(st.hold);
        rings.over[slot] = static_cast<float>(st.overs);
        if (st.overs >= b.overLimit)
        {
            rings.over[slot] = static_cast<float>(b.overLimit);
            st.overs = 0.0;
        }
    }
}

// The value metered from one point of both inputs: the mean of the magnitudes,
// the sum in single precision and the halving in double.
inline float meanOfRectified(float left, float right) noexcept
{
    const float sum = std::abs(left) + std::abs(right);
    return static_cast<float>(static_cast<double>(sum) * 0.5);
}

constexpr float floatMax = std::numeric_limits<float>::max();
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
    if (ins >= 2)
    {
        for (int ch = ins; ch < outs; ++ch)
            buffer.clear(ch, 0, n);
    }
    else
    {
        if (outs >= 2 && n > 0)
            buffer.copyFrom(1, 0, buffer, 0, 0, n);
        for (int ch = 2; ch < outs; ++ch)
            buffer.clear(ch, 0, n);
    }

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
    BlockBallistics b;
    b.inverseReference = s.inverseReferenceGain;
    b.threshold = vyrkit::peak_programme::overThreshold(s.overReferenceSelector, b.inverseReference);
    b.attack = ballistics.attackCoefficient;
    b.release = ballistics.releaseCoefficient;
    b.holdLength = ballistics.holdSamples;
    b.overLimit = s.overCount;
    b.writeHistory = latencyMs > 0;
    b.ringStep = ballistics.ringStep;
    const bool applyTrim = trimEnabled != 0;
    const float targetGain = trimTargetGain;
    const float smoothing = trimSmoothing;
    const bool stereo = ins >= 2;
    const int channels = stereo ? 2 : 1;

    StepState st;
    st.needle = needleLevel;
    st.hold = holdNeedle;
    st.overs = overSamples;
    st.holdCounter = holdCounter;
    st.ringStepCounter = ringStepCounter;
    st.ringWriteIndex = ringWriteIndex;
    const Rings rings { levelRing.data(), holdRing.data(), overRing.data(), &overReadout };
    float gain = trimCurrentGain;
    float x1[2] = { previous[0], previous[1] };
    float x2[2] = { older[0], older[1] };
    float x0[2] = { newest[0], newest[1] };
    float mid[2] = { midPoint[0], midPoint[1] };
    float q3[2] = { threeQuarterPoint[0], threeQuarterPoint[1] };

    float* left = buffer.getWritePointer(0);
    float* right = stereo ? buffer.getWritePointer(1) : nullptr;

    const auto meter = [&](const float (&v)[2]) {
        meterStep(stereo ? meanOfRectified(v[0], v[1]) : std::abs(v[0]), b, st, rings);
    };

    for (int i = 0; i < n; ++i)
    {
        // 4. The next input sample: smoothed trim (the round trip through 1e-14
        // flushes denormals), applied while active, then the DC blockers (the
        // buffer keeps the trimmed, unfiltered sample).
        float g = (targetGain - gain) * smoothing + gain;
        g = static_cast<float>(static_cast<double>(g) + 1e-14);
        g = static_cast<float>(static_cast<double>(g) - 1e-14);
        gain = g;

        if (applyTrim)
        {
            // Saturated, so that no finite input leaves as an infinity.
            left[i] = juce::jlimit(-floatMax, floatMax, left[i] * g);
            if (stereo)
                right[i] = juce::jlimit(-floatMax, floatMax, right[i] * g);
        }

        x0[0] = vyrkit::dcBlockedSample(dcBlockerLeft, left[i]);
        if (stereo)
            x0[1] = vyrkit::dcBlockedSample(dcBlockerRight, right[i]);

        if (factor == 2 || factor == 4)
        {
            // 5. Interpolated points between the previous and the current sample.
            float q1[2] = {};
            for (int c = 0; c < channels; ++c)
            {
                mid[c] = (x1[c] + x0[c]) * 0.5625f + (x0[c] + x2[c]) * -0.0625f;
                if (factor == 4)
                {
                    q3[c] = (mid[c] + x0[c]) * 0.5625f + (x1[c] + x0[c]) * -0.0625f;
                    q1[c] = (x1[c] + x1[c]) * 0.5625f + (mid[c] + x2[c]) * -0.0625f;
                }
                x2[c] = x1[c];
                x1[c] = x0[c];
            }

            // In time order: (Q1, M, Q3, s0) or (M, s0).
            if (factor == 4)
            {
                meter(q1);
                meter(mid);
                meter(q3);
            }
            else
            {
                meter(mid);
            }
        }

        meter(x0);
    }

    needleLevel = st.needle;
    holdNeedle = st.hold;
    overSamples = st.overs;
    holdCounter = st.holdCounter;
    for (int c = 0; c < 2; ++c)
    {
        previous[c] = x1[c];
        older[c] = x2[c];
        newest[c] = x0[c];
        midPoint[c] = mid[c];
        threeQuarterPoint[c] = q3[c];
    }
    ringStepCounter = st.ringStepCounter;
    ringWriteIndex = st.ringWriteIndex;
    trimCurrentGain = gain;
}
} // namespace vyrtarvom
