#pragma once

#include "TarvoMSettings.h"
#include "VyrTarvoMAudioProcessor.h"

#include <gtest/gtest.h>

#include <vector>

namespace vyrtarvom::testing
{
// The defaults of the seven settings, setter indices 0 to 6.
inline constexpr float defaultSettings[] = { 0.5f, 0.5f, 0.5f, 0.65f, 0.222f, 1.0f, 0.0f };

// Puts the process-wide settings back to their defaults, so that each test
// starts from the same ballistics whatever ran before it in the process.
inline void restoreDefaultSettings(VyrTarvoMAudioProcessor& p)
{
    for (int index = 0; index < VyrTarvoMAudioProcessor::numSettings; ++index)
        p.setGlobalSetting(index, defaultSettings[index]);
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
inline void setParameter(VyrTarvoMAudioProcessor& p, int index, float value) { p.setParameter(index, value); }
inline float parameter(VyrTarvoMAudioProcessor& p, int index) { return p.getParameter(index); }
inline juce::String parameterText(VyrTarvoMAudioProcessor& p, int index) { return p.getParameterText(index); }
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// Configures an instance as a host does: channels, rate, then prepareToPlay.
inline void configure(VyrTarvoMAudioProcessor& p, int ins, int outs, double rate, int blockSize)
{
    p.setPlayConfigDetails(ins, outs, rate, blockSize);
    p.prepareToPlay(rate, blockSize);
}

// Feeds the given channels through processBlock in blocks of the given sizes
// (cycled), in place, holding the callback lock as the host's wrapper does.
inline void process(VyrTarvoMAudioProcessor& p, std::vector<std::vector<float>>& channels,
                    const std::vector<int>& blockSizes)
{
    const int total = static_cast<int>(channels[0].size());
    const int numChannels = static_cast<int>(channels.size());
    std::vector<float*> pointers(channels.size());
    juce::MidiBuffer midi;
    int start = 0;
    size_t which = 0;
    while (start < total)
    {
        const int n = juce::jmin(blockSizes[which++ % blockSizes.size()], total - start);
        for (int c = 0; c < numChannels; ++c)
            pointers[(size_t) c] = channels[(size_t) c].data() + start;
        juce::AudioBuffer<float> buffer(pointers.data(), numChannels, n);
        const juce::ScopedLock lock(p.getCallbackLock());
        p.processBlock(buffer, midi);
        start += n;
    }
}
} // namespace vyrtarvom::testing
