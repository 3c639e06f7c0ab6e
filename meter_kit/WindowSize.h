#pragma once

#include "ButtonLooks.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

namespace vyrkit
{
// The size button of every front panel: flips the processor's window-size flag
// (0 small, 1 large; any other value counts as large, so the press makes the
// window small), gives the editor (the panel's parent) and the panel the new
// height, tells the size button's look, and repaints the panel. The back panel
// is not resized here: it takes the height when it is next shown.
void toggleWindowSize(juce::Component& panel, std::atomic<int>& sizeFlag, ButtonPlusLook& sizeLook,
                      int width, int smallHeight, int largeHeight);

// In the small window the track-name strip and the latency entry lie below the
// visible area and cannot be used: before a front panel goes small, their
// editing ends as a loss of focus ends it, so that no key reaches a strip that
// nobody sees. The size button and the state restore both call it.
void endEditingForSmallWindow(juce::Component& frontPanel);
} // namespace vyrkit
