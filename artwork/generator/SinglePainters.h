// Painters of the single-channel meter's pages.
#pragma once

#include "ArtCanvas.h"

namespace vyrart
{

juce::Image paintSingleFace (const ArtFonts&);
juce::Image paintSingleBackPanel (const ArtFonts&);

} // namespace vyrart
