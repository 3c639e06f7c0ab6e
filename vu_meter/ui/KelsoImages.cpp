#include "KelsoImages.h"

#include "FilmStrip.h"

#include <VyrKelsoArt.h>

namespace vyrkelsom
{
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
} // namespace vyrkelsom
