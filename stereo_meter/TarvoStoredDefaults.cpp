// The per-user defaults of the process-wide settings, one text value per setting
// under the stereo meter's key of the settings store.
#include "VyrTarvoAudioProcessor.h"

#include "RegistryStore.h"
#include "StoredDefault.h"

namespace vyrtarvo
{
namespace
{
constexpr vyrkit::StoredDefault storedDefaults[] = {
    { "tarvoReference", "0.5", 0.5f },          // 6
    { "tarvoIntegration", "0.5", 0.5f },        // 7
    { "tarvoHold", "0.5", 0.5f },               // 8
    { "tarvoReturn", "0.65", 0.65f },           // 9
    { "tarvoOver", "0.222", 0.222f },           // 10
    { "tarvoOverReference", "1.0", 1.0f },      // 11
    { "tarvoMS", "0.5", 0.5f },                 // 12
    { "tarvoOverSampling", "0.0", 0.0f },       // 13
};

const char* const keyPath = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\";

const vyrkit::StoredDefault* entryFor(int index) noexcept
{
    return (index >= 6 && index <= 13) ? &storedDefaults[index - 6] : nullptr;
}
} // namespace

float VyrTarvoAudioProcessor::readStoredDefault(int index)
{
    const auto* entry = entryFor(index);
    return entry != nullptr ? vyrkit::readStoredDefault(keyPath, *entry) : 0.0f;
}

void VyrTarvoAudioProcessor::loadStoredDefaults()
{
    for (int index = 6; index <= 13; ++index)
        setGlobalSetting(index, vyrkit::storedDefaultOrFallback(keyPath, *entryFor(index)));
}

void VyrTarvoAudioProcessor::writeStoredDefault(int index, float value)
{
    if (const auto* entry = entryFor(index))
        vyrplatform::RegistryStore::setValue(juce::String(keyPath) + entry->valueName, juce::String(value));
}

void VyrTarvoAudioProcessor::saveStoredDefaults()
{
    for (int index = 6; index <= 13; ++index)
        writeStoredDefault(index, getGlobalSetting(index - 6));
}
} // namespace vyrtarvo
