#include "MetersInProcess.h"

#include "KelsoIdentity.h"
#include "PluginEntry.h"
#include "TarvoIdentity.h"
#include "TarvoMIdentity.h"
#include "VyrKelsoMAudioProcessor.h"
#include "VyrTarvoAudioProcessor.h"
#include "VyrTarvoMAudioProcessor.h"

#include <gtest/gtest.h>

#include <atomic>

namespace vyrinprocess
{
namespace
{
constexpr float readOutFraction = 0.5f;

std::vector<double> readTarvo(juce::AudioProcessor& processor)
{
    auto& p = dynamic_cast<vyrtarvo::VyrTarvoAudioProcessor&>(processor);
    const juce::ScopedLock lock(p.getCallbackLock());
    p.updateDisplayIndex();
    std::vector<double> values;
    for (int c = 0; c < 2; ++c)
        values.insert(values.end(), { p.getNeedleLevel(c), p.getHoldNeedle(c), p.getDisplayLevel(c, readOutFraction),
                                      p.getDisplayHold(c, readOutFraction), p.readOverCount(c) });
    return values;
}

template <typename Processor>
std::vector<double> readOneChannel(juce::AudioProcessor& processor)
{
    auto& p = dynamic_cast<Processor&>(processor);
    const juce::ScopedLock lock(p.getCallbackLock());
    p.updateDisplayIndex();
    return { p.getNeedleLevel(), p.getHoldNeedle(), p.getDisplayLevel(readOutFraction),
             p.getDisplayHold(readOutFraction), p.readOverCount() };
}

std::atomic<const MeterUnderTest*> chosen { nullptr };
std::atomic<juce::AudioProcessor*> created { nullptr };
const VyrEffectFactory* factory = nullptr;

// The binding's session for the whole test program.
struct Session : ::testing::Environment
{
    void SetUp() override
    {
        VyrHostServices services { sizeof(VyrHostServices), VYR_ABI_VERSION, "in-process test host" };
        ASSERT_EQ(ACFStartup(&services), VYR_OK);
        ASSERT_EQ(ACFGetClassFactory(VYR_EFFECT_CLASS_ID, &factory), VYR_OK);
    }

    void TearDown() override { EXPECT_EQ(ACFShutdown(), VYR_OK); }
};

[[maybe_unused]] const auto* const session = ::testing::AddGlobalTestEnvironment(new Session);
} // namespace

const std::vector<MeterUnderTest>& meters()
{
    static const std::vector<MeterUnderTest> list {
        { "Tarvo", vyrtarvo::createProcessor, vyrtarvo::pluginIdentity, 2,
          [](juce::AudioProcessor& p, bool precise) {
              dynamic_cast<vyrtarvo::VyrTarvoAudioProcessor&>(p).setGlobalSetting(13, precise ? 1.0f : 0.0f);
          },
          readTarvo },
        { "KelsoM", vyrkelsom::createProcessor, vyrkelsom::pluginIdentity, 1,
          [](juce::AudioProcessor& p, bool precise) {
              dynamic_cast<vyrkelsom::VyrKelsoMAudioProcessor&>(p).setGlobalSetting(
                  vyrkelsom::VyrKelsoMAudioProcessor::measurementSetting, precise ? 1.0f : 0.0f);
          },
          readOneChannel<vyrkelsom::VyrKelsoMAudioProcessor> },
        { "TarvoM", vyrtarvom::createProcessor, vyrtarvom::pluginIdentity, 1,
          [](juce::AudioProcessor& p, bool precise) {
              dynamic_cast<vyrtarvom::VyrTarvoMAudioProcessor&>(p).setGlobalSetting(
                  vyrtarvom::VyrTarvoMAudioProcessor::measurementSetting, precise ? 1.0f : 0.0f);
          },
          readOneChannel<vyrtarvom::VyrTarvoMAudioProcessor> },
    };
    return list;
}

std::vector<MeterInMode> everyMeterInBothModes()
{
    std::vector<MeterInMode> list;
    for (const auto& meter : meters())
        for (bool precise : { false, true })
            list.push_back({ &meter, precise });
    return list;
}

std::string testName(const MeterInMode& m)
{
    return std::string(m.meter->name) + (m.precise ? "Precise" : "CpuSafe");
}

void choose(const MeterUnderTest& meter) { chosen = &meter; }

const VyrEffectFactory& effectFactory() { return *factory; }

Instance::Instance(double sampleRate) : rate(sampleRate)
{
    host.structSize = sizeof host;
    host.context = this;
    host.getSampleRate = [](void* context) { return static_cast<Instance*>(context)->rate; };
    host.maximumParameterNameLength = 31;
    handle = factory->createInstance(&host, 0);
    processor = created;
}

Instance::~Instance()
{
    if (handle != nullptr)
        factory->destroyInstance(handle);
}

bool Instance::setParameter(const std::string& name, float value)
{
    VyrParameterInfo info {};
    for (int i = 0; i < factory->getNumParameters(handle); ++i)
        if (factory->getParameterInfo(handle, i, &info) == VYR_OK && name == info.name)
            return factory->setParameterValue(handle, i, value) == VYR_OK;
    return false;
}

void Instance::process(const float* const* inputs, float* const* outputs, int numSamples)
{
    factory->process(handle, inputs, outputs, numSamples);
}
} // namespace vyrinprocess

juce::AudioProcessor* createPluginFilter()
{
    const auto* meter = vyrinprocess::chosen.load();
    auto* processor = meter != nullptr ? meter->create() : nullptr;
    vyrinprocess::created = processor;
    return processor;
}

const vyrplatform::PluginIdentity& vyrGetPluginIdentity()
{
    const auto* meter = vyrinprocess::chosen.load();
    return meter != nullptr ? meter->identity() : vyrtarvo::pluginIdentity();
}
