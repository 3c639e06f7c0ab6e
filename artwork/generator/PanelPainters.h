// Painters of the stereo meter's full-size pages.
#pragma once

#include "ArtCanvas.h"

namespace vyrart
{

// The front face with the two dials; the channel captions are the only difference
// between the left/right and the mid/side face.
juce::Image paintFace (const ArtFonts&, const juce::String& leftCaption, const juce::String& rightCaption);

juce::Image paintBackPanel (const ArtFonts&);

} // namespace vyrart
