#include "TarvoSettings.h"

namespace vyrtarvo
{
ProcessWideSettings& processWideSettings() noexcept
{
    // Constant-initialised: zero from the moment the library is mapped, before any
    // code of the plug-in runs.
    static ProcessWideSettings settings;
    return settings;
}
} // namespace vyrtarvo
