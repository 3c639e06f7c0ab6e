// The embedded track-name typeface reads back as the strip reads it and sets a
// typical track name within the strip's width.
#include <VyrKitArt.h>

#include <gtest/gtest.h>
#include <juce_graphics/juce_graphics.h>

namespace
{

juce::Typeface::Ptr readTrackTypeface()
{
    juce::MemoryInputStream stream (vyrkit_art::track_typeface_bin, (size_t) vyrkit_art::track_typeface_binSize, false);
    return new juce::CustomTypeface (stream);
}

juce::Font trackFont (juce::Typeface::Ptr face)
{
    juce::Font font (face);
    font.setHeight (44.0f);
    font.setHorizontalScale (1.2f);
    return font;
}

TEST (TrackTypeface, ReadsBackWithItsCharacteristics)
{
    const auto face = readTrackTypeface();
    EXPECT_EQ (face->getName(), "Vyr Tape Hand");
    EXPECT_FLOAT_EQ (face->getAscent(), 0.8f);
    EXPECT_FALSE (juce::Font (face).isBold());
    EXPECT_FALSE (juce::Font (face).isItalic());
}

TEST (TrackTypeface, HoldsOutlinedGlyphsForLettersDigitsAndLatin1)
{
    const auto face = readTrackTypeface();
    const auto characters = juce::String::fromUTF8 ("AZaz09 .-_()&\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xc3\xa9"); // with äöüßé

    for (auto c : characters)
    {
        juce::Array<int> glyphs;
        juce::Array<float> offsets;
        face->getGlyphPositions (juce::String::charToString (c), glyphs, offsets);
        ASSERT_EQ (glyphs.size(), 1) << (int) c;
        EXPECT_GT (offsets[1], 0.0f) << "advance of " << (int) c;

        juce::Path outline;
        face->getOutlineForGlyph (glyphs.getFirst(), outline);
        if (c != ' ')
        {
            EXPECT_FALSE (outline.isEmpty()) << "outline of " << (int) c;
        }
    }
}

TEST (TrackTypeface, TypicalTrackNameFitsTheStrip)
{
    const auto font = trackFont (readTrackTypeface());
    const auto width = font.getStringWidthFloat ("Lead Vocal Double 02");
    EXPECT_LE (width, 496.0f);
    // Not shrunk to a scribble either: the glyphs are as large as the strip's
    // height allows, and the name takes more than half of the 506-pixel strip.
    EXPECT_GE (width, 253.0f);
}

} // namespace

namespace
{

// The stream as written: zlib format, then name, style, ascent, default character,
// the glyphs in code order and the kerning pairs.
TEST (TrackTypefaceStream, HoldsEveryCodeFromOneTo255AndNoKerning)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (vyrkit_art::track_typeface_bin);
    ASSERT_GT (vyrkit_art::track_typeface_binSize, 2);
    EXPECT_EQ (bytes[0], 0x78) << "zlib header";

    juce::MemoryInputStream raw (vyrkit_art::track_typeface_bin, (size_t) vyrkit_art::track_typeface_binSize, false);
    juce::GZIPDecompressorInputStream in (raw);

    EXPECT_EQ (in.readString(), "Vyr Tape Hand");
    EXPECT_FALSE (in.readBool());
    EXPECT_FALSE (in.readBool());
    EXPECT_FLOAT_EQ (in.readFloat(), 0.8f);
    EXPECT_EQ (in.readShort(), 32);

    const int glyphs = in.readInt();
    ASSERT_EQ (glyphs, 255);

    juce::Array<int> blank;
    for (int i = 0; i < glyphs; ++i)
    {
        ASSERT_EQ ((int) (juce::uint16) in.readShort(), i + 1);
        EXPECT_GT (in.readFloat(), 0.0f) << "advance of " << i + 1;
        juce::Path outline;
        outline.loadPathFromStream (in);
        if (outline.isEmpty())
            blank.add (i + 1);
    }
    EXPECT_EQ (in.readInt(), 0) << "kerning pairs";

    // Control codes and spaces are blank; letters, digits and Latin-1 letters are not.
    for (int c = 1; c < 32; ++c)
        EXPECT_TRUE (blank.contains (c)) << c;
    for (int c = 127; c < 160; ++c)
        EXPECT_TRUE (blank.contains (c)) << c;
    EXPECT_TRUE (blank.contains (32));
    for (int c = 33; c < 127; ++c)
        EXPECT_FALSE (blank.contains (c)) << c;
    for (int c = 192; c <= 255; ++c)
        EXPECT_FALSE (blank.contains (c)) << c;
}

} // namespace
