#include "TrackTypeface.h"

namespace vyrart
{
namespace
{

// Copies the glyphs 1..255 of a typeface, their outlines and advances multiplied by
// `scale`. Kerning pairs are not copied: the strip measures and draws plain advances.
std::unique_ptr<juce::CustomTypeface> copyGlyphs (juce::Typeface& source, float scale)
{
    auto face = std::make_unique<juce::CustomTypeface>();

    for (juce::juce_wchar c = 1; c <= 255; ++c)
    {
        juce::Array<int> glyphIndexes;
        juce::Array<float> offsets;
        source.getGlyphPositions (juce::String::charToString (c), glyphIndexes, offsets);

        if (glyphIndexes.isEmpty() || glyphIndexes.getFirst() < 0 || offsets.size() < 2)
            continue;

        juce::Path outline;
        source.getOutlineForGlyph (glyphIndexes.getFirst(), outline);
        outline.applyTransform (juce::AffineTransform::scale (scale));
        face->addGlyph (c, outline, offsets[1] * scale);
    }

    // After the glyphs: the name, plain style, ascent 0.8 and a blank for any
    // character the face lacks.
    face->setCharacteristics (trackTypefaceName, 0.8f, false, false, ' ');
    return face;
}

float sampleWidth (juce::Typeface::Ptr face)
{
    juce::Font font (face);
    font.setHeight (trackFontHeight);
    font.setHorizontalScale (trackFontHorizontalScale);
    return font.getStringWidthFloat (trackSampleName);
}

} // namespace

juce::MemoryBlock makeTrackTypefaceStream (const juce::MemoryBlock& fontFileData, float& appliedScale)
{
    appliedScale = 1.0f;
    auto source = juce::Typeface::createSystemTypefaceFor (fontFileData.getData(), fontFileData.getSize());

    if (source == nullptr)
        return {};

    juce::Typeface::Ptr face (copyGlyphs (*source, 1.0f).release());
    const auto width = sampleWidth (face);

    if (width <= 0.0f)
        return {};

    // A little room is left below the limit so that the sample name is never the
    // one that gets cut.
    if (width > trackTextWidthLimit * 0.98f)
    {
        appliedScale = trackTextWidthLimit * 0.98f / width;
        face = copyGlyphs (*source, appliedScale).release();
    }

    juce::MemoryOutputStream out;
    if (! dynamic_cast<juce::CustomTypeface&> (*face).writeToStream (out))
        return {};

    return out.getMemoryBlock();
}

} // namespace vyrart
