// Pieces of the 320-pixel-wide pages of the VU and single-channel meters.
#pragma once

#include "Drawing.h"

#include <vector>

namespace vyrart
{

inline constexpr int compactWidth = 320;
inline constexpr int compactHeight = 205;

// Everything of the front page outside the meter window: the trim scale beside
// the trim slider at (272, 15), the name plate in the lower-left area (which
// opens the back page), and below the small window's edge the paper tape under
// the track-name strip at (17, 167, 240, 39); the latency entry draws its own frame.
void paintCompactFrontParts (juce::Graphics& g, const ArtFonts& fonts, const juce::String& productName);

// The raised chrome bezel around a meter window.
void paintWindowBezel (juce::Graphics& g, juce::Rectangle<float> window);

// One value text of a back page: its caption (one or two lines) above the
// dark field that the text is written into.
struct SettingCaption
{
    juce::String line1, line2;
    juce::Rectangle<float> box;
};

// A back page: the title with the product's name and the version field, a note
// on where the settings come from, the captions and fields of the settings texts
// along the row at y 145, and below the small window's edge the type label and
// ventilation slots.
juce::Image paintCompactBackPanel (const ArtFonts& fonts, const juce::String& productName, const juce::String& kind,
                                   const juce::StringArray& note, const std::vector<SettingCaption>& captions,
                                   juce::uint32 seed);

} // namespace vyrart
