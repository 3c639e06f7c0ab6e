// The VU meter's face strip and over LED agree with the needle meter drawn over
// them: marks at the angles the needle takes for their levels, one full face per
// backlight row, and the three LED frames in the order the meter picks them.
#include "ArtTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using namespace arttest;

constexpr int rowHeight = 122;
constexpr int rows = 5;

juce::Image faceRow (int step)
{
    const auto strip = decode (vyrkelso_art::vu_face_strip_png, vyrkelso_art::vu_face_strip_pngSize);
    return strip.getClippedImage ({ 0, step * rowHeight, 250, rowHeight }).createCopy();
}

// Darkest pixel in a small square around a point: the marks are dark ink (or red
// in the red zone) on the lit card.
float darkestNear (const juce::Image& image, juce::Point<float> at, int reach = 1)
{
    float best = 1.0f;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            best = std::min (best, luminanceAt (image, at.x + (float) dx, at.y + (float) dy));
    return best;
}

struct ScaleMark
{
    double value;   // the needle's value, 1.0 at 0 VU
    double nextValue; // the next mark up the scale: half-way between the two there is no mark
    const char* name;
};

void PrintTo (const ScaleMark& m, std::ostream* os) { *os << m.name; }

double fromVu (double vu) { return std::pow (10.0, vu / 20.0); }

// The long marks of the VU scale: -20, -10, -7, -5, -3, -2, -1, 0, +1, +2, +3.
const ScaleMark vuMarks[] = {
    { fromVu (-20), fromVu (-15), "minus20" }, { fromVu (-10), fromVu (-9), "minus10" },
    { fromVu (-7), fromVu (-6), "minus7" },     { fromVu (-5), fromVu (-4), "minus5" },
    { fromVu (-3), fromVu (-2.5), "minus3" },   { fromVu (-2), fromVu (-1.5), "minus2" },
    { fromVu (-1), fromVu (-0.5), "minus1" },   { fromVu (0), fromVu (0.5), "zero" },
    { fromVu (1), fromVu (1.5), "plus1" },      { fromVu (2), fromVu (2.5), "plus2" },
    { fromVu (3), fromVu (3.4), "plus3" },
};

class VuScaleMark : public ::testing::TestWithParam<ScaleMark> {};

// On every backlight row, on a radius that only the long marks reach (the short
// marks and the red zone's band end inside it, the needle's tip reaches 134), the
// angle of each marked level is dark and half-way to the next mark is not.
TEST_P (VuScaleMark, LiesAtTheNeedleAngleOfItsLevel)
{
    const auto& m = GetParam();
    for (int step = 0; step < rows; ++step)
    {
        const auto face = faceRow (step);
        const double a = vuNeedleAngle (m.value);
        EXPECT_LT (darkestNear (face, alongNeedle (vuPivot(), 129.0, a)), 0.45f) << "row " << step;

        const double between = 0.5 * (a + vuNeedleAngle (m.nextValue));
        EXPECT_GT (darkestNear (face, alongNeedle (vuPivot(), 129.0, between), 0), 0.55f) << "row " << step;
    }
}

INSTANTIATE_TEST_SUITE_P (Artwork, VuScaleMark, ::testing::ValuesIn (vuMarks),
                          [] (const auto& info) { return std::string (info.param.name); });

// The percentage scale's long marks (0, 20 ... 100 % of the 0 VU level) point
// where the needle stands for those values.
TEST (VuFace, PercentMarksLieAtTheNeedleAngleOfTheirValue)
{
    const auto face = faceRow (2);
    for (int percent = 0; percent <= 100; percent += 20)
    {
        const double a = vuNeedleAngle (percent / 100.0);
        EXPECT_LT (darkestNear (face, alongNeedle (vuPivot(), 108.0, a)), 0.5f) << percent << " %";
        const double between = vuNeedleAngle ((percent + 5) / 100.0);
        EXPECT_GT (darkestNear (face, alongNeedle (vuPivot(), 108.0, between), 0), 0.55f) << percent + 5 << " %";
    }
}

// Above 0 VU the marks and the zone along the scale are red; below they are ink.
TEST (VuFace, RedZoneRunsFromZeroVuToPlusThree)
{
    const auto face = faceRow (4);
    const auto redness = [&] (double vu) {
        const auto at = alongNeedle (vuPivot(), 123.5, vuNeedleAngleForDecibels (vu));
        const auto c = face.getPixelAt ((int) at.x, (int) at.y);
        return (int) c.getRed() - (int) c.getGreen();
    };
    for (double vu : { 0.3, 1.0, 1.7, 2.5 })
        EXPECT_GT (redness (vu), 100) << vu << " VU";
    for (double vu : { -6.0, -2.5, -0.3 })
        EXPECT_LT (redness (vu), 60) << vu << " VU";
}

// Every row is a whole lit face: its light runs from deep amber at step 0 to pale
// cream at step 4 at about the same brightness, and the marks stay where they are.
TEST (VuFace, BacklightRowsShadeFromAmberToCreamAtOneBrightness)
{
    const juce::Rectangle<int> patch (60, 60, 20, 12); // bare card left of "VU"
    float brightness[rows];
    float warmth[rows];
    for (int step = 0; step < rows; ++step)
    {
        const auto face = faceRow (step);
        double lum = 0.0, blueShortfall = 0.0;
        for (int y = patch.getY(); y < patch.getBottom(); ++y)
            for (int x = patch.getX(); x < patch.getRight(); ++x)
            {
                const auto c = face.getPixelAt (x, y);
                lum += luminance (c);
                blueShortfall += c.getFloatRed() - c.getFloatBlue();
            }
        brightness[step] = (float) (lum / (patch.getWidth() * patch.getHeight()));
        warmth[step] = (float) (blueShortfall / (patch.getWidth() * patch.getHeight()));
    }
    for (int step = 1; step < rows; ++step)
    {
        EXPECT_NEAR (brightness[step], brightness[0], 0.06f) << "row " << step;
        EXPECT_LT (warmth[step], warmth[step - 1]) << "row " << step;
    }
    EXPECT_GT (warmth[0], 0.5f);   // deep amber: hardly any blue
    EXPECT_LT (warmth[4], 0.25f);  // pale cream: nearly white

    const auto zeroMark = alongNeedle (vuPivot(), 129.0, vuNeedleAngle (1.0));
    for (int step = 0; step < rows; ++step)
        EXPECT_LT (darkestNear (faceRow (step), zeroMark), 0.45f) << "row " << step;
}

// Below the meter's bottom edge (y 116) the needle is cut off: there the face is
// the window's dark lip, not the lit card.
TEST (VuFace, LowerLipIsDarkUnderTheMetersBottomEdge)
{
    const auto face = faceRow (3);
    for (int x : { 2, 60, 128, 160, 247 })
    {
        EXPECT_LT (luminanceAt (face, (float) x, 118.5f), 0.2f) << x;
        EXPECT_GT (luminanceAt (face, (float) x, 112.5f), 0.4f) << x;
    }
}

// The meter draws its LED at (181, 90, 20, 20); the face seats it in a dark ring
// that shows round the lamp's bezel, on the lit card.
TEST (VuFace, LedSeatLiesUnderTheMetersLed)
{
    const juce::Point<float> centre (191.0f, 100.0f);
    for (int step = 0; step < rows; ++step)
    {
        const auto face = faceRow (step);
        for (auto d : { juce::Point<float> (1, 0), juce::Point<float> (-1, 0), juce::Point<float> (0, 1), juce::Point<float> (0, -1) })
        {
            EXPECT_LT (luminanceAt (face, centre.x + d.x * 8.6f, centre.y + d.y * 8.6f), 0.2f) << "row " << step;
            EXPECT_GT (luminanceAt (face, centre.x + d.x * 13.0f + (d.y != 0 ? 4.0f : 0.0f), centre.y + d.y * 13.0f), 0.45f) << "row " << step;
        }
    }
}

// The LED frames: off, latched, lit from the top, a round lamp on a transparent
// ground, each brighter and red at its centre.
TEST (VuOverLed, FramesAreOffLatchedAndLitOnATransparentGround)
{
    const auto strip = decode (vyrkelso_art::vu_over_led_png, vyrkelso_art::vu_over_led_pngSize);
    float previous = -1.0f;
    for (int frame = 0; frame < 3; ++frame)
    {
        const int top = frame * 20;
        for (auto corner : { juce::Point<int> (0, 0), juce::Point<int> (19, 0), juce::Point<int> (0, 19), juce::Point<int> (19, 19) })
            EXPECT_EQ (strip.getPixelAt (corner.x, top + corner.y).getAlpha(), 0) << "frame " << frame;

        const auto centre = strip.getPixelAt (10, top + 10);
        EXPECT_GT ((int) centre.getRed(), (int) centre.getGreen() + 20) << "frame " << frame;
        const float lum = luminance (centre);
        EXPECT_GT (lum, previous + 0.05f) << "frame " << frame;
        previous = lum;
    }
}

} // namespace
