#pragma once

// The temporary folder of one run of a test program. The program makes a folder
// of its own in $TMPDIR (else /tmp) and points TMPDIR at it, so that whatever its
// tests and the processes they start put in the temporary folder lands inside
// it: the tests' settings stores and scratch files, and what the children of
// death tests and the programs the tests run leave when they end without cleaning
// up (std::exit, abort). The program removes the folder after its tests, with
// whatever they left, whether they passed or failed.
//
// A test program that another one starts with the folder already set (a death
// test's child runs the program again) works inside the folder of the program
// that started it and leaves the removal to that one.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace vyrtesting
{
// A new empty folder "prefix-XXXXXX" in the temporary folder (made with
// mkdtemp, so that processes running at the same time never share one); empty
// when none could be made.
inline std::string makeTemporaryFolder(const char* prefix)
{
    std::error_code ec;
    const auto parent = std::filesystem::temp_directory_path(ec);
    if (ec)
        return {};
    std::string pattern = (parent / (std::string(prefix) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern;
}

class TestTemporaryFolder
{
public:
    TestTemporaryFolder()
    {
        if (const char* inherited = std::getenv(variable); inherited != nullptr && inherited[0] == '/')
        {
            std::error_code ignored;
            if (std::filesystem::is_directory(inherited, ignored))
            {
                ::setenv("TMPDIR", inherited, 1);
                return;
            }
        }
        folder = makeTemporaryFolder("vyr-test");
        if (folder.empty())
        {
            std::perror("cannot make the tests' temporary folder");
            return;
        }
        owner = ::getpid();
        ::setenv(variable, folder.c_str(), 1);
        ::setenv("TMPDIR", folder.c_str(), 1);
    }

    // Only the process that made the folder removes it: a child forked from it
    // (a death test in the "fast" style) that ends through std::exit must not
    // take it away from under its parent.
    ~TestTemporaryFolder()
    {
        if (owner == 0 || owner != ::getpid())
            return;
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    TestTemporaryFolder(const TestTemporaryFolder&) = delete;
    TestTemporaryFolder& operator=(const TestTemporaryFolder&) = delete;

private:
    static constexpr const char* variable = "VYR_TEST_TMPDIR";
    std::string folder;
    pid_t owner = 0;
};
} // namespace vyrtesting
