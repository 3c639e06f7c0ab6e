// Painters of the kit's images; each returns the whole strip, frame 0 at the top.
#pragma once

#include "ArtCanvas.h"

namespace vyrart
{

juce::Image paintKnobStrip (const ArtFonts&);
juce::Image paintHelpStrip (const ArtFonts&);
juce::Image paintSizeSmallStrip (const ArtFonts&);
juce::Image paintSizeLargeStrip (const ArtFonts&);
juce::Image paintHoldSwitchStrip (const ArtFonts&);
juce::Image paintMidAttenStrip (const ArtFonts&);
juce::Image paintTrimThumbStrip (const ArtFonts&);
juce::Image paintLrmsStrip (const ArtFonts&);
juce::Image paintMeasureModeStrip (const ArtFonts&);
juce::Image paintActiveStrip (const ArtFonts&);
juce::Image paintOverLedStrip (const ArtFonts&);
juce::Image paintLatencyLayers (const ArtFonts&);
juce::Image paintMarker (const ArtFonts&);

} // namespace vyrart
