// The single-channel meter's front and back pages. Its dial is the stereo meter's
// left dial: the same meter at the same place and pivot.
#include "CompactParts.h"
#include "FaceParts.h"
#include "PanelParts.h"
#include "PpmScale.h"
#include "SinglePainters.h"

namespace vyrart
{

juce::Image paintSingleFace (const ArtFonts& fonts)
{
    juce::Image image (juce::Image::ARGB, compactWidth, compactHeight, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    paintPanelGround (g, 31, compactWidth, compactHeight);

    paintDial (g, fonts, { 12.0f, 16.0f, 250.0f, 115.0f }, leftDialPivot(), {});
    for (auto at : { juce::Point<float> (6.0f, 9.0f), juce::Point<float> (6.0f, 124.0f) })
        screw (g, at, 3.0f, 20.0f + at.y);

    paintHoldLegends (g, fonts, 176.0f, switchLegendBaseline);
    paintCompactFrontParts (g, fonts, "Vyr TarvoM");
    return image;
}

juce::Image paintSingleBackPanel (const ArtFonts& fonts)
{
    return paintCompactBackPanel (fonts, "Vyr TarvoM", "PEAK PROGRAMME METER",
        { "BALLISTICS SHARED WITH Vyr Tarvo", "SET ON THE STEREO METER'S SETTINGS PAGE" }, {
        { "REFERENCE", "",      { 3.0f, 145.0f, 51.0f, 15.0f } },
        { "INTEGRATION", "",    { 56.0f, 145.0f, 59.0f, 15.0f } },
        { "HOLD", "",           { 116.0f, 145.0f, 30.0f, 15.0f } },
        { "FALL-BACK", "",      { 148.0f, 145.0f, 48.0f, 15.0f } },
        { "OVER", "LEVEL",      { 203.0f, 145.0f, 32.0f, 15.0f } },
        { "OVER", "COUNT",      { 241.0f, 145.0f, 29.0f, 15.0f } },
        { "MEASURE", "",        { 275.0f, 145.0f, 40.0f, 15.0f } },
    }, 37);
}

} // namespace vyrart
