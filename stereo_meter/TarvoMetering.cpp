// Peak programme metering: the per-block loop that trims the audio and drives
// needles, holds, overs and the history rings of the two metered channels, left
// and right or mid and side (the kit's peak programme processor has the rates).
#include "VyrTarvoAudioProcessor.h"

#include <cmath>

namespace vyrtarvo
{
void VyrTarvoAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    // The channels, the block stamp and the start values; a block without an
    // input is not metered.
    const int ins = beginBlock(buffer);
    if (ins < 1)
        return;

    // The settings and parameters in force for this block.
    const auto& s = processWideSettings();
    const bool midSide = lrmsValue > 0.5;
    const float k = midAttenuation(s.midValue);
    const bool stereo = ins >= 2;

    // One input is metered on both channels. The trim applies whenever the
    // Active value rounds to anything but 0 (an Active of 1.5 or more rounds to
    // 2 or more), just as the window then shows "Active".
    meter.meterBlock(buffer, stereo, s, latencyMs > 0, trimTargetGain, trimEnabled != 0,
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
