// The VU needle meter: stored values and their limits, the needle's angles on the
// VU scale, the bands repainted per tick, what is painted (needle, hold tick,
// LED frame) and the click requests.
#include "VuNeedleMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vyrkelsom
{
// Everything here is this file's own.
namespace
{
constexpr double degrees = 180.0 / 3.14159265358979323846;

// The meter as the front panel builds it.
std::unique_ptr<COldVuMeter2> panelMeter()
{
    auto meter = std::make_unique<COldVuMeter2>(128.0f, 155.0f, 3.0f, 134.0f, 121.0f, 134.0f);
    meter->setBounds(12, 16, 250, 116);
    return meter;
}

// The two end points of a needle path built as a start and one line.
std::pair<juce::Point<float>, juce::Point<float>> segmentOf(const juce::Path& path)
{
    juce::Path::Iterator it(path);
    juce::Point<float> points[2];
    int n = 0;
    while (it.next() && n < 2)
        if (it.elementType == juce::Path::Iterator::startNewSubPath || it.elementType == juce::Path::Iterator::lineTo)
            points[n++] = { it.x1, it.y1 };
    return { points[0], points[1] };
}

double drawnAngleDegrees(const juce::Path& path)
{
    const auto [inner, outer] = segmentOf(path);
    return std::atan2(static_cast<double>(inner.y - outer.y), static_cast<double>(outer.x - inner.x)) * degrees;
}

// The meter painted over a plain white ground.
juce::Image paintOverWhite(COldVuMeter2& meter)
{
    juce::Image image(juce::Image::ARGB, meter.getWidth(), meter.getHeight(), true);
    juce::Graphics g(image);
    g.fillAll(juce::Colours::white);
    meter.paint(g);
    return image;
}

bool isDark(juce::Colour c) { return c.getBrightness() < 0.3f; }
bool isRed(juce::Colour c) { return c.getRed() > 150 && c.getGreen() < 80 && c.getBlue() < 80; }

TEST(VuNeedleMeter, StartsAtRestWithTheLedResetRaised)
{
    auto meter = panelMeter();
    EXPECT_FLOAT_EQ(meter->getLevel(), 0.05f);
    EXPECT_FLOAT_EQ(meter->getHoldLevel(), 0.05f);
    EXPECT_FLOAT_EQ(meter->getPaintedLevel(), 0.05f);
    EXPECT_FLOAT_EQ(meter->getPaintedHoldLevel(), 0.05f);
    EXPECT_EQ(meter->ledState, -1.0f);
    EXPECT_FALSE(meter->showHold);
    EXPECT_TRUE(meter->ledResetRequest);
    EXPECT_FALSE(meter->holdResetRequest);
    EXPECT_FALSE(meter->isOpaque());
}

struct StoredCase
{
    float given;
    float stored;
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.given << " -> " << c.stored; }

class VuNeedleStoredValue : public ::testing::TestWithParam<StoredCase>
{
};

TEST_P(VuNeedleStoredValue, LevelAndHoldAreClampedToTheStoredRange)
{
    auto meter = panelMeter();
    meter->setValues(GetParam().given, GetParam().given, 0.0f, 0.0f);
    EXPECT_EQ(meter->getLevel(), GetParam().stored);
    EXPECT_EQ(meter->getHoldLevel(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Values, VuNeedleStoredValue,
                         ::testing::Values(StoredCase { 0.0f, 0.0f }, StoredCase { 0.7f, 0.7f },
                                           StoredCase { 3.0f, 3.0f }, StoredCase { 5.0f, 3.0f },
                                           StoredCase { -1.0f, -0.05f }, StoredCase { -0.05f, -0.05f },
                                           StoredCase { std::numeric_limits<float>::quiet_NaN(), -0.05f },
                                           StoredCase { std::numeric_limits<float>::infinity(), 3.0f },
                                           StoredCase { -std::numeric_limits<float>::infinity(), -0.05f }));

TEST(VuNeedleMeter, HoldModeShowsTheTickAndTheLedStateIsKept)
{
    auto meter = panelMeter();
    const struct { float mode; bool shown; } modes[] = { { 0.0f, false }, { 1.0f, true }, { 2.0f, true }, { 0.9f, false } };
    for (const auto& m : modes)
    {
        meter->setValues(0.5f, 0.5f, m.mode, 0.5f);
        EXPECT_EQ(meter->showHold, m.shown) << m.mode;
        EXPECT_EQ(meter->ledState, 0.5f);
    }
}

struct AngleCase
{
    float value;
    double degrees;
};

void PrintTo(const AngleCase& c, std::ostream* os) { *os << c.value << " at " << c.degrees << " degrees"; }

class VuNeedleAngle : public ::testing::TestWithParam<AngleCase>
{
};

TEST_P(VuNeedleAngle, FollowsTheVuScale)
{
    EXPECT_NEAR(COldVuMeter2::needleAngle(GetParam().value) * degrees, GetParam().degrees, 0.01);
}

// The needle as drawn: paint clamps to the stops at -0.05 and 1.5.
TEST_P(VuNeedleAngle, IsDrawnAtThatAngle)
{
    auto meter = panelMeter();
    meter->setValues(GetParam().value, GetParam().value, 1.0f, -1.0f);
    paintOverWhite(*meter);
    EXPECT_NEAR(drawnAngleDegrees(meter->getNeedlePath()), GetParam().degrees, 0.02);
    EXPECT_NEAR(drawnAngleDegrees(meter->getHoldPath()), GetParam().degrees, 0.02);
}

INSTANTIATE_TEST_SUITE_P(Scale, VuNeedleAngle,
                         ::testing::Values(AngleCase { -0.05f, 139.66 }, AngleCase { 0.0f, 136.50 },
                                           AngleCase { 0.1f, 132.79 }, AngleCase { 0.5f, 110.93 },
                                           AngleCase { 0.7079f, 97.69 }, AngleCase { 0.8229f, 90.00 },
                                           AngleCase { 1.0f, 77.75 }, AngleCase { 1.4125f, 47.58 },
                                           AngleCase { 1.44f, 45.50 }, AngleCase { 1.5f, 40.93 }));

TEST(VuNeedleMeter, PaintHoldsTheNeedleAtItsStops)
{
    const struct { float value; double degrees; float drawn; } cases[] = {
        { 3.0f, 40.93, 1.5f },
        { -1.0f, 139.66, -0.05f },
        { std::numeric_limits<float>::quiet_NaN(), 139.66, -0.05f },
    };
    for (const auto& c : cases)
    {
        auto meter = panelMeter();
        meter->setValues(c.value, c.value, 2.0f, -1.0f);
        paintOverWhite(*meter);
        EXPECT_NEAR(drawnAngleDegrees(meter->getNeedlePath()), c.degrees, 0.02) << c.value;
        // The clamp is made in place.
        EXPECT_EQ(meter->getLevel(), c.drawn);
        EXPECT_EQ(meter->getHoldLevel(), c.drawn);
    }
}

TEST(VuNeedleMeter, SegmentsRunBetweenTheirRadiiFromTheOffsetPivot)
{
    auto meter = panelMeter();
    meter->setValues(0.8229f, 0.8229f, 1.0f, -1.0f); // vertical
    paintOverWhite(*meter);
    const auto [inner, outer] = segmentOf(meter->getNeedlePath());
    EXPECT_NEAR(inner.x, 128.5f, 0.01f);
    EXPECT_NEAR(inner.y, 155.5f - 3.0f, 0.01f);
    EXPECT_NEAR(outer.y, 155.5f - 134.0f, 0.01f);
    const auto [holdInner, holdOuter] = segmentOf(meter->getHoldPath());
    EXPECT_NEAR(holdInner.y, 155.5f - 121.0f, 0.01f);
    EXPECT_NEAR(holdOuter.y, 155.5f - 134.0f, 0.01f);
}

struct BandCase
{
    float from;
    float to;
    juce::Rectangle<int> band;
};

void PrintTo(const BandCase& c, std::ostream* os)
{
    *os << c.from << " to " << c.to << ": " << c.band.toString().toStdString();
}

class VuNeedleBand : public ::testing::TestWithParam<BandCase>
{
};

TEST_P(VuNeedleBand, CoversTheOldAndTheNewNeedle)
{
    const auto& c = GetParam();
    EXPECT_EQ(COldVuMeter2::needleBand(c.to, c.from), c.band);

    auto meter = panelMeter();
    meter->setValues(c.from, c.from, 1.0f, -1.0f);
    meter->repaintNeedleAreas();
    meter->setValues(c.to, c.to, 1.0f, -1.0f);
    meter->repaintNeedleAreas();
    ASSERT_EQ(meter->getLastRepaintCount(), 3);
    EXPECT_EQ(meter->getLastRepaintArea(0), c.band);
    EXPECT_EQ(meter->getLastRepaintArea(1), c.band);
    EXPECT_EQ(meter->getLastRepaintArea(2), juce::Rectangle<int>(181, 90, 20, 20));
}

INSTANTIATE_TEST_SUITE_P(Moves, VuNeedleBand,
                         ::testing::Values(BandCase { 0.3f, 1.2f, { 20, 20, 220, 96 } },
                                           BandCase { 0.8f, 1.2f, { 20, 20, 220, 96 } },
                                           BandCase { 0.8f, 1.0f, { 70, 20, 110, 96 } },
                                           BandCase { 1.2f, 1.3f, { 130, 20, 103, 96 } },
                                           BandCase { 0.1f, 0.49f, { 18, 20, 122, 96 } },
                                           BandCase { 0.49f, 0.5f, { 20, 20, 220, 96 } },
                                           BandCase { 1.0999f, 1.1f, { 20, 20, 220, 96 } },
                                           BandCase { -0.05f, 3.0f, { 20, 20, 220, 96 } }));

TEST(VuNeedleMeter, AHiddenHoldTickIsNotRepaintedButItsValueIsRecorded)
{
    auto meter = panelMeter();
    meter->setValues(0.2f, 1.3f, 0.0f, -1.0f);
    meter->repaintNeedleAreas();
    ASSERT_EQ(meter->getLastRepaintCount(), 2);
    EXPECT_EQ(meter->getLastRepaintArea(0), juce::Rectangle<int>(18, 20, 122, 96));
    EXPECT_EQ(meter->getLastRepaintArea(1), juce::Rectangle<int>(181, 90, 20, 20));
    EXPECT_FLOAT_EQ(meter->getPaintedLevel(), 0.2f);
    EXPECT_FLOAT_EQ(meter->getPaintedHoldLevel(), 1.3f);

    // Shown again, the tick's band starts from the recorded value.
    meter->setValues(0.2f, 1.2f, 2.0f, -1.0f);
    meter->repaintNeedleAreas();
    ASSERT_EQ(meter->getLastRepaintCount(), 3);
    EXPECT_EQ(meter->getLastRepaintArea(1), juce::Rectangle<int>(130, 20, 103, 96));
}

// When the hold goes Off, the band of the tick last drawn is repainted once, so
// that the tick is erased; after that the band is left alone.
TEST(VuNeedleMeter, AHoldTickThatGoesOffIsErasedOnce)
{
    auto meter = panelMeter();
    meter->setValues(0.2f, 1.25f, 1.0f, -1.0f);
    meter->repaintNeedleAreas();
    ASSERT_EQ(meter->getLastRepaintCount(), 3);

    meter->setValues(0.2f, 1.2f, 0.0f, -1.0f);
    meter->repaintNeedleAreas();
    ASSERT_EQ(meter->getLastRepaintCount(), 3);
    EXPECT_EQ(meter->getLastRepaintArea(1), juce::Rectangle<int>(130, 20, 103, 96));

    meter->setValues(0.2f, 0.3f, 0.0f, -1.0f);
    meter->repaintNeedleAreas();
    ASSERT_EQ(meter->getLastRepaintCount(), 2);
    EXPECT_EQ(meter->getLastRepaintArea(1), juce::Rectangle<int>(181, 90, 20, 20));
}

TEST(VuNeedleMeter, PaintsABlackNeedleAndARedHoldTickOnlyWhenShown)
{
    auto meter = panelMeter();
    // Needle vertical at x 128.5; the hold tick at the right side of the scale.
    meter->setValues(0.8229f, 1.2f, 1.0f, 5.0f);
    auto image = paintOverWhite(*meter);
    EXPECT_TRUE(isDark(image.getPixelAt(128, 60)));
    EXPECT_TRUE(isDark(image.getPixelAt(128, 140 - 16 - 10)));
    EXPECT_FALSE(isDark(image.getPixelAt(110, 60)));

    const double a = COldVuMeter2::needleAngle(1.2f);
    const auto tick = meter->needlePoint(a, 127.5f);
    EXPECT_TRUE(isRed(image.getPixelAt(juce::roundToInt(tick.x), juce::roundToInt(tick.y))));

    meter->setValues(0.8229f, 1.2f, 0.0f, 5.0f);
    image = paintOverWhite(*meter);
    EXPECT_FALSE(isRed(image.getPixelAt(juce::roundToInt(tick.x), juce::roundToInt(tick.y))));
}

// Off, latched and lit draw their own frame; any other state draws none.
TEST(VuNeedleMeter, DrawsTheLedFrameOfExactStatesOnly)
{
    auto meter = panelMeter();
    meter->setValues(0.0f, 0.0f, 0.0f, 0.5f);
    const auto none = paintOverWhite(*meter);
    const auto centre = juce::Point<int>(191, 100);
    EXPECT_EQ(none.getPixelAt(centre.x, centre.y), juce::Colours::white);

    juce::Colour frames[3];
    const float states[] = { -1.0f, 0.0f, 1.0f };
    for (int i = 0; i < 3; ++i)
    {
        meter->setValues(0.0f, 0.0f, 0.0f, states[i]);
        frames[i] = paintOverWhite(*meter).getPixelAt(centre.x, centre.y);
        EXPECT_NE(frames[i], juce::Colours::white) << states[i];
    }
    // Lit brighter than latched, latched brighter than off.
    EXPECT_GT(frames[2].getBrightness(), frames[1].getBrightness());
    EXPECT_GT(frames[1].getBrightness(), frames[0].getBrightness());
}

TEST(VuNeedleMeter, AClickRaisesBothRequests)
{
    auto meter = panelMeter();
    meter->ledResetRequest = false;
    const auto now = juce::Time::getCurrentTime();
    const juce::MouseEvent click(juce::Desktop::getInstance().getMainMouseSource(), { 5.0f, 5.0f },
                                 juce::ModifierKeys(juce::ModifierKeys::rightButtonModifier),
                                 juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                 juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                                 juce::MouseInputSource::defaultTiltY, meter.get(), meter.get(), now, { 5.0f, 5.0f },
                                 now, 1, false);
    meter->mouseDown(click);
    EXPECT_TRUE(meter->holdResetRequest);
    EXPECT_TRUE(meter->ledResetRequest);
}
} // namespace
} // namespace vyrkelsom
