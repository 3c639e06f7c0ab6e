#include "TrackTypeface.h"

namespace vyrart
{
namespace
{

// Copies the glyphs 1..255 of a typeface, their outlines multiplied by `scale` and
// then moved up by `lift` (both in units of the font height), their advances
// multiplied by `scale`. Every code gets a glyph; one the font lacks (control codes, say) is blank
// and as wide as a space, like the default character. Only the font's own glyphs
// are taken: JUCE would answer a missing character from a fallback face of the
// machine, which would make the result depend on the installed fonts. Kerning pairs
// are not copied: the strip measures and draws plain advances.
std::unique_ptr<juce::CustomTypeface> copyGlyphs (juce::Typeface& source, float scale, float lift)
{
    auto face = std::make_unique<juce::CustomTypeface>();

    const auto glyphOf = [&source] (juce::juce_wchar c, juce::Path& outline, float& advance) {
        juce::Array<int> glyphIndexes;
        juce::Array<float> offsets;
        source.getGlyphPositions (juce::String::charToString (c), glyphIndexes, offsets);
        if (glyphIndexes.size() != 1 || glyphIndexes.getFirst() != (int) c || offsets.size() < 2)
            return false;
        source.getOutlineForGlyph (glyphIndexes.getFirst(), outline);
        advance = offsets[1];
        return true;
    };

    juce::Path blank;
    float spaceAdvance = 0.25f;
    glyphOf (' ', blank, spaceAdvance);

    for (juce::juce_wchar c = 1; c <= 255; ++c)
    {
        juce::Path outline;
        float advance = spaceAdvance;
        if (! glyphOf (c, outline, advance))
        {
            outline.clear();
            advance = spaceAdvance;
        }

        outline.applyTransform (juce::AffineTransform::scale (scale).translated (0.0f, -lift));
        face->addGlyph (c, outline, advance * scale);
    }

    // After the glyphs: the name, plain style, ascent 0.8 and a blank for any
    // character the face lacks.
    face->setCharacteristics (trackTypefaceName, trackFontAscent, false, false, ' ');
    return face;
}

// Top and bottom of the ink of all glyphs together, in units of the font height
// (y grows downwards from the baseline).
juce::Range<float> inkExtent (juce::Typeface& face)
{
    juce::Rectangle<float> all;
    for (int c = 1; c <= 255; ++c)
    {
        juce::Path outline;
        face.getOutlineForGlyph (c, outline);
        if (! outline.isEmpty())
            all = all.isEmpty() ? outline.getBounds() : all.getUnion (outline.getBounds());
    }
    return { all.getY(), all.getBottom() };
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

    juce::Typeface::Ptr face (copyGlyphs (*source, 1.0f, 0.0f).release());
    const auto width = sampleWidth (face);
    const auto ink = inkExtent (*face);

    if (width <= 0.0f || ink.isEmpty())
        return {};

    // The strip centres the font's line, ascent and descent, in its height, so
    // the baseline lies this far below the strip's top edge. The tape's rows are
    // the room the ink may take.
    const float baseline = (trackStripHeight - trackFontHeight) * 0.5f + trackFontAscent * trackFontHeight;
    const float tapeTop = trackTapeTopInset;
    const float tapeBottom = trackStripHeight - trackTapeBottomInset;

    // As large as the tape's height allows for the tallest capital with its
    // accent over the deepest descender; smaller if the sample name would not
    // fit, leaving a little room so that it is never the one that gets cut.
    appliedScale = std::min (1.0f, (tapeBottom - tapeTop) / (ink.getLength() * trackFontHeight));
    if (width * appliedScale > trackTextWidthLimit * 0.98f)
        appliedScale = trackTextWidthLimit * 0.98f / width;

    // Then the ink is centred on the tape.
    const float inkCentre = appliedScale * (ink.getStart() + ink.getEnd()) * 0.5f;
    const float lift = inkCentre - ((tapeTop + tapeBottom) * 0.5f - baseline) / trackFontHeight;
    face = copyGlyphs (*source, appliedScale, lift).release();

    juce::MemoryOutputStream out;
    if (! dynamic_cast<juce::CustomTypeface&> (*face).writeToStream (out))
        return {};

    return out.getMemoryBlock();
}

} // namespace vyrart
