#pragma once

#include "RelaxedAtomic.h"

#include <juce_core/juce_core.h>

namespace vyrkit
{
// The peak programme ballistics settings with their derived values, as the two
// peak programme meters keep them: process-wide, all zero when the library is
// loaded, read by the audio thread without a lock (hence relaxed atomics).
// Settings are addressed by the stereo meter's indices:
//   6 reference level, 7 integration time, 8 hold time, 9 fall-back time,
//   10 over count, 11 over reference, 12 mid attenuation, 13 measurement mode.
struct PeakProgrammeSettings
{
    RelaxedAtomic<double> referenceValue, referenceGain, inverseReferenceGain;
    RelaxedAtomic<double> integrationValue, integrationMs, attackCoefficient;
    RelaxedAtomic<double> holdValue, holdMs, holdSamples;
    RelaxedAtomic<double> returnValue, returnMs, releaseCoefficient;
    RelaxedAtomic<float> oversValue;
    RelaxedAtomic<double> overCount;
    RelaxedAtomic<float> overReferenceValue;
    RelaxedAtomic<double> overReferenceSelector;
    RelaxedAtomic<double> midValue;
    RelaxedAtomic<float> measureValue;
    RelaxedAtomic<int> oversamplingOn, oversamplingFactor;
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
// values for the given processing rate. Returns true when the measurement mode
// changed: the caller then recomputes its processing rate (the oversampling
// factor has been set to 0). Indices outside 6..13 change nothing.
bool applySetting(PeakProgrammeSettings& s, int index, float value, double processingRate) noexcept;

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

double attackCoefficientFor(double integrationMs, double processingRate) noexcept;
// The release coefficient from the number of processed steps in the fall-back
// time; callers form that product in their own order (it decides the last bit).
double releaseCoefficientFor(double stepsInReturnTime) noexcept;
double holdSamplesFor(double holdMs, double processingRate) noexcept;

// The coefficients and hold length for a processing rate, as prepareToPlay and
// updateProcessingRate compute them.
void setRateDependentValues(PeakProgrammeSettings& s, double processingRate) noexcept;

// The processing rate for a meter rate (the host rate clamped to
// 22050..192000 Hz) under the settings' measurement mode. With the mode on it
// picks and stores the shared oversampling factor; with it off the factor is left
// as it is (setting the mode clears it). Then the coefficients and the hold
// length are computed for the chosen rate.
struct RateChoice
{
    double processingRate;
    int factor;                // 0 when no oversampling was chosen
};
RateChoice chooseProcessingRate(PeakProgrammeSettings& s, double meterRate) noexcept;

// The host rate clamped to the range the peak programme ballistics are made for.
double meterRateFor(double hostRate) noexcept;

// The over threshold on the reference-scaled level for the current selector.
double overThreshold(double overReferenceSelector, double inverseReferenceGain) noexcept;

// The attenuation of the mid signal in mid/side mode (1 for none).
float midAttenuation(double midValue) noexcept;
} // namespace peak_programme
} // namespace vyrkit
