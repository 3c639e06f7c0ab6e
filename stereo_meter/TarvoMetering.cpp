// Peak programme metering: rates and coefficients for the host rate, and the
// per-block loop that trims the audio and drives needles, holds, overs and the
// history rings of the two metered channels, left and right or mid and side.
#include "VyrTarvoAudioProcessor.h"

#include <cmath>

namespace vyrtarvo
{
void VyrTarvoAudioProcessor::prepareToPlay(double sampleRate, int)
{
    // The editor's timer reads this state under the callback lock.
    const juce::ScopedLock lock(getCallbackLock());
    meter.prepare(processWideSettings(), sampleRate, trimTargetGain);
}

void VyrTarvoAudioProcessor::updateProcessingRate()
{
    const juce::ScopedLock lock(getCallbackLock());
    meter.updateProcessingRate(processWideSettings());
}

void VyrTarvoAudioProcessor::followSettingsNow()
{
    const juce::ScopedLock lock(getCallbackLock());
    meter.followSettings(processWideSettings());
}

void VyrTarvoAudioProcessor::releaseResources()
{
    {
        const juce::ScopedLock lock(getCallbackLock());
        meter.release(trimTargetGain);
    }
    updateProcessingRate();
}

void VyrTarvoAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
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

    // The settings and parameters in force for this block.
    const auto& s = processWideSettings();
    const bool midSide = lrmsValue > 0.5;
    const float k = midAttenuation(s.midValue);
    const bool stereo = ins >= 2;

    // One input is metered on both channels.
    meter.meterBlock(buffer, stereo, s, latencyMs > 0, trimTargetGain, trimEnabled == 1,
                     [&](const float (&v)[2], float (&magnitudes)[2]) {
                         float m0 = v[0];
                         float m1 = stereo ? v[1] : v[0];
                         if (midSide)
                         {
                             const float sum = (m0 + m1) * k;
                             m1 = m0 - m1;
                             m0 = sum;
                         }
                         magnitudes[0] = std::abs(m0);
                         magnitudes[1] = std::abs(m1);
                     });
}
} // namespace vyrtarvo
