#pragma once

#include "PeakProgrammeSettings.h"

namespace vyrtarvom
{
// The single-channel meter's seven ballistics settings with their derived values.
// They belong to the loaded library, not to an instance: every processor in the
// process reads and writes this one set. The stereo meter's library keeps a set
// of its own; the two meet only in the stored defaults.
vyrkit::PeakProgrammeSettings& processWideSettings() noexcept;

// The kit's index (the stereo meter's numbering) of setter index 0..6, or -1.
// The single-channel meter has no mid attenuation, so its measurement mode (6)
// skips the kit's index 12.
constexpr int kitSettingIndex(int setterIndex) noexcept
{
    if (setterIndex >= 0 && setterIndex <= 5)
        return setterIndex + vyrkit::peak_programme::referenceSetting;
    if (setterIndex == 6)
        return vyrkit::peak_programme::measurementSetting;
    return -1;
}
} // namespace vyrtarvom
