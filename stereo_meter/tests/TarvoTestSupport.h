#pragma once

#include "ProcessorTesting.h"
#include "VyrTarvoAudioProcessor.h"

#include <gtest/gtest.h>

#include <vector>

namespace vyrtarvo::testing
{
// The defaults of the eight settings, indices 6 to 13.
inline constexpr float defaultSettings[] = { 0.5f, 0.5f, 0.5f, 0.65f, 0.222f, 1.0f, 0.5f, 0.0f };

// Puts the process-wide settings back to their defaults, so that each test
// starts from the same ballistics whatever ran before it in the process.
inline void restoreDefaultSettings(VyrTarvoAudioProcessor& p)
{
    for (int index = 6; index <= 13; ++index)
        p.setGlobalSetting(index, defaultSettings[index - 6]);
}

// Host calls and audio as the host gives them, for this meter's processor.
using kittest::setParameter;
using kittest::parameterText;
using kittest::configure;
using kittest::process;
} // namespace vyrtarvo::testing
