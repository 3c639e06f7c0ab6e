#include "TrackNameFont.h"

#include <VyrKitArt.h>

namespace vyrkit
{
juce::Typeface::Ptr makeTrackNameTypeface()
{
    // The stream reads the embedded bytes in place; CustomTypeface inflates them.
    juce::MemoryInputStream stream(vyrkit_art::track_typeface_bin,
                                   static_cast<size_t>(vyrkit_art::track_typeface_binSize), false);
    return new juce::CustomTypeface(stream);
}

juce::Font makeTrackNameFont()
{
    juce::Font font(makeTrackNameTypeface());
    font.setHeight(44.0f);
    font.setHorizontalScale(1.2f);
    return font;
}
} // namespace vyrkit
