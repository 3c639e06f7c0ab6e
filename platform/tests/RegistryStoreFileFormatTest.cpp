// The settings files as they are on disk: what earlier versions of the store wrote,
// what people type by hand, and the byte-order mark an editor may put in front.
#include "RegistryStore.h"
#include "StoreTestDirectory.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using vyrplatform::RegistryStore;

namespace
{
const juce::String key = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\";
const std::string byteOrderMark = "\xef\xbb\xbf";

class RegistryStoreFileFormat : public StoreInTestDirectory
{
protected:
    juce::File keyFile() const { return dir.child("Korvanta/VYRTARVO.reg"); }
};

std::optional<juce::String> readValue(const juce::String& name)
{
    if (! RegistryStore::valueExists(key + name))
        return std::nullopt;
    return RegistryStore::getValue(key + name);
}

//============================================================================== files written before
// A key file exactly as the store has written it, escapes of every kind included,
// and the values it holds.
const std::string writtenFile =
    R"(; HKEY_CURRENT_USER\Software\Korvanta\VYRTARVO
; one value a line: name=text (in both, \\ is a backslash, \n a line break)
tarvoHold=0.5
empty=
manualpath=C:\\Manuals\\Vyr.pdf
lookalikes=\\= \\; \\# \\n \\r \\\\ \\
equals=a=b==c=
lines=one\ntwo\r\nthree\r
comment=; # not a comment
)" "blanks=  padded\t \n" R"(a\=b=name with equals
\;semi=leading semicolon
\#hash=leading hash
mid;dle#=inner comment signs
two\nlines\r=name with breaks
)" "gr\xc3\xb6\xc3\x9f" "e=\xe2\x9c\x93 \xf0\x9f\x8e\xb5\n"
    "\xef\xbb\xbf" "bom=not the first line\n"
    "=default value\n";

const std::vector<std::pair<const char*, const char*>> writtenValues = {
    { "tarvoHold", "0.5" },
    { "empty", "" },
    { "manualpath", "C:\\Manuals\\Vyr.pdf" },
    { "lookalikes", "\\= \\; \\# \\n \\r \\\\ \\" },
    { "equals", "a=b==c=" },
    { "lines", "one\ntwo\r\nthree\r" },
    { "comment", "; # not a comment" },
    { "blanks", "  padded\t " },
    { "a=b", "name with equals" },
    { ";semi", "leading semicolon" },
    { "#hash", "leading hash" },
    { "mid;dle#", "inner comment signs" },
    { "two\nlines\r", "name with breaks" },
    { "gr\xc3\xb6\xc3\x9f" "e", "\xe2\x9c\x93 \xf0\x9f\x8e\xb5" },
    { "\xef\xbb\xbf" "bom", "not the first line" },
    { "", "default value" },
};

TEST_F(RegistryStoreFileFormat, AFileTheStoreWroteReadsAsItWasWritten)
{
    ASSERT_TRUE(writeBytes(keyFile(), writtenFile));
    for (auto& [name, text] : writtenValues)
        EXPECT_EQ(readValue(juce::String::fromUTF8(name)), juce::String::fromUTF8(text)) << name;

    // Writing it again makes the same bytes, and one new value leaves every line alone.
    for (auto& [name, text] : writtenValues)
        ASSERT_TRUE(RegistryStore::setValue(key + juce::String::fromUTF8(name), juce::String::fromUTF8(text)));
    EXPECT_EQ(readBytes(keyFile()), writtenFile);
    ASSERT_TRUE(RegistryStore::setValue(key + "added", "1"));
    EXPECT_EQ(readBytes(keyFile()), writtenFile + "added=1\n");
}

//============================================================================== files written by hand
struct HandWrittenCase
{
    const char* label;
    std::string contents;   // the whole file
    const char* name;       // the value looked up
    const char* expected;   // its text, or nullptr when there is no such value
};

void PrintTo(const HandWrittenCase& c, std::ostream* os) { *os << c.label; }

class RegistryStoreHandWritten : public RegistryStoreFileFormat,
                                 public ::testing::WithParamInterface<HandWrittenCase> {};

TEST_P(RegistryStoreHandWritten, ReadsAsDocumentedAndSurvivesARewrite)
{
    const auto& c = GetParam();
    ASSERT_TRUE(writeBytes(keyFile(), c.contents));
    const auto name = juce::String::fromUTF8(c.name);
    const auto expected = c.expected != nullptr ? std::optional(juce::String::fromUTF8(c.expected)) : std::nullopt;
    EXPECT_EQ(readValue(name), expected);

    // Another value written beside it leaves the line as typed.
    ASSERT_TRUE(RegistryStore::setValue(key + "other", "1"));
    EXPECT_EQ(readValue(name), expected);
    auto withoutLastBreak = c.contents;
    if (! withoutLastBreak.empty() && withoutLastBreak.back() == '\n')
        withoutLastBreak.pop_back();
    EXPECT_EQ(readBytes(keyFile()), withoutLastBreak + "\nother=1\n");
}

INSTANTIATE_TEST_SUITE_P(Lines, RegistryStoreHandWritten, ::testing::Values(
    // In texts only \\, \n and \r are escapes: any other backslash stands for itself.
    HandWrittenCase { "BackslashEqualsInText", R"(a=x\=y)" "\n", "a", R"(x\=y)" },
    HandWrittenCase { "BackslashCommentSignsInText", R"(a=\;x\#y)" "\n", "a", R"(\;x\#y)" },
    HandWrittenCase { "TypedWindowsPath", R"(manualpath=C:\#1\;old\=x\Vyr.pdf)" "\n", "manualpath",
                      R"(C:\#1\;old\=x\Vyr.pdf)" },
    HandWrittenCase { "DoubledBackslash", R"(a=C:\\new)" "\n", "a", R"(C:\new)" },
    HandWrittenCase { "LineBreakEscapes", R"(a=one\ntwo\r)" "\n", "a", "one\ntwo\r" },
    HandWrittenCase { "TrailingBackslash", R"(a=end\)" "\n", "a", R"(end\)" },
    // In names \= anywhere and \; or \# at the start are escapes as well.
    HandWrittenCase { "EscapedEqualsInName", R"(a\=b=x)" "\n", "a=b", "x" },
    HandWrittenCase { "EscapedLeadingSemicolon", R"(\;a=x)" "\n", ";a", "x" },
    HandWrittenCase { "EscapedLeadingHash", R"(\#a=x)" "\n", "#a", "x" },
    HandWrittenCase { "BackslashSemicolonInsideName", R"(a\;b=x)" "\n", "a;b", nullptr },
    // Windows line ends: the carriage return that ends a line is dropped, one only.
    HandWrittenCase { "WindowsLineEnd", "a=windows\r\n", "a", "windows" },
    HandWrittenCase { "WindowsLineEndOnTheLastLine", "a=windows\r", "a", "windows" },
    HandWrittenCase { "TwoCarriageReturns", "a=x\r\r\n", "a", "x\r" },
    HandWrittenCase { "CarriageReturnInsideText", "a=x\ry\n", "a", "x\ry" },
    // Nothing else is trimmed.
    HandWrittenCase { "BlanksAroundEquals", " a = b \n", " a ", " b " },
    HandWrittenCase { "BlanksAroundEqualsNotTrimmed", " a = b \n", "a", nullptr }),
    [](const auto& info) { return std::string(info.param.label); });

//============================================================================== byte-order marks
// A name that starts with U+FEFF: its first bytes are those of a byte-order mark.
const juce::String markedName = juce::String::fromUTF8("\xef\xbb\xbf" "marked");

TEST_F(RegistryStoreFileFormat, ANameStartingWithAByteOrderMarkReadsBackAsTheFirstLine)
{
    ASSERT_TRUE(keyFile().create()); // an empty key file: the value is its first line
    ASSERT_TRUE(RegistryStore::setValue(key + markedName, "x"));

    EXPECT_EQ(readValue(markedName), "x");
    EXPECT_EQ(readValue("marked"), std::nullopt);
    EXPECT_EQ(readBytes(keyFile()), byteOrderMark + byteOrderMark + "marked=x\n");
}

TEST_F(RegistryStoreFileFormat, ANameStartingWithAByteOrderMarkReadsBackWhenItBecomesTheFirstLine)
{
    ASSERT_TRUE(writeBytes(keyFile(), "a=1\n"));
    ASSERT_TRUE(RegistryStore::setValue(key + markedName, "x"));
    ASSERT_TRUE(RegistryStore::deleteValue(key + "a"));

    EXPECT_EQ(readValue(markedName), "x");
    EXPECT_EQ(readValue("marked"), std::nullopt);
}

TEST_F(RegistryStoreFileFormat, AMarkedFileWhoseFirstNameStartsWithAMarkKeepsItOnARewrite)
{
    ASSERT_TRUE(writeBytes(keyFile(), byteOrderMark + byteOrderMark + "marked=x\n"));
    EXPECT_EQ(readValue(markedName), "x");

    ASSERT_TRUE(RegistryStore::setValue(key + "other", "1"));
    EXPECT_EQ(readValue(markedName), "x");
    EXPECT_EQ(readValue("marked"), std::nullopt);
}
} // namespace
