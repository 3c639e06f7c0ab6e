#include "IirFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using vyrkit::IirFilter;

namespace
{
struct DcBlockerCase
{
    double rate, a0, a1, a2, b0, b1;
};

class DcBlockerDesign : public ::testing::TestWithParam<DcBlockerCase> {};

TEST_P(DcBlockerDesign, MatchesTheWorkedExample)
{
    const auto& c = GetParam();
    IirFilter f(c.rate, 1, 2.0, 0.5, 0.0);
    EXPECT_NEAR(f.getA0(), c.a0, 1e-13);
    EXPECT_NEAR(f.getA1(), c.a1, 1e-13);
    EXPECT_NEAR(f.getA2(), c.a2, 1e-13);
    EXPECT_NEAR(f.getB0(), c.b0, 1e-13);
    EXPECT_NEAR(f.getB1(), c.b1, 1e-13);
    EXPECT_NEAR(f.getB2(), c.b0, 1e-13);
    EXPECT_EQ(f.getB0(), f.getB2());
}

INSTANTIATE_TEST_SUITE_P(Rates, DcBlockerDesign,
    ::testing::Values(
        DcBlockerCase { 44100.0, 1.00028495171076, -1.99943017775283, 0.999430258927183, 0.999715109170005, -1.99943021834001 },
        DcBlockerCase { 48000.0, 1.00026179938481, -1.99947646975136, 0.999476538272341, 0.999738252005925, -1.99947650401185 }));

TEST(IirFilter, BypassReturnsEveryInputBitForBitWhileTheOffsetAlternates)
{
    IirFilter f(44100.0, 0, 1000.0, 1.0, 0.0);
    const double inputs[] = { 0.0, 1.0, -0.3, 1e-300, 12345.678, -0.0 };
    double expectedOffset = 1e-14;
    for (double x : inputs)
    {
        const double y = f.processSample(x);
        EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0);
        expectedOffset = -expectedOffset;
        EXPECT_EQ(f.getDenormalOffset(), expectedOffset);
    }
}

TEST(IirFilter, FirstHighPassOutputCarriesTheNegativeOffset)
{
    IirFilter f(44100.0, 1, 2.0, 0.5, 0.0);
    const double y = f.processSample(1.0);
    EXPECT_EQ(y, f.getB0() * (1.0 - 1e-14));
    EXPECT_EQ(f.getOutputHistory1(), y - 1e-14);
    EXPECT_EQ(f.getInputHistory1(), 1.0 - 1e-14);
    EXPECT_EQ(f.getLastOutput(), y);
}

TEST(IirFilter, FrequencyCapIsKeptInTheStoredValue)
{
    IirFilter f(44100.0, 1, 30000.0, 0.5, 0.0);
    EXPECT_DOUBLE_EQ(f.getFrequency(), 0.499 * 44100.0);
    f.setSampleRate(96000.0);
    EXPECT_DOUBLE_EQ(f.getFrequency(), 0.499 * 44100.0);
    EXPECT_EQ(f.getSampleRate(), 96000.0);
}

TEST(IirFilter, RateOutsideTheCapRangeCapsAt44100ThenAtTheStoredRate)
{
    IirFilter f(96000.0, 1, 30000.0, 0.5, 0.0);
    EXPECT_EQ(f.getFrequency(), 30000.0);
    f.setSampleRate(10000.0);
    EXPECT_EQ(f.getSampleRate(), 10000.0);
    EXPECT_DOUBLE_EQ(f.getFrequency(), 0.499 * 10000.0);
}

TEST(IirFilter, LowPassDesignResetsTheOffsetToPlusOneEMinus12)
{
    IirFilter f(44100.0, 8, 1000.0, 0.7, 0.0);
    EXPECT_EQ(f.getDenormalOffset(), 1e-12);
    for (int i = 0; i < 3; ++i)
        f.processSample(0.5);
    EXPECT_EQ(f.getDenormalOffset(), -1e-12);
    f.designCoefficients();
    EXPECT_EQ(f.getDenormalOffset(), 1e-12);
    f.processSample(0.0);
    EXPECT_EQ(f.getDenormalOffset(), -1e-12);
}

TEST(IirFilter, FirstOrderSectionsAtZeroFrequencyHaveAUnitPole)
{
    IirFilter hp(44100.0, 2, 0.0, 1.0, 0.0);
    IirFilter lp(44100.0, 9, 0.0, 1.0, 0.0);
    EXPECT_EQ(hp.getA0(), 1.0);
    EXPECT_EQ(lp.getA0(), 1.0);
    EXPECT_EQ(lp.getA1(), 1.0);
    // With p = 1 the one-pole low-pass holds its last output for ever.
    lp.processSample(0.75);
    EXPECT_EQ(lp.processSample(0.25), lp.getLastOutput());
    EXPECT_EQ(lp.getLastOutput(), 0.0);
}

TEST(IirFilter, OnePoleSectionsFollowTheirRecursions)
{
    IirFilter hp(48000.0, 2, 100.0, 1.0, 0.0);
    const double p = std::pow(0.005, 100.0 / 48000.0);
    EXPECT_EQ(hp.getA0(), p);
    const double y1 = hp.processSample(1.0);
    EXPECT_EQ(y1, (1.0 - 1e-14 - 0.0) * 1.0 + p * 0.0);
    const double y2 = hp.processSample(1.0);
    EXPECT_EQ(y2, ((1.0 + 1e-14) - (1.0 - 1e-14)) * 1.0 + p * y1);

    IirFilter lp(48000.0, 9, 100.0, 1.0, 0.0);
    EXPECT_EQ(lp.getA1(), (p + 1.0) / 2.0);
    const double z1 = lp.processSample(1.0);
    EXPECT_EQ(z1, (0.0 - (1.0 - 1e-14)) * p + (1.0 - 1e-14));
}

TEST(IirFilter, AllPassHasB2ExactlyOne)
{
    for (double f : { 100.0, 1000.0, 9000.0 })
    {
        IirFilter ap(44100.0, 10, f, 0.707, 0.0);
        EXPECT_EQ(ap.getB2(), 1.0);
    }
}

TEST(IirFilter, BiquadsHaveTheirNominalResponses)
{
    // DC and Nyquist gains from the normalised coefficients.
    const auto dcGain = [](const IirFilter& f) {
        return (f.getB0() + f.getB1() + f.getB2()) / (1.0 + f.getA1() + f.getA2());
    };
    IirFilter lp(48000.0, 8, 1000.0, 0.707, 0.0);
    EXPECT_NEAR(dcGain(lp), 1.0, 1e-12);
    IirFilter hp(48000.0, 1, 1000.0, 0.707, 0.0);
    EXPECT_NEAR(dcGain(hp), 0.0, 1e-12);
    IirFilter shelf(48000.0, 3, 1000.0, 0.707, 6.0);
    EXPECT_NEAR(20.0 * std::log10(dcGain(shelf)), 6.0, 1e-9);
    IirFilter high(48000.0, 7, 1000.0, 0.707, 6.0);
    EXPECT_NEAR(dcGain(high), 1.0, 1e-9);
    IirFilter peak(48000.0, 4, 1000.0, 0.707, 6.0);
    EXPECT_NEAR(dcGain(peak), 1.0, 1e-9);
    IirFilter band(48000.0, 5, 1000.0, 0.707, 0.0);
    EXPECT_NEAR(dcGain(band), 0.0, 1e-12);
    IirFilter notch(48000.0, 6, 1000.0, 0.707, 0.0);
    EXPECT_NEAR(dcGain(notch), 1.0, 1e-12);
}

TEST(IirFilter, SettersRedesignAndLowPassClearsHistory)
{
    IirFilter f(44100.0, 4, 1000.0, 1.0, 0.0);
    f.processSample(0.3);
    f.processSample(0.6);
    f.makeLowPass();
    EXPECT_EQ(f.getType(), 8);
    EXPECT_EQ(f.getInputHistory1(), 0.0);
    EXPECT_EQ(f.getOutputHistory1(), 0.0);
    f.setFrequency(1.5003750937734435);
    f.setQ(0.53);
    f.setGain(0.0);
    IirFilter reference(44100.0, 8, 1.5003750937734435, 0.53, 0.0);
    EXPECT_EQ(f.getA1(), reference.getA1());
    EXPECT_EQ(f.getB0(), reference.getB0());

    IirFilter other(44100.0, 8, 2.0, 0.6, 0.0);
    for (int i = 0; i < 5; ++i)
        other.processSample(0.9);
    const double offsetBefore = f.getDenormalOffset();
    f.copyStateFrom(other);
    EXPECT_EQ(f.getInputHistory1(), other.getInputHistory1());
    EXPECT_EQ(f.getInputHistory2(), other.getInputHistory2());
    EXPECT_EQ(f.getLastOutput(), other.getLastOutput());
    EXPECT_EQ(f.getOutputHistory1(), other.getOutputHistory1());
    EXPECT_EQ(f.getOutputHistory2(), other.getOutputHistory2());
    EXPECT_EQ(f.getDenormalOffset(), offsetBefore);
}

TEST(IirFilter, ResetClearsHistoryAndKeepsCoefficients)
{
    IirFilter f(44100.0, 1, 2.0, 0.5, 0.0);
    const double b0 = f.getB0();
    f.processSample(1.0);
    f.processSample(1.0);
    f.reset();
    EXPECT_EQ(f.getInputHistory1(), 0.0);
    EXPECT_EQ(f.getInputHistory2(), 0.0);
    EXPECT_EQ(f.getLastOutput(), 0.0);
    EXPECT_EQ(f.getOutputHistory1(), 0.0);
    EXPECT_EQ(f.getOutputHistory2(), 0.0);
    EXPECT_EQ(f.getB0(), b0);
}
} // namespace
