#pragma once

#include "FourPointInterpolation.h"
#include "PeakProgrammeSettings.h"

namespace vyrkit
{
// What one peak programme meter instance meters with: its processing rate and
// oversampling factor under the shared measurement mode, and the coefficients,
// hold length and ring step of the shared times at that rate. The settings are
// process-wide; these values belong to the instance, so that instances at
// different host rates, or one whose neighbour has just switched the mode, never
// meter with each other's values. An instance keeps them under its callback lock.
struct PeakProgrammeBallistics
{
    double processingRate = 44100.0;
    int oversamplingFactor = 0; // 0 (one step per sample), 2 or 4
    double attackCoefficient = 1.0;
    double releaseCoefficient = 0.0;
    double holdSamples = 0.0;
    int ringStep = 44;
    // The settings' ballisticsGeneration these values were made from.
    unsigned settingsGeneration = 0;
};

namespace peak_programme
{
// The values for a meter rate (the host rate clamped to 22050..192000 Hz) under
// the settings as they are now: with the measurement mode on, four steps per
// sample up to 88200 Hz, two up to 100000 Hz, none above.
PeakProgrammeBallistics ballisticsFor(const PeakProgrammeSettings& s, double meterRate) noexcept;

// False once a time setting or the measurement mode has changed since the values
// were made: the instance then takes ballisticsFor its own meter rate again.
bool isCurrent(const PeakProgrammeBallistics& b, const PeakProgrammeSettings& s) noexcept;

// prepareToPlay and updateProcessingRate: the values for the meter rate, and the
// interpolation starts afresh when it oversamples (the previous and older
// values, with four steps per sample the newest one too).
void chooseBallistics(PeakProgrammeBallistics& b, const PeakProgrammeSettings& s, double meterRate,
                      InterpolationHistory& history) noexcept;

// A time or the measurement mode has changed since b was made (by this instance
// or another): b takes the settings up again for the meter rate. The
// interpolation starts afresh only when the oversampling factor changes; the
// history rings go on, since a slot is about a millisecond at every rate.
void followSettings(PeakProgrammeBallistics& b, const PeakProgrammeSettings& s, double meterRate,
                    InterpolationHistory& history) noexcept;

double attackCoefficientFor(double integrationMs, double processingRate) noexcept;
double releaseCoefficientFor(double returnMs, double processingRate) noexcept;
double holdSamplesFor(double holdMs, double processingRate) noexcept;
} // namespace peak_programme
} // namespace vyrkit
