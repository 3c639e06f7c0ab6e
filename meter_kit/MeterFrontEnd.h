#pragma once

#include "DcBlockedSample.h"
#include "FourPointInterpolation.h"
#include "IirFilter.h"
#include "MeterRates.h"
#include "TrimStage.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace vyrkit
{
// The input of one block as every meter takes it in: the first one or two
// channels of the buffer, and their DC blockers.
struct MeterInput
{
    float* left;
    float* right; // nullptr with one input
    int numSamples;
    IirFilter& blockerLeft;
    IirFilter& blockerRight;
};

// What a meter's front end keeps between blocks: its two DC blockers, 2 Hz
// high-pass sections at the host rate, and the trim's smoothed gain with the
// glide's coefficient.
struct MeterInputStage
{
    IirFilter dcBlockerLeft { 44100.0, 1, 2.0, 0.5, 0.0 };
    IirFilter dcBlockerRight { 44100.0, 1, 2.0, 0.5, 0.0 };
    float trimCurrentGain = 1.0f;
    float trimSmoothing = 0.0005f;

    // prepareToPlay: the blockers for the host rate as given (not clamped), the
    // glide's coefficient for it, and the gain at its target.
    void prepare(double rate, float trimTargetGain) noexcept
    {
        dcBlockerLeft.setSampleRate(rate);
        dcBlockerRight.setSampleRate(rate);
        trimCurrentGain = trimTargetGain;
        trimSmoothing = trimSmoothingFor(rate);
    }

    // releaseResources: the blockers start again from rest; the gain is at its
    // target.
    void release(float trimTargetGain) noexcept
    {
        dcBlockerLeft.reset();
        dcBlockerLeft.designCoefficients();
        dcBlockerRight.reset();
        dcBlockerRight.designCoefficients();
        trimCurrentGain = trimTargetGain;
    }

    const IirFilter& dcBlocker(int channel) const noexcept { return channel == 0 ? dcBlockerLeft : dcBlockerRight; }
};

namespace front_end_detail
{
template <int factor, bool stereo, typename MeterPoint>
[[gnu::always_inline]] inline void meterSamples(const MeterInput& in, TrimStage& trim, InterpolationHistory& h, int monoInterpolatedChannels,
                  MeterPoint& meterPoint) noexcept
{
    const int channels = stereo ? 2 : monoInterpolatedChannels;
    // The DC blockers too, handed back at the end of the block.
    IirFilter blockerLeft = in.blockerLeft;
    IirFilter blockerRight = in.blockerRight;
    // The history in locals for the length of the block, so that it stays in
    // registers. With one input the right channel is silent.
    float x0[2] = { h.newest[0], stereo ? h.newest[1] : 0.0f };
    float x1[2] = { h.previous[0], h.previous[1] };
    float x2[2] = { h.older[0], h.older[1] };
    float mid[2] = { h.midPoint[0], h.midPoint[1] };
    float q3[2] = { h.threeQuarterPoint[0], h.threeQuarterPoint[1] };

    for (int i = 0; i < in.numSamples; ++i)
    {
        // The next input sample: the trim, applied to the audio while active,
        // then the DC blockers, for the meter only (the buffer keeps the trimmed,
        // unfiltered sample).
        trim.step();
        trim.apply(in.left[i]);
        if constexpr (stereo)
            trim.apply(in.right[i]);

        x0[0] = dcBlockedSample(blockerLeft, in.left[i]);
        if constexpr (stereo)
            x0[1] = dcBlockedSample(blockerRight, in.right[i]);

        if constexpr (factor == 2 || factor == 4)
        {
            float q1[2] = {};
            for (int c = 0; c < channels; ++c)
            {
                mid[c] = halfPoint(x0[c], x1[c], x2[c]);
                if constexpr (factor == 4)
                {
                    q1[c] = quarterPoint(mid[c], x1[c], x2[c]);
                    q3[c] = threeQuarterPoint(mid[c], x0[c], x1[c]);
                }
                x2[c] = x1[c];
                x1[c] = x0[c];
            }

            // In time order: (quarter, half, three-quarter, newest) or (half, newest).
            if constexpr (factor == 4)
            {
                meterPoint(q1);
                meterPoint(mid);
                meterPoint(q3);
            }
            else
            {
                meterPoint(mid);
            }
        }

        meterPoint(x0);
    }

    in.blockerLeft = blockerLeft;
    if constexpr (stereo)
        in.blockerRight = blockerRight;
    for (int c = 0; c < 2; ++c)
    {
        h.newest[c] = x0[c];
        h.previous[c] = x1[c];
        h.older[c] = x2[c];
        h.midPoint[c] = mid[c];
        h.threeQuarterPoint[c] = q3[c];
    }
}

template <int factor, typename MeterPoint>
[[gnu::always_inline]] inline void meterSamples(const MeterInput& in, TrimStage& trim, InterpolationHistory& h, int monoInterpolatedChannels,
                  MeterPoint& meterPoint) noexcept
{
    if (in.right != nullptr)
        meterSamples<factor, true>(in, trim, h, monoInterpolatedChannels, meterPoint);
    else
        meterSamples<factor, false>(in, trim, h, monoInterpolatedChannels, meterPoint);
}
} // namespace front_end_detail

// The loop of one block that every meter runs over the first one or two
// channels of the buffer (two when stereo): per input sample the trim, the DC
// blockers and, with an oversampling factor of 2 or 4, the interpolated points;
// then meterPoint (const float (&)[2], left and right) once per processed step.
// The loop is compiled apart for each factor and channel count, so that no step
// asks for them again, and inlined into the meter's processBlock, so that the
// meter state that meterPoint works on stays in registers. The DC blockers run
// as copies for the length of the block for the same reason.
// monoInterpolatedChannels: how many channels the interpolation runs over with
// one input (the silent right one too, or not).
template <typename MeterPoint>
[[gnu::always_inline]] inline void meterBlock(MeterInputStage& stage, juce::AudioBuffer<float>& buffer, bool stereo,
                                              int factor, float trimTargetGain, bool trimApplied,
                                              InterpolationHistory& history, int monoInterpolatedChannels,
                                              MeterPoint&& meterPoint) noexcept
{
    TrimStage trim(stage.trimCurrentGain, trimTargetGain, stage.trimSmoothing, trimApplied);
    const MeterInput in { buffer.getWritePointer(0), stereo ? buffer.getWritePointer(1) : nullptr,
                          buffer.getNumSamples(), stage.dcBlockerLeft, stage.dcBlockerRight };
    if (factor == 4)
        front_end_detail::meterSamples<4>(in, trim, history, monoInterpolatedChannels, meterPoint);
    else if (factor == 2)
        front_end_detail::meterSamples<2>(in, trim, history, monoInterpolatedChannels, meterPoint);
    else
        front_end_detail::meterSamples<0>(in, trim, history, monoInterpolatedChannels, meterPoint);
    stage.trimCurrentGain = trim.currentGain();
}
} // namespace vyrkit
