#include "DecibelText.h"
#include "SafeNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
struct NumberCase
{
    const char* text;
    double value;
};

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsTheLongestLeadingDecimalNumber)
{
    const auto& c = GetParam();
    const double v = vyrkit::parseLeadingNumber(c.text);
    EXPECT_EQ(v, c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isfinite(vyrkit::parseLeadingFloat(c.text)));
}

INSTANTIATE_TEST_SUITE_P(Table, LeadingNumber, ::testing::Values(
    NumberCase { "0.5", 0.5 }, NumberCase { "1", 1.0 }, NumberCase { "1.0", 1.0 }, NumberCase { "  -0.5", -0.5 },
    NumberCase { "+2", 2.0 }, NumberCase { ".25", 0.25 }, NumberCase { "-.5x", -0.5 }, NumberCase { "7.", 7.0 },
    NumberCase { "-7.5 dB", -7.5 }, NumberCase { "35", 35.0 }, NumberCase { "1e3", 1000.0 },
    NumberCase { "1e", 1.0 }, NumberCase { "2E-2z", 0.02 }, NumberCase { "", 0.0 }, NumberCase { "abc", 0.0 },
    NumberCase { "nan", 0.0 }, NumberCase { "NaN", 0.0 }, NumberCase { "inf", 0.0 }, NumberCase { "-inf", 0.0 },
    NumberCase { "Infinity", 0.0 }, NumberCase { "1e400", 0.0 }, NumberCase { "-", 0.0 }, NumberCase { ".", 0.0 },
    NumberCase { "0x10", 0.0 }, NumberCase { "\t\n3", 3.0 }, NumberCase { "0.499992", 0.499992 }));

TEST(LeadingNumber, FloatsBeyondTheFloatRangeReadAsZero)
{
    EXPECT_EQ(vyrkit::parseLeadingFloat("1e39"), 0.0f);
    EXPECT_EQ(vyrkit::parseLeadingFloat("3e38"), 3e38f);
}

// Stored settings: the leading number as before, but a magnitude beyond the float
// range, "inf" and "nan" read as a number outside 0..1 (the largest float of
// their sign), so that they take the setting's fallback; no number reads as 0.
class StoredSetting : public ::testing::TestWithParam<NumberCase> {};

TEST_P(StoredSetting, ReadsOutOfRangeAndNonNumbersOutsideZeroToOne)
{
    const auto& c = GetParam();
    const float v = vyrkit::parseStoredSetting(c.text);
    EXPECT_EQ(v, (float) c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isfinite(v));
}

constexpr double floatMax = (double) std::numeric_limits<float>::max();

INSTANTIATE_TEST_SUITE_P(Table, StoredSetting, ::testing::Values(
    NumberCase { "0.5", 0.5 }, NumberCase { "1", 1.0 }, NumberCase { " 0.222 ", 0.222 }, NumberCase { "-0.5", -0.5 },
    NumberCase { "2", 2.0 }, NumberCase { "3e38", 3e38 }, NumberCase { "", 0.0 }, NumberCase { "garbage", 0.0 },
    NumberCase { "0x1p-2", 0.0 }, NumberCase { "1e-50", 0.0 }, NumberCase { "-1e-400", 0.0 },
    NumberCase { "0.0001e-400", 0.0 }, NumberCase { "1e40", floatMax }, NumberCase { "-1e40", -floatMax },
    NumberCase { "3.5e38", floatMax }, NumberCase { "1e400", floatMax }, NumberCase { "-1e999", -floatMax },
    NumberCase { "100000000000000000000000000000000000000000000e-5", floatMax },
    NumberCase { "inf", floatMax }, NumberCase { "-inf", -floatMax }, NumberCase { "  +Infinity", floatMax },
    NumberCase { "INF", floatMax }, NumberCase { "nan", floatMax }, NumberCase { "-NaN", -floatMax },
    NumberCase { "na", 0.0 }, NumberCase { "in", 0.0 }, NumberCase { "-", 0.0 }));

TEST(StoredSetting, TellsHugeFromTinyBeyondTheDoubleRange)
{
    const std::string huge = "1" + std::string(400, '0') + "e-50"; // 1e350
    const std::string tiny = "0." + std::string(400, '0') + "1e50"; // 1e-351
    EXPECT_EQ(vyrkit::parseStoredSetting(huge.c_str()), std::numeric_limits<float>::max());
    EXPECT_EQ(vyrkit::parseStoredSetting(("-" + huge).c_str()), -std::numeric_limits<float>::max());
    EXPECT_EQ(vyrkit::parseStoredSetting(tiny.c_str()), 0.0f);
    EXPECT_EQ(vyrkit::parseLeadingNumber(huge.c_str()), 0.0); // typed and restored numbers: 0 as before
}

TEST(LeadingInt, ReadsTheLeadingInteger)
{
    EXPECT_EQ(vyrkit::parseLeadingInt("1"), 1);
    EXPECT_EQ(vyrkit::parseLeadingInt(" -12x"), -12);
    EXPECT_EQ(vyrkit::parseLeadingInt("1.9"), 1);
    EXPECT_EQ(vyrkit::parseLeadingInt("abc"), 0);
    EXPECT_EQ(vyrkit::parseLeadingInt("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(vyrkit::parseLeadingInt("-99999999999"), std::numeric_limits<int>::min());
}

TEST(TruncToInt, SaturatesAndTruncatesTowardZero)
{
    EXPECT_EQ(vyrkit::truncToInt(2.9), 2);
    EXPECT_EQ(vyrkit::truncToInt(-2.9), -2);
    EXPECT_EQ(vyrkit::truncToInt(-0.7f), 0);
    EXPECT_EQ(vyrkit::truncToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(vyrkit::truncToInt(std::numeric_limits<float>::infinity()), std::numeric_limits<int>::max());
    EXPECT_EQ(vyrkit::truncToInt(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(vyrkit::truncToInt(2147483646.0), 2147483646);
}

TEST(FormatGeneral20, GivesUpToTwentySignificantDigits)
{
    EXPECT_EQ(vyrkit::formatGeneral20(0.0), "0");
    EXPECT_EQ(vyrkit::formatGeneral20(0.5), "0.5");
    EXPECT_EQ(vyrkit::formatGeneral20(1.0), "1");
    EXPECT_EQ(vyrkit::formatGeneral20((double) 0.3f), "0.30000001192092895508");
    EXPECT_EQ((float) vyrkit::parseLeadingNumber(vyrkit::formatGeneral20((double) 0.123456789f)), 0.123456789f);
}

struct FixedCase
{
    double value;
    int decimals;
    const char* text;
};

class FixedText : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedText, RoundsByAddingAHalf)
{
    const auto& c = GetParam();
    EXPECT_EQ(vyrkit::formatFixed(c.value, c.decimals), c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, FixedText, ::testing::Values(
    FixedCase { 0.0, 1, "0.0" }, FixedCase { 12.0, 1, "12.0" }, FixedCase { -12.0, 1, "-12.0" },
    FixedCase { -0.000384, 1, "-0.0" }, FixedCase { 0.25, 1, "0.3" }, FixedCase { 0.15, 1, "0.2" },
    FixedCase { 1.0, 2, "1.00" }, FixedCase { 9.999, 2, "10.00" }, FixedCase { 100.0, 1, "100.0" },
    FixedCase { 0.05, 1, "0.1" }));

TEST(DecibelText, FormsTheDisplayTexts)
{
    EXPECT_EQ(vyrkit::decibelsToString(0.0, 1), "+0.0 dB");
    EXPECT_EQ(vyrkit::decibelsToString(-100.0, 1), "-INF dB");
    EXPECT_EQ(vyrkit::decibelsToString(-150.0, 1), "-INF dB");
    EXPECT_EQ(vyrkit::decibelsToString(-99.96, 1), "-100.0 dB");
    EXPECT_EQ(vyrkit::decibelsWithUnit(-12.0, 1, "dBFS"), "-12.0dBFS");
    EXPECT_EQ(vyrkit::decibelsWithUnit(10.0, 1, "ms"), "10.0ms");
    EXPECT_EQ(vyrkit::decibelsWithUnit(1.0, 2, "s"), "1.00s");
}
} // namespace
