#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vyrkit
{
// What the pages of every meter's window paint alike.

// Draws the top of a page's image at its own size: smallHeight rows while the
// window-size flag is 0, largeHeight while it is 1, nothing for any other flag.
void drawPageImage(juce::Graphics& g, const juce::Image& image, int sizeFlag, int width, int smallHeight,
                   int largeHeight);

// The colour of every text of the back panels.
juce::Colour backPanelTextColour();

// Draws the version text at the bottom of the box, in the back panels' colour and
// at height 10 of the context's font, which the texts drawn after it keep.
void drawVersionText(juce::Graphics& g, juce::Rectangle<int> box);
} // namespace vyrkit
