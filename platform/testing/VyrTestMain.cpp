// The main of every test program: GoogleTest with JUCE's GUI side initialised on
// the main thread, which becomes the message thread. Components can be built and
// painted into images without a display.
//
// Every test program gets a settings store of its own in a fresh temporary
// directory, so that no test reads or writes the user's real settings.
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";

    std::string configHome = "/tmp/vyr-test-config-XXXXXX";
    if (::mkdtemp(configHome.data()) != nullptr)
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        result = RUN_ALL_TESTS();
    }
    juce::File(configHome).deleteRecursively();
    return result;
}
