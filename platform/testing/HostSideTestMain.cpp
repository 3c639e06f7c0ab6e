// The main of test programs that drive plug-in code through the binding's C
// interface in their own process, as a host does: JUCE is not initialised on
// the main thread. ACFStartup starts the binding's own message thread, and
// processors are created and fed on the test's threads, the host's.
//
// Like every test program, it gets a settings store of its own in a fresh
// temporary directory, so that no test reads or writes the user's real settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    std::string configHome = "/tmp/vyr-test-config-XXXXXX";
    if (::mkdtemp(configHome.data()) != nullptr)
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);

    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(configHome, ignored);
    return result;
}
