#include "RegistryStore.h"
#include "StoreTestDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>

using vyrplatform::RegistryStore;

namespace
{
const juce::String key = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO";
juce::String valuePath(const juce::String& name) { return key + "\\" + name; }

class RegistryStoreTest : public StoreInTestDirectory
{
protected:
    juce::File keyFile() const { return dir.child("Korvanta/VYRTARVO.reg"); }
};

//============================================================================== round trip
struct RoundTripCase
{
    const char* label;
    const char* name;
    const char* text;
};

class RegistryStoreRoundTrip : public RegistryStoreTest,
                               public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RegistryStoreRoundTrip, ReadsBackWhatWasWritten)
{
    const auto name = juce::String::fromUTF8(GetParam().name);
    const auto text = juce::String::fromUTF8(GetParam().text);
    ASSERT_TRUE(RegistryStore::setValue(valuePath("before"), "1"));
    ASSERT_TRUE(RegistryStore::setValue(valuePath(name), text));
    ASSERT_TRUE(RegistryStore::setValue(valuePath("after"), "2"));

    EXPECT_TRUE(RegistryStore::valueExists(valuePath(name)));
    EXPECT_EQ(RegistryStore::getValue(valuePath(name), "default"), text);
    // The neighbours are not disturbed by whatever the value holds.
    EXPECT_EQ(RegistryStore::getValue(valuePath("before")), "1");
    EXPECT_EQ(RegistryStore::getValue(valuePath("after")), "2");
}

INSTANTIATE_TEST_SUITE_P(Texts, RegistryStoreRoundTrip, ::testing::Values(
    RoundTripCase { "Number", "tarvoHold", "0.5" },
    RoundTripCase { "Empty", "tarvoHold", "" },
    RoundTripCase { "EqualsSigns", "tarvoHold", "a=b==c=" },
    RoundTripCase { "WindowsPath", "manualpath", "C:\\Manuals\\new\\readme.pdf\\" },
    RoundTripCase { "EscapeLookalikes", "tarvoHold", "\\n \\r \\\\ \\= \\" },
    RoundTripCase { "LineBreaks", "tarvoHold", "one\ntwo\r\nthree\n" },
    RoundTripCase { "CommentStart", "tarvoHold", "; # not a comment" },
    RoundTripCase { "Blanks", "tarvoHold", "  padded\t " },
    RoundTripCase { "NonAscii", "tarvoHold", "\xc3\xbc\xc3\x9f \xe2\x9c\x93 \xf0\x9f\x8e\xb5" },
    RoundTripCase { "NameWithEquals", "a=b", "x" },
    RoundTripCase { "NameLikeComment", ";name", "x" },
    RoundTripCase { "NameLikeHashComment", "#name", "x" },
    RoundTripCase { "NameWithLineBreak", "two\nlines", "x" },
    RoundTripCase { "NonAsciiName", "gr\xc3\xb6\xc3\x9f" "e", "x" },
    RoundTripCase { "DefaultValueOfKey", "", "x" }),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RegistryStoreTest, KeepsOneReadableFilePerKey)
{
    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));
    ASSERT_TRUE(RegistryStore::setValue(valuePath("manual"), "C:\\x"));
    ASSERT_TRUE(RegistryStore::setValue("HKCU\\Software\\Korvanta\\VYRKELSO\\kelsoRef", "0.25"));

    const auto text = juce::String::fromUTF8(readBytes(keyFile()).c_str());
    EXPECT_TRUE(text.contains("\ntarvoHold=0.5\n")) << text;
    EXPECT_TRUE(text.contains("\nmanual=C:\\\\x\n")) << text;
    EXPECT_TRUE(dir.child("Korvanta/VYRKELSO.reg").existsAsFile());
}

TEST_F(RegistryStoreTest, RewritingAValueReplacesItsLine)
{
    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));
    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.75"));
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold")), "0.75");
    EXPECT_EQ(juce::String(readBytes(keyFile())).indexOf("tarvoHold"),
              juce::String(readBytes(keyFile())).lastIndexOf("tarvoHold"));
}

//============================================================================== names
TEST_F(RegistryStoreTest, KeyAndValueNamesIgnoreCaseAndTheWriterKeepsTheFirstSpelling)
{
    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));

    EXPECT_EQ(RegistryStore::getValue("hkey_current_user\\SOFTWARE\\korvanta\\vyrtarvo\\TARVOHOLD"), "0.5");
    EXPECT_TRUE(RegistryStore::keyExists("HKCU\\software\\KORVANTA\\VyrTarvo"));

    ASSERT_TRUE(RegistryStore::setValue("HKCU\\Software\\KORVANTA\\vyrtarvo\\TARVOHOLD", "0.75"));
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold")), "0.75");

    const auto text = juce::String(readBytes(keyFile()));
    EXPECT_TRUE(text.contains("\ntarvoHold=0.75\n")) << text;
    EXPECT_FALSE(text.containsIgnoreCase("TARVOHOLD=0.5"));
    // Still one directory and one file, under the first spelling.
    EXPECT_EQ(dir.get().getNumberOfChildFiles(juce::File::findFilesAndDirectories), 1);
    EXPECT_EQ(dir.child("Korvanta").getNumberOfChildFiles(juce::File::findFiles, "*.reg"), 1);
}

TEST_F(RegistryStoreTest, ShortHiveNameIsTheSameHive)
{
    ASSERT_TRUE(RegistryStore::setValue("HKCU\\Software\\Korvanta\\VYRTARVO\\tarvoRef", "0.65"));
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoRef")), "0.65");
    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoRef"), "0.7"));
    EXPECT_EQ(RegistryStore::getValue("hkcu\\Software\\Korvanta\\VYRTARVO\\tarvoRef"), "0.7");
}

class RegistryStoreUnsupportedPath : public RegistryStoreTest,
                                     public ::testing::WithParamInterface<const char*> {};

TEST_P(RegistryStoreUnsupportedPath, ReadsAsMissingAndCannotBeWritten)
{
    const juce::String path(GetParam());
    EXPECT_FALSE(RegistryStore::setValue(path, "1"));
    EXPECT_EQ(RegistryStore::getValue(path, "default"), "default");
    EXPECT_FALSE(RegistryStore::valueExists(path));
    EXPECT_FALSE(RegistryStore::deleteValue(path));
    EXPECT_EQ(dir.get().getNumberOfChildFiles(juce::File::findFilesAndDirectories), 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, RegistryStoreUnsupportedPath, ::testing::Values(
    "HKEY_LOCAL_MACHINE\\Software\\Korvanta\\VYRTARVO\\tarvoHold",
    "HKLM\\Software\\Korvanta\\VYRTARVO\\tarvoHold",
    "HKEY_CLASSES_ROOT\\Korvanta\\tarvoHold",
    "HKEY_CURRENT_USERX\\Software\\Korvanta\\VYRTARVO\\tarvoHold",
    "Software\\Korvanta\\VYRTARVO\\tarvoHold",
    "",
    "HKCU\\tarvoHold",
    "HKCU\\Software\\tarvoHold",
    "HKCU\\Environment\\Korvanta\\tarvoHold",
    "HKCU\\Software\\Korvanta\\\\VYRTARVO\\tarvoHold",
    "HKCU/Software/Korvanta/VYRTARVO/tarvoHold"));

TEST_F(RegistryStoreTest, KeyNamesCannotLeaveTheRoot)
{
    const juce::String path = "HKCU\\Software\\..\\..\\escape/..\\x\\v";
    ASSERT_TRUE(RegistryStore::setValue(path, "1"));
    EXPECT_EQ(RegistryStore::getValue(path), "1");
    EXPECT_FALSE(dir.get().getParentDirectory().getChildFile("escape").exists());

    juce::Array<juce::File> made;
    dir.get().findChildFiles(made, juce::File::findFilesAndDirectories, true);
    for (auto& f : made)
        EXPECT_TRUE(f.isAChildOf(dir.get())) << f.getFullPathName();
}

//============================================================================== missing values and deletion
TEST_F(RegistryStoreTest, MissingKeyOrValueGivesTheDefault)
{
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold"), "0.5"), "0.5");
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold")), "");
    EXPECT_FALSE(RegistryStore::valueExists(valuePath("tarvoHold")));
    EXPECT_FALSE(RegistryStore::keyExists(key));

    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoRef"), "0.65"));
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold"), "0.5"), "0.5");
    EXPECT_FALSE(RegistryStore::valueExists(valuePath("tarvoHold")));
    EXPECT_EQ(RegistryStore::getValue("HKCU\\Software\\Korvanta\\VYRKELSO\\tarvoRef", "d"), "d");
}

TEST_F(RegistryStoreTest, DeleteValueRemovesOnlyThatValueAndKeepsTheKey)
{
    EXPECT_FALSE(RegistryStore::deleteValue(valuePath("tarvoHold")));
    EXPECT_FALSE(dir.child("Korvanta").exists()) << "deleting nothing makes no directory";

    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));
    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoRef"), "0.65"));
    EXPECT_TRUE(RegistryStore::deleteValue(valuePath("TARVOHOLD")));
    EXPECT_FALSE(RegistryStore::deleteValue(valuePath("tarvoHold")));

    EXPECT_FALSE(RegistryStore::valueExists(valuePath("tarvoHold")));
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoRef")), "0.65");
    EXPECT_TRUE(RegistryStore::deleteValue(valuePath("tarvoRef")));
    EXPECT_TRUE(RegistryStore::keyExists(key)) << "an empty key still exists";
}

TEST_F(RegistryStoreTest, KeyExistsForKeysWithValuesOrSubkeys)
{
    ASSERT_TRUE(RegistryStore::setValue("HKCU\\Software\\Korvanta\\VYRTARVO\\Sub\\v", "1"));

    EXPECT_TRUE(RegistryStore::keyExists("HKCU\\Software\\Korvanta\\VYRTARVO\\Sub"));
    EXPECT_TRUE(RegistryStore::keyExists("HKCU\\Software\\Korvanta\\VYRTARVO\\Sub\\"));
    EXPECT_TRUE(RegistryStore::keyExists(key)) << "it holds a subkey";
    EXPECT_TRUE(RegistryStore::keyExists("HKCU\\Software\\Korvanta"));
    EXPECT_TRUE(RegistryStore::keyExists("HKCU\\Software"));
    EXPECT_TRUE(RegistryStore::keyExists("HKEY_CURRENT_USER"));

    EXPECT_FALSE(RegistryStore::keyExists("HKCU\\Software\\Korvanta\\VYRKELSO"));
    EXPECT_FALSE(RegistryStore::keyExists("HKCU\\Software\\Korvanta\\VYRTARVO\\Sub\\v"));
    EXPECT_FALSE(RegistryStore::keyExists("HKLM\\Software\\Korvanta"));
}

//============================================================================== damaged and hand-written files
TEST_F(RegistryStoreTest, GarbledLinesAreSkippedAndSurviveARewrite)
{
    const std::string garbage[] = {
        std::string("bin\0ary=1", 9),
        "\xff\xfe\x80=bad utf-8",
        "\xc3(=truncated sequence",
        "no equals sign here",
        "; a comment=with equals",
        "# another=comment",
        "",
    };
    std::string contents = "\xEF\xBB\xBFgood=yes\n";
    for (auto& g : garbage)
        contents += g + "\n";
    contents += "crlf=windows\r\nlast=no newline";
    ASSERT_TRUE(writeBytes(keyFile(), contents));

    EXPECT_EQ(RegistryStore::getValue(valuePath("good")), "yes");
    EXPECT_EQ(RegistryStore::getValue(valuePath("crlf")), "windows");
    EXPECT_EQ(RegistryStore::getValue(valuePath("last")), "no newline");
    for (auto* name : { "bin", "a comment", "# another", "no equals sign here", "" })
        EXPECT_FALSE(RegistryStore::valueExists(valuePath(name))) << name;

    ASSERT_TRUE(RegistryStore::setValue(valuePath("good"), "still"));
    const auto after = readBytes(keyFile());
    for (auto& g : garbage)
        EXPECT_NE(after.find(g + "\n"), std::string::npos) << "a line the store cannot read is kept";
    EXPECT_EQ(RegistryStore::getValue(valuePath("good")), "still");
    EXPECT_EQ(RegistryStore::getValue(valuePath("crlf")), "windows");
}

TEST_F(RegistryStoreTest, BinaryFileReadsAsMissingValues)
{
    juce::Random random(1234);
    std::string noise(4096, '\0');
    for (auto& c : noise)
        c = (char) random.nextInt(256);
    noise += "\n=\n\\\n\\=\n";
    ASSERT_TRUE(writeBytes(keyFile(), noise));

    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold"), "0.5"), "0.5");
    EXPECT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.75"));
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold"), "0.5"), "0.75");
}

TEST_F(RegistryStoreTest, HandWrittenFileReadsAsTyped)
{
    ASSERT_TRUE(writeBytes(dir.child("korvanta/vyrzuzire21.REG"),
                           "manualPath=C:\\Manuals\\Vyr.pdf\n"
                           "doubled=C:\\\\Manuals\n"
                           "dup=first\n"
                           "DUP=second\n"));
    const juce::String k = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRZUZIRE21\\";

    EXPECT_EQ(RegistryStore::getValue(k + "manualpath"), "C:\\Manuals\\Vyr.pdf");
    EXPECT_EQ(RegistryStore::getValue(k + "doubled"), "C:\\Manuals");
    EXPECT_EQ(RegistryStore::getValue(k + "dup"), "first");

    ASSERT_TRUE(RegistryStore::setValue(k + "dup", "third"));
    EXPECT_EQ(RegistryStore::getValue(k + "Dup"), "third");
    EXPECT_EQ(juce::String(readBytes(dir.child("korvanta/vyrzuzire21.REG"))).indexOfIgnoreCase("dup="),
              juce::String(readBytes(dir.child("korvanta/vyrzuzire21.REG"))).lastIndexOfIgnoreCase("dup="));
    EXPECT_FALSE(dir.child("Korvanta").exists()) << "the existing spelling is used, not a second directory";
}

TEST_F(RegistryStoreTest, LinkedKeyFileIsWrittenWhereItPoints)
{
    const auto target = dir.child("dotfiles/vyrtarvo.reg");
    ASSERT_TRUE(writeBytes(target, "tarvoRef=0.65\n"));
    ASSERT_TRUE(dir.child("Korvanta").createDirectory());
    ASSERT_TRUE(target.createSymbolicLink(keyFile(), false));

    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));
    EXPECT_TRUE(keyFile().isSymbolicLink());
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoRef")), "0.65");
    EXPECT_NE(readBytes(target).find("\ntarvoHold=0.5\n"), std::string::npos);
}

TEST_F(RegistryStoreTest, KeyFileThatIsNotAFileReadsAsMissing)
{
    ASSERT_TRUE(keyFile().createDirectory());
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold"), "d"), "d");
    EXPECT_FALSE(RegistryStore::setValue(valuePath("tarvoHold"), "1"));
}

//============================================================================== failed writes
TEST_F(RegistryStoreTest, UnwritableLocationsMakeWritesFail)
{
    // Running as root defeats permission bits, so the obstacles are files where
    // directories should be.
    ASSERT_TRUE(writeBytes(dir.child("Korvanta"), "a file, not a directory"));
    EXPECT_FALSE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold"), "d"), "d");

    RegistryStore::setRootDirectory(dir.child("Korvanta").getChildFile("root"));
    EXPECT_FALSE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));
    EXPECT_FALSE(RegistryStore::deleteValue(valuePath("tarvoHold")));
    EXPECT_EQ(RegistryStore::getValue(valuePath("tarvoHold"), "d"), "d");
    EXPECT_FALSE(RegistryStore::keyExists("HKCU\\Software"));
}

TEST_F(RegistryStoreTest, CreatesAMissingRoot)
{
    RegistryStore::setRootDirectory(dir.child("a/b/c"));
    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));
    EXPECT_TRUE(dir.child("a/b/c/Korvanta/VYRTARVO.reg").existsAsFile());
}

//============================================================================== the root
class EnvironmentVariable
{
public:
    explicit EnvironmentVariable(const char* n) : name(n)
    {
        if (const char* v = std::getenv(n))
            saved = v, wasSet = true;
    }
    ~EnvironmentVariable()
    {
        if (wasSet)
            ::setenv(name, saved.c_str(), 1);
        else
            ::unsetenv(name);
    }
    void set(const juce::String& v) { ::setenv(name, v.toRawUTF8(), 1); }
    void unset() { ::unsetenv(name); }

private:
    const char* name;
    std::string saved;
    bool wasSet = false;
};

TEST_F(RegistryStoreTest, DefaultRootFollowsTheXdgConfigDirectory)
{
    EnvironmentVariable xdg("XDG_CONFIG_HOME"), home("HOME");
    RegistryStore::setRootDirectory({});

    xdg.set(dir.child("xdg").getFullPathName());
    EXPECT_EQ(RegistryStore::getRootDirectory(), dir.child("xdg"));
    ASSERT_TRUE(RegistryStore::setValue(valuePath("tarvoHold"), "0.5"));
    EXPECT_TRUE(dir.child("xdg/Korvanta/VYRTARVO.reg").existsAsFile());

    home.set(dir.child("home").getFullPathName());
    for (const char* notAbsolute : { "", "relative/config" })
    {
        xdg.set(notAbsolute);
        EXPECT_EQ(RegistryStore::getRootDirectory(), dir.child("home/.config")) << notAbsolute;
    }
    xdg.unset();
    EXPECT_EQ(RegistryStore::getRootDirectory(), dir.child("home/.config"));

    RegistryStore::setRootDirectory(dir.child("override"));
    EXPECT_EQ(RegistryStore::getRootDirectory(), dir.child("override"));
}
} // namespace
