#include "VyrTarvoAudioProcessor.h"
#include <gtest/gtest.h>
TEST(Smoke, Constructs) { vyrtarvo::VyrTarvoAudioProcessor p; EXPECT_EQ(p.getName(), "Vyr Tarvo"); }
