// Entry of the first probe library.
#include "PluginEntry.h"
#include "ProbeProcessor.h"

namespace
{
const vyrplatform::ChannelConfiguration configurations[] = { { 2, 2 }, { 1, 1 }, { 1, 2 } };

const vyrplatform::PluginIdentity identity = {
    "com.korvanta.test.probea",
    "Korvanta",
    { "Probe A", "Probe A" },
    { "Probe A", "Probe A" },
    0x20100,
    0,
    configurations,
    3,
    { '\0', 'V', 'Y', 'R' },
    { 'P', 'r', 'b', 'a' },
    { 'j', 'c', 'a' },
    true,
    0,
    "Korvanta",
    "Probe A",
    "2.1.0",
    "Probe A",
    "2.1.0",
    { 2, 1, 0, 0 },
    { 0, 0, 0, 0 },
};
} // namespace

juce::AudioProcessor* createPluginFilter()
{
    return new vyrprobe::ProbeProcessor(juce::Colour(0xff2060c0));
}

const vyrplatform::PluginIdentity& vyrGetPluginIdentity()
{
    return identity;
}
