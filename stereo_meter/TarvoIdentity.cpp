#include "TarvoIdentity.h"

#include "VyrTarvoAudioProcessor.h"

namespace vyrtarvo
{
namespace
{
constexpr vyrplatform::ChannelConfiguration configurations[] = { { 2, 2 }, { 1, 1 }, { 1, 2 } };

const vyrplatform::PluginIdentity identity {
    "com.korvanta.vyr.tarvo",
    "Korvanta",
    { "Vyr Tarvo", "Vyr Tarvo" },
    { "Vyr Tarvo", "Vyr Tarvo" },
    0x20100,
    0,
    configurations,
    3,
    { '\0', 'V', 'Y', 'R' },
    { 'T', 'r', 'v', 's' },
    { 'j', 'c', 'a' },
    true,
    0,
    "Korvanta",
    "Vyr Tarvo",
    "2.1.0",
    "Vyr Tarvo",
    "2.1.0",
    { 2, 1, 0, 0 },
    { 0, 0, 0, 0 },
};
} // namespace

const vyrplatform::PluginIdentity& pluginIdentity() noexcept { return identity; }

juce::AudioProcessor* createProcessor() { return new VyrTarvoAudioProcessor(); }
} // namespace vyrtarvo
