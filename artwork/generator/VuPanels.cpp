// The VU meter's front and back pages.
#include "CompactParts.h"
#include "PanelParts.h"
#include "VuPainters.h"
#include "VuScale.h"

namespace vyrart
{

// The editor paints the face of the chosen backlight into the window at
// (12, 16, 250, 122); the page carries the face of step 0 there, so that it is
// whole before the first face is painted.
juce::Image paintVuFrontPanel (const ArtFonts& fonts)
{
    juce::Image image (juce::Image::ARGB, compactWidth, compactHeight, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    paintPanelGround (g, 23, compactWidth, compactHeight);

    const juce::Rectangle<float> window (12.0f, 16.0f, (float) vuFaceWidth, (float) vuFaceHeight);
    paintWindowBezel (g, window);
    g.drawImageAt (paintVuFace (fonts, 0), 12, 16);
    paintVuLipExtension (g, fonts);

    for (auto at : { juce::Point<float> (5.5f, 9.0f), juce::Point<float> (5.5f, 136.0f) })
        screw (g, at, 3.0f, 20.0f + at.y);

    paintCompactFrontParts (g, fonts, "Vyr KelsoM");
    return image;
}

juce::Image paintVuBackPanel (const ArtFonts& fonts)
{
    return paintCompactBackPanel (fonts, "Vyr KelsoM", "VU METER",
        { "BALLISTICS FROM THE STORED USER DEFAULTS", "BACKLIGHT SHOWN ON THE METER FACE" }, {
        { "REFERENCE", "",      { 3.0f, 145.0f, 51.0f, 15.0f } },
        { "INTEGRATION", "",    { 59.0f, 145.0f, 59.0f, 15.0f } },
        { "HOLD", "",           { 124.0f, 145.0f, 30.0f, 15.0f } },
        { "VU", "TYPE",         { 154.0f, 145.0f, 48.0f, 15.0f } },
        { "OVER", "LEVEL",      { 202.0f, 145.0f, 32.0f, 15.0f } },
        { "OVER", "COUNT",      { 241.0f, 145.0f, 29.0f, 15.0f } },
        { "MEASURE", "",        { 275.0f, 145.0f, 40.0f, 15.0f } },
    }, 29);
}

} // namespace vyrart
