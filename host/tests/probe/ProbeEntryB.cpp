// Entry of the second probe library.
#include "PluginEntry.h"
#include "ProbeProcessor.h"

namespace
{
const vyrplatform::ChannelConfiguration configurations[] = { { 2, 2 }, { 1, 1 }, { 1, 2 } };

const vyrplatform::PluginIdentity identity = {
    "com.korvanta.test.probeb",
    "Korvanta",
    { "Probe B", "Probe B" },
    { "Probe B", "Probe B" },
    0x20100,
    0,
    configurations,
    3,
    { '\0', 'V', 'Y', 'R' },
    { 'P', 'r', 'b', 'b' },
    { 'j', 'c', 'b' },
    true,
    0,
    "Korvanta",
    "Probe B",
    "2.1.0",
    "Probe B",
    "2.1.0",
    { 2, 1, 0, 0 },
    { 0, 0, 0, 0 },
};
} // namespace

juce::AudioProcessor* createPluginFilter()
{
    return new vyrprobe::ProbeProcessor(juce::Colour(0xffc04020));
}

const vyrplatform::PluginIdentity& vyrGetPluginIdentity()
{
    return identity;
}
