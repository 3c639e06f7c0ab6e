// The VU and single-channel meters' pages agree with what their panels draw over
// them: the meter window, the dial's marks, the trim scale, the boxes the plug-in
// writes light grey text into, and the paper tape below the small window's edge.
#include "ArtTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using namespace arttest;

enum class Page { vuFront, vuBack, singleFront, singleBack };

juce::Image page (Page p)
{
    switch (p)
    {
        case Page::vuFront:     return decode (vyrkelso_art::vu_front_panel_png, vyrkelso_art::vu_front_panel_pngSize);
        case Page::vuBack:      return decode (vyrkelso_art::vu_back_panel_png, vyrkelso_art::vu_back_panel_pngSize);
        case Page::singleFront: return decode (vyrtarvom_art::face_png, vyrtarvom_art::face_pngSize);
        case Page::singleBack:  return decode (vyrtarvom_art::back_panel_png, vyrtarvom_art::back_panel_pngSize);
    }
    return {};
}

// The VU page carries the face of backlight step 0 where the editor paints the
// face of the chosen step, so the page is whole before the first face is painted
// and painting step 0 changes nothing.
TEST (VuFrontPanel, CarriesTheFirstFaceRowInTheMeterWindow)
{
    const auto front = page (Page::vuFront);
    const auto strip = decode (vyrkelso_art::vu_face_strip_png, vyrkelso_art::vu_face_strip_pngSize);
    for (int y = 0; y < 122; ++y)
        for (int x = 0; x < 250; ++x)
            ASSERT_EQ (front.getPixelAt (12 + x, 16 + y), strip.getPixelAt (x, y)) << x << "," << y;
}

class SingleDialMark : public ::testing::TestWithParam<int> {};

// The single-channel dial is printed around the meter's pivot (126, 149.8) at
// (12, 16): each long mark lies at the needle angle of its level.
TEST_P (SingleDialMark, LiesAtTheNeedleAngleOfItsLevel)
{
    const int dB = GetParam();
    const auto image = page (Page::singleFront);
    EXPECT_GT (brightestNear (image, alongNeedle (leftPivot(), 110.0, needleAngleForDecibels (dB))), 0.3f);
    EXPECT_LT (brightestNear (image, alongNeedle (leftPivot(), 110.0, needleAngleForDecibels (dB + 1.5)), 0), 0.25f);
}

INSTANTIATE_TEST_SUITE_P (Artwork, SingleDialMark, ::testing::Values (-12, -8, -4, 0, 4, 8, 12));

// The trim thumb's centre runs linearly from y 24 (+20 dB) to y 132 (-20 dB) in
// the slider at (272, 15); the scale's long ticks left of it stand at those heights.
TEST (CompactFrontPages, TrimScaleTicksMatchTheThumbTravel)
{
    for (auto p : { Page::vuFront, Page::singleFront })
    {
        const auto image = page (p);
        for (int dB = 20; dB >= -20; dB -= 10)
        {
            const float y = 24.0f + (float) (20 - dB) * 108.0f / 40.0f;
            EXPECT_GT (brightestNear (image, { 268.5f, y }, 0), 0.45f) << dB << " dB";
            EXPECT_LT (brightestNear (image, { 268.5f, y + 6.0f }, 0), 0.3f) << dB << " dB";
        }
    }
}

// The paper tape lies under the track-name strip (17, 167, 240, 39), below the
// small window's edge, and the name plate in the area whose click opens the back
// page (x 5 to 123, y 142 to 166).
TEST (CompactFrontPages, TapeAndNamePlateLieWhereThePanelsExpectThem)
{
    for (auto p : { Page::vuFront, Page::singleFront })
    {
        const auto image = page (p);
        for (int x = 22; x < 252; x += 10)
            for (int y = 172; y < 200; y += 9)
                ASSERT_GT (luminanceAt (image, (float) x, (float) y), 0.7f) << x << "," << y;
        for (int x = 22; x < 252; x += 10)
            ASSERT_LT (luminanceAt (image, (float) x, 166.0f), 0.5f) << "tape above the small window's edge at x " << x;
        EXPECT_GT (luminanceAt (image, 15.0f, 147.0f), 0.5f);   // aluminium plate
        EXPECT_GT (luminanceAt (image, 110.0f, 163.0f), 0.5f);
    }
}

// The hold switch at (176, 142) has its legends right above its lever's ends:
// "OFF" over the left end (x 201), "HOLD" over the right end (x 237), on the
// single-channel page above the switch, on the VU page on the lower lip of the
// meter window, which every face row carries.
TEST (CompactFrontPages, HoldLegendsStandOverTheLeversEnds)
{
    const auto litPixels = [] (const juce::Image& image, int x0, int x1, int y0, int y1) {
        int lit = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                lit += luminance (image.getPixelAt (x, y)) > 0.5f ? 1 : 0;
        return lit;
    };
    const auto single = page (Page::singleFront);
    const auto strip = decode (vyrkelso_art::vu_face_strip_png, vyrkelso_art::vu_face_strip_pngSize);
    for (int lever : { 201, 237 })
    {
        EXPECT_GT (litPixels (single, lever - 10, lever + 10, 133, 142), 10) << lever;
        EXPECT_EQ (litPixels (single, lever - 10, lever + 10, 142, 143), 0) << lever;
        for (int step = 0; step < 5; ++step)
            EXPECT_GT (litPixels (strip, lever - 12 - 10, lever - 12 + 10, step * 122 + 116, step * 122 + 122), 10) << lever << " row " << step;
    }
}

struct TextBox
{
    const char* name;
    Page page;
    juce::Rectangle<int> box;
};

void PrintTo (const TextBox& t, std::ostream* os) { *os << t.name; }

class DarkTextBox : public ::testing::TestWithParam<TextBox> {};

// Where the plug-in writes its light grey texts the page stays dark and bare:
// the settings texts along y 145 to 160, the version text and the trim label.
// Neighbouring boxes touch, so their outermost columns are left out.
TEST_P (DarkTextBox, IsDarkAndBare)
{
    const auto& c = GetParam();
    const auto image = page (c.page);
    const auto box = c.box.reduced (1, 0);
    for (int y = box.getY(); y < box.getBottom(); ++y)
        for (int x = box.getX(); x < box.getRight(); ++x)
            ASSERT_LT (luminance (image.getPixelAt (x, y)), 0.36f) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P (Artwork, DarkTextBox, ::testing::Values (
    TextBox { "vuReference",           Page::vuBack, { 3, 145, 51, 15 } },
    TextBox { "vuIntegration",         Page::vuBack, { 59, 145, 59, 15 } },
    TextBox { "vuHoldTime",            Page::vuBack, { 124, 145, 30, 15 } },
    TextBox { "vuNeedleType",          Page::vuBack, { 154, 145, 48, 15 } },
    TextBox { "vuOverReference",       Page::vuBack, { 202, 145, 32, 15 } },
    TextBox { "vuOverCount",           Page::vuBack, { 241, 145, 29, 15 } },
    TextBox { "vuMeasurement",         Page::vuBack, { 275, 145, 40, 15 } },
    TextBox { "vuVersion",             Page::vuBack, { 212, 32, 30, 14 } },
    TextBox { "singleReference",       Page::singleBack, { 3, 145, 51, 15 } },
    TextBox { "singleIntegration",     Page::singleBack, { 56, 145, 59, 15 } },
    TextBox { "singleHold",            Page::singleBack, { 116, 145, 30, 15 } },
    TextBox { "singleFallBack",        Page::singleBack, { 148, 145, 48, 15 } },
    TextBox { "singleLedReference",    Page::singleBack, { 203, 145, 32, 15 } },
    TextBox { "singleOverCount",       Page::singleBack, { 241, 145, 29, 15 } },
    TextBox { "singleMeasurement",     Page::singleBack, { 275, 145, 40, 15 } },
    TextBox { "singleVersion",         Page::singleBack, { 212, 32, 30, 14 } },
    TextBox { "vuTrimLabel",           Page::vuFront, { 267, 140, 42, 15 } },
    TextBox { "singleTrimLabel",       Page::singleFront, { 267, 140, 42, 15 } }),
    [] (const auto& info) { return std::string (info.param.name); });

// Each settings text has its caption just above its box, inside both window
// heights: light legend pixels in the rows y 126 to 144 over the box.
TEST (CompactBackPages, EverySettingsBoxHasACaptionAboveIt)
{
    const struct { Page page; std::vector<juce::Rectangle<int>> boxes; } pages[] = {
        { Page::vuBack, { { 3, 145, 51, 15 }, { 59, 145, 59, 15 }, { 124, 145, 30, 15 }, { 154, 145, 48, 15 },
                          { 202, 145, 32, 15 }, { 241, 145, 29, 15 }, { 275, 145, 40, 15 } } },
        { Page::singleBack, { { 3, 145, 51, 15 }, { 56, 145, 59, 15 }, { 116, 145, 30, 15 }, { 148, 145, 48, 15 },
                              { 203, 145, 32, 15 }, { 241, 145, 29, 15 }, { 275, 145, 40, 15 } } },
    };
    for (const auto& p : pages)
    {
        const auto image = page (p.page);
        for (const auto& box : p.boxes)
        {
            int lit = 0;
            for (int y = 126; y < 145; ++y)
                for (int x = box.getX() + 1; x < box.getRight() - 1; ++x)
                    lit += luminance (image.getPixelAt (x, y)) > 0.55f ? 1 : 0;
            EXPECT_GT (lit, 8) << "box at x " << box.getX();
        }
    }
}

} // namespace
