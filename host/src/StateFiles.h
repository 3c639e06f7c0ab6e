#pragma once

#include "PluginLibrary.h"

#include <optional>
#include <string>
#include <vector>

namespace vyrhost
{
// Saved state as a directory with one file per chunk, named after the chunk
// ("juce", "params").

// A chunk id that can be a file name: 1 to 31 letters, digits, '_', '-' or '.',
// not starting with '.'.
bool isChunkFileName(const std::string& name);

// The file beside the chunks that names the plug-in that wrote them: its
// effect identifier and a line end. Its name starts with '.', so it is never
// taken for a chunk; states written before it existed have none.
extern const char* const stateWriterFileName;

// Reads every file of the directory whose name is a chunk id, and the name of
// the plug-in that wrote them (nothing when the directory has no such file).
// Fails (one-line error) when the directory is missing or unreadable or holds
// no chunk.
bool readStateDirectory(const std::string& directory, std::vector<PluginInstance::Chunk>& chunks,
                        std::optional<std::string>& writer, std::string& error);

// Writes the chunks into the directory (created if missing), with the
// identifier of the plug-in that wrote them. Every file is written under a
// temporary name first and committed only when all are written (see
// OutputFile).
bool writeStateDirectory(const std::string& directory, const std::vector<PluginInstance::Chunk>& chunks,
                         const std::string& writer, std::string& error);
} // namespace vyrhost
