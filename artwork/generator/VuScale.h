// Geometry of the VU dial: the needle's value-to-angle law and where its pivot
// lies on the face. The face prints its marks with the same law, so a needle at a
// level points at that level's mark.
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cmath>

namespace vyrart
{

// Needle angle in radians (anticlockwise from the positive x axis, as on screen)
// for a value v, 1.0 being 0 VU: 136.5 degrees at 0, 45.5 degrees at 1.44, with
// the stops at -0.05 and 1.5.
inline double vuNeedleAngle (double v)
{
    v = juce::jlimit (-0.05, 1.5, v);
    const double p = v > 0.0 ? std::pow (v / 1.44, 1.2) : v / 1.44;
    return 2.3823744289722595 - 1.5882496193148399 * p;
}

inline double vuAngleForDecibels (double vu) { return vuNeedleAngle (std::pow (10.0, vu / 20.0)); }

// The face strip's rows are 250 x 122 and are painted at the meter's own origin,
// so face and meter share coordinates: the pivot (128, 155) plus the half pixel
// the needle drawing adds, 39 pixels below the meter's bottom edge at y 116.
inline juce::Point<float> vuFacePivot() { return { 128.5f, 155.5f }; }
inline constexpr int vuFaceWidth = 250;
inline constexpr int vuFaceHeight = 122;
inline constexpr float vuMeterBottom = 116.0f;

// Radii of the needle's tip and of the hold tick, which runs from 121 to 134.
inline constexpr float vuNeedleTipRadius = 134.0f;
inline constexpr float vuHoldInnerRadius = 121.0f;

// The meter draws its over LED at (181, 90, 20, 20) of the face.
inline juce::Rectangle<float> vuLedArea() { return { 181.0f, 90.0f, 20.0f, 20.0f }; }

inline juce::Point<float> onVuDial (juce::Point<float> pivot, float r, double a)
{
    return { pivot.x + r * (float) std::cos (a), pivot.y - r * (float) std::sin (a) };
}

} // namespace vyrart
