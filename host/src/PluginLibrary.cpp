#include "PluginLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstring>

namespace vyrhost
{
namespace
{
template <typename Function>
bool resolve(void* handle, const char* name, Function& function, std::string& missing)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (function == nullptr)
    {
        missing += missing.empty() ? name : std::string(", ") + name;
        return false;
    }
    return true;
}
} // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
    {
        error = "no such file: " + path;
        return nullptr;
    }
    if (! S_ISREG(info.st_mode))
    {
        error = "not a file: " + path;
        return nullptr;
    }

    // dlopen searches the library path for names without a slash.
    const std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
    std::unique_ptr<PluginLibrary> library(new PluginLibrary());
    library->handle = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library->handle == nullptr)
    {
        const char* why = dlerror();
        error = "cannot load " + path + ": " + (why != nullptr ? why : "unknown error");
        return nullptr;
    }

    auto& e = library->entry;
    std::string missing;
    resolve(library->handle, "ACFRegisterPlugin", e.registerPlugin, missing);
    resolve(library->handle, "ACFStartup", e.startup, missing);
    resolve(library->handle, "ACFShutdown", e.shutdown, missing);
    resolve(library->handle, "ACFGetSDKVersion", e.getSdkVersion, missing);
    resolve(library->handle, "ACFCanUnloadNow", e.canUnloadNow, missing);
    resolve(library->handle, "ACFGetClassFactory", e.getClassFactory, missing);
    resolve(library->handle, "ACFRegisterComponent", e.registerComponent, missing);
    if (! missing.empty())
    {
        error = "not a plug-in library (missing " + missing + "): " + path;
        return nullptr;
    }

    if (e.getSdkVersion(&library->abiVersion) != VYR_OK || library->abiVersion != VYR_ABI_VERSION)
    {
        error = "unsupported plug-in interface version in " + path;
        return nullptr;
    }

    library->description.structSize = sizeof(VyrPluginDescription);
    if (e.registerPlugin(&library->description) != VYR_OK)
    {
        error = "the plug-in did not describe itself: " + path;
        return nullptr;
    }

    if (library->startup() != VYR_OK)
    {
        error = "the plug-in failed to start: " + path;
        return nullptr;
    }

    VyrComponentInfo component {};
    component.structSize = sizeof component;
    const char* classId = VYR_EFFECT_CLASS_ID;
    if (e.registerComponent(0, &component) == VYR_OK && component.classId != nullptr)
        classId = component.classId;
    if (e.getClassFactory(classId, &library->factory) != VYR_OK || library->factory == nullptr
        || library->factory->structSize < sizeof(VyrEffectFactory))
    {
        error = "the plug-in offers no effect: " + path;
        return nullptr;
    }
    return library;
}

VyrResult PluginLibrary::startup()
{
    VyrHostServices services {};
    services.structSize = sizeof services;
    services.abiVersion = VYR_ABI_VERSION;
    services.hostName = "vyrhost";
    const VyrResult result = entry.startup(&services);
    if (result == VYR_OK)
        started = true;
    return result;
}

VyrResult PluginLibrary::shutdown()
{
    const VyrResult result = entry.shutdown();
    if (result == VYR_OK)
        started = false;
    return result;
}

PluginLibrary::~PluginLibrary()
{
    if (handle == nullptr)
        return;
    if (started)
        entry.shutdown();
    // Unmap only what may be unmapped; a library with live objects stays.
    if (entry.canUnloadNow == nullptr || entry.canUnloadNow() == 0)
        dlclose(handle);
}

int PluginLibrary::findConfiguration(int inputs, int outputs) const
{
    for (int i = 0; i < description.numConfigurations && i < VYR_MAX_CONFIGURATIONS; ++i)
        if (description.configurations[i].inputs == inputs && description.configurations[i].outputs == outputs)
            return i;
    return -1;
}

std::unique_ptr<PluginInstance> PluginInstance::create(const PluginLibrary& library, int configurationIndex,
                                                       double sampleRate, Callbacks callbacks,
                                                       int maximumNameLength)
{
    const auto& description = library.getDescription();
    if (configurationIndex < 0 || configurationIndex >= description.numConfigurations)
        return nullptr;

    std::unique_ptr<PluginInstance> result(new PluginInstance(library.getFactory()));
    result->sampleRate = sampleRate;
    result->callbacks = std::move(callbacks);
    result->numInputs = description.configurations[configurationIndex].inputs;
    result->numOutputs = description.configurations[configurationIndex].outputs;

    auto& host = result->host;
    host.structSize = sizeof host;
    host.context = result.get();
    host.getSampleRate = readRate;
    host.maximumParameterNameLength = maximumNameLength;
    host.parameterChanged = onParameterChanged;
    host.editorResized = onEditorResized;

    result->instance = result->factory.createInstance(&host, configurationIndex);
    if (result->instance == nullptr)
        return nullptr;
    return result;
}

PluginInstance::~PluginInstance()
{
    if (instance != nullptr)
        factory.destroyInstance(instance);
}

double PluginInstance::readRate(void* context)
{
    return static_cast<PluginInstance*>(context)->sampleRate;
}

void PluginInstance::onParameterChanged(void* context, std::int32_t index, float value)
{
    auto* self = static_cast<PluginInstance*>(context);
    if (self->callbacks.parameterChanged)
        self->callbacks.parameterChanged(index, value);
}

void PluginInstance::onEditorResized(void* context, std::int32_t width, std::int32_t height)
{
    auto* self = static_cast<PluginInstance*>(context);
    if (self->callbacks.editorResized)
        self->callbacks.editorResized(width, height);
}

int PluginInstance::getNumParameters() const
{
    return factory.getNumParameters(instance);
}

int PluginInstance::findBypassParameter() const
{
    VyrParameterInfo info {};
    for (int i = 0; i < getNumParameters(); ++i)
        if (getParameterInfo(i, info) && info.isBypass != 0)
            return i;
    return -1;
}

bool PluginInstance::getParameterInfo(int index, VyrParameterInfo& info) const
{
    return factory.getParameterInfo(instance, index, &info) == VYR_OK;
}

float PluginInstance::getParameterValue(int index) const
{
    float value = 0.0f;
    factory.getParameterValue(instance, index, &value);
    return value;
}

bool PluginInstance::setParameterValue(int index, float value)
{
    return factory.setParameterValue(instance, index, value) == VYR_OK;
}

std::string PluginInstance::getParameterText(int index) const
{
    char buffer[256];
    const int length = factory.getParameterText(instance, index, buffer, sizeof buffer);
    if (length < 0)
        return {};
    if (length < static_cast<int>(sizeof buffer))
        return buffer;
    std::vector<char> large(static_cast<std::size_t>(length) + 1);
    factory.getParameterText(instance, index, large.data(), static_cast<std::int32_t>(large.size()));
    return large.data();
}

std::vector<PluginInstance::Chunk> PluginInstance::saveChunks() const
{
    std::vector<Chunk> chunks;
    auto sink = [](void* context, const char* id, const void* data, std::int32_t size) {
        auto& list = *static_cast<std::vector<Chunk>*>(context);
        const auto* bytes = static_cast<const unsigned char*>(data);
        list.push_back({ id, std::vector<unsigned char>(bytes, bytes + (size > 0 ? size : 0)) });
    };
    if (factory.saveChunks(instance, sink, &chunks) != VYR_OK)
        chunks.clear();
    return chunks;
}

bool PluginInstance::restoreChunks(const std::vector<Chunk>& chunks)
{
    std::vector<VyrChunk> list;
    for (const auto& chunk : chunks)
        list.push_back({ chunk.id.c_str(), chunk.data.data(), static_cast<std::int32_t>(chunk.data.size()) });
    return factory.restoreChunks(instance, list.data(), static_cast<std::int32_t>(list.size())) == VYR_OK;
}

void PluginInstance::process(const float* const* inputs, float* const* outputs, int numSamples)
{
    factory.process(instance, inputs, outputs, numSamples);
}

VyrResult PluginInstance::openEditor(std::uint64_t parentWindow, int& width, int& height)
{
    std::int32_t w = 0, h = 0;
    const VyrResult result = factory.openEditor(instance, parentWindow, &w, &h);
    width = w;
    height = h;
    return result;
}

VyrResult PluginInstance::closeEditor()
{
    return factory.closeEditor(instance);
}

std::string fourCharCode(const char code[4])
{
    return std::string(code, 4);
}
} // namespace vyrhost
