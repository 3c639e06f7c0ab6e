// The main of every test program: GoogleTest with JUCE's GUI side initialised on
// the main thread, which becomes the message thread. Components can be built and
// painted into images without a display.
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
