// The reader of state texts: what it takes JUCE's parser reads to the same
// element (tag, attributes and values); what it refuses would crash or hang that
// parser, or is no state these plug-ins could have written.
#include "StateChunk.h"
#include "StateTextGuard.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace
{
using vyrkit::isSafeStateText;

std::string repeat(const std::string& s, size_t n)
{
    std::string out;
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

std::string nested(int depth)
{
    return repeat("<a>", (size_t) depth) + repeat("</a>", (size_t) depth);
}

std::string withAttributes(int count)
{
    std::string s = "<s";
    for (int i = 0; i < count; ++i)
        s += " n" + std::to_string(i) + "=\"\"";
    return s + "/>";
}

struct GuardCase
{
    const char* label;
    std::string text;
};

// Texts that JUCE reads safely, among them every form a saved state takes.
const std::vector<GuardCase> accepted = {
    { "a saved state", "<VYRTARVOsettings hold=\"0\" LRMS=\"0\" trim=\"0.5\" active=\"0\" signature=\"Master Track\" latency=\"0\" size=\"0\"/>" },
    { "a saved track name with references",
      "<VYRKELSOMsettings signature=\"Bass &quot;DI&quot; &amp; &lt;amp&gt; &#233;t&#233; &#128512;\"/>" },
    { "references in any letter case and by hexadecimal number", "<a b=\"&AMP;&Quot;&apos;&LT;&gT;&#x1f3b5;&#X10FFFF;&#1114111;\"/>" },
    { "a declaration, comments and instructions before the element",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- by hand --><?pi x?>\t<a/>" },
    { "children, text, CDATA, comments and an instruction before a tag",
      "<a t=\"1\"><b c=\"/>\"/>text &lt; &#233;<![CDATA[<x>&]]><!-- <x> --><?pi?> <!-- c --> <c></c>\r\n</a>" },
    { "single quotes, blanks around '=', no blank between attributes", "<a b = '\"1\"'c=\"<'>\"\td='' />" },
    { "UTF-8 of every length in values, text and comments",
      "<a s=\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x8e\xb5\xf4\x8f\xbf\xbf\">\xed\x9f\xbf\xee\x80\x80<!--\xf0\x90\x80\x80--></a>" },
    { "an end tag with blanks and any name", "<a><b></c ></a>" },
    { "whatever follows the element", "<a/> never read <<<\"" },
    { "elements nested as deep as allowed", nested(vyrkit::maximumStateNesting) },
    { "as many names as allowed", withAttributes(vyrkit::maximumStateNames - 1) },
    { "the same attribute twice", "<a b=\"1\" c=\"2\" b=\"3\"/>" },
    { "a plain value of half a million characters", "<a v=\"" + repeat("Lead Vocal Take ", 32768) + "\"/>" },
    // JUCE's parser takes time in the square of their number for these; the
    // reader takes linear time.
    { "20000 four-byte characters by reference", "<a v=\"" + repeat("&#127928;", 20000) + "\"/>" },
    { "a long value with many characters the writer escapes",
      "<a v=\"" + repeat("x", 100000) + repeat("\xc3\xa9", 1000) + "\"/>" },
    { "a text as large as allowed", "<a>" + repeat(" ", vyrkit::maximumStateTextBytes - 7) + "</a>" },
};

// Texts that JUCE mishandles (crash, endless loop, recursion as deep as the text
// is long) or that are no element JUCE would read.
const std::vector<GuardCase> refused = {
    { "nothing", "" },
    { "white space only", " \r\n\t" },
    { "not markup", "this is not a state" },
    { "a byte-order mark", "\xef\xbb\xbf<a/>" },
    // UTF-8 that JUCE's text pointers step over by the wrong length.
    { "a lead byte at the end of a value", "<a b=\"\xf2" },
    { "a lead byte before the closing quote", "<a b=\"\xe2\x82\"/>" },
    { "a lone continuation byte", "<a b=\"\x80\"/>" },
    { "an overlong zero", "<a b=\"\xc0\x80\"/>" },
    { "an overlong three-byte form", "<a b=\"\xe0\x80\xaf\"/>" },
    { "a surrogate", "<a b=\"\xed\xa0\x80\"/>" },
    { "a five-byte form", "<a b=\"\xf8\x88\x80\x80\x80\"/>" },
    { "beyond U+10FFFF", "<a b=\"\xf4\x90\x80\x80\"/>" },
    { "invalid UTF-8 after the element", "<a/>\xff" },
    // Syntax errors after which JUCE carries on.
    { "a stray quote before tags", "<VYRTARVOsettings hold=\"1\"><a\"" + repeat("<b>", 100) },
    { "an unclosed quote", "<a b=\"1/>" },
    { "a value without quotes", "<a b=1/>" },
    { "an attribute without a value", "<a b/>" },
    { "a blank after '<'", "< a/>" },
    { "a blank inside '/>'", "<a/ >" },
    { "an end tag without a name", "<a></>" },
    { "an element never closed", "<a><b/>" },
    { "a tag never ended", "<a b=\"1\"" },
    { "a name beyond ASCII", "<a\xc3\xa9/>" },
    { "a form feed in a tag", "<a\f/>" },
    { "a comment inside a tag", "<a <!-- x --> b=\"1\"/>" },
    // Processing instructions.
    { "an instruction followed by text", "<a><?x?>b</a>" },
    { "an instruction, a comment, then text", "<a>t<?x?> <!-- c -->u</a>" },
    { "an instruction followed by a reference", "<a><?x?>&amp;</a>" },
    { "an instruction followed by a space beyond ASCII", "<a><?x?>\xe3\x80\x80<b/></a>" },
    { "an unterminated instruction", "<a><?x </a>" },
    { "an unterminated comment", "<a><!-- </a>" },
    { "an unterminated CDATA section", "<a><![CDATA[ </a>" },
    // Markup declarations and entities.
    { "a document type", "<!DOCTYPE x [<!ENTITY e \"<b><b>\">]><a>&e;</a>" },
    { "a declaration inside an element", "<a><!ELEMENT b ANY></a>" },
    { "an unknown entity", "<a b=\"&nbsp;\"/>" },
    { "an ampersand alone", "<a>fish & chips</a>" },
    { "character 0", "<a b=\"&#0;\"/>" },
    { "a surrogate by number", "<a b=\"&#xD800;\"/>" },
    { "beyond U+10FFFF by number", "<a b=\"&#x110000;\"/>" },
    { "a number without digits", "<a b=\"&#;&#x;\"/>" },
    { "a number that is not decimal", "<a b=\"&#12a;\"/>" },
    { "13 decimal digits", "<a b=\"&#0000000000065;\"/>" },
    { "9 hexadecimal digits", "<a b=\"&#x000000041;\"/>" },
    { "an unterminated number", "<a b=\"&#65\"/>" },
    // Limits.
    { "elements nested too deep", nested(vyrkit::maximumStateNesting + 1) },
    { "too many names", withAttributes(vyrkit::maximumStateNames) },
    { "a text too large", "<a>" + repeat(" ", vyrkit::maximumStateTextBytes) + "</a>" },
};

TEST(StateTextGuard, ReadsWhatJuceReadsToTheSameElement)
{
    for (const auto& c : accepted)
    {
        SCOPED_TRACE(c.label);
        const auto read = vyrkit::readStateText(c.text.data(), c.text.size());
        ASSERT_TRUE(read.has_value());
        const auto xml = juce::parseXML(juce::String::fromUTF8(c.text.data(), (int) c.text.size()));
        ASSERT_NE(xml, nullptr);
        EXPECT_EQ(juce::String(read->tag), xml->getTagName());
        ASSERT_EQ(read->attributes.size(), (size_t) xml->getNumAttributes());
        for (int i = 0; i < xml->getNumAttributes(); ++i)
        {
            const auto& attribute = read->attributes[(size_t) i];
            EXPECT_EQ(juce::String(attribute.name), xml->getAttributeName(i));
            EXPECT_TRUE(juce::String::fromUTF8(attribute.value.data(), (int) attribute.value.size()) == xml->getAttributeValue(i))
                << attribute.name;
        }
    }
}

TEST(StateTextGuard, RefusesWhatJuceMishandlesOrCannotRead)
{
    for (const auto& c : refused)
    {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(isSafeStateText(c.text.data(), c.text.size()));
    }
}

TEST(StateTextGuard, LooksOnlyAtTheBytesBeforeTheFirstZeroAndWithinTheLength)
{
    const std::string text = std::string("<a/>") + '\0' + "\xff junk";
    EXPECT_TRUE(isSafeStateText(text.data(), text.size()));
    EXPECT_FALSE(isSafeStateText(text.data(), 3)); // "<a/" only
}

juce::MemoryBlock chunkOf(const std::string& text, juce::uint32 declaredLength)
{
    juce::MemoryBlock block;
    block.append("VC2!", 4);
    block.append(&declaredLength, 4);
    block.append(text.data(), text.size());
    return block;
}

TEST(StateChunk, ReadsWhatItWrites)
{
    juce::XmlElement element("VYRTARVOsettings");
    const auto name = juce::String::fromUTF8("\"<&> \xc3\xa9 \xf0\x9f\x8e\xb5\t\r\n\x01");
    element.setAttribute("signature", name);
    element.setAttribute("trim", "0.5");
    const auto block = vyrkit::makeStateChunk(element);
    const auto read = vyrkit::parseStateChunk(block.getData(), (int) block.getSize());
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(vyrkit::tagNameMatches(*read, "vyrtarvoSETTINGS"));
    EXPECT_EQ(vyrkit::stringAttribute(*read, "signature"), name);
    EXPECT_EQ(vyrkit::numberAttribute(*read, "trim", 7.0), 0.5);
    EXPECT_EQ(vyrkit::numberAttribute(*read, "hold", 7.0), 7.0);
    EXPECT_EQ(vyrkit::stringAttribute(*read, "hold"), std::nullopt);
}

TEST(StateChunk, TheBoundsApplyToTheTextBeforeItsFirstZeroByte)
{
    // Zeros after a short text within the declared length are no part of it,
    // however many.
    const std::string padded = "<a b=\"1\"/>" + std::string(2u << 20, '\0');
    const auto large = chunkOf(padded, (juce::uint32) padded.size());
    const auto read = vyrkit::parseStateChunk(large.getData(), (int) large.getSize());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(vyrkit::stringAttribute(*read, "b"), "1");

    // A text as large as the bound is read, one byte more is not, whatever
    // follows it.
    const std::string element = "<a>" + std::string(vyrkit::maximumStateTextBytes - 7, ' ') + "</a>";
    ASSERT_EQ(element.size(), vyrkit::maximumStateTextBytes);
    for (const auto& tail : { std::string(), std::string(1, '\0'), std::string(100, '\0') })
    {
        const auto atTheBound = chunkOf(element + tail, (juce::uint32) (element.size() + tail.size()));
        EXPECT_TRUE(vyrkit::parseStateChunk(atTheBound.getData(), (int) atTheBound.getSize()).has_value());
        const auto beyond = chunkOf(" " + element + tail, (juce::uint32) (element.size() + 1 + tail.size()));
        EXPECT_FALSE(vyrkit::parseStateChunk(beyond.getData(), (int) beyond.getSize()).has_value());
    }

    // The text ends where the declared length or the data does.
    const auto declaredShort = chunkOf(padded, 10);
    EXPECT_TRUE(vyrkit::parseStateChunk(declaredShort.getData(), (int) declaredShort.getSize()).has_value());
    const auto cut = chunkOf(padded, 9);
    EXPECT_FALSE(vyrkit::parseStateChunk(cut.getData(), (int) cut.getSize()).has_value());
}

// The writer keeps an ordinary name as it is, and cuts or cleans only a name
// that no state could carry back.
TEST(StateChunk, TheWriterSavesATrackNameThatAStateCarries)
{
    const int n = vyrkit::maximumTrackNameCharacters;
    const auto guitar = juce::String::fromUTF8("\xf0\x9f\x8e\xb8");
    const juce::juce_wchar oddCharacters[] = { 'a', 0xd800, 'b', 0xdfff, 0x110000, 0x1fffff, 'c', 0 };

    struct Case
    {
        const char* label;
        juce::String name, saved;
    };
    const Case cases[] = {
        { "an ordinary name", "Bass \"DI\" & <amp>", "Bass \"DI\" & <amp>" },
        { "the longest name", juce::String::repeatedString(guitar, n), juce::String::repeatedString(guitar, n) },
        { "a name one character too long", juce::String::repeatedString(guitar, n) + "x",
          juce::String::repeatedString(guitar, n) },
        { "a much longer name", juce::String::repeatedString("ab", n), juce::String::repeatedString("ab", n / 2) },
        { "surrogates and numbers beyond Unicode", juce::String(juce::CharPointer_UTF32(oddCharacters)), "abc" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        EXPECT_TRUE(vyrkit::trackNameToSave(c.name) == c.saved);
    }
}
} // namespace
