#include "TrackTypeface.h"

namespace vyrart
{
namespace
{

// Copies the glyphs 1..255 of a typeface, their outlines and advances multiplied by
// `scale`. Every code gets a glyph; one the font lacks (control codes, say) is blank
// and as wide as a space, like the default character. Only the font's own glyphs
// are taken: JUCE would answer a missing character from a fallback face of the
// machine, which would make the result depend on the installed fonts. Kerning pairs
// are not copied: the strip measures and draws plain advances.
std::unique_ptr<juce::CustomTypeface> copyGlyphs (juce::Typeface& source, float scale)
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

        outline.applyTransform (juce::AffineTransform::scale (scale));
        face->addGlyph (c, outline, advance * scale);
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
