#pragma once

#include "RegistryStore.h"
#include "VyrKelsoMAudioProcessor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace vyrkelsom::testing
{
inline const juce::String storeKey = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRKELSO";

// Points the settings store at a new empty directory of its own, so that every
// processor constructed afterwards reads the defaults (or what the test writes).
inline void useEmptyStore()
{
    std::string pattern = juce::File::getSpecialLocation(juce::File::tempDirectory)
                              .getChildFile("vyr-kelso-XXXXXX")
                              .getFullPathName()
                              .toStdString();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    vyrplatform::RegistryStore::setRootDirectory(juce::File(pattern));
}

inline void storeValue(const char* valueName, const juce::String& text)
{
    ASSERT_TRUE(vyrplatform::RegistryStore::setValue(storeKey + "\\" + valueName, text));
}

// Every test starts from an empty store; the first constructor of the test then
// resets the process-wide settings to their defaults.
class KelsoTest : public ::testing::Test
{
protected:
    void SetUp() override { useEmptyStore(); }
};

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
inline void setParameter(VyrKelsoMAudioProcessor& p, int index, float value) { p.setParameter(index, value); }
inline float parameter(VyrKelsoMAudioProcessor& p, int index) { return p.getParameter(index); }
inline juce::String parameterText(VyrKelsoMAudioProcessor& p, int index) { return p.getParameterText(index); }
inline juce::String parameterName(VyrKelsoMAudioProcessor& p, int index) { return p.getParameterName(index); }
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// Configures an instance as a host does: channels, rate, then prepareToPlay.
inline void configure(VyrKelsoMAudioProcessor& p, int ins, int outs, double rate, int blockSize)
{
    p.setPlayConfigDetails(ins, outs, rate, blockSize);
    p.prepareToPlay(rate, blockSize);
}

// Feeds the given channels through processBlock in blocks of the given sizes
// (cycled), in place, under the callback lock as the host does. Calls perSample
// (if given) after each block with the index of the block's last sample.
template <typename AfterBlock>
void process(VyrKelsoMAudioProcessor& p, std::vector<std::vector<float>>& channels,
             const std::vector<int>& blockSizes, AfterBlock&& afterBlock)
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
        {
            const juce::ScopedLock lock(p.getCallbackLock());
            p.processBlock(buffer, midi);
        }
        start += n;
        afterBlock(start - 1);
    }
}

inline void process(VyrKelsoMAudioProcessor& p, std::vector<std::vector<float>>& channels,
                    const std::vector<int>& blockSizes)
{
    process(p, channels, blockSizes, [](int) {});
}

// A sine of the given peak amplitude, on every channel.
inline std::vector<std::vector<float>> sine(int channels, int samples, double frequency, double rate, double peak)
{
    std::vector<std::vector<float>> audio((size_t) channels, std::vector<float>((size_t) samples));
    for (int i = 0; i < samples; ++i)
        for (auto& channel : audio)
            channel[(size_t) i] = (float) (peak * std::sin(juce::MathConstants<double>::twoPi * frequency * i / rate));
    return audio;
}
} // namespace vyrkelsom::testing
