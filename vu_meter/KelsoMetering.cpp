// VU metering: the processing rate for the host rate and measurement mode, and
// the per-block loop that trims the audio and drives the needle, the hold, the
// over count and the history rings.
#include "VyrKelsoMAudioProcessor.h"

#include "KelsoSettings.h"
#include "MeterChannels.h"
#include "MeterFrontEnd.h"
#include "MeterRates.h"
#include "SafeNumbers.h"

#include <cmath>
#include <limits>

namespace vyrkelsom
{
using vyrkit::truncToInt;

void VyrKelsoMAudioProcessor::fillRings(float level, float hold) noexcept
{
    history.fill(level, hold);
    historyPosition.clear();
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
            processingFactor = r > 88200.0 ? 2 : 4;
            processingRate = processingFactor * r;
            interpolation.restart(processingFactor);
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

    input.prepare(rate, trimTargetGain);

    setRateDependentValues();
    fillRings(-0.05f, -0.05f);
    ringStep = vyrkit::ringStepFor(processingRate);
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
        input.release(trimTargetGain);

        needleLevel = -0.05f;
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
    // A hold restart a host thread asked for.
    applyPendingHoldRestart();

    const int n = buffer.getNumSamples();
    // 1. Channels: outputs without an input are silent, except that a single
    // input is copied, untrimmed, to the second output. A block without an input
    // is not metered.
    const int ins = vyrkit::routeMeterChannels(*this, buffer);
    if (ins < 1)
        return;
    const bool stereo = ins >= 2;

    // 2. and 3. The block's start values and time stamp.
    needleLevelAtBlockStart = needleLevel;
    holdNeedleAtBlockStart = holdNeedle;
    const double hostRate = getSampleRate();
    stampBlock(hostRate > 0.0 ? n / hostRate : 0.0);

    // The settings and parameters in force for this block.
    const auto& s = processWideSettings();
    const int factor = processingFactor;
    const double inverseReference = s.inverseReference;
    const double threshold = settings::overThreshold(s.overReferenceStep, inverseReference);
    const double overLimit = s.overCount;
    // The display delay, read once for the block. One that has just gone on shows
    // nothing from before: the rings start from the needle and hold as they
    // stand now.
    const bool writeHistory = latencyMs > 0;
    if (historyPosition.blockStartsHistory(writeHistory))
        history.fill(needleLevel, holdNeedle);
    const double release = holdRelease;
    const float length = holdLength;

    float needle = needleLevel;
    float hold = holdNeedle;
    float counter = holdCounter;
    double overs = overSamples;

    NeedleFilterBank::Run needleRun(needleBank);

    // One processed point of both channels: rectified mean, needle, over count,
    // hold and history.
    const auto meter = [&](const float (&v)[2]) noexcept {
        const float m = stereo ? (std::abs(v[0]) + std::abs(v[1])) * 0.5f : std::abs(v[0]);
        const double level = m * inverseReference;

        needle = needleRun.process(level * 1.56);

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

        if (writeHistory && historyPosition.step(ringStep))
            history.write(historyPosition.writeIndex, needle, hold, overs, overLimit);
    };

    // With one input the silent right channel is interpolated too.
    vyrkit::meterBlock(input, buffer, stereo, factor, trimTargetGain, trimEnabled != 0, interpolation, 2, meter);

    needleLevel = needle;
    holdNeedle = hold;
    holdCounter = counter;
    overSamples = overs;
}
} // namespace vyrkelsom
