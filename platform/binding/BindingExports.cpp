// The seven entry points of a plug-in library and the effect's function table.
// Linked into each deliverable as objects (not from an archive), so that the
// exports are always present; the version script keeps every other symbol
// local.
#include "EffectInstance.h"
#include "MessageThread.h"
#include "PluginEntry.h"
#include "VyrPluginAbi.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace
{
using vyrplatform::EffectInstance;

// Objects alive in this library: instances, and the session between
// ACFStartup and ACFShutdown.
std::atomic<int> liveInstances { 0 };
std::mutex sessionMutex;
int sessionStarts = 0;

EffectInstance* asInstance(VyrInstance* instance)
{
    return reinterpret_cast<EffectInstance*>(instance);
}

VyrInstance* createInstance(const VyrInstanceHost* host, std::int32_t configurationIndex)
{
    if (host == nullptr || host->structSize < sizeof(VyrInstanceHost))
        return nullptr;
    {
        std::lock_guard<std::mutex> lock(sessionMutex);
        if (sessionStarts == 0)
            return nullptr;
        ++liveInstances;
    }
    auto instance = EffectInstance::create(*host, vyrGetPluginIdentity(), configurationIndex);
    if (instance == nullptr)
    {
        --liveInstances;
        return nullptr;
    }
    return reinterpret_cast<VyrInstance*>(instance.release());
}

void destroyInstance(VyrInstance* instance)
{
    if (instance == nullptr)
        return;
    delete asInstance(instance);
    --liveInstances;
}

std::int32_t getLatencySamples(VyrInstance* instance)
{
    return instance != nullptr ? asInstance(instance)->getLatencySamples() : 0;
}

std::int32_t getNumParameters(VyrInstance* instance)
{
    return instance != nullptr ? asInstance(instance)->getNumParameters() : 0;
}

VyrResult getParameterInfo(VyrInstance* instance, std::int32_t index, VyrParameterInfo* info)
{
    if (instance == nullptr || info == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->getParameterInfo(index, *info);
}

VyrResult getParameterValue(VyrInstance* instance, std::int32_t index, float* value)
{
    if (instance == nullptr || value == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->getParameterValue(index, *value);
}

VyrResult setParameterValue(VyrInstance* instance, std::int32_t index, float value)
{
    if (instance == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->setParameterValue(index, value);
}

std::int32_t getParameterText(VyrInstance* instance, std::int32_t index, char* buffer, std::int32_t size)
{
    if (instance == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->getParameterText(index, buffer, size);
}

VyrResult saveChunks(VyrInstance* instance, VyrChunkSink sink, void* context)
{
    if (instance == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->saveChunks(sink, context);
}

VyrResult restoreChunks(VyrInstance* instance, const VyrChunk* chunks, std::int32_t numChunks)
{
    if (instance == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->restoreChunks(chunks, numChunks);
}

void process(VyrInstance* instance, const float* const* inputs, float* const* outputs, std::int32_t numSamples)
{
    if (instance != nullptr)
        asInstance(instance)->process(inputs, outputs, numSamples);
}

VyrResult openEditor(VyrInstance* instance, std::uint64_t parent, std::int32_t* width, std::int32_t* height)
{
    if (instance == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->openEditor(parent, width, height);
}

VyrResult getEditorSize(VyrInstance* instance, std::int32_t* width, std::int32_t* height)
{
    if (instance == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->getEditorSize(width, height);
}

VyrResult closeEditor(VyrInstance* instance)
{
    if (instance == nullptr)
        return VYR_ERROR_INVALID;
    return asInstance(instance)->closeEditor();
}

const VyrEffectFactory effectFactory = {
    sizeof(VyrEffectFactory),
    createInstance,
    destroyInstance,
    getLatencySamples,
    getNumParameters,
    getParameterInfo,
    getParameterValue,
    setParameterValue,
    getParameterText,
    saveChunks,
    restoreChunks,
    process,
    openEditor,
    getEditorSize,
    closeEditor,
};
} // namespace

extern "C" {

VYR_EXPORT VyrResult ACFRegisterPlugin(VyrPluginDescription* description)
{
    if (description == nullptr || description->structSize < sizeof(VyrPluginDescription))
        return VYR_ERROR_INVALID;

    const auto& identity = vyrGetPluginIdentity();
    if (identity.numConfigurations < 0 || identity.numConfigurations > VYR_MAX_CONFIGURATIONS)
        return VYR_ERROR_FAILED;

    const auto structSize = description->structSize;
    std::memset(description, 0, sizeof(VyrPluginDescription));
    description->structSize = structSize;
    description->effectIdentifier = identity.effectIdentifier;
    description->manufacturerName = identity.manufacturerName;
    for (int i = 0; i < 2; ++i)
    {
        description->effectNames[i] = identity.effectNames[i];
        description->packageNames[i] = identity.packageNames[i];
    }
    description->packageVersion = identity.packageVersion;
    description->category = identity.category;
    description->numConfigurations = identity.numConfigurations;
    for (int i = 0; i < identity.numConfigurations; ++i)
    {
        auto& configuration = description->configurations[i];
        configuration.inputs = identity.configurations[i].inputs;
        configuration.outputs = identity.configurations[i].outputs;
        std::memcpy(configuration.nativeId, identity.nativeIdPrefix, 3);
        configuration.nativeId[3] = static_cast<char>('a' + i);
    }
    std::memcpy(description->manufacturerId, identity.manufacturerId, 4);
    std::memcpy(description->productId, identity.productId, 4);
    description->canBypass = identity.canBypass ? 1 : 0;
    description->latencySamples = identity.latencySamples;

    auto& version = description->versionResource;
    version.companyName = identity.companyName;
    version.fileDescription = identity.fileDescription;
    version.fileVersion = identity.fileVersion;
    version.productName = identity.productName;
    version.productVersion = identity.productVersion;
    for (int i = 0; i < 4; ++i)
    {
        version.fileVersionNumber[i] = identity.fileVersionNumber[i];
        version.productVersionNumber[i] = identity.productVersionNumber[i];
    }
    return VYR_OK;
}

VYR_EXPORT VyrResult ACFStartup(const VyrHostServices* services)
{
    if (services == nullptr || services->structSize < sizeof(VyrHostServices))
        return VYR_ERROR_INVALID;
    std::lock_guard<std::mutex> lock(sessionMutex);
    if (! vyrplatform::MessageThread::start())
        return VYR_ERROR_FAILED;
    ++sessionStarts;
    return VYR_OK;
}

VYR_EXPORT VyrResult ACFShutdown(void)
{
    std::lock_guard<std::mutex> lock(sessionMutex);
    if (sessionStarts == 0)
        return VYR_ERROR_NOT_STARTED;
    if (sessionStarts == 1 && liveInstances.load() > 0)
        return VYR_ERROR_BUSY;
    --sessionStarts;
    vyrplatform::MessageThread::stop();
    return VYR_OK;
}

VYR_EXPORT VyrResult ACFGetSDKVersion(std::uint64_t* version)
{
    if (version == nullptr)
        return VYR_ERROR_INVALID;
    *version = VYR_ABI_VERSION;
    return VYR_OK;
}

VYR_EXPORT VyrResult ACFCanUnloadNow(void)
{
    std::lock_guard<std::mutex> lock(sessionMutex);
    return liveInstances.load() + (sessionStarts > 0 ? 1 : 0);
}

VYR_EXPORT VyrResult ACFGetClassFactory(const char* classId, const VyrEffectFactory** factory)
{
    if (classId == nullptr || factory == nullptr)
        return VYR_ERROR_INVALID;
    if (std::strcmp(classId, VYR_EFFECT_CLASS_ID) != 0)
        return VYR_ERROR_UNKNOWN_CLASS;
    *factory = &effectFactory;
    return VYR_OK;
}

VYR_EXPORT VyrResult ACFRegisterComponent(std::int32_t index, VyrComponentInfo* info)
{
    if (index != 0 || info == nullptr || info->structSize < sizeof(VyrComponentInfo))
        return VYR_ERROR_INVALID;
    info->classId = VYR_EFFECT_CLASS_ID;
    info->effectIdentifier = vyrGetPluginIdentity().effectIdentifier;
    return VYR_OK;
}
}
