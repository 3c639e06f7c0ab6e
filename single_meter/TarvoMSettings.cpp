#include "TarvoMSettings.h"

namespace vyrtarvom
{
vyrkit::PeakProgrammeSettings& processWideSettings() noexcept
{
    // Constant-initialised: zero from the moment the library is mapped, before any
    // code of the plug-in runs.
    static vyrkit::PeakProgrammeSettings settings;
    return settings;
}
} // namespace vyrtarvom
