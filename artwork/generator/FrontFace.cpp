// The stereo meter's front face: two peak programme dials, the trim scale, the
// legends of the switches, the name plate and the paper tape for the track name.
// Only the top 167 rows show in the small window; the tape is the only thing below
// (the latency entry draws its own frame).
#include "FaceParts.h"
#include "PanelPainters.h"
#include "PanelParts.h"
#include "PpmScale.h"

namespace vyrart
{
namespace
{

// Legends of the LR/MS switch at (8, 142): lever ends at x 33.5 (left/right) and
// 69.5 (mid/side).
void paintLrmsLegends (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto font = fonts.captionFont();
    legend (g, "L R", font, lineArea (font, 18.5f, switchLegendBaseline, 30.0f), juce::Justification::centred, palette::legend);
    legend (g, "M S", font, lineArea (font, 54.5f, switchLegendBaseline, 30.0f), juce::Justification::centred, palette::legend);
}

} // namespace

juce::Image paintFace (const ArtFonts& fonts, const juce::String& leftCaption, const juce::String& rightCaption)
{
    juce::Image image (juce::Image::ARGB, panelWidth, panelHeight, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    paintPanelGround (g, 7);

    paintDial (g, fonts, { 12.0f, 16.0f, 250.0f, 115.0f }, leftDialPivot(), leftCaption);
    paintDial (g, fonts, { 277.0f, 16.0f, 250.0f, 115.0f }, rightDialPivot(), rightCaption);

    for (auto at : { juce::Point<float> (6.0f, 9.0f), juce::Point<float> (6.0f, 124.0f),
                     juce::Point<float> (269.5f, 9.0f), juce::Point<float> (269.5f, 124.0f) })
        screw (g, at, 3.0f, 20.0f + at.y);

    paintTrimScale (g, fonts, 538.0f);
    paintLrmsLegends (g, fonts);
    paintHoldLegends (g, fonts, 442.0f, switchLegendBaseline);
    paintNamePlate (g, fonts, { 218.0f, 143.0f, 110.0f, 23.0f });

    // Below the small window's edge: the tape. The latency entry beside it draws
    // its own frame.
    paintTape (g, { 17.0f, 167.0f, 506.0f, 39.0f });
    return image;
}

} // namespace vyrart
