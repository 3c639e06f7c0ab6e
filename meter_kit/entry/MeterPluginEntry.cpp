// A meter's entry into its deliverable: the factory and the identity the host
// binding reports. Compiled into each meter's shared library only (so that
// tests can link several plug-ins side by side), with VYR_METER_NAMESPACE
// naming the meter's namespace and VYR_METER_IDENTITY_HEADER the header that
// declares its pluginIdentity() and createProcessor().
#include "PluginEntry.h"

#include VYR_METER_IDENTITY_HEADER

juce::AudioProcessor* createPluginFilter()
{
    return VYR_METER_NAMESPACE::createProcessor();
}

const vyrplatform::PluginIdentity& vyrGetPluginIdentity()
{
    return VYR_METER_NAMESPACE::pluginIdentity();
}
