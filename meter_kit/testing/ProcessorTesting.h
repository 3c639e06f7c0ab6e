#pragma once

// A meter's processor driven as a host drives it, for the processor tests of all
// three meters: the legacy host-parameter calls, configuration of channels and
// rate, and audio fed through processBlock in blocks of changing sizes. Each
// meter's test support brings these into its own testing namespace.

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstddef>
#include <vector>

namespace kittest
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
template <typename Processor>
void setParameter(Processor& p, int index, float value) { p.setParameter(index, value); }

template <typename Processor>
float parameter(Processor& p, int index) { return p.getParameter(index); }

template <typename Processor>
juce::String parameterText(Processor& p, int index) { return p.getParameterText(index); }

template <typename Processor>
juce::String parameterName(Processor& p, int index) { return p.getParameterName(index); }
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// Configures an instance as a host does: channels, rate, then prepareToPlay.
template <typename Processor>
void configure(Processor& p, int ins, int outs, double rate, int blockSize)
{
    p.setPlayConfigDetails(ins, outs, rate, blockSize);
    p.prepareToPlay(rate, blockSize);
}

// Feeds the given channels through processBlock in blocks of the given sizes
// (cycled), in place, holding the callback lock as the host's wrapper does.
// Calls afterBlock after each block with the index of the block's last sample.
template <typename Processor, typename AfterBlock>
void process(Processor& p, std::vector<std::vector<float>>& channels, const std::vector<int>& blockSizes,
             AfterBlock&& afterBlock)
{
    const int total = static_cast<int>(channels[0].size());
    const int numChannels = static_cast<int>(channels.size());
    std::vector<float*> pointers(channels.size());
    juce::MidiBuffer midi;
    int start = 0;
    std::size_t which = 0;
    while (start < total)
    {
        const int n = juce::jmin(blockSizes[which++ % blockSizes.size()], total - start);
        for (int c = 0; c < numChannels; ++c)
            pointers[(std::size_t) c] = channels[(std::size_t) c].data() + start;
        juce::AudioBuffer<float> buffer(pointers.data(), numChannels, n);
        {
            const juce::ScopedLock lock(p.getCallbackLock());
            p.processBlock(buffer, midi);
        }
        start += n;
        afterBlock(start - 1);
    }
}

template <typename Processor>
void process(Processor& p, std::vector<std::vector<float>>& channels, const std::vector<int>& blockSizes)
{
    process(p, channels, blockSizes, [](int) {});
}
} // namespace kittest
