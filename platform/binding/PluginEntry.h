#pragma once

#include "PluginIdentity.h"

namespace juce
{
class AudioProcessor;
}

// The two functions every deliverable's entry file defines, in the global
// namespace. The binding calls them: the identity to describe the plug-in
// without an instance, the factory to create one processor per instance (the
// caller owns it and deletes it through the virtual destructor).
juce::AudioProcessor* createPluginFilter();
const vyrplatform::PluginIdentity& vyrGetPluginIdentity();
