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

using P = VyrTarvoMAudioProcessor;
constexpr vyrkit::StoredDefaultTable table { "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\", storedDefaults,
                                             P::firstSettingTextIndex };
} // namespace

float VyrTarvoMAudioProcessor::readStoredDefault(int index) { return table.read(index); }

void VyrTarvoMAudioProcessor::loadStoredDefaults()
{
    for (int index = firstSettingTextIndex; index <= lastSettingTextIndex; ++index)
        setGlobalSetting(index - firstSettingTextIndex, table.load(index));
}

bool VyrTarvoMAudioProcessor::reloadStoredDefaults()
{
    loadStoredDefaults();
    return true;
}
} // namespace vyrtarvom
