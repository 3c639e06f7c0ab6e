// Peak programme metering: rates and coefficients for the host rate, and the
// per-block loop that trims the audio and drives needles, holds, overs and the
// history rings.
#include "VyrTarvoAudioProcessor.h"

#include "DcBlockedSample.h"
#include "MeterRates.h"
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
    vyrkit::peak_programme::chooseBallistics(ballistics, processWideSettings(), meterRate, { newest, previous, older });
    clearHistory();
}

void VyrTarvoAudioProcessor::followSettings() noexcept
{
    vyrkit::peak_programme::followSettings(ballistics, processWideSettings(), meterRate, { newest, previous, older });
}

void VyrTarvoAudioProcessor::followSettingsNow()
{
    const juce::ScopedLock lock(getCallbackLock());
    followSettings();
}

void VyrTarvoAudioProcessor::clearHistory() noexcept
{
    ringWriteIndex = 0;
    displayIndex = 0;
    ringStepCounter = 0;
    for (int c = 0; c < 2; ++c)
    {
        levelRing[c].fill(0.0f);
        holdRing[c].fill(0.0f);
        overRing[c].fill(0.0f);
        overReadout[c].clear();
    }
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
    double needle[2], hold[2], overs[2];
    int holdCounter[2];
    int ringStepCounter, ringWriteIndex;
};

struct Rings
{
    float* level[2];
    float* hold[2];
    float* over[2];
    vyrkit::DelayedOverReadout* overReadout[2];
};

// One processed step of both metered channels: level, over count, needle, hold
// and the history.
inline void meterStep(float m0, float m1, const BlockBallistics& b, StepState& st, const Rings& rings) noexcept
{
    const float m[2] = { m0, m1 };

    for (int c = 0; c < 2; ++c)
    {
        const float a = static_cast<float>(static_cast<double>(std::abs(m[c])) * b.inverseReference);
        const double level = a;

        if (level >= b.threshold)
            st.overs[c] += 1.0;
        else if (st.overs[c] < b.overLimit)
            st.overs[c] = 0.0;

        double needle = st.needle[c];
        if (level > needle)
            needle += (level - needle) * b.attack;
        else
            needle += (level - needle) * b.release;
        st.needle[c] = (needle + 1e-14) - 1e-14;
    }

    for (int c = 0; c < 2; ++c)
    {
        if (st.needle[c] > st.hold[c])
        {
            st.hold[c] = st.needle[c];
            st.holdCounter[c] = 0;
        }
        if (static_cast<double>(st.holdCounter[c]) >= b.holdLength)
            st.hold[c] = st.hold[c] + (0.0 - st.hold[c]) * b.release;
        // Held at its limit: hours without a new peak keep the hold released.
        if (st.holdCounter[c] < std::numeric_limits<int>::max())
            ++st.holdCounter[c];
    }
    for (int c = 0; c < 2; ++c)
        st.hold[c] = (st.hold[c] + 1e-14) - 1e-14;

    // ">=" so that a ring step lowered by a rate change never stops the history.
    if (b.writeHistory && ++st.ringStepCounter >= b.ringStep)
    {
        if (++st.ringWriteIndex >= VyrTarvoAudioProcessor::ringSize)
            st.ringWriteIndex = 0;
        st.ringStepCounter = 0;
        const auto slot = static_cast<size_t>(st.ringWriteIndex);
        for (int c = 0; c < 2; ++c)
        {
            rings.overReadout[c]->overwriting(rings.over[c][slot], b.overLimit);
            rings.level[c][slot] = static_cast<float>(st.needle[c]);
            rings.hold[c][slot] = static_cast<float>(st.hold[c]);
            rings.over[c][slot] = static_cast<float>(st.overs[c]);
            if (st.overs[c] >= b.overLimit)
            {
                rings.over[c][slot] = static_cast<float>(b.overLimit);
                st.overs[c] = 0.0;
            }
        }
    }
}

constexpr float floatMax = std::numeric_limits<float>::max();
} // namespace

void VyrTarvoAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const int n = buffer.getNumSamples();
    const int bufferChannels = buffer.getNumChannels();
    const int ins = juce::jmin(getTotalNumInputChannels(), bufferChannels);
    const int outs = juce::jmin(getTotalNumOutputChannels(), bufferChannels);
    if (ins < 1)
        return;

    // 1. Channels.
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
    BlockBallistics b;
    b.inverseReference = s.inverseReferenceGain;
    b.threshold = overThreshold(s.overReferenceSelector, b.inverseReference);
    b.attack = ballistics.attackCoefficient;
    b.release = ballistics.releaseCoefficient;
    b.holdLength = ballistics.holdSamples;
    b.overLimit = s.overCount;
    b.writeHistory = latencyMs > 0;
    b.ringStep = ballistics.ringStep;
    const bool midSide = lrmsValue > 0.5;
    const float k = midAttenuation(s.midValue);
    const bool applyTrim = trimEnabled == 1;
    const float targetGain = trimTargetGain;
    const float smoothing = trimSmoothing;
    const bool stereo = ins >= 2;
    const int channels = stereo ? 2 : 1;

    StepState st;
    for (int c = 0; c < 2; ++c)
    {
        st.needle[c] = needleLevel[c];
        st.hold[c] = holdNeedle[c];
        st.overs[c] = overSamples[c];
        st.holdCounter[c] = holdCounter[c];
    }
    st.ringStepCounter = ringStepCounter;
    st.ringWriteIndex = ringWriteIndex;
    const Rings rings { { levelRing[0].data(), levelRing[1].data() },
                        { holdRing[0].data(), holdRing[1].data() },
                        { overRing[0].data(), overRing[1].data() },
                        { &overReadout[0], &overReadout[1] } };
    float gain = trimCurrentGain;
    float x1[2] = { previous[0], previous[1] };
    float x2[2] = { older[0], older[1] };
    float x0[2] = { newest[0], newest[1] };
    float mid[2] = { midPoint[0], midPoint[1] };
    float q3[2] = { threeQuarterPoint[0], threeQuarterPoint[1] };

    float* left = buffer.getWritePointer(0);
    float* right = stereo ? buffer.getWritePointer(1) : nullptr;

    const auto meter = [&](const float (&v)[2]) {
        float m0 = v[0];
        float m1 = stereo ? v[1] : v[0];
        if (midSide)
        {
            const float sum = (m0 + m1) * k;
            m1 = m0 - m1;
            m0 = sum;
        }
        meterStep(m0, m1, b, st, rings);
    };

    for (int i = 0; i < n; ++i)
    {
        // 4. The next input sample: smoothed trim, applied while active, then the
        // DC blockers (the buffer keeps the trimmed, unfiltered sample).
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
                    q1[c] = (x1[c] + x1[c]) * 0.5625f + (x2[c] + mid[c]) * -0.0625f;
                    q3[c] = (mid[c] + x0[c]) * 0.5625f + (x1[c] + x0[c]) * -0.0625f;
                }
                x2[c] = x1[c];
                x1[c] = x0[c];
            }

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

    for (int c = 0; c < 2; ++c)
    {
        needleLevel[c] = st.needle[c];
        holdNeedle[c] = st.hold[c];
        overSamples[c] = st.overs[c];
        holdCounter[c] = st.holdCounter[c];
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
} // namespace vyrtarvo
