#pragma once

#include "ProcessorTesting.h"
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

// Host calls and audio as the host gives them, for this meter's processor.
using kittest::setParameter;
using kittest::parameter;
using kittest::parameterText;
using kittest::configure;
using kittest::process;
} // namespace vyrtarvom::testing
