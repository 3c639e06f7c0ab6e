// Peak programme metering of one channel: the per-block loop that trims the
// audio and drives the needle, the hold, the over count and the history rings
// (the kit's peak programme processor has the rates). Two inputs are metered as
// the mean of their rectified samples, one input by itself.
#include "VyrTarvoMAudioProcessor.h"

#include "TarvoMSettings.h"

#include <cmath>

namespace vyrtarvom
{
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
    // The channels, the block stamp and the start values; a block without an
    // input is not metered.
    const int ins = beginBlock(buffer);
    if (ins < 1)
        return;

    const bool stereo = ins >= 2;
    meter.meterBlock(buffer, stereo, settings, latencyMs > 0, trimTargetGain, trimEnabled != 0,
                     [&](const float (&v)[2], float (&magnitude)[1]) {
                         magnitude[0] = stereo ? meanOfRectified(v[0], v[1]) : std::abs(v[0]);
                     });
}
} // namespace vyrtarvom
