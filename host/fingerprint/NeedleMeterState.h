#pragma once

#include "OutputFiles.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <string>

namespace vyrfp
{
// What a needle meter widget shows after a tick: needle and hold levels (set
// and painted), the LED, whether the hold shows, and the areas it repainted.
template <typename NeedleMeter>
std::string shownBy(const NeedleMeter& meter)
{
    std::string text = exact(meter.getLevel()) + " " + exact(meter.getHoldLevel()) + " "
                     + exact(meter.getPaintedLevel()) + " " + exact(meter.getPaintedHoldLevel()) + " led "
                     + exact(static_cast<float>(meter.ledState)) + " hold " + exact(meter.showHold ? 1 : 0) + " areas";
    for (int i = 0; i < meter.getLastRepaintCount(); ++i)
        text += " " + meter.getLastRepaintArea(i).toString().replaceCharacter(' ', ',').toStdString();
    return text;
}

// A click on a component, delivered to it as the mouse would.
inline void click(juce::Component& component)
{
    const auto now = juce::Time();
    const juce::Point<float> pos { 10.0f, 10.0f };
    component.mouseDown(juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), pos, juce::ModifierKeys(),
                                         juce::MouseInputSource::defaultPressure,
                                         juce::MouseInputSource::defaultOrientation,
                                         juce::MouseInputSource::defaultRotation,
                                         juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY,
                                         &component, &component, now, pos, now, 1, false));
}
} // namespace vyrfp
