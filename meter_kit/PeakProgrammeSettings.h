#pragma once

#include "RelaxedAtomic.h"

#include <juce_core/juce_core.h>

#include <atomic>

namespace vyrkit
{
// The peak programme ballistics settings with their derived values, as the two
// peak programme meters keep them: process-wide, all zero when the library is
// loaded, read by the audio thread without a lock (hence relaxed atomics).
// Settings are addressed by the stereo meter's indices:
//   6 reference level, 7 integration time, 8 hold time, 9 fall-back time,
//   10 over count, 11 over reference, 12 mid attenuation, 13 measurement mode.
// What depends on an instance's processing rate (the oversampling factor, the
// attack and release coefficients, the hold length) is not here: every instance
// derives it for its own rate (PeakProgrammeBallistics.h).
struct PeakProgrammeSettings
{
    RelaxedAtomic<double> referenceValue, referenceGain, inverseReferenceGain;
    RelaxedAtomic<double> integrationValue, integrationMs;
    RelaxedAtomic<double> holdValue, holdMs;
    RelaxedAtomic<double> returnValue, returnMs;
    RelaxedAtomic<float> oversValue;
    RelaxedAtomic<double> overCount;
    RelaxedAtomic<float> overReferenceValue;
    RelaxedAtomic<double> overReferenceSelector;
    RelaxedAtomic<double> midValue;
    RelaxedAtomic<float> measureValue;
    RelaxedAtomic<int> oversamplingOn;
    // Moves on (with release ordering, after the new value is stored) whenever a
    // time or the measurement mode changes, so that every instance knows to
    // derive its own values again.
    std::atomic<unsigned> ballisticsGeneration { 0 };
};

namespace peak_programme
{
constexpr int referenceSetting = 6;
constexpr int integrationSetting = 7;
constexpr int holdSetting = 8;
constexpr int fallBackSetting = 9;
constexpr int overCountSetting = 10;
constexpr int overReferenceSetting = 11;
constexpr int midAttenuationSetting = 12;
constexpr int measurementSetting = 13;

// Stores setting `index` from a normalised value and recomputes its derived
// values. Returns true when the measurement mode changed: the caller then
// recomputes its processing rate. Indices outside 6..13 change nothing.
bool applySetting(PeakProgrammeSettings& s, int index, float value) noexcept;

// Display texts of the reference level (6) and the three times (7, 8, 9):
// "-12.0dBFS", "10.0ms", "1.00s"; empty for other indices.
juce::String settingText(const PeakProgrammeSettings& s, int index);

// Knob positions 0..20 in quarter steps moved to nearby positions so that the
// even positions land on simple times: table A for the integration time, table B
// for the hold and fall-back times. Only the first matching row applies.
float mapIntegrationPosition(float position) noexcept;
float mapTimePosition(float position) noexcept;

// A normalised time setting quantised to steps of 1/80, truncated toward 0.
double quantiseTimeSetting(float value) noexcept;

// The host rate clamped to the range the peak programme ballistics are made for.
double meterRateFor(double hostRate) noexcept;

// The over threshold on the reference-scaled level for the current selector.
double overThreshold(double overReferenceSelector, double inverseReferenceGain) noexcept;

// The attenuation of the mid signal in mid/side mode (1 for none).
float midAttenuation(double midValue) noexcept;
} // namespace peak_programme
} // namespace vyrkit
