// Drawing helpers shared by the painters: film-strip frames, the panel finish,
// bevels, screws, lamps and engraved legends. Everything is deterministic (fixed
// random seeds), so a build draws the same bytes every time.
#pragma once

#include "ArtCanvas.h"

namespace vyrart
{

// Colours of the product: a dark anodised panel with light silk-screen legends,
// black dials with cream markings, amber indicator lamps and a red over lamp.
namespace palette
{
    const juce::Colour panel        (0xff3a3c40);
    const juce::Colour legend       (0xffd9d6cd);
    // Secondary legends (units, notes, the maker's name): dimmer than the
    // captions, still more than 5:1 against the panel.
    const juce::Colour legendDim    (0xffbcb9b1);
    const juce::Colour dialMarking  (0xffece6d6);
    // The dial's own legends under the scale: quieter than the marks, still
    // opaque and far above 4.5:1 on the black dial.
    const juce::Colour dialLegend   (0xffb3ad9f);
    const juce::Colour dialRed      (0xffe0452e);
    const juce::Colour amber        (0xffffb340);
    const juce::Colour amberDark    (0xff4a3418);
    const juce::Colour ledRed       (0xffff2a1a);
}

// An empty strip of `frames` frames; ARGB images start fully transparent.
juce::Image makeStrip (int width, int frameHeight, int frames, bool withAlpha = true);

// Calls paint (g, k) once per frame with the origin moved to the frame's top-left
// corner and drawing clipped to the frame.
void paintFrames (juce::Image& strip, int frameHeight, int frames,
                  const std::function<void (juce::Graphics&, int)>& paint);

// The panel's finish: base colour with fine horizontal brushing. The seed fixes the
// pattern; `strength` scales the contrast of the brushing.
void brushedFill (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour base,
                  juce::uint32 seed, float strength = 1.0f);

// A light upper-left edge and a dark lower-right edge: raised when depth > 0,
// recessed when depth < 0.
void bevel (juce::Graphics& g, juce::Rectangle<float> area, float corner, float depth);

// A soft shadow under a shape.
void shadow (juce::Graphics& g, const juce::Path& shape, juce::Point<int> offset, int radius, float alpha);

// A countersunk cross-head screw.
void screw (juce::Graphics& g, juce::Point<float> centre, float radius, float slotAngle);

// A round lamp lens: `glow` 0 is off, 1 fully lit.
void lamp (juce::Graphics& g, juce::Point<float> centre, float radius, juce::Colour colour, float glow);

// Legend text drawn from the given font's outlines, on one line in `area`. The
// painters size their fonts and areas to fit: a text wider than its area is a
// fault of the layout, and the generator stops (std::logic_error) rather than
// cut it.
void legend (juce::Graphics& g, const juce::String& text, const juce::Font& font,
             juce::Rectangle<float> area, juce::Justification justification, juce::Colour colour);

// The area of one line of `font` in which a centred legend stands on `baseline`,
// `width` wide from `x`. Glyphs are drawn on whole-pixel baselines, so a whole
// number keeps the capitals' bottom edge sharp.
juce::Rectangle<float> lineArea (const juce::Font& font, float x, float baseline, float width);

// The infinity sign as a stroked figure of eight lying on its side, `width`
// wide and centred on `centre`: a font's glyph at legend size is a smudge.
void infinityMark (juce::Graphics& g, juce::Point<float> centre, float width, juce::Colour colour);

// Unit vector of a knob pointer at `degrees` clockwise from twelve o'clock, in
// screen coordinates (y down).
juce::Point<float> pointerDirection (float degrees);

} // namespace vyrart
