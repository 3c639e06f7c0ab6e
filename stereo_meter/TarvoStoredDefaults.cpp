// The per-user defaults of the process-wide settings, one text value per setting
// under the stereo meter's key of the settings store.
#include "VyrTarvoAudioProcessor.h"

#include "RegistryStore.h"
#include "SafeNumbers.h"

namespace vyrtarvo
{
namespace
{
struct StoredDefault
{
    const char* valueName;
    const char* defaultText;
};

constexpr StoredDefault storedDefaults[] = {
    { "tarvoReference", "0.5" },      // 6
    { "tarvoIntegration", "0.5" },    // 7
    { "tarvoHold", "0.5" },           // 8
    { "tarvoReturn", "0.65" },        // 9
    { "tarvoOver", "0.222" },         // 10
    { "tarvoOverReference", "1.0" },  // 11
    { "tarvoMS", "0.5" },             // 12
    { "tarvoOverSampling", "0.0" },   // 13
};

const char* const keyPath = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\";

const StoredDefault* entryFor(int index) noexcept
{
    return (index >= 6 && index <= 13) ? &storedDefaults[index - 6] : nullptr;
}
} // namespace

float VyrTarvoAudioProcessor::readStoredDefault(int index)
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
