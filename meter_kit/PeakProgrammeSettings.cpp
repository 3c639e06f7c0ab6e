#include "PeakProgrammeSettings.h"

#include "DecibelText.h"
#include "SafeNumbers.h"

#include <cmath>

namespace vyrkit::peak_programme
{
namespace
{
struct PositionMapping
{
    float from, to;
};

constexpr PositionMapping tableA[] = {
    { 1.75f, 1.6f }, { 2.0f, 1.7f }, { 6.0f, 6.25f }, { 6.25f, 6.4f }, { 8.0f, 8.095f },
    { 10.0f, 10.4f }, { 10.25f, 10.45f }, { 10.5f, 10.6f }, { 11.75f, 11.6f }, { 12.0f, 11.73f },
    { 14.0f, 14.12f }, { 16.0f, 16.09f }, { 18.0f, 18.47f }, { 18.25f, 18.5f }, { 18.5f, 18.65f },
};

constexpr PositionMapping tableB[] = {
    { 1.75f, 1.6f }, { 2.0f, 1.7f }, { 5.75f, 5.6f }, { 6.0f, 5.7f }, { 8.0f, 8.155f },
    { 11.75f, 11.6f }, { 12.0f, 11.76f }, { 14.0f, 14.47f }, { 14.25f, 14.52f }, { 14.5f, 14.6f },
    { 16.0f, 16.025f }, { 18.0f, 18.451f }, { 18.25f, 18.5f }, { 18.5f, 18.6f },
};

template <size_t N>
float mapPosition(const PositionMapping (&table)[N], float position) noexcept
{
    for (const auto& row : table)
        if (position == row.from)
            return row.to;
    return position;
}

// 100 ms to 10 s from a mapped knob position.
double timeMs(float position) noexcept
{
    return std::pow(100.0, static_cast<double>(static_cast<float>(position * 0.05))) * 100.0;
}

// A new time or measurement mode: every instance derives its own values again.
void ballisticsChanged(PeakProgrammeSettings& s) noexcept
{
    s.ballisticsGeneration.fetch_add(1, std::memory_order_release);
}

// Stores a derived time; true when it differs from the one before.
bool storeTime(RelaxedAtomic<double>& time, double ms) noexcept
{
    return time.exchange(ms) != ms;
}
} // namespace

float mapIntegrationPosition(float position) noexcept { return mapPosition(tableA, position); }
float mapTimePosition(float position) noexcept { return mapPosition(tableB, position); }

double quantiseTimeSetting(float value) noexcept
{
    const float product = value * 80.0f;
    return truncToInt(product) * 0.0125;
}

double meterRateFor(double hostRate) noexcept
{
    return juce::jlimit(22050.0, 192000.0, hostRate);
}

bool applySetting(PeakProgrammeSettings& s, int index, float value) noexcept
{
    switch (index)
    {
        case referenceSetting:
        {
            s.referenceValue = static_cast<double>(value);
            const double gain = std::pow(10.0, (s.referenceValue * 24.0 - 24.0) * static_cast<double>(0.05f));
            if (gain != s.referenceGain)
            {
                s.referenceGain = gain;
                s.inverseReferenceGain = 1.0 / gain;
            }
            return false;
        }
        case integrationSetting:
        {
            s.integrationValue = quantiseTimeSetting(value);
            const float c = mapIntegrationPosition(static_cast<float>(s.integrationValue * 20.0));
            const float exponent = static_cast<float>(c * 0.05);
            if (storeTime(s.integrationMs, std::pow(101.0, static_cast<double>(exponent)) - 1.0))
                ballisticsChanged(s);
            return false;
        }
        case holdSetting:
        {
            s.holdValue = quantiseTimeSetting(value);
            if (storeTime(s.holdMs, timeMs(mapTimePosition(static_cast<float>(s.holdValue * 20.0)))))
                ballisticsChanged(s);
            return false;
        }
        case fallBackSetting:
        {
            s.returnValue = quantiseTimeSetting(value);
            if (storeTime(s.returnMs, timeMs(mapTimePosition(static_cast<float>(s.returnValue * 20.0)))))
                ballisticsChanged(s);
            return false;
        }
        case overCountSetting:
            // One more step, added in double: for an absurd value the whole part
            // stops at the largest int, and one more in int would overflow (to a
            // negative count that lights the over LED for good).
            s.oversValue = value;
            s.overCount = truncToInt(static_cast<double>(value * 9.0f) + 0.5) + 1.0;
            return false;
        case overReferenceSetting:
            s.overReferenceValue = value;
            s.overReferenceSelector = truncToInt(static_cast<double>(value * 3.0f) + 0.5) / 3.0;
            return false;
        case midAttenuationSetting:
            s.midValue = static_cast<double>(value);
            return false;
        case measurementSetting:
        {
            s.measureValue = value;
            const int on = truncToInt(static_cast<double>(value) + 0.5);
            if (on == s.oversamplingOn)
                return false;
            s.oversamplingOn = on;
            ballisticsChanged(s);
            return true;
        }
        default:
            return false;
    }
}

juce::String settingText(const PeakProgrammeSettings& s, int index)
{
    switch (index)
    {
        case referenceSetting:
        {
            const double gain = s.referenceGain;
            float d = gain > 0.0 ? static_cast<float>(20.0 * std::log10(gain)) : -100.0f;
            if (d <= -100.0f)
                d = -100.0f;
            return decibelsWithUnit(d, 1, "dBFS");
        }
        case integrationSetting:
            return decibelsWithUnit(s.integrationMs, 1, "ms");
        case holdSetting:
            return decibelsWithUnit(s.holdMs * static_cast<double>(0.001f), 2, "s");
        case fallBackSetting:
            return decibelsWithUnit(s.returnMs * static_cast<double>(0.001f), 2, "s");
        default:
            return {};
    }
}

double overThreshold(double selector, double inverseReferenceGain) noexcept
{
    if (selector < 0.25)
        return 2.5556419010641385;
    if (selector < 0.5)
        return 0.7071 * inverseReferenceGain;
    if (selector < 0.75)
        return 0.8912509381337456 * inverseReferenceGain;
    return inverseReferenceGain;
}

float midAttenuation(double midValue) noexcept
{
    if (midValue >= 0.6)
        return 0.5f;
    if (midValue >= 0.3)
        return 0.708f;
    return 1.0f;
}
} // namespace vyrkit::peak_programme
