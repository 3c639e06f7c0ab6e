// The main of test programs that drive plug-in code through the binding's C
// interface in their own process, as a host does: JUCE is not initialised on
// the main thread. ACFStartup starts the binding's own message thread, and
// processors are created and fed on the test's threads, the host's.
//
// Like every test program, it gets a settings store of its own in a fresh
// temporary directory, so that no test reads or writes the user's real settings.
// It lies in the run's temporary folder, which the program removes at the end
// with all that its tests left there.
#include "TestTemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    const vyrtesting::TestTemporaryFolder temporaryFolder;
    const std::string configHome = vyrtesting::makeTemporaryFolder("vyr-test-config");
    if (! configHome.empty())
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);

    return RUN_ALL_TESTS();
}
