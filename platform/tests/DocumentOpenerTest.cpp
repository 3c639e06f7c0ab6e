#include "DocumentOpener.h"
#include "StoreTestDirectory.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <sys/wait.h>

using vyrplatform::DocumentOpener;

namespace
{
//============================================================================== the path
struct PathCase
{
    const char* label;
    const char* written;
    const char* expectedBelowCwd; // null: the path is absolute, `absolute` holds it
    const char* absolute;
};

class DocumentOpenerPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(DocumentOpenerPath, NormalisesTheWayTheFileIsWritten)
{
    const auto& c = GetParam();
    const auto expected = c.expectedBelowCwd != nullptr
        ? juce::File::getCurrentWorkingDirectory().getChildFile(c.expectedBelowCwd).getFullPathName()
        : juce::String(c.absolute);
    EXPECT_EQ(DocumentOpener::fileForPath(c.written).getFullPathName(), expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, DocumentOpenerPath, ::testing::Values(
    PathCase { "Empty", "", nullptr, "" },
    PathCase { "Absolute", "/opt/vyr/manual.pdf", nullptr, "/opt/vyr/manual.pdf" },
    PathCase { "Backslashes", "\\opt\\vyr\\manual.pdf", nullptr, "/opt/vyr/manual.pdf" },
    PathCase { "Mixed", "/opt\\vyr/manual.pdf", nullptr, "/opt/vyr/manual.pdf" },
    PathCase { "TrailingSeparators", "/opt/vyr//", nullptr, "/opt/vyr" },
    PathCase { "TrailingBackslash", "\\opt\\vyr\\", nullptr, "/opt/vyr" },
    PathCase { "DoubledSeparators", "/opt//vyr\\\\manual.pdf", nullptr, "/opt/vyr/manual.pdf" },
    PathCase { "Root", "\\", nullptr, "/" },
    PathCase { "Relative", "docs\\manual.pdf", "docs/manual.pdf", nullptr },
    PathCase { "WindowsDrive", "C:\\Manuals\\manual.pdf", "C:/Manuals/manual.pdf", nullptr }),
    [](const auto& info) { return std::string(info.param.label); });

//============================================================================== opening
class DocumentOpenerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DocumentOpener::setLauncherForTesting([this](const juce::String& path)
        {
            requests.add(path);
            return launcherResult;
        });
    }
    void TearDown() override { DocumentOpener::setLauncherForTesting({}); }

    juce::File makeFile(const juce::String& relativePath)
    {
        const auto f = dir.child(relativePath);
        f.getParentDirectory().createDirectory();
        f.replaceWithText("manual");
        return f;
    }

    StoreTestDirectory dir;
    juce::StringArray requests;
    bool launcherResult = true;
};

TEST_F(DocumentOpenerTest, NothingHappensWhenNothingIsThere)
{
    EXPECT_FALSE(DocumentOpener::open(juce::String()));
    EXPECT_FALSE(DocumentOpener::open(juce::File()));
    EXPECT_FALSE(DocumentOpener::open(dir.child("missing.pdf")));
    const auto deleted = makeFile("deleted.pdf");
    deleted.deleteFile();
    EXPECT_FALSE(DocumentOpener::open(deleted.getFullPathName()));
    EXPECT_TRUE(requests.isEmpty());
}

TEST_F(DocumentOpenerTest, OpensAnExistingFileOrDirectory)
{
    const auto file = makeFile("Manuals/manual.pdf");
    EXPECT_TRUE(DocumentOpener::open(file));
    EXPECT_TRUE(DocumentOpener::open(file.getParentDirectory().getFullPathName() + "/"));
    EXPECT_EQ(requests, juce::StringArray(file.getFullPathName(), file.getParentDirectory().getFullPathName()));

    launcherResult = false;
    EXPECT_FALSE(DocumentOpener::open(file)) << "a handler that did not start is reported";
}

TEST_F(DocumentOpenerTest, ForwardAndBackSlashesOpenTheSameFile)
{
    const auto file = makeFile("Manuals/manual.pdf");
    const auto forward = file.getFullPathName();
    ASSERT_TRUE(DocumentOpener::open(forward));
    ASSERT_TRUE(DocumentOpener::open(forward.replaceCharacter('/', '\\')));
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0], forward);
    EXPECT_EQ(requests[1], forward);
}

TEST_F(DocumentOpenerTest, RelativePathIsTakenFromTheWorkingDirectory)
{
    const auto file = makeFile("sub/manual.pdf");
    const auto previous = juce::File::getCurrentWorkingDirectory();
    ASSERT_TRUE(dir.get().setAsCurrentWorkingDirectory());
    const bool opened = DocumentOpener::open(juce::String("sub\\manual.pdf"));
    previous.setAsCurrentWorkingDirectory();
    EXPECT_TRUE(opened);
    EXPECT_EQ(requests, juce::StringArray(file.getFullPathName()));
}

//============================================================================== the real handler
// A stand-in xdg-open on PATH that writes the argument it got to a file, so the
// tests see exactly what reached the handler, without a desktop.
class DocumentOpenerHandler : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* p = std::getenv("PATH"))
            savedPath = p;
        bin = dir.child("bin");
        bin.createDirectory();
        received = dir.child("received");
        const auto script = bin.getChildFile("xdg-open");
        writeBytes(script, ("#!/bin/sh\nprintf '%s' \"$1\" > \"" + received.getFullPathName() + ".part\"\n"
                            "mv \"" + received.getFullPathName() + ".part\" \"" + received.getFullPathName() + "\"\n").toStdString());
        script.setExecutePermission(true);
        ::setenv("PATH", (bin.getFullPathName() + ":/usr/bin:/bin").toRawUTF8(), 1);
    }

    void TearDown() override { ::setenv("PATH", savedPath.c_str(), 1); }

    // What the stand-in received, waiting for it to finish (it runs detached).
    juce::String waitForReceived() const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (! received.existsAsFile() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return received.existsAsFile() ? juce::String::fromUTF8(readBytes(received).c_str()) : "<nothing>";
    }

    static bool hasChildren()
    {
        return ! (::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD);
    }

    StoreTestDirectory dir;
    juce::File bin, received;
    std::string savedPath;
};

TEST_F(DocumentOpenerHandler, StartsXdgOpenWithThePathAndLeavesNoChild)
{
    const auto file = dir.child("Manuals/manual.pdf");
    file.getParentDirectory().createDirectory();
    file.replaceWithText("manual");

    ASSERT_TRUE(DocumentOpener::open(file.getFullPathName().replaceCharacter('/', '\\')));
    EXPECT_EQ(waitForReceived(), file.getFullPathName());
    EXPECT_FALSE(hasChildren()) << "the handler must be reaped by the system, not left as our child";
}

class DocumentOpenerShellSyntax : public DocumentOpenerHandler,
                                  public ::testing::WithParamInterface<const char*> {};

TEST_P(DocumentOpenerShellSyntax, PathIsPassedLiterallyAndNothingRuns)
{
    // The path exists as a chain of directories named after the pieces of the
    // command, so the existence check passes and only a shell could run it.
    const auto marker = dir.child("MARKER");
    const auto relative = juce::String(GetParam()).replace("MARK", marker.getFullPathName());
    const auto target = juce::File(dir.get().getFullPathName() + "/" + relative);
    ASSERT_TRUE(target.createDirectory()) << target.getFullPathName();

    ASSERT_TRUE(DocumentOpener::open(target));
    EXPECT_EQ(waitForReceived(), target.getFullPathName());
    EXPECT_FALSE(marker.exists()) << "a command in the path ran";
}

INSTANTIATE_TEST_SUITE_P(Commands, DocumentOpenerShellSyntax, ::testing::Values(
    "$(touch MARK)",
    "`touch MARK`",
    "a;touch MARK",
    "a' && touch MARK && echo '",
    "a\" | touch MARK #"));

TEST_F(DocumentOpenerHandler, AnExecutableDocumentIsOpenedNotRun)
{
    const auto marker = dir.child("MARKER");
    const auto document = dir.child("run-me");
    writeBytes(document, ("#!/bin/sh\ntouch \"" + marker.getFullPathName() + "\"\n").toStdString());
    document.setExecutePermission(true);

    ASSERT_TRUE(DocumentOpener::open(document));
    EXPECT_EQ(waitForReceived(), document.getFullPathName());
    EXPECT_FALSE(marker.exists());
}

TEST_F(DocumentOpenerHandler, ReportsWhenNoHandlerIsInstalled)
{
    ::setenv("PATH", dir.child("empty").getFullPathName().toRawUTF8(), 1);
    EXPECT_FALSE(DocumentOpener::open(dir.get()));
    EXPECT_FALSE(hasChildren());
}
} // namespace
