// The kit's film strips, the pen marker and the over-LED lamps.
#include "ArtCanvas.h"
#include "KitPainters.h"

namespace vyrart
{

std::vector<ArtImage> kitImages()
{
    return {
        { "knob.png",         43, 2091, 51, true,  false, paintKnobStrip },
        { "help.png",         11,   22,  2, true,  false, paintHelpStrip },
        { "size_small.png",   11,   22,  2, true,  false, paintSizeSmallStrip },
        { "size_large.png",   11,   22,  2, true,  false, paintSizeLargeStrip },
        { "hold_switch.png",  86,   72,  3, true,  true,  paintHoldSwitchStrip },
        { "mid_atten.png",    70,  201,  3, false, true,  paintMidAttenStrip },
        { "trim_thumb.png",   32,   38,  2, true,  false, paintTrimThumbStrip },
        { "lrms.png",         87,   48,  2, true,  false, paintLrmsStrip },
        { "measure_mode.png", 54,  194,  2, true,  false, paintMeasureModeStrip },
        { "active.png",       43,   28,  2, true,  false, paintActiveStrip },
        { "over_led.png",     20,   60,  3, true,  false, paintOverLedStrip },
        { "latency.png",      54,  120,  3, true,  false, paintLatencyLayers },
        { "marker.png",       47,   33,  1, true,  false, paintMarker },
    };
}

} // namespace vyrart
