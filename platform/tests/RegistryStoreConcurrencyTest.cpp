// Several writers on one key (threads and processes) and readers racing a writer.
// Each case is bounded by a count of writes, so it ends in well under a second.
#include "RegistryStore.h"
#include "StoreTestDirectory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using vyrplatform::RegistryStore;

namespace
{
const juce::String key = "HKCU\\Software\\Korvanta\\VYRTARVO\\";

class RegistryStoreConcurrency : public StoreInTestDirectory
{
protected:
    // Runs `body` in a child process, which ends with _exit(0) when every call
    // succeeded. The child waits until the parent closes the gate's write end.
    static pid_t runInChild(const int (&gate)[2], const std::function<bool()>& body)
    {
        const pid_t pid = ::fork();
        if (pid == 0)
        {
            ::close(gate[1]);
            char c;
            while (::read(gate[0], &c, 1) < 0 && errno == EINTR) {}
            ::_exit(body() ? 0 : 1);
        }
        return pid;
    }

    // Waits at most a few seconds for the child, so a hang fails the test instead
    // of stalling the run.
    static bool childSucceeded(pid_t pid)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        int status = 0;
        for (;;)
        {
            const pid_t r = ::waitpid(pid, &status, WNOHANG);
            if (r == pid)
                return WIFEXITED(status) && WEXITSTATUS(status) == 0;
            if (r < 0 && errno != EINTR)
                return false;
            if (std::chrono::steady_clock::now() > deadline)
            {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    static bool writeSeries(const juce::String& prefix, int count)
    {
        bool ok = true;
        for (int i = 0; i < count; ++i)
        {
            ok = RegistryStore::setValue(key + prefix + juce::String(i), juce::String(i)) && ok;
            ok = RegistryStore::setValue(key + "shared", prefix) && ok;
        }
        return ok;
    }
};

TEST_F(RegistryStoreConcurrency, TwoProcessesWritingOneKeyLoseNothing)
{
    constexpr int writesEach = 40;
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    const pid_t child = runInChild(gate, [] { return writeSeries("child", writesEach); });
    ASSERT_GT(child, 0);
    ::close(gate[1]); // both start now
    const bool parentOk = writeSeries("parent", writesEach);
    ::close(gate[0]);

    ASSERT_TRUE(childSucceeded(child));
    ASSERT_TRUE(parentOk);
    for (auto* prefix : { "child", "parent" })
        for (int i = 0; i < writesEach; ++i)
            EXPECT_EQ(RegistryStore::getValue(key + prefix + juce::String(i), "lost"), juce::String(i))
                << prefix << i;
    const auto shared = RegistryStore::getValue(key + "shared");
    EXPECT_TRUE(shared == "child" || shared == "parent") << shared;
}

TEST_F(RegistryStoreConcurrency, ProcessesCreatingANewKeyInOtherSpellingsShareItsDirectories)
{
    // Each round starts four processes at once on a key that does not exist yet,
    // each spelling its names in another case: they must end up in one directory
    // per level (and one file), whichever spelling won, with every value found
    // under every spelling.
    const char* const spellings[][3] = { { "Maker", "Product", "Settings" },
                                         { "MAKER", "PRODUCT", "SETTINGS" },
                                         { "maker", "product", "settings" },
                                         { "mAKER", "pRODUCT", "sETTINGS" } };
    constexpr int rounds = 8, writers = 4;
    const auto valuePath = [&](int round, int spelling, int writer)
    {
        const auto& s = spellings[spelling];
        return "HKCU\\Software\\" + juce::String(s[0]) + juce::String(round) + "\\" + s[1] + "\\" + s[2]
             + "\\value" + juce::String(writer);
    };
    // The entries of `parent` whose names equal `name` ignoring case.
    const auto entriesLike = [](const juce::File& parent, const juce::String& name)
    {
        juce::Array<juce::File> found;
        for (const auto& entry : juce::RangedDirectoryIterator(parent, false, "*", juce::File::findFilesAndDirectories))
            if (entry.getFile().getFileName().equalsIgnoreCase(name))
                found.add(entry.getFile());
        return found;
    };

    for (int round = 0; round < rounds; ++round)
    {
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        std::vector<pid_t> children;
        for (int w = 0; w < writers; ++w)
        {
            const auto path = valuePath(round, w, w);
            children.push_back(runInChild(gate, [path, w] { return RegistryStore::setValue(path, juce::String(w)); }));
            ASSERT_GT(children.back(), 0);
        }
        ::close(gate[1]); // all start now
        ::close(gate[0]);
        for (auto pid : children)
            EXPECT_TRUE(childSucceeded(pid)) << "round " << round;

        for (int w = 0; w < writers; ++w)
            for (int s = 0; s < writers; ++s)
                EXPECT_EQ(RegistryStore::getValue(valuePath(round, s, w), "lost"), juce::String(w))
                    << "round " << round << ", value " << w << " read as " << valuePath(round, s, w);

        const auto makers = entriesLike(dir.get(), "maker" + juce::String(round));
        ASSERT_EQ(makers.size(), 1) << "round " << round;
        const auto products = entriesLike(makers[0], "product");
        ASSERT_EQ(products.size(), 1) << "round " << round;
        EXPECT_EQ(entriesLike(products[0], "settings.reg").size(), 1) << "round " << round;
    }
}

TEST_F(RegistryStoreConcurrency, ThreadsWritingOneKeyLoseNothing)
{
    constexpr int threads = 4, writesEach = 20;
    std::atomic<int> failures { 0 };
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([t, &failures]
        {
            if (! writeSeries("thread" + juce::String(t) + "_", writesEach))
                ++failures;
        });
    for (auto& th : pool)
        th.join();

    EXPECT_EQ(failures.load(), 0);
    for (int t = 0; t < threads; ++t)
        for (int i = 0; i < writesEach; ++i)
            EXPECT_EQ(RegistryStore::getValue(key + "thread" + juce::String(t) + "_" + juce::String(i), "lost"),
                      juce::String(i));
}

TEST_F(RegistryStoreConcurrency, ReaderNeverSeesATornFileWhileAWriterRewritesIt)
{
    // Large texts make a torn file likely to be caught if the writer ever wrote the
    // key file in place.
    const juce::String a = juce::String::repeatedString("a", 32 * 1024);
    const juce::String b = juce::String::repeatedString("b", 32 * 1024);
    ASSERT_TRUE(RegistryStore::setValue(key + "first", "kept"));
    ASSERT_TRUE(RegistryStore::setValue(key + "big", a));
    ASSERT_TRUE(RegistryStore::setValue(key + "last", "kept"));

    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    const pid_t writer = runInChild(gate, [&]
    {
        bool ok = true;
        for (int i = 0; i < 80; ++i)
            ok = RegistryStore::setValue(key + "big", (i & 1) ? a : b) && ok;
        return ok;
    });
    ASSERT_GT(writer, 0);
    ::close(gate[1]);
    ::close(gate[0]);

    int reads = 0, torn = 0, status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10); // a hang guard only
    while (::waitpid(writer, &status, WNOHANG) == 0)
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            ::kill(writer, SIGKILL);
            ::waitpid(writer, &status, 0);
            FAIL() << "the writer did not finish in time";
        }
        const auto big = RegistryStore::getValue(key + "big", "missing");
        const bool whole = (big == a || big == b)
                        && RegistryStore::getValue(key + "first") == "kept"
                        && RegistryStore::getValue(key + "last") == "kept";
        torn += whole ? 0 : 1;
        ++reads;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
    EXPECT_GT(reads, 0);
}
} // namespace
