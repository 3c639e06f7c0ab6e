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

// The constant of the trim glide: 22.05 as the float just above it. 22.05f
// rounds to the float below (22.049999237060547), which would shift every glide
// and every trimmed sample by about 1e-7.
constexpr float trimGlideConstant = 22.05000114440918f;

// The one-pole smoothing coefficient of the trim gain for the host rate: the
// constant over the rate, stored as float (0.0005 at 44100 Hz). It never exceeds
// 1: at rates below 22.05 Hz the quotient would make each step overshoot the
// target by more than it was away, and the gain would grow until it overflows;
// with 1 the gain takes its target at once.
float trimSmoothingFor(double rate) noexcept;

// The oversampling the measurement mode gives at a meter rate: none above
// 100000 Hz, two steps per sample above 88200 Hz, four at or below.
int oversamplingFactorFor(double meterRate) noexcept;
} // namespace vyrkit
