// Peak programme metering: rates and coefficients for the host rate, and the
// per-block loop that trims the audio and drives needles, holds, overs and the
// history rings.
#include "VyrTarvoAudioProcessor.h"

#include "SafeNumbers.h"

#include <cmath>
#include <limits>

namespace vyrtarvo
{
using vyrkit::truncToInt;

namespace
{
// A rate that is zero, negative or not finite never reaches a filter design or
// the trim smoothing.
double usableRate(double rate) noexcept
{
    return (std::isfinite(rate) && rate > 0.0) ? rate : 44100.0;
}

// 0.001 as the single-precision constant.
constexpr double ringStepFactor = static_cast<double>(0.001f);
// 22.05 as the single-precision constant.
constexpr double trimSmoothingFactor = static_cast<double>(22.05f);
} // namespace

void VyrTarvoAudioProcessor::prepareToPlay(double sampleRate, int)
{
    // The editor's timer reads this state under the callback lock.
    const juce::ScopedLock lock(getCallbackLock());

    const double rate = usableRate(sampleRate);
    meterRate = juce::jlimit(22050.0, 192000.0, rate);
    processingRate = meterRate;
    setRateDependentValues();

    dcBlockerLeft.setSampleRate(rate);
    dcBlockerRight.setSampleRate(rate);

    trimCurrentGain = trimTargetGain;
    trimSmoothing = static_cast<float>(trimSmoothingFactor / rate);
}

void VyrTarvoAudioProcessor::updateProcessingRate()
{
    const juce::ScopedLock lock(getCallbackLock());
    processingRate = meterRate;
    setRateDependentValues();
}

// The oversampling factor, the processing rate, the process-wide coefficients for
// it, and a cleared history: shared by prepareToPlay and updateProcessingRate.
void VyrTarvoAudioProcessor::setRateDependentValues()
{
    auto& s = processWideSettings();

    if (s.oversamplingOn == 1)
    {
        if (meterRate > 100000.0)
            s.oversamplingFactor = 0;
        else
        {
            for (int c = 0; c < 2; ++c)
                previous[c] = older[c] = 0.0f;

            if (meterRate > 88200.0)
            {
                s.oversamplingFactor = 2;
                processingRate = 2.0 * meterRate;
            }
            else
            {
                s.oversamplingFactor = 4;
                for (int c = 0; c < 2; ++c)
                    newest[c] = 0.0f;
                processingRate = 4.0 * meterRate;
            }
        }
    }

    s.attackCoefficient = attackCoefficientFor(s.integrationMs, processingRate);
    s.releaseCoefficient = releaseCoefficientFor(processingRate * s.returnMs * 0.001);
    s.holdSamples = holdSamplesFor(s.holdMs, processingRate);

    clearHistory();
    ringStep = truncToInt(processingRate * ringStepFactor);
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
        overReadFrom[c] = overReadTo[c] = 0;
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

// One processed step of both metered channels: mid/side, level, over count,
// needle, hold and the history.
inline void VyrTarvoAudioProcessor::meterStep(float m0, float m1, const BlockBallistics& b) noexcept
{
    const float m[2] = { m0, m1 };
    const double inverseReference = b.inverseReference;
    const double threshold = b.threshold;
    const double attack = b.attack;
    const double release = b.release;
    const double holdLength = b.holdLength;
    const double overLimit = b.overLimit;

    for (int c = 0; c < 2; ++c)
    {
        const float a = static_cast<float>(static_cast<double>(std::abs(m[c])) * inverseReference);
        const double level = a;

        if (level >= threshold)
            overSamples[c] += 1.0;
        else if (overSamples[c] < overLimit)
            overSamples[c] = 0.0;

        double needle = needleLevel[c];
        if (level > needle)
            needle += (level - needle) * attack;
        else
            needle += (level - needle) * release;
        needleLevel[c] = (needle + 1e-14) - 1e-14;
    }

    for (int c = 0; c < 2; ++c)
    {
        if (needleLevel[c] > holdNeedle[c])
        {
            holdNeedle[c] = needleLevel[c];
            holdCounter[c] = 0;
        }
        if (static_cast<double>(holdCounter[c]) >= holdLength)
            holdNeedle[c] = holdNeedle[c] + (0.0 - holdNeedle[c]) * release;
        // Held at its limit: hours without a new peak keep the hold released.
        if (holdCounter[c] < std::numeric_limits<int>::max())
            ++holdCounter[c];
    }
    for (int c = 0; c < 2; ++c)
        holdNeedle[c] = (holdNeedle[c] + 1e-14) - 1e-14;

    if (b.writeHistory && ++ringStepCounter >= ringStep)
    {
        if (++ringWriteIndex >= ringSize)
            ringWriteIndex = 0;
        ringStepCounter = 0;
        for (int c = 0; c < 2; ++c)
        {
            levelRing[c][(size_t) ringWriteIndex] = static_cast<float>(needleLevel[c]);
            holdRing[c][(size_t) ringWriteIndex] = static_cast<float>(holdNeedle[c]);
            overRing[c][(size_t) ringWriteIndex] = static_cast<float>(overSamples[c]);
            if (overSamples[c] >= overLimit)
            {
                overRing[c][(size_t) ringWriteIndex] = static_cast<float>(overLimit);
                overSamples[c] = 0.0;
            }
        }
    }
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
    const int factor = s.oversamplingFactor;
    BlockBallistics b;
    b.inverseReference = s.inverseReferenceGain;
    b.threshold = overThreshold(s.overReferenceSelector, b.inverseReference);
    b.attack = s.attackCoefficient;
    b.release = s.releaseCoefficient;
    b.holdLength = s.holdSamples;
    b.overLimit = s.overCount;
    b.writeHistory = latencyMs > 0;
    const bool midSide = lrmsValue > 0.5;
    const float k = midAttenuation(s.midValue);
    const bool applyTrim = trimEnabled == 1;
    const float targetGain = trimTargetGain;
    const bool stereo = ins >= 2;

    float* left = buffer.getWritePointer(0);
    float* right = stereo ? buffer.getWritePointer(1) : nullptr;

    const auto meter = [&](float m0, float m1) {
        if (midSide)
        {
            const float mid = (m0 + m1) * k;
            const float side = m0 - m1;
            m0 = mid;
            m1 = side;
        }
        meterStep(m0, m1, b);
    };

    for (int i = 0; i < n; ++i)
    {
        // 4. The next input sample: smoothed trim, applied while active, then the
        // DC blockers (the buffer keeps the trimmed, unfiltered sample).
        float g = (targetGain - trimCurrentGain) * trimSmoothing + trimCurrentGain;
        g = static_cast<float>(static_cast<double>(g) + 1e-14);
        g = static_cast<float>(static_cast<double>(g) - 1e-14);
        trimCurrentGain = g;

        if (applyTrim)
        {
            // Saturated, so that no finite input leaves as an infinity.
            left[i] = juce::jlimit(-std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), left[i] * g);
            if (stereo)
                right[i] = juce::jlimit(-std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), right[i] * g);
        }

        const int channels = stereo ? 2 : 1;
        float x0[2] = {};
        x0[0] = static_cast<float>(dcBlockerLeft.processSample(static_cast<double>(left[i])));
        if (stereo)
            x0[1] = static_cast<float>(dcBlockerRight.processSample(static_cast<double>(right[i])));

        if (factor == 2 || factor == 4)
        {
            // 5. Interpolated points between the previous and the current sample.
            float q1[2] = {}, mid[2] = {}, q3[2] = {};
            for (int c = 0; c < channels; ++c)
            {
                const float x1 = previous[c];
                const float x2 = older[c];
                mid[c] = (x1 + x0[c]) * 0.5625f + (x0[c] + x2) * -0.0625f;
                if (factor == 4)
                {
                    q1[c] = (x1 + x1) * 0.5625f + (x2 + mid[c]) * -0.0625f;
                    q3[c] = (mid[c] + x0[c]) * 0.5625f + (x1 + x0[c]) * -0.0625f;
                }
                older[c] = x1;
                previous[c] = x0[c];
                newest[c] = x0[c];
                midPoint[c] = mid[c];
                threeQuarterPoint[c] = q3[c];
            }

            if (factor == 4)
            {
                meter(q1[0], stereo ? q1[1] : q1[0]);
                meter(mid[0], stereo ? mid[1] : mid[0]);
                meter(q3[0], stereo ? q3[1] : q3[0]);
            }
            else
            {
                meter(mid[0], stereo ? mid[1] : mid[0]);
            }
        }
        else
        {
            for (int c = 0; c < channels; ++c)
                newest[c] = x0[c];
        }

        meter(x0[0], stereo ? x0[1] : x0[0]);
    }
}
} // namespace vyrtarvo
