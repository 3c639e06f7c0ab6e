// The main of every test program: GoogleTest with JUCE's GUI side initialised on
// the main thread, which becomes the message thread. Components can be built and
// painted into images without a display.
//
// Every test program gets a settings store of its own in a fresh temporary
// directory, so that no test reads or writes the user's real settings. It lies
// in the run's temporary folder, which the program removes at the end with all
// that its tests left there.
#include "TestTemporaryFolder.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";

    const vyrtesting::TestTemporaryFolder temporaryFolder;
    const std::string configHome = vyrtesting::makeTemporaryFolder("vyr-test-config");
    if (! configHome.empty())
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);

    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
