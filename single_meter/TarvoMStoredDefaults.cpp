// The settings' per-user defaults, read from the values the stereo meter keeps
// under its key of the settings store. This plug-in never writes them.
#include "VyrTarvoMAudioProcessor.h"

#include "StoredDefault.h"

namespace vyrtarvom
{
namespace
{
// Text indices 5 to 11. The stereo meter's mid attenuation ("tarvoMS") has no
// counterpart here and is never read.
constexpr vyrkit::StoredDefault storedDefaults[] = {
    { "tarvoReference", "0.5", 0.5f },
    { "tarvoIntegration", "0.5", 0.5f },
    { "tarvoHold", "0.5", 0.5f },
    { "tarvoReturn", "0.65", 0.65f },
    { "tarvoOver", "0.222", 0.222f },
    { "tarvoOverReference", "1.0", 1.0f },
    { "tarvoOverSampling", "0.0", 0.0f },
};

const char* const keyPath = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\";

const vyrkit::StoredDefault* entryFor(int index) noexcept
{
    using P = VyrTarvoMAudioProcessor;
    return (index >= P::firstSettingTextIndex && index <= P::lastSettingTextIndex)
               ? &storedDefaults[index - P::firstSettingTextIndex]
               : nullptr;
}
} // namespace

float VyrTarvoMAudioProcessor::readStoredDefault(int index)
{
    const auto* entry = entryFor(index);
    return entry != nullptr ? vyrkit::readStoredDefault(keyPath, *entry) : 0.0f;
}

void VyrTarvoMAudioProcessor::loadStoredDefaults()
{
    for (int index = firstSettingTextIndex; index <= lastSettingTextIndex; ++index)
        setGlobalSetting(index - firstSettingTextIndex, vyrkit::storedDefaultOrFallback(keyPath, *entryFor(index)));
}

bool VyrTarvoMAudioProcessor::reloadStoredDefaults()
{
    loadStoredDefaults();
    return true;
}
} // namespace vyrtarvom
