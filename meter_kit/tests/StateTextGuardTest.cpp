// The guard in front of JUCE's XML parser: what it lets through JUCE reads to an
// element; what it refuses would crash, hang or cost the parser too much time, or
// is no state these plug-ins could have written.
#include "StateChunk.h"
#include "StateTextGuard.h"

#include <gtest/gtest.h>

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
    // JUCE's parser takes time in the square of their number for these.
    { "20000 four-byte characters by reference", "<a v=\"" + repeat("&#127928;", 20000) + "\"/>" },
    { "20000 markup characters by reference", "<a v=\"" + repeat("&amp;&lt;&gt;&quot;", 5000) + "\"/>" },
    { "a long value with many characters the writer escapes",
      "<a v=\"" + repeat("x", 100000) + repeat("\xc3\xa9", 1000) + "\"/>" },
    { "a plain value as long as the writer may write one",
      "<a v=\"" + repeat("x", vyrkit::maximumStateValueBytes) + "\"/>" },
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
    { "a value whose references cost too much", "<a v=\"" + repeat("&#233;", 40000) + "\"/>" },
    { "two values that together cost too much",
      "<a v=\"" + repeat("&#233;", 30000) + "\" w=\"" + repeat("&#233;", 30000) + "\"/>" },
    // Cheap to read as they stand, but saved again, each character beyond ASCII
    // or of markup becomes a reference, and that state would be refused.
    { "a value of raw characters the writer escapes", "<a v=\"" + repeat("\xc3\xa9", 40000) + "\"/>" },
    { "a plain value one byte longer than the writer may write",
      "<a v=\"" + repeat("x", vyrkit::maximumStateValueBytes + 1) + "\"/>" },
    { "a value the writer would write too long",
      "<a v=\"" + repeat("x", vyrkit::maximumStateValueBytes - 2000) + repeat("<", 1000) + "\"/>" },
};

TEST(StateTextGuard, AcceptsWhatJuceReadsToAnElement)
{
    for (const auto& c : accepted)
    {
        SCOPED_TRACE(c.label);
        EXPECT_TRUE(isSafeStateText(c.text.data(), c.text.size()));
        EXPECT_NE(juce::parseXML(juce::String::fromUTF8(c.text.data(), (int) c.text.size())), nullptr);
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

juce::MemoryBlock chunkOf(const std::string& text)
{
    return chunkOf(text, (juce::uint32) text.size());
}

std::unique_ptr<juce::XmlElement> parse(const juce::MemoryBlock& block, const char* droppable = nullptr)
{
    return vyrkit::parseStateChunk(block.getData(), (int) block.getSize(), droppable);
}

TEST(StateChunk, ParsesWhatItWrites)
{
    juce::XmlElement element("VYRTARVOsettings");
    element.setAttribute("signature", juce::String::fromUTF8("\"<&> \xc3\xa9 \xf0\x9f\x8e\xb5\t\r\n\x01"));
    element.setAttribute("trim", "0.5");
    const auto read = parse(vyrkit::makeStateChunk(element));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->isEquivalentTo(&element, false));
}

TEST(StateChunk, TheBoundsApplyToTheTextBeforeItsFirstZeroByte)
{
    // Zeros after a short text within the declared length are no part of it,
    // however many.
    const std::string padded = "<a b=\"1\"/>" + std::string(2u << 20, '\0');
    const auto read = parse(chunkOf(padded, (juce::uint32) padded.size()));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getStringAttribute("b"), "1");

    // A text as large as the bound is read, one byte more is not, whatever
    // follows it.
    const std::string element = "<a>" + std::string(vyrkit::maximumStateTextBytes - 7, ' ') + "</a>";
    ASSERT_EQ(element.size(), vyrkit::maximumStateTextBytes);
    for (const auto& tail : { std::string(), std::string(1, '\0'), std::string(100, '\0') })
    {
        EXPECT_NE(parse(chunkOf(element + tail, (juce::uint32) (element.size() + tail.size()))), nullptr);
        EXPECT_EQ(parse(chunkOf(" " + element + tail, (juce::uint32) (element.size() + 1 + tail.size()))), nullptr);
    }

    // The text ends where the declared length or the data does.
    EXPECT_NE(parse(chunkOf(padded, 10)), nullptr);
    EXPECT_EQ(parse(chunkOf(padded, 9)), nullptr);
}

// Only the document element's droppable attributes may be over the value
// bounds: the element is then read without every one of that name.
TEST(StateChunk, LeavesOutADroppableAttributeOverTheBounds)
{
    const std::string costly = repeat("&#233;", 40000);
    const std::string tooLong = repeat("x", vyrkit::maximumStateValueBytes + 1);
    for (const auto& value : { costly, tooLong })
    {
        const auto over = chunkOf("<a t=\"1\" s=\"" + value + "\" u=\"2\" s=\"short\"/>");
        for (const auto* droppable : { (const char*) nullptr, "t", "S" })
            EXPECT_EQ(parse(over, droppable), nullptr);
        const auto read = parse(over, "s");
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->getNumAttributes(), 2);
        EXPECT_EQ(read->getStringAttribute("t"), "1");
        EXPECT_EQ(read->getStringAttribute("u"), "2");

        // Inside a child element it is refused.
        EXPECT_EQ(parse(chunkOf("<a><b s=\"" + value + "\"/></a>"), "s"), nullptr);
    }
    // Where other values too make the text cost too much, it is refused.
    const std::string costlyButWithin = repeat("&#233;", 30000);
    EXPECT_EQ(parse(chunkOf("<a w=\"" + costlyButWithin + "\" s=\"" + costlyButWithin + "\"/>"), "s"), nullptr);
    // Within the bounds it is read as it is.
    const auto read = parse(chunkOf("<a s=\"" + repeat("&#233;", 1000) + "\"/>"), "s");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getStringAttribute("s").length(), 1000);
}

// The writer keeps a name that the reader takes as it is, and else saves the
// longest beginning of it that the reader takes, without characters that no
// state text can carry.
TEST(StateChunk, TheWriterSavesTheLongestTrackNameTheReaderTakes)
{
    const auto chunkWith = [](const juce::String& name) {
        juce::XmlElement element("VYRTARVOsettings");
        element.setAttribute("trim", "0.5");
        vyrkit::setAttributeReadBack(element, "signature", name);
        element.setAttribute("size", "1");
        return vyrkit::makeStateChunk(element);
    };
    const auto withoutCutting = [](const juce::String& name) {
        juce::XmlElement element("VYRTARVOsettings");
        element.setAttribute("trim", "0.5");
        element.setAttribute("signature", name);
        element.setAttribute("size", "1");
        return vyrkit::makeStateChunk(element);
    };
    const juce::String ordinary = "Bass \"DI\" & <amp>";
    EXPECT_TRUE(chunkWith(ordinary) == withoutCutting(ordinary));

    const juce::juce_wchar odd[] = { 'a', 0xd800, 'b', 0xdfff, 0x110000, 0x1fffff, 'c', 0 };
    const auto cleaned = parse(chunkWith(juce::String(juce::CharPointer_UTF32(odd))));
    ASSERT_NE(cleaned, nullptr);
    EXPECT_EQ(cleaned->getStringAttribute("signature"), "abc");

    const char* const scripts[] = { "Lead Vocal Take ", "&<>\"", "\xc3\xa9", "\xe4\xb8\xbb", "\xf0\x9f\x8e\xb8" };
    for (const auto* script : scripts)
    {
        SCOPED_TRACE(script);
        const auto piece = juce::String::fromUTF8(script);
        const auto name = juce::String::repeatedString(piece, 1200000 / piece.length());
        const auto read = parse(chunkWith(name), "signature");
        ASSERT_NE(read, nullptr);
        const auto saved = read->getStringAttribute("signature");
        EXPECT_TRUE(name.startsWith(saved));
        EXPECT_GE(saved.length(), 20000);
        // One character more and the reader would leave the name out.
        const auto longer = parse(withoutCutting(name.substring(0, saved.length() + 1)), "signature");
        ASSERT_NE(longer, nullptr);
        EXPECT_FALSE(longer->hasAttribute("signature"));
        EXPECT_EQ(longer->getStringAttribute("trim"), "0.5");
    }
}
} // namespace
