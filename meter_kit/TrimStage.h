#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

namespace vyrkit
{
// One step of the trim gain's one-pole glide towards its target, in single
// precision; the round trip through 1e-14 in double flushes a denormal gain.
inline float trimGlideStep(float gain, float target, float smoothing) noexcept
{
    float g = (target - gain) * smoothing + gain;
    g = static_cast<float>(static_cast<double>(g) + 1e-14);
    return static_cast<float>(static_cast<double>(g) - 1e-14);
}

// The trim of one block, stepped once per input sample. The target and the
// smoothing coefficient are the block's own, read once. The step is a function of
// the gain alone then: once it gives back the very float it was given, every
// further step of the block gives it back again, so the steps stop there. That
// is exact, and it takes the glide, the longest recursion of a meter's loop, out
// of every block whose trim has settled (nearly all of them). A gain that is not
// a number never equals itself as a float, but its bits do, so the test is on
// the bits.
class TrimStage
{
public:
    TrimStage(float currentGain, float targetGain, float smoothingCoefficient, bool appliedToAudio) noexcept
        : gain(currentGain), target(targetGain), smoothing(smoothingCoefficient), applied(appliedToAudio)
    {
    }

    // The gain for the next input sample.
    float step() noexcept
    {
        if (! settled)
        {
            const float g = trimGlideStep(gain, target, smoothing);
            settled = bitsOf(g) == bitsOf(gain);
            gain = g;
        }
        return gain;
    }

    // The sample of the audio that leaves the plug-in, trimmed in place while the
    // trim is active; saturated, so that no finite input leaves as an infinity.
    void apply(float& sample) const noexcept
    {
        if (applied)
        {
            const float t = sample * gain;
            sample = t < -floatMax ? -floatMax : (floatMax < t ? floatMax : t);
        }
    }

    float currentGain() const noexcept { return gain; }
    bool isSettled() const noexcept { return settled; }

private:
    static constexpr float floatMax = std::numeric_limits<float>::max();

    static std::uint32_t bitsOf(float f) noexcept
    {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        return bits;
    }

    float gain;
    const float target;
    const float smoothing;
    const bool applied;
    bool settled = false;
};
} // namespace vyrkit
