// VU metering: the processing rate for the host rate and measurement mode, and
// the per-block loop that trims the audio and drives the needle, the hold, the
// over count and the history rings.
#include "VyrKelsoMAudioProcessor.h"

#include "DcBlockedSample.h"
#include "KelsoSettings.h"
#include "MeterRates.h"
#include "SafeNumbers.h"

#include <cmath>
#include <limits>

namespace vyrkelsom
{
using vyrkit::truncToInt;

namespace
{
constexpr float floatMax = std::numeric_limits<float>::max();
} // namespace

void VyrKelsoMAudioProcessor::fillRings(float level, float hold) noexcept
{
    levelRing.fill(level);
    holdRing.fill(hold);
    overRing.fill(0.0f);
    ringWriteIndex = 0;
    displayIndex = 0;
    ringStepCounter = 0;
    overReadout.clear();
}

// The oversampling factor and processing rate for meterRate, the needle bank at
// that rate, the hold values and the ring step.
void VyrKelsoMAudioProcessor::chooseProcessingRate(double r)
{
    auto& s = processWideSettings();
    meterRate = r;
    processingRate = r;
    processingFactor = 0;

    if (s.oversamplingOn == 1)
    {
        if (r > 100000.0)
            s.oversamplingFactor = 0;
        else
        {
            for (int c = 0; c < 2; ++c)
                osPrev1[c] = osPrev2[c] = 0.0f;
            if (r > 88200.0)
            {
                processingRate = 2.0 * r;
                processingFactor = 2;
            }
            else
            {
                processingRate = 4.0 * r;
                processingFactor = 4;
                for (int c = 0; c < 2; ++c)
                    osNewest[c] = 0.0f;
            }
            s.oversamplingFactor = processingFactor;
        }
    }

    needleBank.setSampleRate(processingRate);
    updateBallistics();
}

void VyrKelsoMAudioProcessor::setRateDependentValues()
{
    const auto& s = processWideSettings();
    holdLength = static_cast<float>(s.holdTimeMs * 0.001 * processingRate);
    // The hold needle falls to a sixteenth of its value in the integration time.
    const double release = 1.0 - std::pow(0.0625, 1.0 / (processingRate * s.integrationMs * 0.001));
    holdRelease = std::isfinite(release) ? static_cast<float>(release) : 1.0f;
}

void VyrKelsoMAudioProcessor::prepareToPlay(double sampleRate, int)
{
    // The editor's timer reads this state under the callback lock.
    const juce::ScopedLock lock(getCallbackLock());

    const double rate = vyrkit::usableSampleRate(sampleRate);
    chooseProcessingRate(juce::jlimit(22050.0, 192000.0, rate));

    dcBlockerLeft.setSampleRate(rate);
    dcBlockerRight.setSampleRate(rate);

    setRateDependentValues();
    fillRings(-0.05f, -0.05f);
    ringStep = vyrkit::ringStepFor(processingRate);

    trimSmoothing = vyrkit::trimSmoothingFor(rate);
    trimCurrentGain = trimTargetGain;
}

void VyrKelsoMAudioProcessor::updateProcessingRate()
{
    const juce::ScopedLock lock(getCallbackLock());
    chooseProcessingRate(meterRate);
    setRateDependentValues();
    fillRings(0.0f, 0.0f);
    ringStep = vyrkit::ringStepFor(processingRate);
}

void VyrKelsoMAudioProcessor::releaseResources()
{
    {
        const juce::ScopedLock lock(getCallbackLock());
        needleBank.reset();
        needleBank.applyQRamp();
        dcBlockerLeft.reset();
        dcBlockerLeft.designCoefficients();
        dcBlockerRight.reset();
        dcBlockerRight.designCoefficients();

        needleLevel = -0.05f;
        trimCurrentGain = trimTargetGain;
        holdNeedle = -0.05f;
        holdCounter = 0.0f;
        holdNeedleAtBlockStart = -0.05f;
        overSamples = 0.0;
        fillRings(-0.05f, -0.05f);
        ringStep = vyrkit::ringStepFor(processingRate);
    }
    updateProcessingRate();
}

void VyrKelsoMAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const int n = buffer.getNumSamples();
    const int bufferChannels = buffer.getNumChannels();
    const int ins = juce::jmin(getTotalNumInputChannels(), bufferChannels);
    const int outs = juce::jmin(getTotalNumOutputChannels(), bufferChannels);
    if (ins < 1)
        return;

    // 1. Channels: outputs without an input are silent, except that a single
    // input is copied, untrimmed, to the second output.
    const bool stereo = ins >= 2;
    if (stereo)
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

    // 2. and 3. The block's start values and time stamp.
    needleLevelAtBlockStart = needleLevel;
    holdNeedleAtBlockStart = holdNeedle;
    lastBlockTime = clock.load()() * 0.001;
    const double hostRate = getSampleRate();
    blockDuration = hostRate > 0.0 ? n / hostRate : 0.0;

    // The settings and parameters in force for this block.
    const auto& s = processWideSettings();
    const int factor = processingFactor;
    const double inverseReference = s.inverseReference;
    const double threshold = settings::overThreshold(s.overReferenceStep, inverseReference);
    const double overLimit = s.overCount;
    const bool writeHistory = latencyMs > 0;
    const bool applyTrim = trimEnabled != 0;
    const float targetGain = trimTargetGain;
    const float smoothing = trimSmoothing;
    const double release = holdRelease;
    const float length = holdLength;

    float* left = buffer.getWritePointer(0);
    float* right = stereo ? buffer.getWritePointer(1) : nullptr;
    float gain = trimCurrentGain;
    float needle = needleLevel;
    float hold = holdNeedle;
    float counter = holdCounter;
    double overs = overSamples;
    float sample[2] = {};

    // One processed point of both channels: rectified mean, needle, over count,
    // hold and history.
    const auto meter = [&](float l, float r) noexcept {
        const float m = stereo ? (std::abs(l) + std::abs(r)) * 0.5f : std::abs(l);
        const double level = m * inverseReference;

        needle = needleBank.process(level * 1.56);

        if (static_cast<double>(static_cast<float>(level)) >= threshold)
            overs += 1.0;
        else if (overs < overLimit)
            overs = 0.0;

        if (needle >= hold)
        {
            hold = needle;
            counter = 0.0f;
        }
        if (counter >= length)
            hold = static_cast<float>(hold + (0.0 - hold) * release);
        // A float counter stops at 2^24, far beyond any hold length: once released,
        // the hold stays released.
        counter += 1.0f;

        // ">=" so that a ring step lowered by a rate change never stops the history.
        if (writeHistory && ++ringStepCounter >= ringStep)
        {
            if (++ringWriteIndex >= ringSize)
                ringWriteIndex = 0;
            ringStepCounter = 0;
            const auto slot = static_cast<std::size_t>(ringWriteIndex);
            overReadout.overwriting(overRing[slot], overLimit);
            levelRing[slot] = needle;
            holdRing[slot] = hold;
            overRing[slot] = static_cast<float>(overs);
            if (overs >= overLimit)
            {
                overRing[slot] = static_cast<float>(overLimit);
                overs = 0.0;
            }
        }
    };

    for (int i = 0; i < n; ++i)
    {
        // The next input sample: smoothed trim, applied while active, then the DC
        // blockers (the buffer keeps the trimmed, unfiltered sample).
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

        sample[0] = vyrkit::dcBlockedSample(dcBlockerLeft, left[i]);
        if (stereo)
            sample[1] = vyrkit::dcBlockedSample(dcBlockerRight, right[i]);

        if (factor == 2)
        {
            float mid[2];
            for (int c = 0; c < 2; ++c)
            {
                const float x = sample[c];
                osNewest[c] = x;
                mid[c] = (x + osPrev2[c]) * -0.0625f + (osPrev1[c] + x) * 0.5625f;
                osPrev2[c] = osPrev1[c];
                osPrev1[c] = x;
            }
            meter(mid[0], mid[1]);
            meter(osNewest[0], osNewest[1]);
        }
        else if (factor == 4)
        {
            float quarter[2];
            for (int c = 0; c < 2; ++c)
            {
                const float x = sample[c];
                const float p2 = osPrev2[c];
                const float p1 = osPrev1[c];
                osNewest[c] = x;
                const float mid = (p2 + x) * -0.0625f + (p1 + x) * 0.5625f;
                osMid[c] = mid;
                osThreeQuarter[c] = (mid + x) * 0.5625f + (p1 + x) * -0.0625f;
                quarter[c] = (mid + p2) * -0.0625f + (p1 + p1) * 0.5625f;
                osPrev2[c] = p1;
                osPrev1[c] = x;
            }
            meter(quarter[0], quarter[1]);
            meter(osMid[0], osMid[1]);
            meter(osThreeQuarter[0], osThreeQuarter[1]);
            meter(osNewest[0], osNewest[1]);
        }
        else
        {
            meter(sample[0], sample[1]);
        }
    }

    needleLevel = needle;
    holdNeedle = hold;
    holdCounter = counter;
    overSamples = overs;
    trimCurrentGain = gain;
}
} // namespace vyrkelsom
