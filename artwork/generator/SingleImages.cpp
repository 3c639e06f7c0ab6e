// The single-channel meter's front and back pages.
#include "ArtCanvas.h"
#include "SinglePainters.h"

namespace vyrart
{

std::vector<ArtImage> singleImages()
{
    return {
        { "face.png",       320, 205, 1, true, true, paintSingleFace },
        { "back_panel.png", 320, 205, 1, true, true, paintSingleBackPanel },
    };
}

} // namespace vyrart
