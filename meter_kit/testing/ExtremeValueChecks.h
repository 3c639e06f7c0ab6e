#pragma once

// Conversions of a setting or a host parameter to a whole number, fed values that
// no path delivers today but that a settings store or a saved state might one
// day: far beyond the float range, at its ends, infinite and not a number. The
// whole part stops at the int range, so a value beyond it gives what the formula
// gives for the largest or the smallest int, and NaN gives what 0 gives. The
// kit's and each meter's own conversions are checked with this table.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <vector>

namespace kittest
{
struct ExtremeValueCase
{
    const char* conversion;
    // The derived value for a normalised value.
    std::function<double(float)> convert;
    // What the formula gives with its whole part at INT_MAX and at INT_MIN.
    double atLargestInt;
    double atSmallestInt;
};

inline void checkExtremeValues(const std::vector<ExtremeValueCase>& cases)
{
    constexpr float largest = std::numeric_limits<float>::max();
    constexpr float infinity = std::numeric_limits<float>::infinity();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.conversion);
        for (float v : { 1e30f, largest, infinity })
            EXPECT_EQ(c.convert(v), c.atLargestInt) << v;
        for (float v : { -1e30f, -largest, -infinity })
            EXPECT_EQ(c.convert(v), c.atSmallestInt) << v;
        EXPECT_EQ(c.convert(std::numeric_limits<float>::quiet_NaN()), c.convert(0.0f)) << "NaN";
    }
}

constexpr double largestInt = INT_MAX;
constexpr double smallestInt = INT_MIN;
} // namespace kittest
