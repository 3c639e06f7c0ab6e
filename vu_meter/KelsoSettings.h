#pragma once

#include "RelaxedAtomic.h"
#include "StoredDefault.h"

#include <juce_core/juce_core.h>

namespace vyrkelsom
{
using vyrkit::RelaxedAtomic;

// The VU meter's eight settings (indices 5 to 12) with their derived values.
// They belong to the loaded library, not to an instance: every processor in the
// process reads this one set, the audio threads without a lock (hence relaxed
// atomics). All zero until the first processor reads the settings store.
struct ProcessWideSettings
{
    RelaxedAtomic<float> vuType;                                                // 5
    RelaxedAtomic<double> referenceValue, referenceGain, inverseReference;      // 6
    RelaxedAtomic<double> integrationValue, integrationMs;                      // 7
    RelaxedAtomic<double> backlightValue, backlightStep;                        // 8
    RelaxedAtomic<float> holdSetting;                                           // 9
    RelaxedAtomic<double> holdTimeMs;
    RelaxedAtomic<float> overValue;                                             // 10
    RelaxedAtomic<double> overCount;
    RelaxedAtomic<float> overReferenceValue;                                    // 11
    RelaxedAtomic<double> overReferenceStep;
    RelaxedAtomic<float> oversamplingValue;                                     // 12
    RelaxedAtomic<int> oversamplingOn;

    // Set by whichever instance last chose its processing rate: 0, 2 or 4.
    RelaxedAtomic<int> oversamplingFactor;
    // The needle's cut-off in Hz, from the last ballistics design.
    RelaxedAtomic<double> needleCutoff;
};

ProcessWideSettings& processWideSettings() noexcept;

namespace settings
{
// Stores setting `index` (5..12) from a normalised value with its derived
// values. Returns true when the measurement mode changed: the oversampling
// factor is then 0 and the caller recomputes its processing rate. Other indices
// change nothing.
bool apply(ProcessWideSettings& s, int index, float value) noexcept;

// The hold position 0..20 (quarter steps) moved to a nearby position on the
// points where a plain power of 100 would give untidy times. At most one row
// applies.
float remapHoldPosition(float position) noexcept;

// The hold time in ms for a quantised hold setting.
double holdTimeMsFor(float holdSetting) noexcept;

// The over threshold on the reference-scaled level.
double overThreshold(double overReferenceStep, double inverseReference) noexcept;

// Display text of a setting (5..12); empty for other indices.
juce::String text(const ProcessWideSettings& s, int index);

// Where each setting (5..12) lives in the settings store, and what is used when
// it is missing (defaultText) or out of range (fallback).
extern const vyrkit::StoredDefaultTable storedDefaults;
} // namespace settings
} // namespace vyrkelsom
