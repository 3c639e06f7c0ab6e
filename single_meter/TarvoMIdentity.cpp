#include "TarvoMIdentity.h"

#include "VyrTarvoMAudioProcessor.h"

namespace vyrtarvom
{
namespace
{
// Their positions 0, 1, 2 are the configuration indices ("jcaa", "jcab", "jcac").
constexpr vyrplatform::ChannelConfiguration configurations[] = { { 2, 2 }, { 1, 1 }, { 1, 2 } };

const vyrplatform::PluginIdentity identity {
    "com.korvanta.vyr.tarvom",
    "Korvanta",
    { "Vyr TarvoM", "Vyr TarvoM" },
    { "Vyr TarvoM", "Vyr TarvoM" },
    0x20100,
    0,
    configurations,
    3,
    { '\0', 'V', 'Y', 'R' },
    { 'T', 'r', 'v', 'm' },
    { 'j', 'c', 'a' },
    true,
    0,
    "Korvanta",
    "Vyr TarvoM",
    "2.1.0",
    "Vyr TarvoM",
    "2.1.0",
    { 2, 1, 0, 0 },
    { 0, 0, 0, 0 },
};
} // namespace

const vyrplatform::PluginIdentity& pluginIdentity() noexcept { return identity; }

juce::AudioProcessor* createProcessor() { return new VyrTarvoMAudioProcessor(); }
} // namespace vyrtarvom
