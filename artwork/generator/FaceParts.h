// Pieces of the front faces that the meters share.
#pragma once

#include "Drawing.h"

namespace vyrart
{

// A peak programme dial filling the meter's area `meter` (in face coordinates),
// printed around the needle's pivot, with the over LED's seat where the meter
// draws its LED and `caption` under the window (nothing when empty).
void paintDial (juce::Graphics& g, const ArtFonts& fonts, juce::Rectangle<float> meter, juce::Point<float> pivot,
                const juce::String& caption);

// Chromed ring and dark seat of an over LED drawn into `led`, with "OVER" below.
void paintLedSeat (juce::Graphics& g, const ArtFonts& fonts, juce::Rectangle<float> led);

// The trim scale beside the trim slider at (sliderX, 15, 32, 126) and the recess
// of its value label below.
void paintTrimScale (juce::Graphics& g, const ArtFonts& fonts, float sliderX);

// Baseline of the legends over the switches at y 142 and of the channel
// captions under the dials: the capitals end a pixel above the switches.
inline constexpr float switchLegendBaseline = 141.0f;

// "OFF", infinity and "HOLD" above the three lever positions of the hold switch
// at (switchX, 142, 86, 24), standing on `baseline`.
void paintHoldLegends (juce::Graphics& g, const ArtFonts& fonts, float switchX, float baseline);

// The paper tape under the track-name strip whose bounds are `strip`.
void paintTape (juce::Graphics& g, juce::Rectangle<float> strip);

} // namespace vyrart
