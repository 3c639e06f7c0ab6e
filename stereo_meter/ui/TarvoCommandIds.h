#pragma once

namespace vyrtarvo
{
// The ids that the panels and the kit widgets post to the editor with
// postCommandMessage. 0..4 are the host parameter indices and 6..13 the
// process-wide settings, so updateControl uses the same numbers the other way.
struct CommandId
{
    enum : int
    {
        hold = 0,
        lrms = 1,
        latency = 2,
        trim = 3,
        active = 4,
        // 5 is not assigned.
        referenceLevel = 6,
        integrationTime = 7,
        holdTime = 8,
        returnTime = 9,
        overCount = 10,
        overReference = 11,
        midAttenuation = 12,
        measurementMode = 13,
        signature = 14,
        trimText = 15,
        showBackPanel = 16,
        showFrontPanel = 17
    };
};
} // namespace vyrtarvo
