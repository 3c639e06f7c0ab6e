// Editors embedded in a host window through the C interface. These need an X
// display (./scripts/test starts Xvfb when there is none).
#include "HostTestSupport.h"
#include "HostWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

using namespace vyrhosttest;
using vyrhost::HostWindow;
using vyrhost::PluginInstance;

namespace
{
struct EditorEvents
{
    std::mutex mutex;
    std::vector<std::pair<int, int>> sizes;
    std::vector<std::pair<int, float>> changes;
    std::vector<std::thread::id> changeThreads;

    PluginInstance::Callbacks callbacks()
    {
        PluginInstance::Callbacks c;
        c.editorResized = [this](int w, int h) {
            std::lock_guard<std::mutex> lock(mutex);
            sizes.emplace_back(w, h);
        };
        c.parameterChanged = [this](int index, float value) {
            std::lock_guard<std::mutex> lock(mutex);
            changes.emplace_back(index, value);
            changeThreads.push_back(std::this_thread::get_id());
        };
        return c;
    }

    bool sawSize(int w, int h)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return ! sizes.empty() && sizes.back() == std::make_pair(w, h);
    }

    bool sawChange(int index, float value)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return ! changes.empty() && changes.back() == std::make_pair(index, value);
    }
};

// Waits until the window shows the colour at its centre (the editor paints
// asynchronously on its own message thread).
bool windowShows(HostWindow& window, unsigned char r, unsigned char g, unsigned char b)
{
    return waitFor([&] {
        window.raise();
        window.handleEvents();
        std::vector<std::uint8_t> rgb;
        int w = 0, h = 0;
        std::string error;
        if (! window.capture(rgb, w, h, error) || w == 0 || h == 0)
            return false;
        const std::size_t centre = (static_cast<std::size_t>(h / 2) * static_cast<std::size_t>(w)
                                    + static_cast<std::size_t>(w / 2)) * 3;
        return rgb[centre] == r && rgb[centre + 1] == g && rgb[centre + 2] == b;
    });
}

class ProbeEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (! haveDisplay())
            GTEST_SKIP() << "needs an X display";
        library = loadLibrary(probeAPath());
        ASSERT_NE(library, nullptr);
        instance = PluginInstance::create(*library, 0, 44100.0, events.callbacks());
        ASSERT_NE(instance, nullptr);
        std::string error;
        ASSERT_TRUE(window.create("probe", 300, 100, error)) << error;
    }

    EditorEvents events;
    HostWindow window;
    std::unique_ptr<vyrhost::PluginLibrary> library;
    std::unique_ptr<PluginInstance> instance;
};
} // namespace

TEST_F(ProbeEditor, OpensResizesAndClosesRepeatedly)
{
    for (int round = 0; round < 4; ++round)
    {
        SCOPED_TRACE(round);
        int w = 0, h = 0;
        ASSERT_EQ(instance->openEditor(window.getNativeHandle(), w, h), VYR_OK);
        EXPECT_EQ(w, 300);
        EXPECT_EQ(h, 100);

        // Opening an open editor only reports its size.
        ASSERT_EQ(instance->openEditor(window.getNativeHandle(), w, h), VYR_OK);
        EXPECT_EQ(h, 100);

        // A host thread sets "Tall"; the editor resizes on the message thread,
        // tells the host, and its own control change reaches the host too.
        instance->setParameterValue(2, 1.0f);
        EXPECT_TRUE(waitFor([&] { return events.sawSize(300, 200); }));
        EXPECT_TRUE(waitFor([&] { return events.sawChange(3, 1.0f); }));
        std::int32_t cw = 0, ch = 0;
        EXPECT_EQ(instance->getFactory().getEditorSize(instance->getHandle(), &cw, &ch), VYR_OK);
        EXPECT_EQ(ch, 200);

        instance->setParameterValue(2, 0.0f);
        EXPECT_TRUE(waitFor([&] { return events.sawSize(300, 100); }));
        EXPECT_TRUE(waitFor([&] { return events.sawChange(3, 0.0f); }));

        EXPECT_EQ(instance->closeEditor(), VYR_OK);
        EXPECT_EQ(instance->getFactory().getEditorSize(instance->getHandle(), &cw, &ch), VYR_ERROR_INVALID);
        EXPECT_EQ(instance->closeEditor(), VYR_OK) << "closing a closed editor is harmless";
    }

    std::lock_guard<std::mutex> lock(events.mutex);
    for (const auto& id : events.changeThreads)
        EXPECT_NE(id, std::this_thread::get_id()) << "editor changes arrive on the library's message thread";
}

TEST_F(ProbeEditor, IsEmbeddedInTheHostWindow)
{
    int w = 0, h = 0;
    ASSERT_EQ(instance->openEditor(window.getNativeHandle(), w, h), VYR_OK);
    window.setSize(w, h);
    EXPECT_TRUE(windowShows(window, 0x20, 0x60, 0xc0));
}

TEST_F(ProbeEditor, DeletingTheInstanceClosesItsEditor)
{
    int w = 0, h = 0;
    ASSERT_EQ(instance->openEditor(window.getNativeHandle(), w, h), VYR_OK);
    instance->setParameterValue(2, 1.0f);
    instance.reset();
    EXPECT_EQ(library->canUnloadNow(), 1);
    EXPECT_EQ(library->shutdown(), VYR_OK);
    EXPECT_EQ(library->canUnloadNow(), 0);
}

TEST_F(ProbeEditor, RefusesAMissingParentWindow)
{
    int w = 0, h = 0;
    EXPECT_EQ(instance->openEditor(0, w, h), VYR_ERROR_INVALID);
}

TEST(SideBySideEditors, TwoLibrariesShowTheirEditorsAtOnce)
{
    if (! haveDisplay())
        GTEST_SKIP() << "needs an X display";
    auto a = loadLibrary(probeAPath());
    auto b = loadLibrary(probeBPath());
    ASSERT_TRUE(a && b);
    auto ia = PluginInstance::create(*a, 0, 44100.0, {});
    auto ib = PluginInstance::create(*b, 0, 44100.0, {});
    ASSERT_TRUE(ia && ib);
    HostWindow wa, wb;
    std::string error;
    ASSERT_TRUE(wa.create("a", 300, 100, error) && wb.create("b", 300, 100, error, 400, 300)) << error;
    int w = 0, h = 0;
    ASSERT_EQ(ia->openEditor(wa.getNativeHandle(), w, h), VYR_OK);
    ASSERT_EQ(ib->openEditor(wb.getNativeHandle(), w, h), VYR_OK);
    EXPECT_TRUE(windowShows(wa, 0x20, 0x60, 0xc0));
    EXPECT_TRUE(windowShows(wb, 0xc0, 0x40, 0x20));
}

TEST(EditorWithoutDisplay, IsRefusedAndLeavesTheLibraryClean)
{
    const auto display = unreachableDisplay();
    ASSERT_FALSE(display.empty());
    for (const auto& library : { probeAPath(), tarvoPath() })
    {
        if (library.empty())
            continue;
        const auto result = runProcess({ VYR_EDITOR_WITHOUT_DISPLAY_PATH, library }, { { "DISPLAY", display } });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, std::to_string(VYR_ERROR_NO_DISPLAY) + "\n0 0\n") << library;
    }
}

// A parent window id that names no window (a stale handle) or one for input
// only is refused, the host lives on, and a real window takes the editor
// afterwards.
TEST(EditorWithStaleParent, IsRefusedAndTheHostLivesOn)
{
    if (! haveDisplay())
        GTEST_SKIP() << "needs an X display";
    std::vector<std::string> libraries { probeAPath() };
    for (const auto& meter : meterPaths())
        libraries.push_back(meter);
    for (const auto& library : libraries)
    {
        const auto result = runProcess({ VYR_EDITOR_WITH_STALE_PARENT_PATH, library });
        ASSERT_EQ(result.exitCode, 0) << library << "\n" << result.err;
        const auto invalid = std::to_string(VYR_ERROR_INVALID);
        EXPECT_EQ(result.out, invalid + " " + invalid + " " + invalid + "\n0 1\n0\n0 0\n")
            << library;
    }
}
