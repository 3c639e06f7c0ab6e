#pragma once

#include "VyrPluginAbi.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vyrhost
{
// One plug-in library mapped with dlopen (RTLD_NOW | RTLD_LOCAL) and started:
// the seven entry points resolved, the session begun with ACFStartup, the
// description read and the effect's function table fetched. The destructor
// ends the session and unmaps the library.
class PluginLibrary
{
public:
    // Returns null and sets error (one line) when the file is missing, is not
    // a loadable library, lacks an entry point, or refuses to start.
    static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string& error);
    ~PluginLibrary();

    const VyrPluginDescription& getDescription() const { return description; }
    const VyrEffectFactory& getFactory() const { return *factory; }
    std::uint64_t getAbiVersion() const { return abiVersion; }

    // The index of the configuration with these channel counts, or -1.
    int findConfiguration(int inputs, int outputs) const;

    // The entry points, for callers that test them directly.
    VyrResult canUnloadNow() const { return entry.canUnloadNow(); }
    VyrResult shutdown();
    VyrResult startup();

    struct EntryPoints
    {
        VyrResult (*registerPlugin)(VyrPluginDescription*) = nullptr;
        VyrResult (*startup)(const VyrHostServices*) = nullptr;
        VyrResult (*shutdown)() = nullptr;
        VyrResult (*getSdkVersion)(std::uint64_t*) = nullptr;
        VyrResult (*canUnloadNow)() = nullptr;
        VyrResult (*getClassFactory)(const char*, const VyrEffectFactory**) = nullptr;
        VyrResult (*registerComponent)(std::int32_t, VyrComponentInfo*) = nullptr;
    };
    const EntryPoints& getEntryPoints() const { return entry; }

private:
    PluginLibrary() = default;

    void* handle = nullptr;
    EntryPoints entry;
    bool started = false;
    std::uint64_t abiVersion = 0;
    VyrPluginDescription description {};
    const VyrEffectFactory* factory = nullptr;
};

// One instance of the library's effect, with the host's side of it: the rate it
// reports, and the callbacks as std::functions (called on the plug-in's threads).
class PluginInstance
{
public:
    struct Callbacks
    {
        std::function<void(int index, float value)> parameterChanged;
        std::function<void(int width, int height)> editorResized;
    };

    static std::unique_ptr<PluginInstance> create(const PluginLibrary& library, int configurationIndex,
                                                  double sampleRate, Callbacks callbacks,
                                                  int maximumNameLength = 31);
    ~PluginInstance();

    int getNumInputs() const { return numInputs; }
    int getNumOutputs() const { return numOutputs; }
    int getNumParameters() const;
    int findBypassParameter() const;
    bool getParameterInfo(int index, VyrParameterInfo& info) const;
    float getParameterValue(int index) const;
    bool setParameterValue(int index, float value);
    std::string getParameterText(int index) const;

    struct Chunk
    {
        std::string id;
        std::vector<unsigned char> data;
    };
    std::vector<Chunk> saveChunks() const;
    bool restoreChunks(const std::vector<Chunk>& chunks);

    void process(const float* const* inputs, float* const* outputs, int numSamples);

    VyrResult openEditor(std::uint64_t parentWindow, int& width, int& height);
    VyrResult closeEditor();

    const VyrEffectFactory& getFactory() const { return factory; }
    VyrInstance* getHandle() const { return instance; }

private:
    PluginInstance(const VyrEffectFactory& f) : factory(f) {}

    static double readRate(void* context);
    static void onParameterChanged(void* context, std::int32_t index, float value);
    static void onEditorResized(void* context, std::int32_t width, std::int32_t height);

    const VyrEffectFactory& factory;
    VyrInstanceHost host {};
    double sampleRate = 0.0;
    Callbacks callbacks;
    VyrInstance* instance = nullptr;
    int numInputs = 0, numOutputs = 0;
};

std::string fourCharCode(const char code[4]);
} // namespace vyrhost
