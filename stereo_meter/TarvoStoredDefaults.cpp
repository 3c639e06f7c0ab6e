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

constexpr vyrkit::StoredDefaultTable table { "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\", storedDefaults, 6 };
} // namespace

float VyrTarvoAudioProcessor::readStoredDefault(int index) { return table.read(index); }

void VyrTarvoAudioProcessor::loadStoredDefaults()
{
    for (int index = 6; index <= 13; ++index)
        setGlobalSetting(index, table.load(index));
}

void VyrTarvoAudioProcessor::writeStoredDefault(int index, float value)
{
    if (const auto* entry = table.entryFor(index))
        vyrplatform::RegistryStore::setValue(juce::String(table.keyPath) + entry->valueName, juce::String(value));
}

void VyrTarvoAudioProcessor::saveStoredDefaults()
{
    for (int index = 6; index <= 13; ++index)
        writeStoredDefault(index, getGlobalSetting(index - 6));
}
} // namespace vyrtarvo
