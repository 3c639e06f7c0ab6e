// Pieces shared by the stereo meter's front face and back panel.
#pragma once

#include "Drawing.h"

namespace vyrart
{

inline constexpr int panelWidth = 586;
inline constexpr int panelHeight = 205;

// The whole page in the panel finish, with its outer edge; the stereo meter's
// pages unless a size is given.
void paintPanelGround (juce::Graphics& g, juce::uint32 seed, int width = panelWidth, int height = panelHeight);

// The name plate: the product's name on a brushed aluminium plate.
void paintNamePlate (juce::Graphics& g, const ArtFonts& fonts, juce::Rectangle<float> plate,
                     const juce::String& productName = "Vyr Tarvo");

// A recessed dark field for text that the plug-in writes at run time.
void paintTextField (juce::Graphics& g, juce::Rectangle<float> field);

// The typographic minus sign of the legends.
juce::String minusSign();

// Number text with a real minus sign ("−12", "+4", "0").
juce::String signedNumber (int value, bool plusForPositive);

} // namespace vyrart
