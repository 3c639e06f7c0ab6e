// Peak programme metering of one channel: rates and coefficients for the host
// rate, and the per-block loop that trims the audio and drives the needle, the
// hold, the over count and the history rings. Two inputs are metered as the mean
// of their rectified samples, one input by itself.
#include "VyrTarvoMAudioProcessor.h"

#include "TarvoMSettings.h"

#include <cmath>

namespace vyrtarvom
{
void VyrTarvoMAudioProcessor::prepareToPlay(double sampleRate, int)
{
    // The editor's timer reads this state under the callback lock.
    const juce::ScopedLock lock(getCallbackLock());
    meter.prepare(processWideSettings(), sampleRate, trimTargetGain);
}

void VyrTarvoMAudioProcessor::updateProcessingRate()
{
    const juce::ScopedLock lock(getCallbackLock());
    meter.updateProcessingRate(processWideSettings());
}

void VyrTarvoMAudioProcessor::followSettingsNow()
{
    const juce::ScopedLock lock(getCallbackLock());
    meter.followSettings(processWideSettings());
}

void VyrTarvoMAudioProcessor::releaseResources()
{
    {
        const juce::ScopedLock lock(getCallbackLock());
        // The hold counter and the running maximum for "Infinity" keep their values.
        meter.release(trimTargetGain);
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
    // 1. Channels: outputs without an input are silent, except that a single
    // input is copied, untrimmed, to the second output. A block without an input
    // is not metered.
    const int ins = vyrkit::routeMeterChannels(*this, buffer);
    if (ins < 1)
        return;

    // 2. Block stamp.
    lastBlockTime = clock.load()() * 0.001;
    blockDuration = static_cast<float>(n) / static_cast<float>(getSampleRate());
    meter.beginBlock();

    const bool stereo = ins >= 2;
    meter.meterBlock(buffer, stereo, processWideSettings(), latencyMs > 0, trimTargetGain, trimEnabled != 0,
                     [&](const float (&v)[2], float (&magnitude)[1]) {
                         magnitude[0] = stereo ? meanOfRectified(v[0], v[1]) : std::abs(v[0]);
                     });
}
} // namespace vyrtarvom
