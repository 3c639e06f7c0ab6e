#pragma once

#include "AudioFile.h"
#include "Options.h"
#include "PluginLibrary.h"

#include <memory>
#include <string>

namespace vyrhost
{
// What render and open share: the input (a file or the demo programme), the
// configuration that takes it, and one configured instance (state restored,
// parameters set, bypass switched).
struct HostSession
{
    std::unique_ptr<PluginLibrary> library;
    AudioData input;
    int configurationIndex = -1;
    std::unique_ptr<PluginInstance> instance;
};

// Loads the input (for open, silence when there is none), picks the
// configuration (--config, or by the input's channel count: 2x2 for stereo,
// 1x1 for mono) and creates the instance. Returns false with a one-line error.
bool startSession(const Options& options, HostSession& session, PluginInstance::Callbacks callbacks,
                  std::string& error);

// Processes the whole input through the instance in blocks of blockSize and
// returns the outputs. The last block may be shorter.
AudioData renderThrough(PluginInstance& instance, const AudioData& input, int blockSize);
} // namespace vyrhost
