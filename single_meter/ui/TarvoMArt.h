#pragma once

#include "FilmStrip.h"

#include <juce_graphics/juce_graphics.h>

// The embedded page images of the single-channel meter. A build without the
// artwork library (the generator not built yet) gets empty images, and the
// pages show only their controls and texts.
#if __has_include("VyrTarvoMArt.h")
#include "VyrTarvoMArt.h"
#define VYR_TARVOM_HAS_ART 1
#else
#define VYR_TARVOM_HAS_ART 0
#endif

namespace vyrtarvom
{
inline juce::Image decodeFaceImage()
{
#if VYR_TARVOM_HAS_ART
    return vyrkit::decodeEmbeddedImage(vyrtarvom_art::face_png, vyrtarvom_art::face_pngSize);
#else
    return {};
#endif
}

inline juce::Image decodeBackPanelImage()
{
#if VYR_TARVOM_HAS_ART
    return vyrkit::decodeEmbeddedImage(vyrtarvom_art::back_panel_png, vyrtarvom_art::back_panel_pngSize);
#else
    return {};
#endif
}
} // namespace vyrtarvom
