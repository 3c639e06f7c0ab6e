#include "KelsoIdentity.h"

#include "MeterIdentity.h"
#include "VyrKelsoMAudioProcessor.h"

namespace vyrkelsom
{
namespace
{
constexpr vyrplatform::PluginIdentity identity = vyrkit::meterIdentity("com.korvanta.vyr.kelsom", "Vyr KelsoM", "Klsm");
} // namespace

const vyrplatform::PluginIdentity& pluginIdentity() noexcept { return identity; }

juce::AudioProcessor* createProcessor() { return new VyrKelsoMAudioProcessor(); }
} // namespace vyrkelsom
