#pragma once

namespace vyrkit
{
// The oversampling of a meter's filtered input: a fixed four-point interpolation
// in single precision between the previous and the newest filtered sample, per
// input channel (0 left, 1 right). With two steps per input sample the meter sees
// the half point and then the newest sample, with four the quarter, half and
// three-quarter points and then the newest sample.
struct InterpolationHistory
{
    float newest[2] {};
    float previous[2] {};
    float older[2] {};
    float midPoint[2] {};
    float threeQuarterPoint[2] {};

    // The interpolation starts afresh for an oversampling factor: with 2 or 4 the
    // previous and older samples are cleared, with 4 the newest one too.
    void restart(int factor) noexcept
    {
        if (factor == 0)
            return;
        for (int c = 0; c < 2; ++c)
        {
            previous[c] = older[c] = 0.0f;
            if (factor == 4)
                newest[c] = 0.0f;
        }
    }
};

// The points between x1 (previous) and x0 (newest), with x2 the older sample.
inline float halfPoint(float x0, float x1, float x2) noexcept
{
    return (x1 + x0) * 0.5625f + (x0 + x2) * -0.0625f;
}

inline float quarterPoint(float mid, float x1, float x2) noexcept
{
    return (x1 + x1) * 0.5625f + (x2 + mid) * -0.0625f;
}

inline float threeQuarterPoint(float mid, float x0, float x1) noexcept
{
    return (mid + x0) * 0.5625f + (x1 + x0) * -0.0625f;
}
} // namespace vyrkit
