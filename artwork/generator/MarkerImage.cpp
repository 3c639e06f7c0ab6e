// The pen that stands at the insertion point while the track name is edited. The
// strip draws it with its left edge 2 pixels left of the insertion point, so the
// nib touches the tape at x 2, near the bottom, and the pen leans up to the right.
#include "Drawing.h"
#include "KitPainters.h"

namespace vyrart
{

juce::Image paintMarker (const ArtFonts&)
{
    auto image = makeStrip (47, 33, 1);
    juce::Graphics g (image);

    const juce::Point<float> nib (2.5f, 30.5f);   // centre of pixel (2, 30)
    const auto along = juce::Point<float> (41.0f, -26.0f) / std::hypot (41.0f, -26.0f);
    const juce::Point<float> across (-along.y, along.x);
    const auto at = [&] (float a, float b) { return nib + along * a + across * b; };

    // Barrel, grip and cap as one outline, rounded at the top end.
    juce::Path barrel;
    barrel.startNewSubPath (at (9.0f, -3.2f));
    barrel.lineTo (at (45.0f, -3.2f));
    barrel.quadraticTo (at (48.5f, 0.0f), at (45.0f, 3.2f));
    barrel.lineTo (at (9.0f, 3.2f));
    barrel.closeSubPath();

    juce::Path cone;
    cone.startNewSubPath (at (1.2f, -0.5f));
    cone.lineTo (at (9.5f, -2.6f));
    cone.lineTo (at (9.5f, 2.6f));
    cone.lineTo (at (1.2f, 0.5f));
    cone.closeSubPath();

    juce::Path whole (barrel);
    whole.addPath (cone);
    shadow (g, whole, { 2, 3 }, 3, 0.45f);

    // Barrel: dark blue lacquer, the ink's colour, with a highlight along its length.
    const auto top = at (20.0f, -3.2f), bottom = at (20.0f, 3.2f);
    juce::ColourGradient lacquer (juce::Colour (0xff3d6a9a), top.x, top.y, juce::Colour (0xff071a2e), bottom.x, bottom.y, false);
    lacquer.addColour (0.3, juce::Colour (0xff6f9fd0));
    g.setGradientFill (lacquer);
    g.fillPath (barrel);

    // Ribbed grip near the nib.
    for (float a = 11.0f; a < 18.0f; a += 1.6f)
    {
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.drawLine ({ at (a, -3.0f), at (a, 3.0f) }, 0.7f);
    }

    // Chromed clip along the upper side.
    g.setColour (juce::Colour (0xffd8dade));
    g.drawLine ({ at (30.0f, -3.6f), at (43.0f, -3.6f) }, 1.2f);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.drawLine ({ at (30.0f, -2.7f), at (43.0f, -2.7f) }, 0.5f);

    // Cap ring.
    g.setColour (juce::Colour (0xffc9cbcf));
    g.drawLine ({ at (28.5f, -3.2f), at (28.5f, 3.2f) }, 1.2f);

    // Metal cone and the inked nib.
    const auto coneTop = at (5.0f, -2.0f), coneBottom = at (5.0f, 2.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffeeeff1), coneTop.x, coneTop.y,
                                             juce::Colour (0xff6b6e73), coneBottom.x, coneBottom.y, false));
    g.fillPath (cone);
    g.setColour (juce::Colour (0xff04223f));
    g.drawLine ({ nib, at (2.2f, 0.0f) }, 1.3f);
    g.fillEllipse (juce::Rectangle<float> (1.8f, 1.8f).withCentre (nib));

    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.strokePath (whole, juce::PathStrokeType (0.5f));
    return image;
}

} // namespace vyrart
