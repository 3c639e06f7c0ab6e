#pragma once

#include "OneNeedleParameterIds.h"

namespace vyrtarvom
{
// The ids that the panels and the kit widgets post to the editor with
// postCommandMessage. 0..3 are the host parameter indices (the kit's, shared
// with the VU meter), so updateControl uses the same numbers the other way. 4 is
// not assigned, and 5..11 belong to the seven process-wide settings, which no
// control of this plug-in edits: the editor ignores them.
struct CommandId : vyrkit::OneNeedleParameterIds
{
    enum : int
    {
        firstSetting = 5,
        lastSetting = 11,
        signature = 12,
        trimText = 13,
        showBackPanel = 14,
        showFrontPanel = 15
    };
};
} // namespace vyrtarvom
