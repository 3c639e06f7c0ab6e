// Shared vocabulary of the artwork generator: the fonts it draws text with and the
// description of one image it produces.
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <vector>

namespace vyrart
{

// Type sizes of the legends, as font heights. The capitals and figures of the
// panel faces are 0.626 of the font height, so that captions (the names of
// controls, sections and pages, units, notes and button legends) have capitals
// 7.2 pixels high and the numbers of scales crowded round knobs and dials have
// figures 6.1 pixels high: both read at 1:1 on a normal screen.
inline constexpr float captionHeight = 11.5f;
inline constexpr float numeralHeight = 9.8f;

// Fonts are read from the font files the build names, never looked up among the
// machine's installed fonts, so every machine draws the same pixels.
struct ArtFonts
{
    juce::Typeface::Ptr sans;      // the panel face's regular weight
    juce::Typeface::Ptr sansBold;  // its bold weight: every legend, which at 1:1 needs the heavier strokes
    juce::MemoryBlock scriptFontData; // handwriting face for the track-name typeface

    juce::Font legend (float height) const { return juce::Font (sans).withHeight (height); }
    juce::Font caption (float height) const { return juce::Font (sansBold).withHeight (height); }

    // A caption or scale numeral at its size, narrowed by `squeeze` where the
    // place is narrow.
    juce::Font captionFont (float squeeze = 1.0f) const { return caption (captionHeight).withHorizontalScale (squeeze); }
    juce::Font numeralFont (float squeeze = 1.0f) const { return caption (numeralHeight).withHorizontalScale (squeeze); }
};

// One image written by the generator. The frame count is checked against the
// height, and an opaque image must come out without a single translucent pixel.
struct ArtImage
{
    const char* fileName;
    int width;
    int height;
    int frames;
    bool hasAlpha;   // false: written as a PNG without alpha channel
    bool opaque;     // every pixel must have alpha 255
    std::function<juce::Image (const ArtFonts&)> paint;
};

std::vector<ArtImage> kitImages();
std::vector<ArtImage> stereoImages();
std::vector<ArtImage> vuImages();
std::vector<ArtImage> singleImages();

} // namespace vyrart
