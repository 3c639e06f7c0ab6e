#include "MetersInProcess.h"

#include "KelsoIdentity.h"
#include "PluginEntry.h"
#include "TarvoIdentity.h"
#include "TarvoMIdentity.h"
#include "VyrKelsoMAudioProcessor.h"
#include "VyrTarvoAudioProcessor.h"
#include "VyrTarvoMAudioProcessor.h"

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

std::vector<double> readKelsoM(juce::AudioProcessor& processor)
{
    auto& p = dynamic_cast<vyrkelsom::VyrKelsoMAudioProcessor&>(processor);
    const juce::ScopedLock lock(p.getCallbackLock());
    p.updateDisplayIndex();
    return { p.getNeedleLevel(), p.getHoldNeedle(), p.getDisplayLevel(readOutFraction),
             p.getDisplayHold(readOutFraction), p.readOverCount() };
}

std::vector<double> readTarvoM(juce::AudioProcessor& processor)
{
    auto& p = dynamic_cast<vyrtarvom::VyrTarvoMAudioProcessor&>(processor);
    const juce::ScopedLock lock(p.getCallbackLock());
    p.updateDisplayIndex();
    return { p.getNeedleLevel(), p.getHoldNeedle(), p.getDisplayLevel(readOutFraction),
             p.getDisplayHold(readOutFraction), p.readOverCount() };
}

std::atomic<const MeterUnderTest*> chosen { nullptr };
std::atomic<juce::AudioProcessor*> created { nullptr };
} // namespace

const std::vector<MeterUnderTest>& meters()
{
    static const std::vector<MeterUnderTest> list {
        { "Tarvo", vyrtarvo::createProcessor, vyrtarvo::pluginIdentity,
          [](juce::AudioProcessor& p, bool precise) {
              dynamic_cast<vyrtarvo::VyrTarvoAudioProcessor&>(p).setGlobalSetting(13, precise ? 1.0f : 0.0f);
          },
          readTarvo },
        { "KelsoM", vyrkelsom::createProcessor, vyrkelsom::pluginIdentity,
          [](juce::AudioProcessor& p, bool precise) {
              dynamic_cast<vyrkelsom::VyrKelsoMAudioProcessor&>(p).setGlobalSetting(
                  vyrkelsom::VyrKelsoMAudioProcessor::measurementSetting, precise ? 1.0f : 0.0f);
          },
          readKelsoM },
        { "TarvoM", vyrtarvom::createProcessor, vyrtarvom::pluginIdentity,
          [](juce::AudioProcessor& p, bool precise) {
              dynamic_cast<vyrtarvom::VyrTarvoMAudioProcessor&>(p).setGlobalSetting(
                  vyrtarvom::VyrTarvoMAudioProcessor::measurementSetting, precise ? 1.0f : 0.0f);
          },
          readTarvoM },
    };
    return list;
}

void choose(const MeterUnderTest& meter) { chosen = &meter; }
juce::AudioProcessor* lastCreated() { return created; }
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
