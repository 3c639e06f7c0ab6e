#include "StateRestore.h"

#include "ParameterChunk.h"
#include "StateFiles.h"

#include <optional>

namespace vyrhost
{
namespace
{
using Chunks = std::vector<PluginInstance::Chunk>;

const PluginInstance::Chunk* findChunk(const Chunks& chunks, const std::string& id)
{
    for (const auto& chunk : chunks)
        if (chunk.id == id)
            return &chunk;
    return nullptr;
}

bool sameChunks(const Chunks& a, const Chunks& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].id != b[i].id || a[i].data != b[i].data)
            return false;
    return true;
}

// Whether the plug-in took the processor chunk given, restored into instance
// between the saves before and after. A chunk the plug-in wrote comes back
// unchanged; a chunk it took in another form changes something. A chunk that
// does neither either was refused or repeats the present state: a second
// instance with every host parameter moved away tells which.
bool tookProcessorChunk(const PluginLibrary& library, int configurationIndex, double sampleRate,
                        const PluginInstance::Chunk& given, const Chunks& before, const Chunks& after)
{
    const auto* saved = findChunk(after, given.id);
    if ((saved != nullptr && saved->data == given.data) || ! sameChunks(before, after))
        return true;

    auto second = PluginInstance::create(library, configurationIndex, sampleRate, {});
    if (second == nullptr)
        return true; // nothing to tell it by: the binding took the chunk
    for (int index = 0; index < second->getNumParameters(); ++index)
    {
        VyrParameterInfo info {};
        if (second->getParameterInfo(index, info) && info.isBypass == 0)
            second->setParameterValue(index, second->getParameterValue(index) < 0.5f ? 1.0f : 0.0f);
    }
    const auto moved = second->saveChunks();
    if (! second->restoreChunks({ given }))
        return false;
    return ! sameChunks(moved, second->saveChunks());
}
} // namespace

bool restoreStateDirectory(const PluginLibrary& library, int configurationIndex, double sampleRate,
                           PluginInstance& instance, const std::string& directory, std::string& error)
{
    Chunks chunks;
    std::optional<std::string> writer;
    if (! readStateDirectory(directory, chunks, writer, error))
        return false;

    const char* identifier = library.getDescription().effectIdentifier;
    const std::string own = identifier != nullptr ? identifier : "";
    if (writer && *writer != own)
    {
        error = "the state in " + directory + " was written by " + (writer->empty() ? "an unnamed plug-in" : *writer)
              + ", not by " + own;
        return false;
    }

    // The host parameters first, as the binding applies them, so that what
    // the processor chunk changes shows on its own.
    Chunks parameters, others;
    for (const auto& chunk : chunks)
        (chunk.id == VYR_CHUNK_PARAMETERS ? parameters : others).push_back(chunk);
    if (! parameters.empty()
        && ! vyrplatform::readParameterChunk(parameters[0].data.data(), parameters[0].data.size()))
    {
        error = std::string("the plug-in refused the state chunk \"") + VYR_CHUNK_PARAMETERS + "\" in " + directory
              + ": it holds no host parameters";
        return false;
    }
    if (! instance.restoreChunks(parameters))
    {
        error = "the plug-in refused the state in " + directory;
        return false;
    }

    const auto before = instance.saveChunks();
    if (! instance.restoreChunks(others))
    {
        error = "the plug-in refused the state in " + directory;
        return false;
    }
    const auto* processorChunk = findChunk(others, VYR_CHUNK_PROCESSOR);
    if (processorChunk != nullptr
        && ! tookProcessorChunk(library, configurationIndex, sampleRate, *processorChunk, before, instance.saveChunks()))
    {
        error = std::string("the plug-in refused the state chunk \"") + VYR_CHUNK_PROCESSOR + "\" in " + directory
              + ": it left its state as it was";
        return false;
    }
    return true;
}
} // namespace vyrhost
