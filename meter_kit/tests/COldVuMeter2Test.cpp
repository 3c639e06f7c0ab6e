#include "COldVuMeter2.h"
#include "FilmStrip.h"
#include "KitTestSupport.h"

#include <VyrKitArt.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using vyrkit::COldVuMeter2;

namespace
{
constexpr double degrees = 180.0 / juce::MathConstants<double>::pi;
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

// The products' geometry: a 250 x 115 meter with its pivot 34.8 pixels below
// the bottom edge.
struct ProductMeter : COldVuMeter2
{
    ProductMeter() : COldVuMeter2(126.0f, 149.8f, 3.0f, 121.0f, 108.0f, 121.0f) { setSize(250, 115); }
};

struct AngleCase
{
    float level;
    double angleDegrees;
};

class NeedleAngle : public ::testing::TestWithParam<AngleCase> {};

TEST_P(NeedleAngle, FollowsThePeakProgrammeScale)
{
    EXPECT_NEAR(COldVuMeter2::needleAngle(GetParam().level) * degrees, GetParam().angleDegrees, 0.005);
}

INSTANTIATE_TEST_SUITE_P(Scale, NeedleAngle,
    ::testing::Values(AngleCase { 0.16f, 149.382 },   // the floor rests just inside the stop
                      AngleCase { 1.0f, 89.6875 },    // reference, just right of vertical
                      AngleCase { 2.0f, 89.6875 - 3.75 * 20.0 * std::log10(2.0) },
                      AngleCase { 6.25f, 30.0 },      // +15.92 dB: the right stop
                      AngleCase { 32.0f, 30.0 },
                      AngleCase { 0.05f, 150.0 },     // below the floor: the left stop
                      AngleCase { 0.0f, 150.0 }));    // log of 0

TEST(NeedleMeter, StartsWithTheRestingValuesAndNoRequests)
{
    ProductMeter meter;
    EXPECT_FLOAT_EQ(meter.getLevel(), 0.19f);
    EXPECT_FLOAT_EQ(meter.getHoldLevel(), 0.19f);
    EXPECT_FLOAT_EQ(meter.getPaintedLevel(), 0.19f);
    EXPECT_FLOAT_EQ(meter.getPaintedHoldLevel(), 0.19f);
    EXPECT_EQ(meter.ledState, -1);
    EXPECT_FALSE(meter.showHold);
    EXPECT_FALSE(meter.ledResetRequest);
    EXPECT_FALSE(meter.holdResetRequest);
}

struct SetValuesCase
{
    float level, led, hold;
    float storedLevel;
    int storedLed;
    float storedHold;
};

class SetValues : public ::testing::TestWithParam<SetValuesCase> {};

TEST_P(SetValues, ClampsLevelsAndTruncatesTheLedState)
{
    const auto& c = GetParam();
    ProductMeter meter;
    meter.setValues(c.level, c.led, c.hold);
    EXPECT_EQ(meter.getLevel(), c.storedLevel);
    EXPECT_EQ(meter.ledState, c.storedLed);
    EXPECT_EQ(meter.getHoldLevel(), c.storedHold);
    // Setting values records nothing as painted.
    EXPECT_FLOAT_EQ(meter.getPaintedLevel(), 0.19f);
}

INSTANTIATE_TEST_SUITE_P(Values, SetValues,
    ::testing::Values(SetValuesCase { 0.0f, -1.0f, 0.0f, 0.16f, -1, 0.16f },
                      SetValuesCase { 1.0f, 1.0f, 2.5f, 1.0f, 1, 2.5f },
                      SetValuesCase { 32.0f, 0.7f, 100.0f, 32.0f, 0, 32.0f },
                      SetValuesCase { nan, -0.7f, nan, 0.16f, 0, 0.16f },
                      SetValuesCase { inf, 2.0f, -inf, 32.0f, 2, 0.16f },
                      SetValuesCase { 0.5f, nan, 0.5f, 0.5f, 0, 0.5f },
                      SetValuesCase { 0.5f, 1e20f, 0.5f, 0.5f, std::numeric_limits<int>::max(), 0.5f }));

struct StripCase
{
    float newValue, oldValue;
    juce::Rectangle<int> needle, hold;
};

class NeedleStrips : public ::testing::TestWithParam<StripCase> {};

TEST_P(NeedleStrips, CoverTheOldAndTheNewNeedle)
{
    const auto& c = GetParam();
    EXPECT_EQ(COldVuMeter2::needleStrip(c.newValue, c.oldValue, false), c.needle);
    EXPECT_EQ(COldVuMeter2::needleStrip(c.newValue, c.oldValue, true), c.hold);
}

const juce::Rectangle<int> lowStrip { 18, 28, 122, 87 }, middleStrip { 70, 28, 110, 87 },
    fullStrip { 18, 28, 217, 87 }, highNeedleStrip { 120, 28, 113, 87 }, highHoldStrip { 120, 28, 115, 87 };

INSTANTIATE_TEST_SUITE_P(Table, NeedleStrips,
    ::testing::Values(StripCase { 0.3f, 0.3f, lowStrip, lowStrip },
                      StripCase { 0.49f, 0.16f, lowStrip, lowStrip },
                      StripCase { 3.0f, 0.3f, fullStrip, fullStrip },
                      StripCase { 3.0f, 0.8f, fullStrip, fullStrip },
                      StripCase { 1.0f, 0.8f, middleStrip, middleStrip },
                      StripCase { 0.5f, 1.09f, middleStrip, middleStrip },
                      StripCase { 0.5f, 0.49f, fullStrip, fullStrip },
                      StripCase { 1.1f, 1.09f, fullStrip, fullStrip },
                      StripCase { 1.1f, 32.0f, highNeedleStrip, highHoldStrip },
                      StripCase { 0.3f, 3.0f, fullStrip, fullStrip }));

TEST(NeedleMeter, RepaintsTheNeedleStripAndTheLedAndTheHoldStripOnlyWhenShown)
{
    ProductMeter meter;
    const juce::Rectangle<int> led { 210, 14, 20, 20 };

    meter.setValues(0.3f, -1.0f, 0.3f);
    meter.repaintNeedleAreas();
    ASSERT_EQ(meter.getLastRepaintCount(), 2);
    EXPECT_EQ(meter.getLastRepaintArea(0), lowStrip);
    EXPECT_EQ(meter.getLastRepaintArea(1), led);

    // The hidden hold needle is still recorded as painted ...
    meter.setValues(3.0f, 1.0f, 3.0f);
    meter.repaintNeedleAreas();
    ASSERT_EQ(meter.getLastRepaintCount(), 2);
    EXPECT_EQ(meter.getLastRepaintArea(0), fullStrip);
    EXPECT_FLOAT_EQ(meter.getPaintedHoldLevel(), 3.0f);

    // ... so showing it later chooses its strip from current values.
    meter.showHold = true;
    meter.setValues(2.0f, 0.0f, 3.0f);
    meter.repaintNeedleAreas();
    ASSERT_EQ(meter.getLastRepaintCount(), 3);
    EXPECT_EQ(meter.getLastRepaintArea(0), highNeedleStrip);
    EXPECT_EQ(meter.getLastRepaintArea(1), led);
    EXPECT_EQ(meter.getLastRepaintArea(2), highHoldStrip);
    EXPECT_FLOAT_EQ(meter.getPaintedLevel(), 2.0f);
}

// When the hold goes Off, the strip of the hold needle last drawn is repainted
// once, so that the needle is erased: every pixel it covered lies in that tick's
// repaint, wherever the (hidden) hold value has moved meanwhile. After that the
// strip is left alone.
TEST(NeedleMeter, AHoldNeedleThatGoesOffIsErasedOnce)
{
    const juce::Colour red(255, 0, 0);
    const struct { float shownHold, hiddenHold; } cases[] = { { 0.3f, 0.3f }, { 0.3f, 3.0f }, { 0.8f, 0.9f },
                                                              { 3.0f, 0.2f }, { 3.0f, 2.0f }, { 1.0f, 6.0f } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.shownHold << " -> " << c.hiddenHold);
        ProductMeter meter;
        meter.showHold = true;
        meter.setValues(0.16f, 5.0f, c.shownHold);
        meter.repaintNeedleAreas();
        const auto drawn = kittest::render(meter);

        meter.showHold = false;
        meter.setValues(0.16f, 5.0f, c.hiddenHold);
        meter.repaintNeedleAreas();
        ASSERT_EQ(meter.getLastRepaintCount(), 3);
        EXPECT_EQ(meter.getLastRepaintArea(2), COldVuMeter2::needleStrip(c.hiddenHold, c.shownHold, true));
        int redPixels = 0;
        for (int y = 0; y < drawn.getHeight(); ++y)
            for (int x = 0; x < drawn.getWidth(); ++x)
                if (drawn.getPixelAt(x, y).getAlpha() > 0 && drawn.getPixelAt(x, y).getRed() == red.getRed()
                    && drawn.getPixelAt(x, y).getGreen() == 0)
                {
                    ++redPixels;
                    EXPECT_TRUE(meter.getLastRepaintArea(2).contains(x, y)) << x << "," << y;
                }
        EXPECT_GT(redPixels, 20);

        meter.setValues(0.16f, 5.0f, c.shownHold);
        meter.repaintNeedleAreas();
        EXPECT_EQ(meter.getLastRepaintCount(), 2);
    }
}

TEST(NeedleMeter, AClickRaisesBothResetRequestsAndNothingElse)
{
    ProductMeter meter;
    meter.mouseDown(kittest::click(meter, 5.0f, 5.0f));
    EXPECT_TRUE(meter.ledResetRequest);
    EXPECT_TRUE(meter.holdResetRequest);
    EXPECT_EQ(meter.ledState, -1);
    EXPECT_FLOAT_EQ(meter.getLevel(), 0.19f);
}

//==============================================================================
// The needle is drawn where its angle says: in each pixel row that the needle
// crosses, the coverage-weighted centre of its pixels lies on the line from the
// pivot (plus half a pixel) at that angle.
double needleCentreInRow(const juce::Image& image, int row, juce::Colour colour)
{
    double sum = 0.0, weight = 0.0;
    for (int x = 0; x < image.getWidth(); ++x)
    {
        const auto p = image.getPixelAt(x, row);
        if (p.getAlpha() > 0 && std::abs(p.getRed() - colour.getRed()) <= 1 && std::abs(p.getGreen() - colour.getGreen()) <= 1)
        {
            sum += (x + 0.5) * p.getAlpha();
            weight += p.getAlpha();
        }
    }
    return weight > 0.0 ? sum / weight : -1.0;
}

double expectedNeedleX(float level, int row)
{
    const double a = COldVuMeter2::needleAngle(level);
    const double cx = 126.5, cy = 150.3;
    const double r = (cy - (row + 0.5)) / std::sin(a);
    return cx + r * std::cos(a);
}

class NeedlePixels : public ::testing::TestWithParam<float> {};

TEST_P(NeedlePixels, LieOnTheLineAtTheNeedleAngle)
{
    ProductMeter meter;
    meter.setValues(GetParam(), 5.0f, GetParam());
    const auto image = kittest::render(meter);
    const juce::Colour needleColour(229, 218, 202);

    // Radii whose rows lie inside the component at every angle (the pivot is
    // below the bottom edge).
    const double a = COldVuMeter2::needleAngle(GetParam());
    for (double radius : { 75.0, 90.0, 105.0, 118.0 })
    {
        const int row = (int) std::floor(150.3 - radius * std::sin(a));
        ASSERT_LT(row, 115);
        EXPECT_NEAR(needleCentreInRow(image, row, needleColour), expectedNeedleX(GetParam(), row), 0.35)
            << "row " << row;
    }

    // The needle ends at radius 121 from the pivot: nothing above that.
    const double topY = 150.3 - 121.0 * std::sin(a);
    EXPECT_TRUE(kittest::transparentEverywhere(image, { 0, 0, 250, juce::jmax(0, (int) std::floor(topY) - 2) }));
}

INSTANTIATE_TEST_SUITE_P(Levels, NeedlePixels, ::testing::Values(0.16f, 0.5f, 1.0f, 2.0f, 6.25f));

TEST(NeedleMeter, DrawsTheHoldNeedleInRedBetweenItsRadiiOnlyWhenShown)
{
    ProductMeter meter;
    meter.setValues(0.16f, 5.0f, 2.0f);
    const juce::Colour red(255, 0, 0);

    const double a = COldVuMeter2::needleAngle(2.0f);
    const auto rowAtRadius = [a](double r) { return (int) std::floor(150.3 - r * std::sin(a)); };

    EXPECT_LT(needleCentreInRow(kittest::render(meter), rowAtRadius(115.0), red), 0.0);

    meter.showHold = true;
    const auto image = kittest::render(meter);
    const int row = rowAtRadius(115.0);
    EXPECT_NEAR(needleCentreInRow(image, row, red), expectedNeedleX(2.0f, row), 0.35);
    EXPECT_LT(needleCentreInRow(image, rowAtRadius(100.0), red), 0.0);
}

TEST(NeedleMeter, DrawsTheLedFrameOfItsStateAndNoneForOtherStates)
{
    const auto strip = vyrkit::decodeEmbeddedImage(vyrkit_art::over_led_png, vyrkit_art::over_led_pngSize);
    ASSERT_EQ(strip.getBounds(), juce::Rectangle<int>(0, 0, 20, 60));

    const struct { float state; int sourceY; } cases[] = { { -1.0f, 0 }, { 0.0f, 20 }, { 0.7f, 20 }, { 1.0f, 40 }, { 2.0f, -1 } };
    for (const auto& c : cases)
    {
        ProductMeter meter;
        meter.setValues(0.16f, c.state, 0.16f); // the needle stays far left of the lamp
        const auto image = kittest::render(meter);
        if (c.sourceY < 0)
        {
            EXPECT_TRUE(kittest::transparentEverywhere(image, { 210, 14, 20, 20 })) << c.state;
            continue;
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(image.getPixelAt(210 + x, 14 + y).getARGB(), strip.getPixelAt(x, c.sourceY + y).getARGB())
                    << "state " << c.state << " at " << x << "," << y;
    }
}
} // namespace
