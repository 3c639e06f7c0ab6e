#include "TarvoSettings.h"

#include "SafeNumbers.h"

#include <cmath>

namespace vyrtarvo
{
ProcessWideSettings& processWideSettings() noexcept
{
    // Constant-initialised: zero from the moment the library is mapped, before any
    // code of the plug-in runs.
    static ProcessWideSettings settings;
    return settings;
}

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

// Only the first matching row applies: 6 becomes 6.25 and stays there.
template <size_t N>
float mapPosition(const PositionMapping (&table)[N], float position) noexcept
{
    for (const auto& row : table)
        if (position == row.from)
            return row.to;
    return position;
}
} // namespace

float mapIntegrationPosition(float position) noexcept { return mapPosition(tableA, position); }
float mapTimePosition(float position) noexcept { return mapPosition(tableB, position); }

double quantiseTimeSetting(float value) noexcept
{
    const float product = value * 80.0f;
    return vyrkit::truncToInt(product) * 0.0125;
}

double attackCoefficientFor(double integrationMs, double processingRate) noexcept
{
    if (integrationMs > 0.05)
        return 1.0 - std::pow(0.01, 1.0 / (integrationMs * processingRate * 0.001));
    return 1.0;
}

double releaseCoefficientFor(double stepsInReturnTime) noexcept
{
    return 1.0 - std::pow(0.0625, 1.0 / stepsInReturnTime);
}

double holdSamplesFor(double holdMs, double processingRate) noexcept
{
    return holdMs * 0.001 * processingRate;
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
} // namespace vyrtarvo
