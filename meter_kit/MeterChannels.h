#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace vyrkit
{
// The channels of a meter's block before it is metered: outputs without an input
// of their own are silent, except that a single input is copied, untrimmed, to
// the second output (before the trim touches the first). ins and outs are the
// processor's channel counts, each at most the buffer's.
inline void routeMeterChannels(juce::AudioBuffer<float>& buffer, int ins, int outs)
{
    const int n = buffer.getNumSamples();
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
}
} // namespace vyrkit
