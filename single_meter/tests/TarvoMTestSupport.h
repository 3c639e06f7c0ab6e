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

// The single-channel meter as the kit's peak programme meter checks see it: its
// one needle, hold and overs, the settings by their names.
struct PeakMeter
{
    using Processor = VyrTarvoMAudioProcessor;
    static constexpr int referenceSetting = Processor::referenceSetting;
    static constexpr int fallBackSetting = Processor::fallBackSetting;
    static constexpr int overCountSetting = Processor::overCountSetting;
    static constexpr int overReferenceSetting = Processor::overReferenceSetting;
    static constexpr int measurementSetting = Processor::measurementSetting;
    static constexpr int holdParameter = Processor::holdParameter;
    static constexpr int latencyParameter = Processor::latencyParameter;
    static constexpr int trimParameter = Processor::trimParameter;
    static constexpr int activeParameter = Processor::activeParameter;

    static void restoreDefaultSettings(Processor& p) { testing::restoreDefaultSettings(p); }
    static vyrkit::PeakProgrammeSettings& settings() { return processWideSettings(); }
    static double overCount() { return Processor::getOverCount(); }
    static double needle(const Processor& p) { return p.getNeedleLevel(); }
    static double hold(const Processor& p) { return p.getHoldNeedle(); }
    static double overSamples(const Processor& p) { return p.getOverSamples(); }
    static float displayLevel(Processor& p, float fraction) { return p.getDisplayLevel(fraction); }
    static float displayHold(Processor& p, float fraction) { return p.getDisplayHold(fraction); }
    static double readOverCount(Processor& p) { return p.readOverCount(); }
    static void setOverCount(Processor& p, double count) { p.setOverCount(count); }
};
} // namespace vyrtarvom::testing
