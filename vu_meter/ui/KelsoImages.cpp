#include "KelsoImages.h"

#include "FilmStrip.h"

#include <VyrKitArt.h>

// The VU images come from the artwork build (vyr_vu_art). A build without them
// gets null pages, which paint nothing, and the kit's over LED.
#if __has_include(<VyrKelsoArt.h>)
#include <VyrKelsoArt.h>
#define VYR_KELSO_HAS_ART 1
#else
#define VYR_KELSO_HAS_ART 0
#endif

namespace vyrkelsom
{
#if VYR_KELSO_HAS_ART
juce::Image decodeFrontBackground()
{
    return vyrkit::decodeEmbeddedImage(vyrkelso_art::vu_front_panel_png, vyrkelso_art::vu_front_panel_pngSize);
}

juce::Image decodeFaceStrip()
{
    return vyrkit::decodeEmbeddedImage(vyrkelso_art::vu_face_strip_png, vyrkelso_art::vu_face_strip_pngSize);
}

juce::Image decodeBackBackground()
{
    return vyrkit::decodeEmbeddedImage(vyrkelso_art::vu_back_panel_png, vyrkelso_art::vu_back_panel_pngSize);
}

juce::Image decodeVuLedImage()
{
    return vyrkit::decodeEmbeddedImage(vyrkelso_art::vu_over_led_png, vyrkelso_art::vu_over_led_pngSize);
}
#else
juce::Image decodeFrontBackground() { return {}; }
juce::Image decodeFaceStrip() { return {}; }
juce::Image decodeBackBackground() { return {}; }

juce::Image decodeVuLedImage()
{
    return vyrkit::decodeEmbeddedImage(vyrkit_art::over_led_png, vyrkit_art::over_led_pngSize);
}
#endif

juce::Image decodeMarkerImage()
{
    return vyrkit::decodeEmbeddedImage(vyrkit_art::marker_png, vyrkit_art::marker_pngSize);
}
} // namespace vyrkelsom
