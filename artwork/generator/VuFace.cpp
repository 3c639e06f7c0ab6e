// The VU meter's lit faces: a cream scale card lit from behind, one row of the
// strip per backlight step, from deep amber (step 0) to pale cream (step 4) at
// about the same brightness. The card shows the VU scale from -20 to +3 with its
// red zone above 0 VU and the percentage scale below it, printed around the
// needle's pivot. Below the meter's bottom edge (y 116) the card ends under the
// dark lower lip of the window, which carries the hold switch's legends.
#include "FaceParts.h"
#include "VuPainters.h"
#include "VuScale.h"

namespace vyrart
{
namespace
{

// Scale radii: the long marks run from the scale line outwards to just under
// the needle's tip; the numbers stand beyond the tip's reach.
constexpr float scaleLineRadius = 121.0f;
constexpr float majorMarkRadius = 131.0f;
constexpr float minorMarkRadius = 127.0f;
constexpr float numberRadius = 142.0f;
constexpr float percentLineRadius = 111.0f;
constexpr float percentNumberRadius = 98.0f;

const juce::Colour ink (0xff1b1712);
const juce::Colour zoneRed (0xffc8221a);
// Red print on the card, darker than the zone so that it keeps 4.5:1 against
// the palest backlight.
const juce::Colour redInk (0xff8c0f08);

// The window's lower lip under the card, dark from top to bottom; it carries
// the hold switch's legends on the baseline of the other meters' ones (y 141
// of the panel, 16 below the face's top).
const juce::Colour lipTop (0xff2a2b2e), lipBottom (0xff141516);
constexpr float vuHoldLegendBaseline = switchLegendBaseline - 16.0f;
constexpr float lipExtension = 3.0f;

// The light of backlight step n: hue from deep amber to pale cream, each scaled
// to the same perceived brightness.
juce::Colour backlight (int step)
{
    const juce::Colour amber (0xffffa232), cream (0xfffff0cc);
    auto c = amber.interpolatedWith (cream, (float) step / 4.0f);
    const float target = 0.82f;
    const float lum = 0.299f * c.getFloatRed() + 0.587f * c.getFloatGreen() + 0.114f * c.getFloatBlue();
    const float k = target / lum;
    const auto scale = [k] (juce::uint8 v) { return (juce::uint8) juce::jlimit (0, 255, juce::roundToInt ((float) v * k)); };
    return juce::Colour (scale (c.getRed()), scale (c.getGreen()), scale (c.getBlue()));
}

float arcAngle (double a) { return (float) (juce::MathConstants<double>::halfPi - a); }

void paintCard (juce::Graphics& g, int step)
{
    const auto light = backlight (step);
    const juce::Rectangle<float> card (0.0f, 0.0f, (float) vuFaceWidth, vuMeterBottom);

    // The lamp sits behind the middle of the scale; the light falls off towards
    // the corners of the card.
    juce::ColourGradient glow (light.brighter (0.08f), 125.0f, 70.0f, light.withMultipliedBrightness (0.62f), 125.0f + 175.0f, 70.0f, true);
    glow.addColour (0.45, light);
    g.setGradientFill (glow);
    g.fillRect (card);

    // Fine paper grain, the same on every row.
    juce::Random random (2711);
    for (int i = 0; i < 1400; ++i)
    {
        const float x = random.nextFloat() * card.getWidth();
        const float y = random.nextFloat() * card.getHeight();
        g.setColour ((random.nextBool() ? juce::Colours::white : juce::Colour (0xff5a4020)).withAlpha (0.03f + 0.04f * random.nextFloat()));
        g.fillRect (x, y, 1.0f + 2.0f * random.nextFloat(), 1.0f);
    }

    // Shadow of the window's top edge on the card.
    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.45f), 0.0f, 0.0f,
                                             juce::Colours::black.withAlpha (0.0f), 0.0f, 7.0f, false));
    g.fillRect (card.withHeight (7.0f));
    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.3f), 0.0f, 0.0f,
                                             juce::Colours::black.withAlpha (0.0f), 5.0f, 0.0f, false));
    g.fillRect (card.withWidth (5.0f));
    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.3f), card.getRight(), 0.0f,
                                             juce::Colours::black.withAlpha (0.0f), card.getRight() - 5.0f, 0.0f, false));
    g.fillRect (card.withLeft (card.getRight() - 5.0f));
}

juce::String vuNumber (int vu)
{
    if (vu == 0)
        return "0";
    return (vu < 0 ? juce::String::fromUTF8 ("\xe2\x88\x92") : juce::String ("+")) + juce::String (std::abs (vu));
}

void paintVuScale (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto pivot = vuFacePivot();
    const double left = vuAngleForDecibels (-20.0);
    const double zero = vuAngleForDecibels (0.0);
    const double right = vuAngleForDecibels (3.0);

    // Red zone: a band outside the scale line from 0 VU to +3.
    juce::Path zone;
    zone.addCentredArc (pivot.x, pivot.y, scaleLineRadius + 2.5f, scaleLineRadius + 2.5f, 0.0f, arcAngle (zero), arcAngle (right), true);
    g.setColour (zoneRed);
    g.strokePath (zone, juce::PathStrokeType (5.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));

    juce::Path line;
    line.addCentredArc (pivot.x, pivot.y, scaleLineRadius, scaleLineRadius, 0.0f, arcAngle (left), arcAngle (zero), true);
    g.setColour (ink);
    g.strokePath (line, juce::PathStrokeType (1.4f));
    juce::Path redLine;
    redLine.addCentredArc (pivot.x, pivot.y, scaleLineRadius, scaleLineRadius, 0.0f, arcAngle (zero), arcAngle (right), true);
    g.setColour (zoneRed);
    g.strokePath (redLine, juce::PathStrokeType (1.4f));

    const int labelled[] = { -20, -10, -7, -5, -3, -2, -1, 0, 1, 2, 3 };
    for (int vu : labelled)
    {
        const double a = vuAngleForDecibels (vu);
        const auto colour = vu > 0 ? redInk : ink;
        g.setColour (vu > 0 ? zoneRed : ink);
        g.drawLine ({ onVuDial (pivot, scaleLineRadius - 0.7f, a), onVuDial (pivot, majorMarkRadius, a) }, vu == 0 ? 2.0f : 1.5f);

        const auto at = onVuDial (pivot, numberRadius, a);
        // The numbers from -3 to -1 stand close together: a little narrower
        // than the other scales' figures, they keep 3 pixels apart.
        legend (g, vuNumber (vu), vu == 0 ? fonts.caption (10.5f) : fonts.numeralFont (0.92f), juce::Rectangle<float> (26.0f, 12.0f).withCentre (at),
                juce::Justification::centred, colour);
    }

    const double minor[] = { -15.0, -9.0, -8.0, -6.0, -4.0, -2.5, -1.5, -0.5, 0.5, 1.5, 2.5 };
    for (double vu : minor)
    {
        const double a = vuAngleForDecibels (vu);
        g.setColour (vu > 0 ? zoneRed : ink);
        g.drawLine ({ onVuDial (pivot, scaleLineRadius - 0.7f, a), onVuDial (pivot, minorMarkRadius, a) }, 1.0f);
    }

    // Percentage of the 0 VU level, on a thinner scale inside.
    juce::Path percentLine;
    percentLine.addCentredArc (pivot.x, pivot.y, percentLineRadius, percentLineRadius, 0.0f,
                               arcAngle (vuNeedleAngle (0.0)), arcAngle (vuNeedleAngle (1.0)), true);
    g.setColour (ink);
    g.strokePath (percentLine, juce::PathStrokeType (0.9f));
    for (int percent = 0; percent <= 100; percent += 10)
    {
        const double a = vuNeedleAngle (percent / 100.0);
        const bool major = percent % 20 == 0;
        g.drawLine ({ onVuDial (pivot, percentLineRadius + 0.5f, a), onVuDial (pivot, percentLineRadius - (major ? 5.0f : 3.0f), a) }, major ? 1.1f : 0.8f);
        if (major)
            legend (g, juce::String (percent), fonts.numeralFont (0.9f),
                    juce::Rectangle<float> (20.0f, numeralHeight).withCentre (onVuDial (pivot, percentNumberRadius, a)),
                    juce::Justification::centred, ink);
    }
    legend (g, "%", fonts.numeralFont(), juce::Rectangle<float> (12.0f, numeralHeight).withCentre (onVuDial (pivot, percentNumberRadius, vuNeedleAngle (1.15))),
            juce::Justification::centred, ink);

    legend (g, "VU", fonts.caption (19.0f), juce::Rectangle<float> (50.0f, 22.0f).withCentre (pivot.translated (0.0f, -66.0f)),
            juce::Justification::centred, ink);
    const auto maker = fonts.captionFont (0.85f);
    legend (g, "Korvanta", maker, lineArea (maker, 10.0f, 110.0f, 50.0f), juce::Justification::left, ink);
}

// Seat of the over LED: a black ring printed on the card with "PEAK" above it;
// the LED image sits in the ring.
void paintLedSeat (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto led = vuLedArea();
    g.setColour (ink);
    g.fillEllipse (led.reduced (0.5f));
    g.setColour (juce::Colours::black.withAlpha (0.3f));
    g.drawEllipse (led.expanded (0.8f), 0.8f);
    const auto font = fonts.captionFont (0.85f);
    legend (g, "PEAK", font, lineArea (font, led.getCentreX() - 16.0f, led.getY() - 4.0f, 32.0f),
            juce::Justification::centred, redInk);
}

// The window's lower lip covers the needle's foot below the meter's bottom edge.
void paintLowerLip (juce::Graphics& g, const ArtFonts& fonts)
{
    const juce::Rectangle<float> lip (0.0f, vuMeterBottom, (float) vuFaceWidth, (float) vuFaceHeight - vuMeterBottom);
    g.setGradientFill (juce::ColourGradient (lipTop, 0.0f, lip.getY(), lipBottom, 0.0f, lip.getBottom(), false));
    g.fillRect (lip);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawHorizontalLine ((int) lip.getY(), 0.0f, lip.getWidth());
    // The hold switch sits at (176, 142) of the panel, (164, 126) of the face.
    // Its legends stand on the row of the other meters' switch legends, so
    // their feet lie below the face: the front page's background carries the
    // lip on under the face, with the legends' lower part (paintVuLipExtension).
    paintHoldLegends (g, fonts, 164.0f, vuHoldLegendBaseline);
}

} // namespace

juce::Image paintVuFace (const ArtFonts& fonts, int step)
{
    juce::Image image (juce::Image::ARGB, vuFaceWidth, vuFaceHeight, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    paintCard (g, step);
    paintVuScale (g, fonts);
    paintLedSeat (g, fonts);
    paintLowerLip (g, fonts);
    return image;
}

void paintVuLipExtension (juce::Graphics& g, const ArtFonts& fonts)
{
    juce::Graphics::ScopedSaveState state (g);
    g.setOrigin (12, 16);
    const juce::Rectangle<int> below (0, vuFaceHeight, vuFaceWidth, (int) lipExtension);
    g.reduceClipRegion (below);
    g.setColour (lipBottom);
    g.fillRect (below);
    paintHoldLegends (g, fonts, 164.0f, vuHoldLegendBaseline);
}

juce::Image paintVuFaceStrip (const ArtFonts& fonts)
{
    auto strip = makeStrip (vuFaceWidth, vuFaceHeight, 5);
    paintFrames (strip, vuFaceHeight, 5, [&] (juce::Graphics& g, int step) {
        g.drawImageAt (paintVuFace (fonts, step), 0, 0);
    });
    return strip;
}

juce::Image paintVuOverLedStrip (const ArtFonts&)
{
    // Frames from the top: off (dark red), latched (dim red), lit (bright red).
    const float glow[] = { 0.0f, 0.35f, 1.0f };
    auto strip = makeStrip (20, 20, 3);
    paintFrames (strip, 20, 3, [&] (juce::Graphics& g, int k) {
        const juce::Point<float> centre (10.0f, 10.0f);
        // Chromed bezel of the lamp, then the lens; outside the bezel the card shows.
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xffe2e4e8), 3.0f, 3.0f, juce::Colour (0xff3a3b3f), 17.0f, 17.0f, false));
        g.fillEllipse (juce::Rectangle<float> (17.0f, 17.0f).withCentre (centre));
        g.setColour (juce::Colour (0xff0b0b0b));
        g.fillEllipse (juce::Rectangle<float> (14.0f, 14.0f).withCentre (centre));
        lamp (g, centre, 5.3f, palette::ledRed, glow[k]);
    });
    return strip;
}

} // namespace vyrart
