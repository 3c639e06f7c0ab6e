// The per-user defaults of the settings, one text value per setting under the
// VU meter's key of the settings store. This plug-in only reads them.
#include "VyrKelsoMAudioProcessor.h"

#include "KelsoSettings.h"
#include "RegistryStore.h"
#include "SafeNumbers.h"

namespace vyrkelsom
{
float VyrKelsoMAudioProcessor::readStoredDefault(int index)
{
    const auto* entry = settings::storedValueFor(index);
    if (entry == nullptr)
        return 0.0f;
    const auto text = vyrplatform::RegistryStore::getValue(juce::String(settings::storeKey) + entry->valueName,
                                                           entry->defaultText);
    // A text without a number reads as 0; a number beyond the float range, "inf"
    // and "nan" read as a number outside 0..1, so the caller takes the fallback.
    return vyrkit::parseStoredSetting(text);
}

bool VyrKelsoMAudioProcessor::reloadStoredDefaults()
{
    // The integration time comes first, so that every later step already meters
    // with the new time.
    static constexpr int order[] = { 7, 6, 5, 8, 9, 10, 11, 12 };
    for (const int index : order)
    {
        float v = readStoredDefault(index);
        if (v < 0.0f || v > 1.0f)
            v = settings::storedValueFor(index)->fallback;
        setGlobalSetting(index, v);
    }
    // The VU type takes effect here, with the integration time already set.
    updateBallistics();
    return true;
}
} // namespace vyrkelsom
