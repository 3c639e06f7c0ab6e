// The VU meter's pages, its face strip and its over LED.
#include "ArtCanvas.h"
#include "VuPainters.h"

namespace vyrart
{

std::vector<ArtImage> vuImages()
{
    return {
        { "vu_front_panel.png", 320, 205, 1, true, true,  paintVuFrontPanel },
        { "vu_face_strip.png",  250, 610, 5, true, true,  paintVuFaceStrip },
        { "vu_back_panel.png",  320, 205, 1, true, true,  paintVuBackPanel },
        { "vu_over_led.png",     20,  60, 3, true, false, paintVuOverLedStrip },
    };
}

} // namespace vyrart
