// Every legend of the artwork reads at 1:1: captions have capitals at least 7
// pixels high and scale numbers figures at least 6, every legend's ink stands
// out from its ground by better than 4.5:1, and neighbouring legends keep clear
// of each other and of the other marks around them.
#include "ArtTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <vector>

namespace
{

using namespace arttest;

// WCAG's relative luminance of an opaque pixel, and the contrast ratio of two.
double relativeLuminance (juce::Colour c)
{
    const auto linear = [] (float v) { return v <= 0.04045f ? v / 12.92 : std::pow ((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear (c.getFloatRed()) + 0.7152 * linear (c.getFloatGreen()) + 0.0722 * linear (c.getFloatBlue());
}

double contrastRatio (juce::Colour a, juce::Colour b)
{
    const auto la = relativeLuminance (a), lb = relativeLuminance (b);
    return (std::max (la, lb) + 0.05) / (std::min (la, lb) + 0.05);
}

// A pixel is ink when its brightness differs from the ground's by more than
// the grain of brushed metal or paper does.
constexpr float inkThreshold = 0.12f;

struct Ink
{
    juce::Rectangle<int> bounds;  // of the ink pixels inside the box
    int inkAround = 0;            // ink pixels in the ring round the box
    int rows = 0;                 // rows in which some pixel has at least half the ink's full strength
    double contrast = 1.0;        // of the strongest ink pixel against the ground
    float groundLevel = 0.0f;     // brightness of the ground
};

// The ink of one legend whose box is `box`. The ground is the median of the
// ring one pixel wide round the box, within the image and inside the lines
// along the page's edges; the ring itself should be bare.
Ink inkOf (const juce::Image& image, juce::Rectangle<int> box)
{
    const auto outer = box.expanded (1).getIntersection (image.getBounds().reduced (1));
    std::vector<juce::Colour> around;
    for (int y = outer.getY(); y < outer.getBottom(); ++y)
        for (int x = outer.getX(); x < outer.getRight(); ++x)
            if (! box.contains (x, y))
                around.push_back (image.getPixelAt (x, y));
    std::sort (around.begin(), around.end(), [] (juce::Colour a, juce::Colour b) { return luminance (a) < luminance (b); });
    const auto ground = around[around.size() / 2];
    const float groundLevel = luminance (ground);
    const auto strength = [&] (int x, int y) { return std::abs (luminance (image.getPixelAt (x, y)) - groundLevel); };

    Ink ink;
    ink.groundLevel = groundLevel;
    float strongest = 0.0f;
    juce::Colour strongestPixel = ground;
    for (int y = outer.getY(); y < outer.getBottom(); ++y)
        for (int x = outer.getX(); x < outer.getRight(); ++x)
        {
            const float d = strength (x, y);
            if (d <= inkThreshold)
                continue;
            if (! box.contains (x, y))
            {
                ++ink.inkAround;
                continue;
            }
            const juce::Rectangle<int> pixel (x, y, 1, 1);
            ink.bounds = ink.bounds.isEmpty() ? pixel : ink.bounds.getUnion (pixel);
            if (d > strongest)
            {
                strongest = d;
                strongestPixel = image.getPixelAt (x, y);
            }
        }
    ink.contrast = contrastRatio (strongestPixel, ground);

    for (int y = box.getY(); y < box.getBottom(); ++y)
    {
        bool strong = false;
        for (int x = box.getX(); x < box.getRight() && ! strong; ++x)
            strong = strength (x, y) >= 0.5f * strongest;
        ink.rows += strong ? 1 : 0;
    }
    return ink;
}

// The images that carry legends: the pages of the three meters, the front pages
// as the large window shows them with the latency entry drawn over them, and the
// kit's strips with words or numbers on them.
enum class Art { faceLr, faceMs, stereoBack, vuFront, vuBack, singleFront, singleBack,
                 stereoLarge, vuLarge, singleLarge, midAtten, measureMode, active, latency };

const char* artName (Art a)
{
    switch (a)
    {
        case Art::faceLr:      return "stereoFaceLR";
        case Art::faceMs:      return "stereoFaceMS";
        case Art::stereoBack:  return "stereoBack";
        case Art::vuFront:     return "vuFront";
        case Art::vuBack:      return "vuBack";
        case Art::singleFront: return "singleFront";
        case Art::singleBack:  return "singleBack";
        case Art::stereoLarge: return "stereoLargeWindow";
        case Art::vuLarge:     return "vuLargeWindow";
        case Art::singleLarge: return "singleLargeWindow";
        case Art::midAtten:    return "midAttenuation";
        case Art::measureMode: return "measureMode";
        case Art::active:      return "active";
        case Art::latency:     return "latency";
    }
    return "";
}

// A front page with the latency entry's three layers drawn at (x, 167), as the
// entry paints them (its digits aside); the page's 205 rows cut the entry off.
juce::Image withLatencyEntry (const juce::Image& page, int x)
{
    auto window = page.createCopy();
    const auto layers = decode (vyrkit_art::latency_png, vyrkit_art::latency_pngSize);
    juce::Graphics g (window);
    for (int layer = 0; layer < 3; ++layer)
        g.drawImage (layers, x, 167, 54, 40, 0, 40 * layer, 54, 40);
    return window;
}

juce::Image artImage (Art a)
{
    switch (a)
    {
        case Art::faceLr:      return decode (vyrtarvo_art::face_lr_png, vyrtarvo_art::face_lr_pngSize);
        case Art::faceMs:      return decode (vyrtarvo_art::face_ms_png, vyrtarvo_art::face_ms_pngSize);
        case Art::stereoBack:  return decode (vyrtarvo_art::back_panel_png, vyrtarvo_art::back_panel_pngSize);
        case Art::vuFront:     return decode (vyrkelso_art::vu_front_panel_png, vyrkelso_art::vu_front_panel_pngSize);
        case Art::vuBack:      return decode (vyrkelso_art::vu_back_panel_png, vyrkelso_art::vu_back_panel_pngSize);
        case Art::singleFront: return decode (vyrtarvom_art::face_png, vyrtarvom_art::face_pngSize);
        case Art::singleBack:  return decode (vyrtarvom_art::back_panel_png, vyrtarvom_art::back_panel_pngSize);
        case Art::stereoLarge: return withLatencyEntry (artImage (Art::faceLr), 529);
        case Art::vuLarge:     return withLatencyEntry (artImage (Art::vuFront), 263);
        case Art::singleLarge: return withLatencyEntry (artImage (Art::singleFront), 263);
        case Art::midAtten:    return decode (vyrkit_art::mid_atten_png, vyrkit_art::mid_atten_pngSize);
        case Art::measureMode: return decode (vyrkit_art::measure_mode_png, vyrkit_art::measure_mode_pngSize);
        case Art::active:      return decode (vyrkit_art::active_png, vyrkit_art::active_pngSize);
        case Art::latency:     return decode (vyrkit_art::latency_png, vyrkit_art::latency_pngSize);
    }
    return {};
}

// What a legend is: a caption (words with capitals), a scale's number, a word
// in small letters, or a symbol. Each has the height its letters must reach.
enum class Kind { caption, numeral, lowercase, symbol };

int minimumRows (Kind k)
{
    switch (k)
    {
        case Kind::caption:   return 7;  // capitals
        case Kind::numeral:   return 6;  // figures
        case Kind::lowercase: return 5;  // x-height
        case Kind::symbol:    return 6;
    }
    return 0;
}

struct Legend
{
    const char* text;
    Art image;
    juce::Rectangle<int> box;  // where its ink lies, a pixel wider than the glyphs' outlines
    Kind kind;
    bool bare;                 // the pixel ring round the box is plain ground (false: another mark, a
                               // shadow's gradient, a plate's brushing or a lens lies that close)
};

void PrintTo (const Legend& l, std::ostream* os) { *os << l.text << " on " << artName (l.image); }

// Every legend of every image: the two faces, the back panels, the compact
// pages and the kit's strips (strips in their own coordinates, frame k at
// k times the frame height).
const Legend legends[] = {
    { "−12", Art::faceLr, { 37, 70, 22, 9 }, Kind::numeral, true },
    { "−8", Art::faceLr, { 67, 49, 15, 10 }, Kind::numeral, true },
    { "−4", Art::faceLr, { 98, 37, 16, 9 }, Kind::numeral, true },
    { "0", Art::faceLr, { 135, 32, 8, 10 }, Kind::numeral, true },
    { "+4", Art::faceLr, { 165, 37, 16, 10 }, Kind::numeral, true },
    { "+8", Art::faceLr, { 196, 50, 15, 10 }, Kind::numeral, true },
    { "+12", Art::faceLr, { 220, 71, 21, 9 }, Kind::numeral, true },
    { "dB", Art::faceLr, { 130, 88, 17, 11 }, Kind::caption, true },
    { "PEAK PROGRAMME", Art::faceLr, { 93, 101, 91, 11 }, Kind::caption, true },
    { "OVER", Art::faceLr, { 218, 53, 28, 11 }, Kind::caption, true },
    { "LEFT", Art::faceLr, { 125, 132, 28, 10 }, Kind::caption, false },
    { "−12", Art::faceLr, { 303, 70, 22, 9 }, Kind::numeral, true },
    { "−8", Art::faceLr, { 333, 49, 15, 10 }, Kind::numeral, true },
    { "−4", Art::faceLr, { 364, 37, 16, 9 }, Kind::numeral, true },
    { "0", Art::faceLr, { 401, 32, 8, 10 }, Kind::numeral, true },
    { "+4", Art::faceLr, { 431, 37, 16, 10 }, Kind::numeral, true },
    { "+8", Art::faceLr, { 462, 50, 15, 10 }, Kind::numeral, true },
    { "+12", Art::faceLr, { 486, 71, 21, 9 }, Kind::numeral, true },
    { "dB", Art::faceLr, { 396, 88, 17, 11 }, Kind::caption, true },
    { "PEAK PROGRAMME", Art::faceLr, { 359, 101, 91, 11 }, Kind::caption, true },
    { "OVER", Art::faceLr, { 483, 53, 28, 11 }, Kind::caption, true },
    { "RIGHT", Art::faceLr, { 387, 132, 36, 11 }, Kind::caption, false },
    { "+20", Art::faceLr, { 569, 19, 17, 10 }, Kind::numeral, true },
    { "+10", Art::faceLr, { 569, 46, 17, 10 }, Kind::numeral, true },
    { "0", Art::faceLr, { 574, 73, 6, 10 }, Kind::numeral, true },
    { "−10", Art::faceLr, { 569, 100, 17, 10 }, Kind::numeral, true },
    { "−20", Art::faceLr, { 569, 127, 17, 10 }, Kind::numeral, true },
    { "TRIM", Art::stereoLarge, { 541, 154, 26, 10 }, Kind::caption, true },
    { "LATENCY", Art::stereoLarge, { 535, 167, 43, 9 }, Kind::caption, true },
    { "L R", Art::faceLr, { 24, 132, 19, 10 }, Kind::caption, false },
    { "M S", Art::faceLr, { 59, 132, 21, 11 }, Kind::caption, false },
    { "OFF", Art::faceLr, { 455, 132, 21, 11 }, Kind::caption, false },
    { "HOLD", Art::faceLr, { 494, 132, 29, 11 }, Kind::caption, false },
    { "infinity", Art::faceLr, { 477, 133, 16, 9 }, Kind::symbol, false },
    { "Vyr Tarvo", Art::faceLr, { 240, 148, 66, 14 }, Kind::caption, false },
    { "MID", Art::faceMs, { 127, 132, 23, 10 }, Kind::caption, false },
    { "SIDE", Art::faceMs, { 391, 132, 27, 11 }, Kind::caption, false },
    { "−24", Art::stereoBack, { 5, 63, 21, 9 }, Kind::numeral, true },
    { "−18", Art::stereoBack, { 2, 38, 20, 10 }, Kind::numeral, true },
    { "−12", Art::stereoBack, { 36, 21, 20, 9 }, Kind::numeral, true },
    { "−6", Art::stereoBack, { 68, 36, 15, 10 }, Kind::numeral, true },
    { "0", Art::stereoBack, { 67, 63, 8, 10 }, Kind::numeral, true },
    { "REFERENCE", Art::stereoBack, { 17, 5, 57, 11 }, Kind::caption, true },
    { "0", Art::stereoBack, { 128, 62, 8, 10 }, Kind::numeral, true },
    { "1.5", Art::stereoBack, { 116, 43, 17, 10 }, Kind::numeral, true },
    { "5.5", Art::stereoBack, { 135, 20, 16, 10 }, Kind::numeral, true },
    { "14", Art::stereoBack, { 165, 21, 14, 9 }, Kind::numeral, true },
    { "40", Art::stereoBack, { 182, 44, 14, 10 }, Kind::numeral, true },
    { "100", Art::stereoBack, { 178, 62, 19, 10 }, Kind::numeral, true },
    { "INTEGRATION", Art::stereoBack, { 125, 5, 65, 11 }, Kind::caption, true },
    { "0.1", Art::stereoBack, { 64, 138, 17, 10 }, Kind::numeral, true },
    { "0.25", Art::stereoBack, { 54, 119, 23, 10 }, Kind::numeral, true },
    { "0.65", Art::stereoBack, { 66, 102, 23, 10 }, Kind::numeral, true },
    { "1.5", Art::stereoBack, { 114, 102, 17, 10 }, Kind::numeral, true },
    { "4", Art::stereoBack, { 126, 120, 8, 9 }, Kind::numeral, true },
    { "10", Art::stereoBack, { 123, 138, 13, 10 }, Kind::numeral, true },
    { "HOLD", Art::stereoBack, { 45, 151, 28, 11 }, Kind::caption, true },
    { "0.1", Art::stereoBack, { 176, 138, 17, 10 }, Kind::numeral, true },
    { "0.25", Art::stereoBack, { 166, 119, 23, 10 }, Kind::numeral, true },
    { "0.65", Art::stereoBack, { 178, 102, 23, 10 }, Kind::numeral, true },
    { "1.5", Art::stereoBack, { 226, 102, 17, 10 }, Kind::numeral, true },
    { "4", Art::stereoBack, { 238, 120, 8, 9 }, Kind::numeral, true },
    { "10", Art::stereoBack, { 235, 138, 13, 10 }, Kind::numeral, true },
    { "FALL-BACK", Art::stereoBack, { 132, 151, 54, 11 }, Kind::caption, true },
    { "MID ATTEN", Art::stereoBack, { 208, 5, 54, 10 }, Kind::caption, true },
    { "M/S mode", Art::stereoBack, { 211, 18, 48, 11 }, Kind::caption, true },
    { "REF", Art::stereoBack, { 398, 56, 17, 9 }, Kind::numeral, true },
    { "−3", Art::stereoBack, { 416, 22, 13, 10 }, Kind::numeral, true },
    { "−1", Art::stereoBack, { 453, 24, 12, 9 }, Kind::numeral, true },
    { "0", Art::stereoBack, { 464, 55, 7, 10 }, Kind::numeral, true },
    { "+8.15", Art::stereoBack, { 397, 67, 24, 10 }, Kind::numeral, true },
    { "OVER LEVEL", Art::stereoBack, { 410, 5, 59, 11 }, Kind::caption, true },
    { "dBFS", Art::stereoBack, { 426, 76, 26, 11 }, Kind::caption, true },
    { "1", Art::stereoBack, { 465, 138, 7, 9 }, Kind::numeral, true },
    { "2", Art::stereoBack, { 463, 125, 7, 9 }, Kind::numeral, true },
    { "3", Art::stereoBack, { 464, 114, 7, 10 }, Kind::numeral, true },
    { "4", Art::stereoBack, { 473, 100, 8, 9 }, Kind::numeral, true },
    { "5", Art::stereoBack, { 487, 94, 8, 10 }, Kind::numeral, true },
    { "6", Art::stereoBack, { 501, 95, 8, 10 }, Kind::numeral, true },
    { "7", Art::stereoBack, { 514, 102, 8, 9 }, Kind::numeral, true },
    { "8", Art::stereoBack, { 521, 111, 8, 10 }, Kind::numeral, true },
    { "9", Art::stereoBack, { 523, 125, 7, 10 }, Kind::numeral, true },
    { "10", Art::stereoBack, { 521, 138, 13, 10 }, Kind::numeral, true },
    { "OVER COUNT", Art::stereoBack, { 465, 83, 64, 11 }, Kind::caption, true },
    { "samples", Art::stereoBack, { 476, 151, 41, 13 }, Kind::lowercase, true },
    { "MEASURE", Art::stereoBack, { 535, 111, 48, 11 }, Kind::caption, true },
    { "MODE", Art::stereoBack, { 544, 124, 30, 11 }, Kind::caption, true },
    { "Vyr Tarvo", Art::stereoBack, { 302, 55, 66, 14 }, Kind::caption, false },
    { "BALLISTICS SETTINGS", Art::stereoBack, { 283, 35, 105, 11 }, Kind::caption, true },
    { "click the panel", Art::stereoBack, { 299, 107, 71, 13 }, Kind::lowercase, true },
    { "to return", Art::stereoBack, { 312, 121, 45, 10 }, Kind::lowercase, true },
    { "Korvanta", Art::stereoBack, { 19, 176, 52, 11 }, Kind::caption, true },
    { "STEREO PEAK PROGRAMME METER", Art::stereoBack, { 19, 189, 167, 11 }, Kind::caption, true },
    { "−20", Art::vuFront, { 35, 62, 19, 10 }, Kind::numeral, true },
    { "−10", Art::vuFront, { 56, 46, 20, 9 }, Kind::numeral, true },
    { "−7", Art::vuFront, { 76, 37, 13, 9 }, Kind::numeral, true },
    { "−5", Art::vuFront, { 92, 31, 14, 9 }, Kind::numeral, true },
    { "−3", Art::vuFront, { 115, 26, 13, 9 }, Kind::numeral, true },
    { "−2", Art::vuFront, { 129, 25, 13, 9 }, Kind::numeral, true },
    { "−1", Art::vuFront, { 145, 25, 14, 9 }, Kind::numeral, true },
    { "0", Art::vuFront, { 166, 28, 9, 9 }, Kind::numeral, true },
    { "+1", Art::vuFront, { 185, 34, 13, 9 }, Kind::numeral, true },
    { "+2", Art::vuFront, { 207, 45, 13, 9 }, Kind::numeral, true },
    { "+3", Art::vuFront, { 230, 62, 13, 9 }, Kind::numeral, true },
    { "0", Art::vuFront, { 66, 99, 7, 10 }, Kind::numeral, true },
    { "20", Art::vuFront, { 74, 89, 13, 10 }, Kind::numeral, true },
    { "40", Art::vuFront, { 90, 79, 13, 10 }, Kind::numeral, true },
    { "60", Art::vuFront, { 109, 72, 13, 9 }, Kind::numeral, true },
    { "80", Art::vuFront, { 132, 69, 12, 9 }, Kind::numeral, true },
    { "100", Art::vuFront, { 153, 71, 17, 9 }, Kind::numeral, true },
    { "%", Art::vuFront, { 173, 76, 11, 10 }, Kind::numeral, true },
    { "VU", Art::vuFront, { 126, 98, 27, 15 }, Kind::caption, true },
    { "Korvanta", Art::vuFront, { 21, 117, 45, 11 }, Kind::caption, true },
    { "PEAK", Art::vuFront, { 190, 93, 27, 10 }, Kind::caption, true },
    { "OFF", Art::vuFront, { 189, 132, 21, 11 }, Kind::caption, false },
    { "HOLD", Art::vuFront, { 228, 132, 29, 11 }, Kind::caption, false },
    { "infinity", Art::vuFront, { 211, 133, 16, 9 }, Kind::symbol, false },
    { "+20", Art::vuFront, { 303, 19, 17, 10 }, Kind::numeral, true },
    { "+10", Art::vuFront, { 303, 46, 17, 10 }, Kind::numeral, true },
    { "0", Art::vuFront, { 308, 73, 6, 10 }, Kind::numeral, true },
    { "−10", Art::vuFront, { 303, 100, 17, 10 }, Kind::numeral, true },
    { "−20", Art::vuFront, { 303, 127, 17, 10 }, Kind::numeral, true },
    { "TRIM", Art::vuLarge, { 275, 154, 26, 10 }, Kind::caption, true },
    { "LATENCY", Art::vuLarge, { 269, 167, 43, 9 }, Kind::caption, true },
    { "Vyr KelsoM", Art::vuFront, { 25, 147, 77, 15 }, Kind::caption, false },
    { "BALLISTICS SETTINGS", Art::vuBack, { 83, 8, 105, 11 }, Kind::caption, true },
    { "VERSION", Art::vuBack, { 205, 18, 44, 11 }, Kind::caption, true },
    { "BALLISTICS FROM THE STORED USER DEFAULTS", Art::vuBack, { 47, 69, 226, 11 }, Kind::caption, true },
    { "BACKLIGHT SHOWN ON THE METER FACE", Art::vuBack, { 63, 82, 194, 11 }, Kind::caption, true },
    { "click the panel to return", Art::vuBack, { 102, 97, 116, 13 }, Kind::lowercase, true },
    { "REFERENCE", Art::vuBack, { 4, 133, 49, 11 }, Kind::caption, true },
    { "INTEGRATION", Art::vuBack, { 61, 133, 55, 11 }, Kind::caption, true },
    { "HOLD", Art::vuBack, { 127, 133, 24, 11 }, Kind::caption, true },
    { "VU", Art::vuBack, { 171, 122, 13, 11 }, Kind::caption, true },
    { "TYPE", Art::vuBack, { 166, 133, 23, 10 }, Kind::caption, true },
    { "OVER", Art::vuBack, { 206, 122, 24, 11 }, Kind::caption, true },
    { "LEVEL", Art::vuBack, { 205, 133, 26, 10 }, Kind::caption, true },
    { "OVER", Art::vuBack, { 244, 122, 24, 11 }, Kind::caption, true },
    { "COUNT", Art::vuBack, { 240, 133, 31, 11 }, Kind::caption, true },
    { "MEASURE", Art::vuBack, { 275, 133, 40, 11 }, Kind::caption, true },
    { "Korvanta", Art::vuBack, { 19, 176, 52, 11 }, Kind::caption, true },
    { "VU METER", Art::vuBack, { 19, 189, 51, 11 }, Kind::caption, true },
    { "−12", Art::singleFront, { 37, 70, 22, 9 }, Kind::numeral, true },
    { "−8", Art::singleFront, { 67, 49, 15, 10 }, Kind::numeral, true },
    { "−4", Art::singleFront, { 98, 37, 16, 9 }, Kind::numeral, true },
    { "0", Art::singleFront, { 135, 32, 8, 10 }, Kind::numeral, true },
    { "+4", Art::singleFront, { 165, 37, 16, 10 }, Kind::numeral, true },
    { "+8", Art::singleFront, { 196, 50, 15, 10 }, Kind::numeral, true },
    { "+12", Art::singleFront, { 220, 71, 21, 9 }, Kind::numeral, true },
    { "dB", Art::singleFront, { 130, 88, 17, 11 }, Kind::caption, true },
    { "PEAK PROGRAMME", Art::singleFront, { 93, 101, 91, 11 }, Kind::caption, true },
    { "OVER", Art::singleFront, { 218, 53, 28, 11 }, Kind::caption, true },
    { "OFF", Art::singleFront, { 189, 132, 21, 11 }, Kind::caption, false },
    { "HOLD", Art::singleFront, { 228, 132, 29, 11 }, Kind::caption, false },
    { "infinity", Art::singleFront, { 211, 133, 16, 9 }, Kind::symbol, false },
    { "+20", Art::singleFront, { 303, 19, 17, 10 }, Kind::numeral, true },
    { "+10", Art::singleFront, { 303, 46, 17, 10 }, Kind::numeral, true },
    { "0", Art::singleFront, { 308, 73, 6, 10 }, Kind::numeral, true },
    { "−10", Art::singleFront, { 303, 100, 17, 10 }, Kind::numeral, true },
    { "−20", Art::singleFront, { 303, 127, 17, 10 }, Kind::numeral, true },
    { "TRIM", Art::singleLarge, { 275, 154, 26, 10 }, Kind::caption, true },
    { "LATENCY", Art::singleLarge, { 269, 167, 43, 9 }, Kind::caption, true },
    { "Vyr TarvoM", Art::singleFront, { 25, 148, 77, 14 }, Kind::caption, false },
    { "Vyr TarvoM", Art::singleBack, { 96, 27, 77, 14 }, Kind::caption, false },
    { "Vyr KelsoM", Art::vuBack, { 96, 27, 77, 14 }, Kind::caption, false },
    { "BALLISTICS SETTINGS", Art::singleBack, { 83, 8, 105, 11 }, Kind::caption, true },
    { "VERSION", Art::singleBack, { 205, 18, 44, 11 }, Kind::caption, true },
    { "BALLISTICS SHARED WITH Vyr Tarvo", Art::singleBack, { 74, 69, 173, 13 }, Kind::caption, true },
    { "SET ON THE STEREO METER'S SETTINGS PAGE", Art::singleBack, { 51, 82, 218, 11 }, Kind::caption, true },
    { "click the panel to return", Art::singleBack, { 102, 97, 116, 13 }, Kind::lowercase, true },
    { "REFERENCE", Art::singleBack, { 4, 133, 49, 11 }, Kind::caption, true },
    { "INTEGRATION", Art::singleBack, { 58, 133, 55, 11 }, Kind::caption, true },
    { "HOLD", Art::singleBack, { 119, 133, 24, 11 }, Kind::caption, true },
    { "FALL-BACK", Art::singleBack, { 150, 133, 45, 11 }, Kind::caption, true },
    { "OVER", Art::singleBack, { 207, 122, 24, 11 }, Kind::caption, true },
    { "LEVEL", Art::singleBack, { 206, 133, 26, 10 }, Kind::caption, true },
    { "OVER", Art::singleBack, { 244, 122, 24, 11 }, Kind::caption, true },
    { "COUNT", Art::singleBack, { 240, 133, 31, 11 }, Kind::caption, true },
    { "MEASURE", Art::singleBack, { 275, 133, 40, 11 }, Kind::caption, true },
    { "Korvanta", Art::singleBack, { 19, 176, 52, 11 }, Kind::caption, true },
    { "PEAK PROGRAMME METER", Art::singleBack, { 19, 189, 127, 11 }, Kind::caption, true },
    { "0", Art::midAtten, { 9, 16, 8, 10 }, Kind::numeral, true },
    { "−3", Art::midAtten, { 28, 6, 14, 10 }, Kind::numeral, true },
    { "−6", Art::midAtten, { 50, 16, 15, 10 }, Kind::numeral, true },
    { "dB", Art::midAtten, { 1, 1, 14, 11 }, Kind::caption, true },
    { "0", Art::midAtten, { 9, 83, 8, 10 }, Kind::numeral, true },
    { "−3", Art::midAtten, { 28, 73, 14, 10 }, Kind::numeral, true },
    { "−6", Art::midAtten, { 50, 83, 15, 10 }, Kind::numeral, true },
    { "dB", Art::midAtten, { 1, 68, 14, 11 }, Kind::caption, true },
    { "0", Art::midAtten, { 9, 150, 8, 10 }, Kind::numeral, true },
    { "−3", Art::midAtten, { 28, 140, 14, 10 }, Kind::numeral, true },
    { "−6", Art::midAtten, { 50, 150, 15, 10 }, Kind::numeral, true },
    { "dB", Art::midAtten, { 1, 135, 14, 11 }, Kind::caption, true },
    { "OVER", Art::measureMode, { 14, 24, 26, 11 }, Kind::caption, false },
    { "SAMPLED", Art::measureMode, { 5, 38, 44, 11 }, Kind::caption, false },
    { "OVER", Art::measureMode, { 14, 121, 26, 11 }, Kind::caption, false },
    { "SAMPLED", Art::measureMode, { 5, 135, 44, 11 }, Kind::caption, false },
    { "ACTIVE", Art::active, { 3, 1, 36, 11 }, Kind::caption, false },
    { "ACTIVE", Art::active, { 3, 15, 36, 11 }, Kind::caption, false },
    { "ms", Art::latency, { 40, 98, 15, 9 }, Kind::lowercase, true },
};

class EveryLegend : public ::testing::TestWithParam<Legend> {};

TEST_P (EveryLegend, ReadsAtOneToOne)
{
    const auto& l = GetParam();
    const auto ink = inkOf (artImage (l.image), l.box);
    ASSERT_FALSE (ink.bounds.isEmpty());
    EXPECT_GE (ink.rows, minimumRows (l.kind)) << "height of the letters";
    EXPECT_GE (ink.contrast, 4.5) << "ink against its ground";
    if (l.bare)
    {
        EXPECT_EQ (ink.inkAround, 0) << "ink outside its box";
    }
}

INSTANTIATE_TEST_SUITE_P (Artwork, EveryLegend, ::testing::ValuesIn (legends), [] (const auto& info) {
    std::string name = std::string (artName (info.param.image)) + "_" + std::to_string (info.index) + "_";
    for (const char* c = info.param.text; *c != 0; ++c)
        if (std::isalnum ((unsigned char) *c))
            name += *c;
    return name;
});

// The ink pixels of a legend: those in its box that stand out from the ground.
std::vector<juce::Point<int>> inkPixels (const juce::Image& image, const Legend& l)
{
    const auto ground = inkOf (image, l.box);
    std::vector<juce::Point<int>> pixels;
    for (int y = l.box.getY(); y < l.box.getBottom(); ++y)
        for (int x = l.box.getX(); x < l.box.getRight(); ++x)
            if (std::abs (luminance (image.getPixelAt (x, y)) - ground.groundLevel) > inkThreshold)
                pixels.push_back ({ x, y });
    return pixels;
}

// Clear pixels between two inks, across or diagonally: one less than the
// smallest distance, in whole pixels along the longer axis, between any two of
// their pixels.
int clearPixelsBetween (const std::vector<juce::Point<int>>& a, const std::vector<juce::Point<int>>& b)
{
    int nearest = std::numeric_limits<int>::max();
    for (auto p : a)
        for (auto q : b)
            nearest = std::min (nearest, std::max (std::abs (p.x - q.x), std::abs (p.y - q.y)));
    return nearest - 1;
}

// Neighbouring legends on one image keep at least 3 clear pixels between
// their inks, so that no two read as one ("FALL-BACK" once ran into the hold
// knob's "1.5").
TEST (Legends, KeepThreeClearPixelsFromEachOther)
{
    std::map<Art, std::vector<std::pair<const Legend*, juce::Rectangle<int>>>> placed;
    std::map<Art, juce::Image> images;
    for (const auto& l : legends)
    {
        if (images.count (l.image) == 0)
            images[l.image] = artImage (l.image);
        placed[l.image].push_back ({ &l, inkOf (images[l.image], l.box).bounds });
    }
    for (const auto& [image, inks] : placed)
        for (size_t i = 0; i < inks.size(); ++i)
            for (size_t j = i + 1; j < inks.size(); ++j)
            {
                const auto a = inks[i].second, b = inks[j].second;
                const int boxGap = std::max ({ b.getX() - a.getRight(), a.getX() - b.getRight(),
                                               b.getY() - a.getBottom(), a.getY() - b.getBottom() });
                if (boxGap >= 3)
                    continue;
                const auto& pictures = images[image];
                EXPECT_GE (clearPixelsBetween (inkPixels (pictures, *inks[i].first), inkPixels (pictures, *inks[j].first)), 3)
                    << inks[i].first->text << " and " << inks[j].first->text << " on " << artName (image);
            }
}

// The hold switch's infinity sign is a figure of eight lying on its side, wide
// enough that both loops stay open at 1:1: 3.5 pixels each side of its middle
// there is a dark eye with the bright stroke above, below and outside it.
TEST (Legends, TheInfinitySignHasTwoOpenLoops)
{
    for (const auto& l : legends)
    {
        if (l.kind != Kind::symbol)
            continue;
        const auto image = artImage (l.image);
        const auto ink = inkOf (image, l.box);
        EXPECT_GE (ink.bounds.getWidth(), 12) << artName (l.image);
        EXPECT_GE (ink.bounds.getHeight(), 6) << artName (l.image);

        const auto centre = ink.bounds.toFloat().getCentre();
        for (float side : { -1.0f, 1.0f })
        {
            const juce::Point<float> eye (centre.x + side * 3.5f, centre.y);
            const float eyeLevel = luminanceAt (image, eye.x, eye.y);
            EXPECT_GT (luminanceAt (image, eye.x, eye.y - 2.5f), eyeLevel + 0.3f) << artName (l.image);
            EXPECT_GT (luminanceAt (image, eye.x, eye.y + 2.5f), eyeLevel + 0.3f) << artName (l.image);
            EXPECT_GT (luminanceAt (image, eye.x + side * 2.0f, eye.y), eyeLevel + 0.3f) << artName (l.image);
        }
    }
}

} // namespace
