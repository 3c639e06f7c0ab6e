// The per-user defaults of the settings, one text value per setting under the
// VU meter's key of the settings store. This plug-in only reads them.
#include "VyrKelsoMAudioProcessor.h"

#include "KelsoSettings.h"

namespace vyrkelsom
{
float VyrKelsoMAudioProcessor::readStoredDefault(int index) { return settings::storedDefaults.read(index); }

bool VyrKelsoMAudioProcessor::reloadStoredDefaults()
{
    // The integration time comes first, so that every later step already meters
    // with the new time.
    static constexpr int order[] = { 7, 6, 5, 8, 9, 10, 11, 12 };
    for (const int index : order)
        setGlobalSetting(index, settings::storedDefaults.load(index));
    // The VU type takes effect here, with the integration time already set.
    updateBallistics();
    return true;
}
} // namespace vyrkelsom
