#pragma once

#include "OneNeedleParameterIds.h"

namespace vyrkelsom
{
// The ids that the panels and the kit widgets post to the editor with
// postCommandMessage. 0..3 are the host parameter indices (the kit's, shared
// with the single-channel meter) and 5..12 the process-wide settings (shown,
// never edited here), so updateControl uses the same numbers the other way.
struct CommandId : vyrkit::OneNeedleParameterIds
{
    enum : int
    {
        // 4 is not assigned.
        vuType = 5,
        referenceLevel = 6,
        integrationTime = 7,
        backlight = 8,
        holdTime = 9,
        overCount = 10,
        overReference = 11,
        measurementMode = 12,
        signature = 13,
        trimText = 14,
        showBackPanel = 15,
        showFrontPanel = 16
    };
};
} // namespace vyrkelsom
