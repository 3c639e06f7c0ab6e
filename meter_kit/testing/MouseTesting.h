#pragma once

// Synthetic mouse events for the widget and editor tests, delivered to a
// component's handlers directly.

#include <juce_gui_basics/juce_gui_basics.h>

namespace kittest
{
// A mouse event on `component` at `pos`, with the press at `downPos`.
inline juce::MouseEvent mouseEvent(juce::Component& component, juce::Point<float> pos,
                                   juce::Point<float> downPos, juce::ModifierKeys mods = {},
                                   int clicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), pos, mods,
                            juce::MouseInputSource::defaultPressure,
                            juce::MouseInputSource::defaultOrientation,
                            juce::MouseInputSource::defaultRotation,
                            juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY,
                            &component, &component, now, downPos, now, clicks, false);
}

inline juce::MouseEvent click(juce::Component& component, float x, float y, juce::ModifierKeys mods = {})
{
    return mouseEvent(component, { x, y }, { x, y }, mods);
}
} // namespace kittest
