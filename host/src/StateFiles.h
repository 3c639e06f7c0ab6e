#pragma once

#include "PluginLibrary.h"

#include <string>
#include <vector>

namespace vyrhost
{
// Saved state as a directory with one file per chunk, named after the chunk
// ("juce", "params").

// A chunk id that can be a file name: 1 to 31 letters, digits, '_', '-' or '.',
// not starting with '.'.
bool isChunkFileName(const std::string& name);

// Reads every file of the directory whose name is a chunk id. Fails (one-line
// error) when the directory is missing or unreadable or holds no chunk.
bool readStateDirectory(const std::string& directory, std::vector<PluginInstance::Chunk>& chunks,
                        std::string& error);

// Writes the chunks into the directory (created if missing). Every file is
// written under a temporary name first and committed only when all are
// written (see OutputFile).
bool writeStateDirectory(const std::string& directory, const std::vector<PluginInstance::Chunk>& chunks,
                         std::string& error);
} // namespace vyrhost
