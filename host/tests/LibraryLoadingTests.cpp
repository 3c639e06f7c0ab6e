// Loading plug-in libraries through dlopen: the exported symbols, the
// description, the session and object counts, and several libraries (and two
// copies of one) side by side with separate statics.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <set>

using namespace vyrhosttest;
using vyrhost::PluginInstance;
using vyrhost::PluginLibrary;

namespace
{
std::vector<std::string> deliverables()
{
    std::vector<std::string> paths { probeAPath(), probeBPath() };
    for (const auto& meter : meterPaths())
        paths.push_back(meter);
    return paths;
}

std::set<std::string> definedDynamicSymbols(const std::string& path)
{
    std::set<std::string> symbols;
    const std::string command = "nm -D --defined-only --format=posix '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return symbols;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe) != nullptr)
    {
        std::string text = line;
        symbols.insert(text.substr(0, text.find(' ')));
    }
    pclose(pipe);
    return symbols;
}

std::string probeText(const PluginInstance& instance)
{
    return instance.getParameterText(1);
}
} // namespace

class EveryDeliverable : public ::testing::TestWithParam<std::string>
{
};

TEST_P(EveryDeliverable, ExportsExactlyTheSevenEntryPoints)
{
    const std::set<std::string> expected { "ACFRegisterPlugin", "ACFStartup", "ACFShutdown", "ACFGetSDKVersion",
                                           "ACFCanUnloadNow", "ACFGetClassFactory", "ACFRegisterComponent" };
    EXPECT_EQ(definedDynamicSymbols(GetParam()), expected);
}

TEST_P(EveryDeliverable, LoadsWithEverySymbolResolved)
{
    void* handle = dlopen(GetParam().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    EXPECT_NE(dlsym(handle, "ACFStartup"), nullptr);
    // Internal names stay hidden.
    EXPECT_EQ(dlsym(handle, "createPluginFilter"), nullptr);
    EXPECT_EQ(dlsym(handle, "_Z18createPluginFilterv"), nullptr);
}

TEST_P(EveryDeliverable, CountsItsObjectsUntilItMayBeUnloaded)
{
    void* handle = dlopen(GetParam().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr);
    auto startup = reinterpret_cast<VyrResult (*)(const VyrHostServices*)>(dlsym(handle, "ACFStartup"));
    auto shutdown = reinterpret_cast<VyrResult (*)()>(dlsym(handle, "ACFShutdown"));
    auto canUnload = reinterpret_cast<VyrResult (*)()>(dlsym(handle, "ACFCanUnloadNow"));
    auto getFactory = reinterpret_cast<VyrResult (*)(const char*, const VyrEffectFactory**)>(
        dlsym(handle, "ACFGetClassFactory"));

    const VyrEffectFactory* factory = nullptr;
    ASSERT_EQ(getFactory(VYR_EFFECT_CLASS_ID, &factory), VYR_OK);
    EXPECT_EQ(getFactory("another.class", &factory), VYR_ERROR_UNKNOWN_CLASS);

    VyrInstanceHost host {};
    host.structSize = sizeof host;
    host.getSampleRate = [](void*) { return 48000.0; };
    host.maximumParameterNameLength = 31;

    EXPECT_EQ(canUnload(), 0);
    EXPECT_EQ(factory->createInstance(&host, 0), nullptr) << "no instance before ACFStartup";
    EXPECT_EQ(shutdown(), VYR_ERROR_NOT_STARTED);

    VyrHostServices services { sizeof(VyrHostServices), VYR_ABI_VERSION, "test" };
    ASSERT_EQ(startup(&services), VYR_OK);
    EXPECT_EQ(canUnload(), 1);

    VyrInstance* first = factory->createInstance(&host, 0);
    VyrInstance* second = factory->createInstance(&host, 2);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(canUnload(), 3);
    EXPECT_EQ(shutdown(), VYR_ERROR_BUSY) << "instances are alive";

    factory->destroyInstance(first);
    factory->destroyInstance(second);
    EXPECT_EQ(canUnload(), 1);
    EXPECT_EQ(shutdown(), VYR_OK);
    EXPECT_EQ(canUnload(), 0);

    // A second session in the same process starts a new message thread.
    ASSERT_EQ(startup(&services), VYR_OK);
    VyrInstance* third = factory->createInstance(&host, 1);
    EXPECT_NE(third, nullptr);
    factory->destroyInstance(third);
    EXPECT_EQ(shutdown(), VYR_OK);
    EXPECT_EQ(canUnload(), 0);
}

TEST_P(EveryDeliverable, RefusesUnusableInstanceRequests)
{
    auto library = loadLibrary(GetParam());
    ASSERT_NE(library, nullptr);
    const auto& factory = library->getFactory();

    VyrInstanceHost host {};
    host.structSize = sizeof host;
    host.getSampleRate = [](void* context) { return *static_cast<double*>(context); };
    host.maximumParameterNameLength = 31;

    const std::vector<std::pair<double, int>> refused = {
        { 44100.0, -1 }, { 44100.0, 3 }, { 0.0, 0 }, { -48000.0, 0 },
        { std::numeric_limits<double>::quiet_NaN(), 0 }, { std::numeric_limits<double>::infinity(), 0 },
    };
    for (const auto& [rate, configuration] : refused)
    {
        double r = rate;
        host.context = &r;
        EXPECT_EQ(factory.createInstance(&host, configuration), nullptr) << rate << " Hz, configuration " << configuration;
    }
    EXPECT_EQ(factory.createInstance(nullptr, 0), nullptr);
    EXPECT_EQ(library->canUnloadNow(), 1) << "a refused instance leaves nothing alive";
}

INSTANTIATE_TEST_SUITE_P(Built, EveryDeliverable, ::testing::ValuesIn(deliverables()),
                         [](const auto& info) {
                             const auto name = std::filesystem::path(info.param).stem().string();
                             std::string id;
                             for (char c : name)
                                 if (std::isalnum(static_cast<unsigned char>(c)))
                                     id += c;
                             return id;
                         });

TEST(ProbeLibrary, DescribesItselfFromItsIdentityTable)
{
    auto library = loadLibrary(probeBPath());
    ASSERT_NE(library, nullptr);
    const auto& d = library->getDescription();
    EXPECT_STREQ(d.effectIdentifier, "com.korvanta.test.probeb");
    EXPECT_STREQ(d.effectNames[1], "Probe B");
    EXPECT_EQ(vyrhost::fourCharCode(d.productId), "Prbb");
    ASSERT_EQ(d.numConfigurations, 3);
    EXPECT_EQ(vyrhost::fourCharCode(d.configurations[2].nativeId), "jcbc");
    EXPECT_STREQ(d.versionResource.fileDescription, "Probe B");
}

TEST(ProbeLibrary, RegisterComponentNamesTheEffectClassOnly)
{
    auto library = loadLibrary(probeAPath());
    ASSERT_NE(library, nullptr);
    const auto& entry = library->getEntryPoints();
    VyrComponentInfo info {};
    info.structSize = sizeof info;
    ASSERT_EQ(entry.registerComponent(0, &info), VYR_OK);
    EXPECT_STREQ(info.classId, VYR_EFFECT_CLASS_ID);
    EXPECT_STREQ(info.effectIdentifier, "com.korvanta.test.probea");
    EXPECT_EQ(entry.registerComponent(1, &info), VYR_ERROR_INVALID);

    std::uint64_t version = 0;
    ASSERT_EQ(entry.getSdkVersion(&version), VYR_OK);
    EXPECT_EQ(version, VYR_ABI_VERSION);
}

// Two different libraries and a second copy of one of them, in one process:
// each keeps its own statics (the probe counts its instances per library) and
// its own message thread.
TEST(SideBySide, LibrariesKeepSeparateStatics)
{
    TempDirectory directory;
    const std::string copyPath = directory.file("Vyr ProbeA copy_x64.so");
    std::filesystem::copy_file(probeAPath(), copyPath);

    auto a = loadLibrary(probeAPath());
    auto b = loadLibrary(probeBPath());
    auto copy = loadLibrary(copyPath);
    ASSERT_TRUE(a && b && copy);

    auto a1 = PluginInstance::create(*a, 0, 44100.0, {});
    auto a2 = PluginInstance::create(*a, 0, 44100.0, {});
    auto b1 = PluginInstance::create(*b, 1, 48000.0, {});
    auto c1 = PluginInstance::create(*copy, 2, 96000.0, {});
    ASSERT_TRUE(a1 && a2 && b1 && c1);

    EXPECT_EQ(probeField(probeText(*a2), "instances"), 2);
    EXPECT_EQ(probeField(probeText(*b1), "instances"), 1);
    EXPECT_EQ(probeField(probeText(*c1), "instances"), 1);
    EXPECT_EQ(probeField(probeText(*c1), "rate"), 96000);

    EXPECT_EQ(a->canUnloadNow(), 3);
    EXPECT_EQ(b->canUnloadNow(), 2);
    EXPECT_EQ(copy->canUnloadNow(), 2);

    c1.reset();
    EXPECT_EQ(copy->canUnloadNow(), 1);
    EXPECT_EQ(a->canUnloadNow(), 3) << "another copy's objects do not count here";
}

TEST(SideBySide, TheMeterLoadsBesideTheProbes)
{
    if (tarvoPath().empty())
        GTEST_SKIP() << "the stereo meter is not built";
    auto probe = loadLibrary(probeAPath());
    auto meter = loadLibrary(tarvoPath());
    ASSERT_TRUE(probe && meter);
    auto p = PluginInstance::create(*probe, 0, 44100.0, {});
    auto m = PluginInstance::create(*meter, 0, 44100.0, {});
    ASSERT_TRUE(p && m);
    EXPECT_EQ(m->getParameterText(0), "Off");
    EXPECT_EQ(probeField(probeText(*p), "instances"), 1);
}

// The three meters, and a second copy of one of them, in one process: each
// describes itself, creates instances and passes audio on its own.
TEST(SideBySide, ThreeMetersAndACopyInOneProcess)
{
    if (meterPaths().size() < 3)
        GTEST_SKIP() << "not every meter is built";
    TempDirectory directory;
    const std::string copyPath = directory.file("Vyr Tarvo copy_x64.so");
    std::filesystem::copy_file(tarvoPath(), copyPath);

    struct Expected
    {
        std::string path;
        const char* name;
        int parameters;
    };
    const Expected meters[] = {
        { tarvoPath(), "Vyr Tarvo", 6 }, { kelsomPath(), "Vyr KelsoM", 5 },
        { tarvomPath(), "Vyr TarvoM", 5 }, { copyPath, "Vyr Tarvo", 6 },
    };
    std::vector<std::unique_ptr<PluginLibrary>> libraries;
    std::vector<std::unique_ptr<PluginInstance>> instances;
    std::set<std::string> productIds;
    for (const auto& meter : meters)
    {
        libraries.push_back(loadLibrary(meter.path));
        ASSERT_NE(libraries.back(), nullptr) << meter.path;
        const auto& d = libraries.back()->getDescription();
        EXPECT_STREQ(d.effectNames[0], meter.name);
        EXPECT_STREQ(d.manufacturerName, "Korvanta");
        productIds.insert(vyrhost::fourCharCode(d.productId));
        for (int configuration = 0; configuration < 3; ++configuration)
        {
            instances.push_back(PluginInstance::create(*libraries.back(), configuration, 48000.0, {}));
            ASSERT_NE(instances.back(), nullptr) << meter.path << " " << configuration;
            EXPECT_EQ(instances.back()->getNumParameters(), meter.parameters);
        }
    }
    EXPECT_EQ(productIds.size(), 3u);

    // Every instance passes audio through untouched (the trim is off).
    const auto input = makeTestSignal(2, 700);
    for (auto& instance : instances)
    {
        std::vector<std::vector<float>> output(static_cast<std::size_t>(instance->getNumOutputs()),
                                               std::vector<float>(700));
        std::vector<const float*> in { input[0].data(), input[1].data() };
        std::vector<float*> out;
        for (auto& channel : output)
            out.push_back(channel.data());
        instance->process(in.data(), out.data(), 700);
        EXPECT_EQ(output[0], input[0]);
        if (instance->getNumInputs() == 2)
        {
            EXPECT_EQ(output[1], input[1]);
        }
    }
    instances.clear();
    for (auto& library : libraries)
        EXPECT_EQ(library->canUnloadNow(), 1);
}
