// What each film strip shows in which frame: the frame order the looks, the needle
// meter and the latency entry rely on.
#include "ArtTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using arttest::decode;
using arttest::luminance;

juce::Image frameOf (const juce::Image& strip, int frameHeight, int k)
{
    return strip.getClippedImage ({ 0, k * frameHeight, strip.getWidth(), frameHeight });
}

// Horizontal centre of the bright (chromed) pixels of a frame: where a lever is.
float brightCentroidX (const juce::Image& frame, float threshold)
{
    double sum = 0.0, count = 0.0;
    for (int y = 0; y < frame.getHeight(); ++y)
        for (int x = 0; x < frame.getWidth(); ++x)
            if (luminance (frame.getPixelAt (x, y)) > threshold)
            {
                sum += x;
                count += 1.0;
            }
    return count > 0 ? (float) (sum / count) : -1.0f;
}

struct LeverCase
{
    const char* name;
    const char* data;
    int size;
    int frameHeight;
    int frame;
    float minX, maxX;   // where the lever's chrome must be centred
};

void PrintTo (const LeverCase& c, std::ostream* os) { *os << c.name << " frame " << c.frame; }

std::string leverCaseName (const ::testing::TestParamInfo<LeverCase>& info)
{
    return std::string (info.param.name) + "Frame" + std::to_string (info.param.frame);
}

class LeverPosition : public ::testing::TestWithParam<LeverCase> {};

TEST_P (LeverPosition, StandsWhereTheFrameSays)
{
    const auto& c = GetParam();
    const auto frame = frameOf (decode (c.data, c.size), c.frameHeight, c.frame);
    const float x = brightCentroidX (frame, 0.62f);
    EXPECT_GE (x, c.minX);
    EXPECT_LE (x, c.maxX);
}

// Hold switch: 0 lever left ("Off"), 1 right ("On"), 2 middle ("Infinity").
// LR/MS: 0 left (left/right), 1 right (mid/side).
INSTANTIATE_TEST_SUITE_P (Artwork, LeverPosition, ::testing::Values (
    LeverCase { "hold", vyrkit_art::hold_switch_png, vyrkit_art::hold_switch_pngSize, 24, 0, 20.0f, 38.0f },
    LeverCase { "hold", vyrkit_art::hold_switch_png, vyrkit_art::hold_switch_pngSize, 24, 1, 48.0f, 66.0f },
    LeverCase { "hold", vyrkit_art::hold_switch_png, vyrkit_art::hold_switch_pngSize, 24, 2, 40.0f, 46.0f },
    LeverCase { "lrms", vyrkit_art::lrms_png, vyrkit_art::lrms_pngSize, 24, 0, 20.0f, 38.0f },
    LeverCase { "lrms", vyrkit_art::lrms_png, vyrkit_art::lrms_pngSize, 24, 1, 49.0f, 67.0f }),
    leverCaseName);

// The knob's pointer is a dark line on the light cap: on a ring around the centre
// the darkest pixel lies in the pointer's direction.
float darkestDirection (const juce::Image& frame)
{
    const juce::Point<float> centre (21.5f, 20.5f);
    float darkest = 2.0f, angle = 0.0f;
    for (int step = 0; step < 360; ++step)
    {
        const float degrees = (float) step;
        const auto r = juce::degreesToRadians (degrees);
        const auto at = centre + juce::Point<float> (std::sin (r), -std::cos (r)) * 7.0f;
        const float l = arttest::luminanceAt (frame, at.x, at.y);
        if (l < darkest)
        {
            darkest = l;
            angle = degrees;
        }
    }
    return angle > 180.0f ? angle - 360.0f : angle;
}

TEST (KnobStrip, PointerSweepsFromSevenToFiveOClockThroughTwelve)
{
    const auto strip = decode (vyrkit_art::knob_png, vyrkit_art::knob_pngSize);
    const struct { int frame; float degrees; } cases[] = {
        { 0, -135.0f }, { 10, -81.0f }, { 25, 0.0f }, { 40, 81.0f }, { 50, 135.0f },
    };
    for (const auto& c : cases)
        EXPECT_NEAR (darkestDirection (frameOf (strip, 41, c.frame)), c.degrees, 8.0f) << "frame " << c.frame;
}

TEST (OverLedStrip, UnlitLatchedAndLitGrowBrighterAndRed)
{
    const auto strip = decode (vyrkit_art::over_led_png, vyrkit_art::over_led_pngSize);
    float previous = -1.0f;
    for (int k = 0; k < 3; ++k)
    {
        const auto lens = strip.getPixelAt (10, 20 * k + 11);
        EXPECT_GT (luminance (lens), previous) << "frame " << k;
        previous = luminance (lens);
        if (k > 0)
        {
            EXPECT_GT (lens.getRed(), 2 * lens.getGreen()) << "frame " << k;
        }
    }
    // The lit lamp is bright, the unlit one dark.
    EXPECT_GT (luminance (strip.getPixelAt (10, 51)), 0.45f);
    EXPECT_LT (luminance (strip.getPixelAt (10, 11)), 0.2f);
}

TEST (TrimThumbStrip, ActiveThumbIsLitAndTheInactiveOneIsNot)
{
    const auto strip = decode (vyrkit_art::trim_thumb_png, vyrkit_art::trim_thumb_pngSize);
    // The thumb's centre line, where the slider position lies.
    const auto active = strip.getPixelAt (16, 9);
    const auto inactive = strip.getPixelAt (16, 19 + 9);
    EXPECT_GT (luminance (active), luminance (inactive) + 0.15f);
    EXPECT_GT (active.getSaturation(), 0.5f);
}

TEST (LatencyLayers, CellsAreLightForBlackDigitsAndTheWindowAroundThemDark)
{
    const auto strip = decode (vyrkit_art::latency_png, vyrkit_art::latency_pngSize);
    for (int i = 0; i < 3; ++i)
    {
        const juce::Rectangle<int> cell (17 + 7 * i, 15, 6, 12);
        for (int y = cell.getY() + 1; y < cell.getBottom() - 1; ++y)
            for (int x = cell.getX() + 1; x < cell.getRight() - 1; ++x)
                ASSERT_GT (luminance (strip.getPixelAt (x, y)), 0.55f) << "cell " << i << " at " << x << "," << y;
    }
    // The bezel just outside the cells.
    EXPECT_LT (luminance (strip.getPixelAt (15, 20)), 0.2f);
    EXPECT_LT (luminance (strip.getPixelAt (40, 20)), 0.2f);
}

TEST (LatencyLayers, GlassIsTranslucentAndTheArrowsLieOnTheirHotSpots)
{
    const auto strip = decode (vyrkit_art::latency_png, vyrkit_art::latency_pngSize);

    // Layer 1 over the cells: some light, never opaque, so the digits show.
    int lit = 0;
    for (int y = 15; y < 27; ++y)
        for (int x = 17; x < 38; ++x)
        {
            const auto alpha = strip.getPixelAt (x, 40 + y).getAlpha();
            ASSERT_LT (alpha, 160) << x << "," << y;
            lit += alpha > 0 ? 1 : 0;
        }
    EXPECT_GT (lit, 100);

    // Layer 2: the up arrow in x 25..31, y 8..13 and the down arrow in y 30..35;
    // the cells stay clear.
    const auto coverage = [&] (juce::Rectangle<int> area) {
        int opaque = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                opaque += strip.getPixelAt (x, 80 + y).getAlpha() > 128 ? 1 : 0;
        return opaque;
    };
    EXPECT_GE (coverage ({ 25, 8, 7, 6 }), 12);
    EXPECT_GE (coverage ({ 25, 30, 7, 6 }), 12);
    EXPECT_EQ (coverage ({ 17, 15, 21, 12 }), 0);
}

// The latency entry stands at y 167 in windows 205 rows high: its top 38 rows
// show, and the last of them is the window's own dark bottom edge.
TEST (LatencyLayers, FrameArrowsAndCaptionLieInTheRowsTheLargeWindowShows)
{
    const auto strip = decode (vyrkit_art::latency_png, vyrkit_art::latency_pngSize);
    constexpr int layerHeight = 40, shownRows = 205 - 167;
    const auto inkInRow = [&] (int layer, int y, int minimumAlpha) {
        int count = 0;
        for (int x = 0; x < strip.getWidth(); ++x)
            count += strip.getPixelAt (x, layer * layerHeight + y).getAlpha() >= minimumAlpha ? 1 : 0;
        return count;
    };

    // Nothing of any layer on the window's edge row or below it, so the frame's
    // bottom border is whole and the window's edge shows under the entry.
    for (int layer = 0; layer < 3; ++layer)
        for (int y = shownRows - 1; y < layerHeight; ++y)
            ASSERT_EQ (inkInRow (layer, y, 1), 0) << "layer " << layer << " row " << y;

    // The frame: its top and bottom borders run across the entry.
    int frameTop = -1, frameBottom = -1;
    for (int y = 0; y < layerHeight; ++y)
        if (inkInRow (0, y, 255) > 0)
        {
            frameTop = frameTop < 0 ? y : frameTop;
            frameBottom = y;
        }
    ASSERT_GE (frameTop, 0);
    EXPECT_GE (inkInRow (0, frameTop, 255), 45);
    EXPECT_GE (inkInRow (0, frameBottom, 128), 45);

    // The caption stands above the frame with two clear rows between them (a
    // glyph's faint overshoot aside); the arrows, the digits and the unit are
    // inside the frame.
    int captionRows = 0;
    for (int y = 0; y < frameTop - 2; ++y)
        captionRows += inkInRow (2, y, 128) > 0 ? 1 : 0;
    EXPECT_GE (captionRows, 7);
    for (int layer = 0; layer < 3; ++layer)
        for (int y = frameTop - 2; y < frameTop; ++y)
            EXPECT_EQ (inkInRow (layer, y, 64), 0) << "layer " << layer << " row " << y;
}

// Off, the Active button is an unlit cap: dark, with grey lettering and no lamp
// colour anywhere. On, the whole cap glows in the lamp colour.
TEST (ActiveStrip, OffIsAnUnlitCapAndOnALitLamp)
{
    const auto strip = decode (vyrkit_art::active_png, vyrkit_art::active_pngSize);
    const auto off = frameOf (strip, 14, 0);
    const auto on = frameOf (strip, 14, 1);

    // The cap's ground, on the rows between the lettering and the cap's lower edge.
    const auto groundLuminance = [] (const juce::Image& frame) {
        double sum = 0.0;
        for (int y = 10; y < 12; ++y)
            for (int x = 4; x < 39; ++x)
                sum += luminance (frame.getPixelAt (x, y));
        return (float) (sum / (2 * 35));
    };
    EXPECT_LT (groundLuminance (off), 0.15f);
    EXPECT_GT (groundLuminance (on), 0.5f);
    EXPECT_GT (groundLuminance (on), groundLuminance (off) + 0.4f);

    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 43; ++x)
        {
            const auto c = off.getPixelAt (x, y);
            ASSERT_FALSE (c.getSaturation() > 0.3f && luminance (c) > 0.2f) << "lamp colour at " << x << "," << y;
        }

    // The lit cap under the letters is warm: lamp colour, not white.
    const auto ground = on.getPixelAt (21, 11);
    EXPECT_GT (ground.getFloatRed(), ground.getFloatBlue() + 0.3f);
}

TEST (MarkerImage, NibTouchesDownNearTheLeftEdge)
{
    const auto marker = decode (vyrkit_art::marker_png, vyrkit_art::marker_pngSize);
    // The strip puts the image's left edge 2 pixels left of the insertion point.
    EXPECT_GT (marker.getPixelAt (2, 30).getAlpha(), 128);
    EXPECT_EQ (marker.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (marker.getPixelAt (2, 2).getAlpha(), 0);
    EXPECT_GT (marker.getPixelAt (40, 6).getAlpha(), 200); // the pen leans up to the right
}

} // namespace

namespace
{

struct LitFrameCase
{
    const char* name;
    const char* data;
    int size;
    int frameHeight;
};

float meanOf (const juce::Image& frame, float (*measure) (juce::Colour))
{
    double sum = 0.0;
    int count = 0;
    for (int y = 0; y < frame.getHeight(); ++y)
        for (int x = 0; x < frame.getWidth(); ++x)
        {
            const auto c = frame.getPixelAt (x, y);
            if (c.getAlpha() > 0)
            {
                sum += measure (c) * c.getFloatAlpha();
                ++count;
            }
        }
    return count > 0 ? (float) (sum / count) : 0.0f;
}

class LitFrame : public ::testing::TestWithParam<LitFrameCase> {};

// Frame 1 of the two-state buttons is the on or highlighted state: the lamp or the
// symbol lights up amber.
TEST_P (LitFrame, SecondFrameGlowsWarmer)
{
    const auto& c = GetParam();
    const auto strip = decode (c.data, c.size);
    const auto off = frameOf (strip, c.frameHeight, 0);
    const auto on = frameOf (strip, c.frameHeight, 1);
    const auto warmth = [] (juce::Colour colour) { return colour.getFloatRed() - colour.getFloatBlue(); };
    EXPECT_GT (meanOf (on, warmth), meanOf (off, warmth) + 0.02f);
    EXPECT_GE (meanOf (on, luminance), meanOf (off, luminance));
}

INSTANTIATE_TEST_SUITE_P (Artwork, LitFrame, ::testing::Values (
    LitFrameCase { "measureMode", vyrkit_art::measure_mode_png, vyrkit_art::measure_mode_pngSize, 97 },
    LitFrameCase { "active", vyrkit_art::active_png, vyrkit_art::active_pngSize, 14 },
    LitFrameCase { "help", vyrkit_art::help_png, vyrkit_art::help_pngSize, 11 },
    LitFrameCase { "sizeSmall", vyrkit_art::size_small_png, vyrkit_art::size_small_pngSize, 11 },
    LitFrameCase { "sizeLarge", vyrkit_art::size_large_png, vyrkit_art::size_large_pngSize, 11 }),
    [] (const auto& info) { return std::string (info.param.name); });

// The size button shows "+" while the window is small and "-" while it is large:
// both share the horizontal bar, only the small-window symbol has the vertical one.
TEST (SizeStrips, SmallWindowShowsPlusAndLargeWindowMinus)
{
    const auto small = decode (vyrkit_art::size_small_png, vyrkit_art::size_small_pngSize);
    const auto large = decode (vyrkit_art::size_large_png, vyrkit_art::size_large_pngSize);
    for (int frame = 0; frame < 2; ++frame)
    {
        const int y0 = 11 * frame;
        EXPECT_GT (luminance (small.getPixelAt (5, y0 + 3)), luminance (large.getPixelAt (5, y0 + 3)) + 0.3f) << frame;
        EXPECT_GT (luminance (large.getPixelAt (3, y0 + 5)), 0.45f) << frame;
        EXPECT_GT (luminance (small.getPixelAt (3, y0 + 5)), 0.45f) << frame;
    }
}

} // namespace
