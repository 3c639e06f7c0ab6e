#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

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

// The same for a processor's block: its channel counts, each at most the
// buffer's. Returns the number of inputs to meter, or 0 when the block has no
// input and is not metered (every channel configuration has one).
inline int routeMeterChannels(const juce::AudioProcessor& processor, juce::AudioBuffer<float>& buffer)
{
    const int bufferChannels = buffer.getNumChannels();
    const int ins = juce::jmin(processor.getTotalNumInputChannels(), bufferChannels);
    const int outs = juce::jmin(processor.getTotalNumOutputChannels(), bufferChannels);
    if (ins < 1)
        return 0;
    routeMeterChannels(buffer, ins, outs);
    return ins;
}
} // namespace vyrkit
