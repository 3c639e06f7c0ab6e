// Geometry of the peak programme dials: the needle's value-to-angle law and the
// pivots of the two meters on the front face. The face prints its marks with the
// same law, so a needle at a level points at that level's mark.
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cmath>

namespace vyrart
{

// Needle angle in radians (anticlockwise from the positive x axis, as on screen)
// for a linear level v relative to the reference: 3.75 degrees per dB, stops at
// 30 and 150 degrees.
inline double ppmNeedleAngle (double v)
{
    const double pi = juce::MathConstants<double>::pi;
    const double a = pi - 20.0 * std::log10 (16.0 * v) * pi / 48.0;
    return juce::jlimit (pi / 6.0, 5.0 * pi / 6.0, a);
}

inline double ppmAngleForDecibels (double dB) { return ppmNeedleAngle (std::pow (10.0, dB / 20.0)); }

// Lowest and highest level between the stops, in dB relative to the reference.
inline constexpr double ppmLowestDecibels = -16.08;
inline constexpr double ppmHighestDecibels = 15.92;

// Pivots on the face: each meter's own pivot, moved by its position on the panel
// and by the half pixel its needle drawing adds.
inline juce::Point<float> leftDialPivot() { return { 12.0f + 126.0f + 0.5f, 16.0f + 149.8f + 0.5f }; }
inline juce::Point<float> rightDialPivot() { return { 277.0f + 127.0f + 0.5f, 16.0f + 149.8f + 0.5f }; }

// Point at radius r along angle a from a pivot (y grows downwards).
inline juce::Point<float> onDial (juce::Point<float> pivot, float r, double a)
{
    return { pivot.x + r * (float) std::cos (a), pivot.y - r * (float) std::sin (a) };
}

} // namespace vyrart
