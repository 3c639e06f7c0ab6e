#include "TrimActiveDisplay.h"

namespace vyrkit
{
void showTrimActive(juce::Button& activeButton, SliderTrimLook& trimLook, juce::Component& trimSlider,
                    int trimEnabled)
{
    const bool on = trimEnabled != 0;
    activeButton.setToggleState(on, juce::dontSendNotification);
    trimLook.trimActive = on;
    trimSlider.repaint();
}
} // namespace vyrkit
