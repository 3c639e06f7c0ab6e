// The settings' per-user defaults, read from the values the stereo meter keeps
// under its key of the settings store. This plug-in never writes them.
#include "VyrTarvoMAudioProcessor.h"

#include "RegistryStore.h"
#include "SafeNumbers.h"

namespace vyrtarvom
{
namespace
{
struct StoredDefault
{
    const char* valueName;
    const char* defaultText;
    // Taken instead of a stored number outside 0..1.
    float fallback;
};

// Text indices 5 to 11. The stereo meter's mid attenuation ("tarvoMS") has no
// counterpart here and is never read.
constexpr StoredDefault storedDefaults[] = {
    { "tarvoReference", "0.5", 0.5f },
    { "tarvoIntegration", "0.5", 0.5f },
    { "tarvoHold", "0.5", 0.5f },
    { "tarvoReturn", "0.65", 0.65f },
    { "tarvoOver", "0.222", 0.222f },
    { "tarvoOverReference", "1.0", 1.0f },
    { "tarvoOverSampling", "0.0", 0.0f },
};

const char* const keyPath = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\";

const StoredDefault* entryFor(int index) noexcept
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
    if (entry == nullptr)
        return 0.0f;
    const auto text = vyrplatform::RegistryStore::getValue(juce::String(keyPath) + entry->valueName,
                                                           entry->defaultText);
    // A text without a number reads as 0; a number beyond the float range, "inf"
    // and "nan" read as a number outside 0..1, so the caller takes the fallback.
    return vyrkit::parseStoredSetting(text);
}

void VyrTarvoMAudioProcessor::loadStoredDefaults()
{
    for (int index = firstSettingTextIndex; index <= lastSettingTextIndex; ++index)
    {
        float v = readStoredDefault(index);
        if (v < 0.0f || v > 1.0f)
            v = entryFor(index)->fallback;
        setGlobalSetting(index - firstSettingTextIndex, v);
    }
}

bool VyrTarvoMAudioProcessor::reloadStoredDefaults()
{
    loadStoredDefaults();
    return true;
}
} // namespace vyrtarvom
