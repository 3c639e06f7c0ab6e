#include "KelsoIdentity.h"

#include "VyrKelsoMAudioProcessor.h"

namespace vyrkelsom
{
namespace
{
constexpr vyrplatform::ChannelConfiguration configurations[] = { { 2, 2 }, { 1, 1 }, { 1, 2 } };

const vyrplatform::PluginIdentity identity {
    "com.korvanta.vyr.kelsom",
    "Korvanta",
    { "Vyr KelsoM", "Vyr KelsoM" },
    { "Vyr KelsoM", "Vyr KelsoM" },
    0x20100,
    0,
    configurations,
    3,
    { '\0', 'V', 'Y', 'R' },
    { 'K', 'l', 's', 'm' },
    { 'j', 'c', 'a' },
    true,
    0,
    "Korvanta",
    "Vyr KelsoM",
    "2.1.0",
    "Vyr KelsoM",
    "2.1.0",
    { 2, 1, 0, 0 },
    { 0, 0, 0, 0 },
};
} // namespace

const vyrplatform::PluginIdentity& pluginIdentity() noexcept { return identity; }

juce::AudioProcessor* createProcessor() { return new VyrKelsoMAudioProcessor(); }
} // namespace vyrkelsom
