// The kit's conversions of host parameters and peak programme settings to whole
// numbers, at values far outside 0..1: none overflows, and each gives what its
// formula gives at the end of the int range it is nearest to.
#include "ExtremeValueChecks.h"
#include "ParameterTable.h"
#include "PeakProgrammeSettings.h"

#include <limits>

namespace
{
using kittest::largestInt;
using kittest::smallestInt;
using namespace vyrkit;

// One setting applied to a fresh set, and one derived value read back.
template <auto member>
double applied(int index, float v)
{
    PeakProgrammeSettings s;
    peak_programme::applySetting(s, index, v);
    return static_cast<double>((s.*member).load());
}

TEST(ExtremeValues, HostParameterConversionsStopAtTheIntRange)
{
    constexpr float top = static_cast<float>(largestInt);
    constexpr float bottom = static_cast<float>(smallestInt);
    kittest::checkExtremeValues({
        { "hold mode, float", [](float v) { return double(holdModeFor<float>(v)); }, top, bottom },
        { "hold mode, double", [](float v) { return double(holdModeFor<double>(v)); }, top, bottom },
        { "latency", [](float v) { return double(latencyMsFor(v)); }, largestInt, smallestInt },
        { "trim enabled", [](float v) { return double(trimEnabledFor(v)); }, largestInt, smallestInt },
        { "trim decibels, float", [](float v) { return double(trimStepFor<float>(v).db); },
          top * 0.1f - 20.0f, bottom * 0.1f - 20.0f },
        { "trim decibels, double", [](float v) { return double(trimStepFor<double>(v).db); },
          top * 0.1f - 20.0f, bottom * 0.1f - 20.0f },
        // The gain's power overflows long before: the largest float stands in.
        { "trim gain, float", [](float v) { return double(trimStepFor<float>(v).targetGain); },
          std::numeric_limits<float>::max(), 0.0 },
        { "trim gain, double", [](float v) { return double(trimStepFor<double>(v).targetGain); },
          std::numeric_limits<float>::max(), 0.0 },
    });
}

TEST(ExtremeValues, PeakProgrammeSettingConversionsStopAtTheIntRange)
{
    using namespace peak_programme;
    using S = PeakProgrammeSettings;
    constexpr double topTime = largestInt * 0.0125, bottomTime = smallestInt * 0.0125;
    kittest::checkExtremeValues({
        { "time setting", [](float v) { return quantiseTimeSetting(v); }, topTime, bottomTime },
        { "integration", [](float v) { return applied<&S::integrationValue>(integrationSetting, v); },
          topTime, bottomTime },
        { "hold time", [](float v) { return applied<&S::holdValue>(holdSetting, v); }, topTime, bottomTime },
        { "fall-back time", [](float v) { return applied<&S::returnValue>(fallBackSetting, v); },
          topTime, bottomTime },
        // Beyond the int range the count is one more than the largest int, never
        // a wrapped negative count that would light the over LED for good.
        { "over count", [](float v) { return applied<&S::overCount>(overCountSetting, v); },
          largestInt + 1.0, smallestInt + 1.0 },
        { "over reference", [](float v) { return applied<&S::overReferenceSelector>(overReferenceSetting, v); },
          largestInt / 3.0, smallestInt / 3.0 },
        { "measurement mode", [](float v) { return applied<&S::oversamplingOn>(measurementSetting, v); },
          largestInt, smallestInt },
    });
}
} // namespace
