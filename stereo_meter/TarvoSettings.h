#pragma once

#include "RelaxedAtomic.h"

#include <juce_core/juce_core.h>

namespace vyrtarvo
{
using vyrkit::RelaxedAtomic;

// The eight ballistics settings of the stereo meter (indices 6 to 13) with their
// derived values. They belong to the loaded library, not to an instance: every
// processor in the process reads and writes this one set. All zero when the
// library is loaded. The audio thread reads the derived values without a lock;
// each is a relaxed atomic so that no access is torn.
struct ProcessWideSettings
{
    // 6 reference level
    RelaxedAtomic<double> referenceValue, referenceGain, inverseReferenceGain;
    // 7 integration time
    RelaxedAtomic<double> integrationValue, integrationMs, attackCoefficient;
    // 8 hold time
    RelaxedAtomic<double> holdValue, holdMs, holdSamples;
    // 9 fall-back time
    RelaxedAtomic<double> returnValue, returnMs, releaseCoefficient;
    // 10 over count
    RelaxedAtomic<float> oversValue;
    RelaxedAtomic<double> overCount;
    // 11 over reference
    RelaxedAtomic<float> overReferenceValue;
    RelaxedAtomic<double> overReferenceSelector;
    // 12 mid attenuation (read by the metering itself)
    RelaxedAtomic<double> midValue;
    // 13 measurement mode
    RelaxedAtomic<float> measureValue;
    RelaxedAtomic<int> oversamplingOn, oversamplingFactor;

    // Moves on with every setting change; editors compare it with what they showed.
    RelaxedAtomic<int> globalChangeCounter;
    // Set by the first processor constructed in the process, which loads the
    // stored defaults.
    RelaxedAtomic<bool> firstInstanceCreated;
};

ProcessWideSettings& processWideSettings() noexcept;

// Knob positions 0..20 in quarter steps are moved to nearby positions so that
// the even positions land on simple times. Table A serves the integration time,
// table B the hold and fall-back times.
float mapIntegrationPosition(float position) noexcept;
float mapTimePosition(float position) noexcept;

// Quantises a normalised time setting to steps of 1/80, truncating toward 0.
double quantiseTimeSetting(float value) noexcept;

// Rate-dependent ballistics from a time and the processing rate.
double attackCoefficientFor(double integrationMs, double processingRate) noexcept;
// The release coefficient from the number of processed steps in the fall-back
// time; callers form that product in their own order (it decides the last bit).
double releaseCoefficientFor(double stepsInReturnTime) noexcept;
double holdSamplesFor(double holdMs, double processingRate) noexcept;

// The over threshold on the reference-scaled level for the current selector.
double overThreshold(double overReferenceSelector, double inverseReferenceGain) noexcept;

// The attenuation of the mid signal in mid/side mode (1 for none).
float midAttenuation(double midValue) noexcept;
} // namespace vyrtarvo
