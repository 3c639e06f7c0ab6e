#pragma once

namespace vyrkit
{
// Rate rules every meter processor shares.

// A host rate that is zero, negative or not finite never reaches a filter design
// or the trim smoothing: 44100 stands in for it.
double usableSampleRate(double rate) noexcept;

// History slots per processed step: one slot per whole number of steps in a
// millisecond (0.001 as the single-precision constant).
int ringStepFor(double processingRate) noexcept;

// The one-pole smoothing coefficient of the trim gain for the host rate
// (22.05 as the single-precision constant), stored as float.
float trimSmoothingFor(double rate) noexcept;

// The oversampling the measurement mode gives at a meter rate: none above
// 100000 Hz, two steps per sample above 88200 Hz, four at or below.
int oversamplingFactorFor(double meterRate) noexcept;
} // namespace vyrkit
