#pragma once

#include "SliderLooks.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace vyrkit
{
// The front panels' Active button and trim thumb show whether the processor
// applies the trim: its trimEnabled, which it rounds from the Active value (0.5
// is on), not the value itself. Sets the button quietly, tells the trim look and
// repaints the trim slider.
void showTrimActive(juce::Button& activeButton, SliderTrimLook& trimLook, juce::Component& trimSlider,
                    int trimEnabled);
} // namespace vyrkit
