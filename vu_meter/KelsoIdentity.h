#pragma once

#include "PluginIdentity.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrkelsom
{
// What the VU meter reports to a host before any instance exists.
const vyrplatform::PluginIdentity& pluginIdentity() noexcept;

// A new processor; the caller owns it.
juce::AudioProcessor* createProcessor();
} // namespace vyrkelsom
