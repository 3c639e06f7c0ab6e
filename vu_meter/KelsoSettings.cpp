// The VU settings: their formulas, the hold table, the texts and the names under
// which the settings store keeps them.
#include "KelsoSettings.h"

#include "DecibelText.h"
#include "SafeNumbers.h"

#include <cmath>

namespace vyrkelsom
{
using vyrkit::truncToInt;

ProcessWideSettings& processWideSettings() noexcept
{
    // Constant-initialised: zero from the moment the library is mapped, before any
    // code of the plug-in runs.
    static ProcessWideSettings s;
    return s;
}

namespace settings
{
namespace
{
constexpr vyrkit::StoredDefault storedValues[] = {
    { "\\vuType", "0.0", 0.0f },          // 5
    { "\\vuReference", "0.25", 0.25f },   // 6
    { "\\vuIntegration", "0.5", 0.5f },   // 7
    { "\\vuBacklit", "0.5", 0.5f },       // 8
    { "\\vuHold", "0.5", 0.5f },          // 9
    { "\\vuOver", "0.222", 0.222f },      // 10
    { "\\vuOverRef", "1.0", 1.0f },       // 11
    { "\\vuOverSampling", "0.0", 0.0f },  // 12
};

struct HoldPoint
{
    float from;
    float to;
};

constexpr HoldPoint holdTable[] = {
    { 1.75f, 1.6f },   { 2.0f, 1.7f },     { 5.75f, 5.6f },  { 6.0f, 5.7f },    { 8.0f, 8.155f },
    { 11.75f, 11.6f }, { 12.0f, 11.76f },  { 14.0f, 14.47f }, { 14.25f, 14.52f }, { 14.5f, 14.6f },
    { 16.0f, 16.025f }, { 18.0f, 18.451f }, { 18.25f, 18.5f }, { 18.5f, 18.6f },
};

// 0.05 and 0.001 as the single-precision constants the formulas use.
constexpr double referenceStep = static_cast<double>(0.05f);
constexpr double millisecondsToSeconds = static_cast<double>(0.001f);
} // namespace

const vyrkit::StoredDefaultTable storedDefaults { "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRKELSO", storedValues, 5 };

float remapHoldPosition(float position) noexcept
{
    for (const auto& point : holdTable)
        if (position == point.from)
            return point.to;
    return position;
}

double holdTimeMsFor(float holdSetting) noexcept
{
    const float c = remapHoldPosition(holdSetting * 20.0f);
    const float exponent = c * 0.05f;
    return std::pow(100.0, static_cast<double>(exponent)) * 100.0;
}

double overThreshold(double step, double inverseReference) noexcept
{
    if (step < 0.25)
        return 2.51188643150958; // 8 dB above the reference
    if (step < 0.5)
        return inverseReference * 0.7071;
    if (step < 0.75)
        return inverseReference * 0.8912509381337456;
    return inverseReference;
}

bool apply(ProcessWideSettings& s, int index, float value) noexcept
{
    const double v = value;
    switch (index)
    {
        case 5:
            s.vuType = value;
            return false;
        case 6:
        {
            s.referenceValue = v;
            const double gain = std::pow(10.0, (v * 24.0 - 24.0) * referenceStep);
            s.referenceGain = gain;
            s.inverseReference = 1.0 / gain;
            return false;
        }
        case 7:
        {
            s.integrationValue = v;
            const double k = truncToInt(v * 200.0 + 0.5);
            s.integrationMs = std::pow(32.0, k / 200.0) * 53.0330086 * 1.167;
            return false;
        }
        case 8:
            s.backlightValue = v;
            s.backlightStep = truncToInt(v * 4.0 + 0.5) * 0.25;
            return false;
        case 9:
        {
            const float scaled = value * 80.0f;
            const float holdSetting = static_cast<float>(truncToInt(static_cast<double>(scaled) + 0.5) * 0.0125);
            s.holdSetting = holdSetting;
            s.holdTimeMs = holdTimeMsFor(holdSetting);
            return false;
        }
        case 10:
            s.overValue = value;
            s.overCount = truncToInt(v * 9.0 + 0.5) + 1.0;
            return false;
        case 11:
            s.overReferenceValue = value;
            s.overReferenceStep = truncToInt(v * 3.0 + 0.5) / 3.0;
            return false;
        case 12:
        {
            s.oversamplingValue = value;
            const int on = truncToInt(v + 0.5);
            if (on == s.oversamplingOn)
                return false;
            s.oversamplingOn = on;
            s.oversamplingFactor = 0;
            return true;
        }
        default:
            return false;
    }
}

juce::String text(const ProcessWideSettings& s, int index)
{
    switch (index)
    {
        case 5:
            return s.vuType >= 0.5f ? " B " : " A ";
        case 6:
        {
            double db = 20.0 * std::log10(s.referenceGain.load());
            if (! (db > -100.0))
                db = -100.0;
            return vyrkit::decibelsWithUnit(db, 1, "dBFS");
        }
        case 7:
            return juce::String(truncToInt(s.integrationMs * 0.85689802913 + 0.5)) + "ms";
        case 8:
            return juce::String(s.backlightStep.load());
        case 9:
            return vyrkit::decibelsWithUnit(s.holdTimeMs * millisecondsToSeconds, 2, "s");
        case 10:
            return juce::String(s.overCount.load());
        case 11:
        {
            const double step = s.overReferenceStep;
            if (step < 0.25)
                return "+8VU";
            if (step < 0.5)
                return "-3dBFS";
            if (step < 0.75)
                return "-1dBFS";
            return "0dBFS";
        }
        case 12:
            return s.oversamplingOn != 0 ? "Precise" : "CPU Safe";
        default:
            return {};
    }
}
} // namespace settings
} // namespace vyrkelsom
