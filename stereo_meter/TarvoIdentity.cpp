#include "TarvoIdentity.h"

#include "MeterIdentity.h"
#include "VyrTarvoAudioProcessor.h"

namespace vyrtarvo
{
namespace
{
constexpr vyrplatform::PluginIdentity identity = vyrkit::meterIdentity("com.korvanta.vyr.tarvo", "Vyr Tarvo", "Trvs");
} // namespace

const vyrplatform::PluginIdentity& pluginIdentity() noexcept { return identity; }

juce::AudioProcessor* createProcessor() { return new VyrTarvoAudioProcessor(); }
} // namespace vyrtarvo
