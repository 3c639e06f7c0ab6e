// The stereo meter's two faces and its back panel.
#include "ArtCanvas.h"
#include "PanelPainters.h"

namespace vyrart
{

std::vector<ArtImage> stereoImages()
{
    return {
        { "face_lr.png",    586, 205, 1, true, true, [] (const ArtFonts& f) { return paintFace (f, "LEFT", "RIGHT"); } },
        { "face_ms.png",    586, 205, 1, true, true, [] (const ArtFonts& f) { return paintFace (f, "MID", "SIDE"); } },
        { "back_panel.png", 586, 205, 1, true, true, paintBackPanel },
    };
}

} // namespace vyrart
