#include "ManualLink.h"

#include "DocumentOpener.h"
#include "RegistryStore.h"

#include <gtest/gtest.h>

#include <cstdlib>

using vyrkit::ManualLink;
using vyrplatform::DocumentOpener;
using vyrplatform::RegistryStore;

namespace
{
const juce::String manualPathValue = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRZUZIRE21\\manualpath";

// A private settings store and a recording launcher: the links are built against
// the store, and the launcher shows what a click would have opened.
class ManualLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // mkdtemp: parallel test processes never share a directory.
        auto pattern = juce::File::getSpecialLocation(juce::File::tempDirectory)
                           .getChildFile("vyr-manual-link-test-XXXXXX").getFullPathName().toStdString();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = juce::File(pattern);
        RegistryStore::setRootDirectory(dir.getChildFile("store"));
        DocumentOpener::setLauncherForTesting([this](const juce::String& path)
        {
            opened.add(path);
            return true;
        });
    }

    void TearDown() override
    {
        DocumentOpener::setLauncherForTesting({});
        RegistryStore::setRootDirectory({});
        dir.deleteRecursively();
    }

    // `text` with "{dir}" standing for the test's directory.
    juce::String inDir(const juce::String& text) const
    {
        return text.replace("{dir}", dir.getFullPathName());
    }

    juce::File dir;
    juce::StringArray opened;
};

TEST_F(ManualLinkTest, ReadsTheStoredPathOrNothing)
{
    EXPECT_EQ(vyrkit::readManualPath(), "");
    ASSERT_TRUE(RegistryStore::setValue(manualPathValue, "C:\\Manuals\\Vyr.pdf"));
    EXPECT_EQ(vyrkit::readManualPath(), "C:\\Manuals\\Vyr.pdf");
    ASSERT_TRUE(RegistryStore::setValue("HKCU\\Software\\Korvanta\\VYRZUZIRE21\\MANUALPATH", ""));
    EXPECT_EQ(vyrkit::readManualPath(), "");
}

enum class Made { nothing, file, directory };

struct ClickCase
{
    const char* label;
    const char* stored;   // null: no value stored
    const char* existing; // what is made at this path (with {dir}) before the link is built
    Made made;
    const char* expected; // what the click opens (with {dir}); null: nothing
};

class ManualLinkClick : public ManualLinkTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ManualLinkClick, OpensOnlyWhatExists)
{
    const auto& c = GetParam();
    if (c.made != Made::nothing)
    {
        const juce::File target(inDir(c.existing));
        const bool made = c.made == Made::directory
            ? target.createDirectory().wasOk()
            : target.getParentDirectory().createDirectory().wasOk() && target.replaceWithText("manual");
        ASSERT_TRUE(made) << target.getFullPathName();
    }
    if (c.stored != nullptr)
    {
        ASSERT_TRUE(RegistryStore::setValue(manualPathValue, inDir(c.stored)));
    }

    const ManualLink link;
    link.open();
    link.open();

    if (c.expected == nullptr)
        EXPECT_TRUE(opened.isEmpty()) << opened.joinIntoString(", ");
    else
        EXPECT_EQ(opened, juce::StringArray(inDir(c.expected), inDir(c.expected)));
}

INSTANTIATE_TEST_SUITE_P(Paths, ManualLinkClick, ::testing::Values(
    ClickCase { "NoValue", nullptr, nullptr, Made::nothing, nullptr },
    ClickCase { "EmptyValue", "", nullptr, Made::nothing, nullptr },
    ClickCase { "MissingFile", "{dir}/Manuals/Vyr.pdf", nullptr, Made::nothing, nullptr },
    ClickCase { "File", "{dir}/Manuals/Vyr.pdf", "{dir}/Manuals/Vyr.pdf", Made::file, "{dir}/Manuals/Vyr.pdf" },
    ClickCase { "BackSlashes", "{dir}\\Manuals\\Vyr.pdf", "{dir}/Manuals/Vyr.pdf", Made::file, "{dir}/Manuals/Vyr.pdf" },
    ClickCase { "TrailingSeparator", "{dir}/Manuals/", "{dir}/Manuals", Made::directory, "{dir}/Manuals" },
    ClickCase { "Directory", "{dir}\\Manuals", "{dir}/Manuals", Made::directory, "{dir}/Manuals" },
    ClickCase { "ShellSyntax", "{dir}/$(touch x); `touch y`.pdf", "{dir}/$(touch x); `touch y`.pdf", Made::file,
                "{dir}/$(touch x); `touch y`.pdf" }),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ManualLinkTest, KeepsThePathItReadAtConstruction)
{
    const auto first = dir.getChildFile("first.pdf");
    const auto second = dir.getChildFile("second.pdf");
    ASSERT_TRUE(first.replaceWithText("1") && second.replaceWithText("2"));
    ASSERT_TRUE(RegistryStore::setValue(manualPathValue, first.getFullPathName()));

    const ManualLink link;
    ASSERT_TRUE(RegistryStore::setValue(manualPathValue, second.getFullPathName()));
    link.open();
    EXPECT_EQ(opened, juce::StringArray(first.getFullPathName()));

    // A link built now (a window opened again) sees the new value.
    ManualLink().open();
    EXPECT_EQ(opened, juce::StringArray(first.getFullPathName(), second.getFullPathName()));
}

TEST_F(ManualLinkTest, FileDeletedAfterConstructionIsNotOpened)
{
    const auto manual = dir.getChildFile("Vyr.pdf");
    ASSERT_TRUE(manual.replaceWithText("manual"));
    ASSERT_TRUE(RegistryStore::setValue(manualPathValue, manual.getFullPathName()));

    const ManualLink link;
    ASSERT_TRUE(manual.deleteFile());
    link.open();
    EXPECT_TRUE(opened.isEmpty());

    ASSERT_TRUE(manual.replaceWithText("back again"));
    link.open();
    EXPECT_EQ(opened, juce::StringArray(manual.getFullPathName()));
}
} // namespace
