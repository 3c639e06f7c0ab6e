// The VU meter's entry into its deliverable: the factory and the identity the
// host binding reports. Compiled into the shared library only, so that tests can
// link several plug-ins side by side.
#include "PluginEntry.h"
#include "KelsoIdentity.h"

juce::AudioProcessor* createPluginFilter()
{
    return vyrkelsom::createProcessor();
}

const vyrplatform::PluginIdentity& vyrGetPluginIdentity()
{
    return vyrkelsom::pluginIdentity();
}
