#pragma once

#include "ProcessorTesting.h"
#include "RegistryStore.h"
#include "StoreTesting.h"
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
    ASSERT_TRUE(kittest::useFreshStore("vyr-kelso"));
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

// Host calls and audio as the host gives them, for this meter's processor.
using kittest::setParameter;
using kittest::parameter;
using kittest::parameterText;
using kittest::parameterName;
using kittest::configure;
using kittest::process;

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
