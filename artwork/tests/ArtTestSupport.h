// Helpers of the artwork tests: decoding the embedded images, reading pixels and
// the needle and knob geometry the images must agree with.
#pragma once

#include <VyrKitArt.h>
#include <VyrKelsoArt.h>
#include <VyrTarvoArt.h>
#include <VyrTarvoMArt.h>

#include <juce_graphics/juce_graphics.h>

#include <cmath>

namespace arttest
{

inline juce::Image decode (const char* data, int size)
{
    return juce::ImageFileFormat::loadFrom (data, (size_t) size);
}

// Perceived brightness 0..1 of a pixel composited over black.
inline float luminance (juce::Colour c)
{
    const float a = c.getFloatAlpha();
    return a * (0.299f * c.getFloatRed() + 0.587f * c.getFloatGreen() + 0.114f * c.getFloatBlue());
}

inline float luminanceAt (const juce::Image& image, float x, float y)
{
    return luminance (image.getPixelAt ((int) std::floor (x), (int) std::floor (y)));
}

// Brightest pixel in a small square around a point: marks are thin and
// antialiased, so a single sample can fall beside them.
inline float brightestNear (const juce::Image& image, juce::Point<float> at, int reach = 1)
{
    float best = 0.0f;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            best = std::max (best, luminanceAt (image, at.x + (float) dx, at.y + (float) dy));
    return best;
}

// The needle's law: angle in radians, anticlockwise from the x axis as on screen,
// for a level v relative to the reference, between the stops.
inline double needleAngle (double v)
{
    const double pi = juce::MathConstants<double>::pi;
    return juce::jlimit (pi / 6.0, 5.0 * pi / 6.0, pi - 20.0 * std::log10 (16.0 * v) * pi / 48.0);
}

inline double needleAngleForDecibels (double dB) { return needleAngle (std::pow (10.0, dB / 20.0)); }

// Point at radius r from a pivot along a needle angle (y grows downwards).
inline juce::Point<float> alongNeedle (juce::Point<float> pivot, double r, double a)
{
    return { pivot.x + (float) (r * std::cos (a)), pivot.y - (float) (r * std::sin (a)) };
}

// The needles' pivots on the face: the meters sit at (12, 16) and (277, 16), their
// pivots at (126, 149.8) and (127, 149.8), and the needle adds half a pixel.
inline juce::Point<float> leftPivot() { return { 12.0f + 126.0f + 0.5f, 16.0f + 149.8f + 0.5f }; }
inline juce::Point<float> rightPivot() { return { 277.0f + 127.0f + 0.5f, 16.0f + 149.8f + 0.5f }; }

// The VU needle's law: 136.5 degrees at 0, 45.5 degrees at 1.44 (1.0 is 0 VU),
// with the power 1.2 above 0; the meter stops it at -0.05 and 1.5.
inline double vuNeedleAngle (double v)
{
    v = juce::jlimit (-0.05, 1.5, v);
    const double p = v > 0.0 ? std::pow (v / 1.44, 1.2) : v / 1.44;
    return 2.3823744289722595 - 1.5882496193148399 * p;
}

inline double vuNeedleAngleForDecibels (double vu) { return vuNeedleAngle (std::pow (10.0, vu / 20.0)); }

// The VU needle's pivot on a face row: the meter's pivot (128, 155) and the half
// pixel the needle adds; rows are painted at the meter's origin.
inline juce::Point<float> vuPivot() { return { 128.5f, 155.5f }; }

} // namespace arttest
