#pragma once

#include "ProcessorTesting.h"
#include "TarvoSettings.h"
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

// The stereo meter as the kit's peak programme meter checks see it: the left
// channel's needle, hold and overs, the settings by their setter indices.
struct PeakMeter
{
    using Processor = VyrTarvoAudioProcessor;
    static constexpr int referenceSetting = 6;
    static constexpr int fallBackSetting = 9;
    static constexpr int overCountSetting = 10;
    static constexpr int overReferenceSetting = 11;
    static constexpr int measurementSetting = 13;
    static constexpr int holdParameter = Processor::holdParameter;
    static constexpr int latencyParameter = Processor::latencyParameter;
    static constexpr int trimParameter = Processor::trimParameter;
    static constexpr int activeParameter = Processor::activeParameter;

    static void restoreDefaultSettings(Processor& p) { testing::restoreDefaultSettings(p); }
    static ProcessWideSettings& settings() { return processWideSettings(); }
    static double overCount() { return processWideSettings().overCount.load(); }
    static double needle(const Processor& p) { return p.getNeedleLevel(0); }
    static double hold(const Processor& p) { return p.getHoldNeedle(0); }
    static double overSamples(const Processor& p) { return p.getOverSamples(0); }
    static float displayLevel(Processor& p, float fraction) { return p.getDisplayLevel(0, fraction); }
    static float displayHold(Processor& p, float fraction) { return p.getDisplayHold(0, fraction); }
    static double readOverCount(Processor& p) { return p.readOverCount(0); }
    static void setOverCount(Processor& p, double count) { p.setOverCount(0, count); }
};
} // namespace vyrtarvo::testing
