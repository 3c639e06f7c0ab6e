// Shared vocabulary of the artwork generator: the fonts it draws text with and the
// description of one image it produces.
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <vector>

namespace vyrart
{

// Fonts are read from the font files the build names, never looked up among the
// machine's installed fonts, so every machine draws the same pixels.
struct ArtFonts
{
    juce::Typeface::Ptr sans;      // panel legends
    juce::Typeface::Ptr sansBold;  // captions and the maker's name
    juce::MemoryBlock scriptFontData; // handwriting face for the track-name typeface

    juce::Font legend (float height) const { return juce::Font (sans).withHeight (height); }
    juce::Font caption (float height) const { return juce::Font (sansBold).withHeight (height); }
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
