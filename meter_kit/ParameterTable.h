#pragma once

#include "RelaxedAtomic.h"
#include "SafeNumbers.h"

#include <juce_core/juce_core.h>

#include <cmath>
#include <limits>

namespace vyrkit
{
// The derived values and display texts of the host parameters that every meter
// has: Hold, Latency Compensation, Trim and Active. Each meter's table maps its
// indices onto these. Where the meters form a value in different precisions,
// Float names the one its table uses (float or double); the results then match
// that meter's own arithmetic to the bit.

// Hold mode 0 "Off", 1 "Infinity" or 2 "On": the integer part of v x 2 + 0.5,
// formed in Float.
template <typename Float>
inline float holdModeFor(float v) noexcept
{
    return static_cast<float>(truncToInt(static_cast<Float>(v) * static_cast<Float>(2) + static_cast<Float>(0.5)));
}

// The display delay in milliseconds, 0 to 1000 for v in 0..1: the integer part
// of v x 1000 + 0.5 in float.
inline int latencyMsFor(float v) noexcept { return truncToInt(v * 1000.0f + 0.5f); }

// 1 while the trim is applied: the integer part of v + 0.5 in float.
inline int trimEnabledFor(float v) noexcept { return truncToInt(v + 0.5f); }

// The trim in steps of 0.1 dB from -20 dB (v 0) to +20 dB (v 1), unclamped, and
// the linear gain towards which the metering smooths.
struct TrimStep
{
    float db;
    float targetGain;
};

// The step n is the integer part of v x 400 (in float) plus 0.5 (in Float);
// db = n x 0.1 - 20 in float; the gain is 10 to the power db x 0.05, the
// exponent in float, the power in Float. An absurd restored value must not give
// an infinite gain: the largest float stands in.
template <typename Float>
inline TrimStep trimStepFor(float v) noexcept
{
    const int n = truncToInt(static_cast<Float>(v * 400.0f) + static_cast<Float>(0.5));
    const float db = static_cast<float>(n) * 0.1f - 20.0f;
    const float gain = static_cast<float>(std::pow(static_cast<Float>(10), static_cast<Float>(db * 0.05f)));
    return { db, std::isfinite(gain) ? gain : std::numeric_limits<float>::max() };
}

// setParameter's stores, value first and then what derives from it, for a
// meter's own members. storeHold returns the new mode: every mode but 1
// ("Infinity") restarts the hold, which each meter does its own way.
template <typename Float>
inline float storeHold(float v, RelaxedAtomic<float>& value, RelaxedAtomic<float>& mode) noexcept
{
    value = v;
    const float newMode = holdModeFor<Float>(v);
    mode = newMode;
    return newMode;
}

inline void storeLatency(float v, RelaxedAtomic<float>& value, RelaxedAtomic<int>& ms) noexcept
{
    value = v;
    ms = latencyMsFor(v);
}

template <typename Float>
inline void storeTrim(float v, RelaxedAtomic<float>& value, RelaxedAtomic<float>& db,
                      RelaxedAtomic<float>& targetGain) noexcept
{
    value = v;
    const auto step = trimStepFor<Float>(v);
    db = step.db;
    targetGain = step.targetGain;
}

inline void storeActive(float v, RelaxedAtomic<float>& value, RelaxedAtomic<int>& trimEnabled) noexcept
{
    value = v;
    trimEnabled = trimEnabledFor(v);
}

// "On" for mode 2, "Infinity" for mode 1, otherwise "Off".
juce::String holdModeText(float mode);

// The delay as a whole number and " ms": "0 ms", "250 ms", "1000 ms".
juce::String latencyText(int ms);

// The trim gain in decibels with one decimal and no "+" ("0.0 dB", "-20.0 dB";
// "-INF dB" at or below -100 dB), or "-" while the trim is not applied.
juce::String trimText(float targetGain, int trimEnabled);

// "Inactive" while the trim is not applied, otherwise "Active".
juce::String activeText(int trimEnabled);
} // namespace vyrkit
