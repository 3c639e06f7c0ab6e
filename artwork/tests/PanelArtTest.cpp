// The faces and the back panel agree with what is drawn over them: needles, knobs,
// the trim thumb and the texts written at run time.
#include "ArtTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using namespace arttest;

juce::Image face (bool midSide)
{
    return midSide ? decode (vyrtarvo_art::face_ms_png, vyrtarvo_art::face_ms_pngSize)
                   : decode (vyrtarvo_art::face_lr_png, vyrtarvo_art::face_lr_pngSize);
}

class DialMarks : public ::testing::TestWithParam<int> {};

// A needle at a level points at that level's mark: on the radius where the scale's
// long marks stand, the angle of each marked level is bright on both dials, and
// half-way between two long marks there is no long mark.
TEST_P (DialMarks, LieAtTheNeedleAngleOfTheirLevel)
{
    const int dB = GetParam();
    const auto image = face (false);
    for (auto pivot : { leftPivot(), rightPivot() })
    {
        const auto mark = alongNeedle (pivot, 110.0, needleAngleForDecibels (dB));
        EXPECT_GT (brightestNear (image, mark), 0.3f) << dB << " dB, pivot x " << pivot.x;

        const auto between = alongNeedle (pivot, 110.0, needleAngleForDecibels (dB + 1.5));
        EXPECT_LT (brightestNear (image, between, 0), 0.25f) << dB + 1.5 << " dB, pivot x " << pivot.x;
    }
}

INSTANTIATE_TEST_SUITE_P (Artwork, DialMarks, ::testing::Values (-12, -8, -4, 0, 4, 8, 12));

TEST (FrontFaces, DifferOnlyInTheChannelCaptionsUnderTheDials)
{
    const auto lr = face (false);
    const auto ms = face (true);
    const juce::Rectangle<int> captions[] = { { 90, 131, 97, 11 }, { 356, 131, 97, 11 } };

    int differing = 0;
    for (int y = 0; y < lr.getHeight(); ++y)
        for (int x = 0; x < lr.getWidth(); ++x)
            if (lr.getPixelAt (x, y) != ms.getPixelAt (x, y))
            {
                ++differing;
                ASSERT_TRUE (captions[0].contains (x, y) || captions[1].contains (x, y)) << x << "," << y;
            }
    EXPECT_GT (differing, 40);
}

// The trim thumb's centre runs linearly from y 24 (+20 dB) to y 132 (-20 dB); the
// scale's ticks beside the slot stand at those heights.
TEST (FrontFaces, TrimScaleTicksMatchTheThumbTravel)
{
    const auto image = face (false);
    for (int dB = 20; dB >= -20; dB -= 10)
    {
        const float y = 24.0f + (float) (20 - dB) * 108.0f / 40.0f;
        EXPECT_GT (brightestNear (image, { 534.5f, y }, 0), 0.45f) << dB << " dB";
        EXPECT_LT (brightestNear (image, { 534.5f, y + 6.0f }, 0), 0.3f) << dB << " dB";
    }
}

struct TextBox
{
    const char* name;
    bool backPanel;
    juce::Rectangle<int> box;
};

class PlainTextBox : public ::testing::TestWithParam<TextBox> {};

// Boxes the plug-in writes light grey text into stay dark and free of legends.
TEST_P (PlainTextBox, IsDarkAndBare)
{
    const auto& c = GetParam();
    const auto image = c.backPanel ? decode (vyrtarvo_art::back_panel_png, vyrtarvo_art::back_panel_pngSize)
                                   : face (false);
    for (int y = c.box.getY(); y < c.box.getBottom(); ++y)
        for (int x = c.box.getX(); x < c.box.getRight(); ++x)
            ASSERT_LT (luminance (image.getPixelAt (x, y)), 0.36f) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P (Artwork, PlainTextBox, ::testing::Values (
    TextBox { "reference", true, { 14, 73, 62, 14 } },
    TextBox { "integration", true, { 132, 72, 52, 14 } },
    TextBox { "hold", true, { 75, 147, 52, 14 } },
    TextBox { "fallBack", true, { 187, 147, 52, 14 } },
    TextBox { "version", true, { 280, 84, 110, 14 } },
    TextBox { "trimValue", false, { 533, 140, 42, 15 } }),
    [] (const auto& info) { return std::string (info.param.name); });

// Each knob's scale has a tick where the knob points for a marked value: the
// knob frames are chosen from the value as the knob looks do.
TEST (BackPanel, KnobScaleTicksStandWhereTheKnobsPoint)
{
    const auto image = decode (vyrtarvo_art::back_panel_png, vyrtarvo_art::back_panel_pngSize);
    const auto pointerAt = [] (juce::Point<int> knobTopLeft, int frame) {
        const auto degrees = -135.0f + 270.0f * (float) frame / 50.0f;
        const auto r = juce::degreesToRadians (degrees);
        return juce::Point<float> ((float) knobTopLeft.x + 21.5f, (float) knobTopLeft.y + 20.5f)
             + juce::Point<float> (std::sin (r), -std::cos (r)) * 21.0f;
    };

    const struct { const char* knob; juce::Point<int> topLeft; std::vector<int> frames; } knobs[] = {
        { "reference",      { 24, 34 },   { 0, 12, 25, 37, 50 } },          // 0, 6, 12, 18, 24
        { "integration",    { 136, 33 },  { 0, 10, 20, 30, 40, 50 } },      // positions 0, 4 ... 20
        { "hold",           { 80, 109 },  { 0, 10, 20, 30, 40, 50 } },
        { "fall-back",      { 192, 109 }, { 0, 10, 20, 30, 40, 50 } },
        { "over reference", { 418, 33 },  { 6, 19, 32, 44 } },
        { "over count",     { 475, 109 }, { 2, 8, 12, 18, 23, 28, 33, 37, 42, 48 } },
    };
    for (const auto& k : knobs)
        for (int frame : k.frames)
            EXPECT_GT (brightestNear (image, pointerAt (k.topLeft, frame)), 0.4f) << k.knob << " frame " << frame;
}

} // namespace
