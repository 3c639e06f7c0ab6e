// The embedded images decode to the sizes, pixel formats and frame layouts that the
// looks, the needle meter, the latency entry and the panels cut them into.
#include <VyrKitArt.h>
#include <VyrKelsoArt.h>
#include <VyrTarvoArt.h>
#include <VyrTarvoMArt.h>

#include <gtest/gtest.h>
#include <juce_graphics/juce_graphics.h>

namespace
{

struct ImageCase
{
    const char* name;
    const char* data;
    int size;
    int width;
    int height;
    int frames;
    bool hasAlpha;
    bool opaque;
};

void PrintTo (const ImageCase& c, std::ostream* os) { *os << c.name; }

const ImageCase imageCases[] = {
    { "knob",         vyrkit_art::knob_png,         vyrkit_art::knob_pngSize,         43, 2091, 51, true,  false },
    { "help",         vyrkit_art::help_png,         vyrkit_art::help_pngSize,         11,   22,  2, true,  false },
    { "size_small",   vyrkit_art::size_small_png,   vyrkit_art::size_small_pngSize,   11,   22,  2, true,  false },
    { "size_large",   vyrkit_art::size_large_png,   vyrkit_art::size_large_pngSize,   11,   22,  2, true,  false },
    { "hold_switch",  vyrkit_art::hold_switch_png,  vyrkit_art::hold_switch_pngSize,  86,   72,  3, true,  true },
    { "mid_atten",    vyrkit_art::mid_atten_png,    vyrkit_art::mid_atten_pngSize,    70,  201,  3, false, true },
    { "trim_thumb",   vyrkit_art::trim_thumb_png,   vyrkit_art::trim_thumb_pngSize,   32,   38,  2, true,  false },
    { "lrms",         vyrkit_art::lrms_png,         vyrkit_art::lrms_pngSize,         87,   48,  2, true,  false },
    { "measure_mode", vyrkit_art::measure_mode_png, vyrkit_art::measure_mode_pngSize, 54,  194,  2, true,  false },
    { "active",       vyrkit_art::active_png,       vyrkit_art::active_pngSize,       43,   28,  2, true,  false },
    { "over_led",     vyrkit_art::over_led_png,     vyrkit_art::over_led_pngSize,     20,   60,  3, true,  false },
    { "latency",      vyrkit_art::latency_png,      vyrkit_art::latency_pngSize,      54,  120,  3, true,  false },
    { "marker",       vyrkit_art::marker_png,       vyrkit_art::marker_pngSize,       47,   33,  1, true,  false },
    { "face_lr",      vyrtarvo_art::face_lr_png,    vyrtarvo_art::face_lr_pngSize,    586, 205,  1, true,  true },
    { "face_ms",      vyrtarvo_art::face_ms_png,    vyrtarvo_art::face_ms_pngSize,    586, 205,  1, true,  true },
    { "back_panel",   vyrtarvo_art::back_panel_png, vyrtarvo_art::back_panel_pngSize, 586, 205,  1, true,  true },
    { "vu_front_panel", vyrkelso_art::vu_front_panel_png, vyrkelso_art::vu_front_panel_pngSize, 320, 205, 1, true, true },
    { "vu_face_strip",  vyrkelso_art::vu_face_strip_png,  vyrkelso_art::vu_face_strip_pngSize,  250, 610, 5, true, true },
    { "vu_back_panel",  vyrkelso_art::vu_back_panel_png,  vyrkelso_art::vu_back_panel_pngSize,  320, 205, 1, true, true },
    { "vu_over_led",    vyrkelso_art::vu_over_led_png,    vyrkelso_art::vu_over_led_pngSize,     20,  60, 3, true, false },
    { "single_face",       vyrtarvom_art::face_png,       vyrtarvom_art::face_pngSize,       320, 205, 1, true, true },
    { "single_back_panel", vyrtarvom_art::back_panel_png, vyrtarvom_art::back_panel_pngSize, 320, 205, 1, true, true },
};

juce::Image decode (const ImageCase& c)
{
    return juce::ImageFileFormat::loadFrom (c.data, (size_t) c.size);
}

// Counts the pixels in which two frames differ by more than a trace of noise.
int differingPixels (const juce::Image& image, int frameHeight, int a, int b)
{
    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
    int count = 0;
    for (int y = 0; y < frameHeight; ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto p = pixels.getPixelColour (x, a * frameHeight + y);
            const auto q = pixels.getPixelColour (x, b * frameHeight + y);
            const int d = std::abs (p.getRed() - q.getRed()) + std::abs (p.getGreen() - q.getGreen())
                        + std::abs (p.getBlue() - q.getBlue()) + std::abs (p.getAlpha() - q.getAlpha());
            if (d > 24)
                ++count;
        }
    return count;
}

class EmbeddedImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P (EmbeddedImage, DecodesToItsSizeAndFormat)
{
    const auto& c = GetParam();
    const auto image = decode (c);
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), c.width);
    EXPECT_EQ (image.getHeight(), c.height);
    EXPECT_EQ (image.getFormat(), c.hasAlpha ? juce::Image::ARGB : juce::Image::RGB);
    EXPECT_EQ (c.height % c.frames, 0);
}

TEST_P (EmbeddedImage, OpaqueImagesHaveNoTranslucentPixel)
{
    const auto& c = GetParam();
    if (! c.opaque)
        return; // drawn with transparency on purpose

    const auto image = decode (c);
    ASSERT_TRUE (image.isValid());
    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
    int translucent = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (pixels.getPixelColour (x, y).getAlpha() != 255)
                ++translucent;
    EXPECT_EQ (translucent, 0);
}

TEST_P (EmbeddedImage, EveryFrameDiffersFromEveryOther)
{
    const auto& c = GetParam();
    const auto image = decode (c);
    ASSERT_TRUE (image.isValid());
    const int frameHeight = c.height / c.frames;

    // Neighbouring knob frames are 5.4 degrees apart: a handful of pixels is
    // what a visible step of the pointer changes.
    for (int a = 0; a < c.frames; ++a)
        for (int b = a + 1; b < c.frames; ++b)
            EXPECT_GE (differingPixels (image, frameHeight, a, b), 4) << "frames " << a << " and " << b;
}

INSTANTIATE_TEST_SUITE_P (Artwork, EmbeddedImage, ::testing::ValuesIn (imageCases),
                          [] (const auto& info) { return std::string (info.param.name); });

} // namespace
