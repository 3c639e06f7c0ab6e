// The trim glide's one-pole coefficient for the host rate: 22.05 as the float
// just above it, over the rate, exact to the last bit; never above 1.
#include "MeterRates.h"

#include <gtest/gtest.h>

namespace
{
TEST(TrimSmoothing, TheConstantIsTheFloatJustAbove2205)
{
    EXPECT_EQ(static_cast<double>(22.05000114440918f), 22.05000114440918);
    EXPECT_NE(22.05000114440918f, 22.05f);
    // At 44100 Hz: 0.0005 as a float.
    EXPECT_EQ(vyrkit::trimSmoothingFor(44100.0), 0.0005f);
}

struct SmoothingCase
{
    double rate;
    float coefficient;
};

class TrimSmoothingRate : public ::testing::TestWithParam<SmoothingCase> {};

TEST_P(TrimSmoothingRate, IsTheConstantOverTheRateAsFloat)
{
    EXPECT_EQ(vyrkit::trimSmoothingFor(GetParam().rate), GetParam().coefficient) << GetParam().rate;
}

// The coefficients as floats, printed to all their digits. 0.0005 at 44100 Hz
// is the float nearest to 0.0005; with 22.05f it would be 0.0004999999655410647.
INSTANTIATE_TEST_SUITE_P(Rates, TrimSmoothingRate, ::testing::Values(
    SmoothingCase { 44100.0, 0.0005000000237487257f }, SmoothingCase { 48000.0, 0.0004593750345520675f },
    SmoothingCase { 88200.0, 0.0002500000118743628f }, SmoothingCase { 96000.0, 0.00022968751727603376f },
    SmoothingCase { 192000.0, 0.00011484375863801688f }, SmoothingCase { 384000.0, 5.742187931900844e-05f },
    SmoothingCase { 22050.0, 0.0010000000474974513f }, SmoothingCase { 8000.0, 0.0027562500908970833f },
    SmoothingCase { 23.0, 0.95869570970535278f },
    // Below 22.05 Hz the quotient would pass 1 (at 11 Hz it is 2.0045, and the
    // gain diverges): the coefficient stops at 1, the gain takes its target.
    SmoothingCase { 22.05, 1.0f }, SmoothingCase { 22.0, 1.0f }, SmoothingCase { 12.0, 1.0f },
    SmoothingCase { 11.0, 1.0f }, SmoothingCase { 5.0, 1.0f }, SmoothingCase { 1.0, 1.0f }));
} // namespace
