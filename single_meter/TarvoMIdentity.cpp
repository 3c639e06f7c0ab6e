#include "TarvoMIdentity.h"

#include "MeterIdentity.h"
#include "VyrTarvoMAudioProcessor.h"

namespace vyrtarvom
{
namespace
{
constexpr vyrplatform::PluginIdentity identity = vyrkit::meterIdentity("com.korvanta.vyr.tarvom", "Vyr TarvoM", "Trvm");
} // namespace

const vyrplatform::PluginIdentity& pluginIdentity() noexcept { return identity; }

juce::AudioProcessor* createProcessor() { return new VyrTarvoMAudioProcessor(); }
} // namespace vyrtarvom
