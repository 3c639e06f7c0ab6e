// The settings' per-user defaults come from the values the stereo meter keeps
// under its key. Every processor constructor and every reload reads them; this
// plug-in never writes them. The settings are statics of the library, so each
// case runs in a child process (statics at zero) with a store of its own.
#include "TarvoMTestSupport.h"

#include "RegistryStore.h"
#include "StoreTesting.h"

#include <cstdlib>
#include <functional>

using namespace vyrtarvom;
using namespace vyrtarvom::testing;
using vyrplatform::RegistryStore;

namespace
{
const juce::String keyPath = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO";
const juce::String key = keyPath + "\\";
// Text indices 5 to 11.
const char* const valueNames[] = { "tarvoReference", "tarvoIntegration", "tarvoHold", "tarvoReturn",
                                   "tarvoOver", "tarvoOverReference", "tarvoOverSampling" };

// Runs body in a child process with a store of its own.
void inFreshProcess(const std::function<bool()>& body)
{
    kittest::inFreshProcess("vyr-tarvom-store", body);
}

// The texts of all seven settings, in text-index order 5 to 11.
bool textsAre(const VyrTarvoMAudioProcessor& p, const std::vector<juce::String>& expected)
{
    for (int i = 0; i < 7; ++i)
    {
        if (p.getSettingText(i + 5) != expected[(size_t) i])
        {
            std::fprintf(stderr, "text %d is \"%s\", expected \"%s\"\n", i + 5, p.getSettingText(i + 5).toRawUTF8(),
                         expected[(size_t) i].toRawUTF8());
            return false;
        }
    }
    return true;
}

TEST(TarvoMStoredDefaults, WithoutTheKeyTheDefaultsApplyAndNothingIsWritten)
{
    inFreshProcess([]() -> bool {
        {
            VyrTarvoMAudioProcessor p;
            for (int i = 0; i < 7; ++i)
                CHECK(VyrTarvoMAudioProcessor::getGlobalSetting(i) == vyrtarvom::testing::defaultSettings[i]);
            CHECK(textsAre(p, { "-12.0dBFS", "10.0ms", "1.00s", "2.00s", "3", "0dBFS", "CPU Safe" }));
            CHECK(p.reloadStoredDefaults());
            CHECK(VyrTarvoMAudioProcessor::getOverCount() == 3.0);
        }
        // Neither the processor nor its destructor writes the stereo meter's key.
        CHECK(! RegistryStore::keyExists(keyPath));
        return true;
    });
}

struct StoredCase
{
    int textIndex;
    const char* text;
    float applied;
    const char* shown;
};

TEST(TarvoMStoredDefaults, StoredTextsAreReadByTheProjectsRules)
{
    inFreshProcess([]() -> bool {
        const StoredCase cases[] = {
            { 5, "1", 1.0f, "0.0dBFS" },               // "1" and "1.0" read alike
            { 6, "garbage", 0.0f, "0.0ms" },           // no number reads as 0, which is in range
            { 7, "2", 0.5f, "1.00s" },                 // out of range: the fallback
            { 8, "-0.5", 0.65f, "2.00s" },             // out of range: the fallback
            { 9, "", 0.0f, "1" },                      // empty reads as 0
            { 10, "nan", 1.0f, "0dBFS" },              // outside 0..1 like "inf": the fallback
            { 11, "  1.0e0 trailing", 1.0f, "Precise" },
        };
        for (const auto& c : cases)
            CHECK(RegistryStore::setValue(key + valueNames[c.textIndex - 5], c.text));
        // The stereo meter's mid attenuation has no counterpart here.
        CHECK(RegistryStore::setValue(key + "tarvoMS", "1"));

        VyrTarvoMAudioProcessor p;
        for (const auto& c : cases)
        {
            if (VyrTarvoMAudioProcessor::getGlobalSetting(c.textIndex - 5) != c.applied
                || p.getSettingText(c.textIndex) != c.shown)
            {
                std::fprintf(stderr, "index %d: %g \"%s\"\n", c.textIndex,
                             (double) VyrTarvoMAudioProcessor::getGlobalSetting(c.textIndex - 5),
                             p.getSettingText(c.textIndex).toRawUTF8());
                return false;
            }
        }
        CHECK(processWideSettings().midValue.load() == 0.0);
        CHECK(processWideSettings().oversamplingOn.load() == 1);
        // The constructor's own preparation at 44100 Hz picked the oversampling.
        CHECK(p.getProcessingRate() == 176400.0);
        CHECK(RegistryStore::getValue(key + "tarvoHold") == "2"); // never rewritten
        return true;
    });
}

struct NonFiniteCase
{
    const char* text;
    float applied;
};

TEST(TarvoMStoredDefaults, NoTextReachesASettingAsANonFiniteNumber)
{
    inFreshProcess([]() -> bool {
        // Beyond the float range, infinite or not a number: outside 0..1, so the
        // fallback 0.5; a text without a number (or with more than one) reads as
        // its leading number or 0.
        const NonFiniteCase cases[] = { { "inf", 0.5f }, { "-inf", 0.5f }, { "NaN", 0.5f }, { "1e999", 0.5f },
                                        { "-1e999", 0.5f }, { "1e39", 0.5f }, { "1e40", 0.5f }, { "-1e40", 0.5f },
                                        { "3e38", 0.5f }, { "0x1p-2", 0.0f }, { "0.25.5", 0.25f }, { "none", 0.0f } };
        for (const auto& c : cases)
        {
            CHECK(RegistryStore::setValue(key + "tarvoReference", c.text));
            VyrTarvoMAudioProcessor p;
            const float v = VyrTarvoMAudioProcessor::getGlobalSetting(VyrTarvoMAudioProcessor::referenceSetting);
            if (v != c.applied)
            {
                std::fprintf(stderr, "\"%s\" gave %g\n", c.text, (double) v);
                return false;
            }
            CHECK(std::isfinite(processWideSettings().inverseReferenceGain.load()));
        }
        return true;
    });
}

TEST(TarvoMStoredDefaults, WhatTheStereoMeterSavesReachesEveryInstance)
{
    inFreshProcess([]() -> bool {
        VyrTarvoMAudioProcessor first;
        configure(first, 2, 2, 48000.0, 512);
        VyrTarvoMAudioProcessor second;
        configure(second, 2, 2, 48000.0, 512);
        CHECK(first.getSettingText(11) == "CPU Safe");

        // The stereo meter stores each setting as JUCE's float text.
        CHECK(RegistryStore::setValue(key + "tarvoOverSampling", juce::String(1.0f)));
        CHECK(RegistryStore::setValue(key + "tarvoReference", juce::String(0.999984f)));
        CHECK(RegistryStore::setValue(key + "tarvoHold", juce::String(0.25f)));
        CHECK(RegistryStore::setValue(key + "tarvoOver", juce::String(0.5f)));

        CHECK(first.reloadStoredDefaults());
        CHECK(VyrTarvoMAudioProcessor::getGlobalSetting(0) == 0.999984f);
        CHECK(VyrTarvoMAudioProcessor::getGlobalSetting(2) == 0.25f);
        CHECK(second.getSettingText(11) == "Precise"); // process-wide
        CHECK(second.getSettingText(7) == "0.32s");
        CHECK(second.getSettingText(9) == "6");
        // The instance that reloaded moved its processing rate at once; the other
        // one takes the new mode up, for its own rate, at its next block.
        CHECK(first.getProcessingRate() == 192000.0);
        CHECK(first.getBallistics().oversamplingFactor == 4);
        CHECK(second.getProcessingRate() == 48000.0);
        std::vector<std::vector<float>> block(2, std::vector<float>(480, 0.0f));
        process(second, block, { 480 });
        CHECK(second.getProcessingRate() == 192000.0);
        CHECK(second.getBallistics().oversamplingFactor == 4);

        // A further reread with the same texts leaves the rate and the history alone.
        std::vector<std::vector<float>> audio(2, std::vector<float>(4800, 0.5f));
        setParameter(first, VyrTarvoMAudioProcessor::latencyParameter, 0.1f);
        process(first, audio, { 480 });
        const int written = first.getRingWriteIndex();
        CHECK(written > 0);
        CHECK(first.reloadStoredDefaults());
        CHECK(first.getProcessingRate() == 192000.0);
        CHECK(first.getRingWriteIndex() == written);

        // A new instance rereads too and brings a later save to all of them.
        CHECK(RegistryStore::setValue(key + "tarvoOverReference", juce::String(0.0f)));
        VyrTarvoMAudioProcessor third;
        CHECK(first.getSettingText(10) == "+8.15dBu");
        return true;
    });
}

TEST(TarvoMStoredDefaults, ReadStoredDefaultUsesTheTextIndices)
{
    inFreshProcess([]() -> bool {
        CHECK(RegistryStore::setValue(key + "tarvoReference", "0.75"));
        CHECK(RegistryStore::setValue(key + "tarvoOverSampling", "1"));
        CHECK(RegistryStore::setValue(key + "tarvoMS", "0.9"));
        CHECK(VyrTarvoMAudioProcessor::readStoredDefault(5) == 0.75f);
        CHECK(VyrTarvoMAudioProcessor::readStoredDefault(11) == 1.0f);
        CHECK(VyrTarvoMAudioProcessor::readStoredDefault(8) == 0.65f); // missing: the default text
        CHECK(VyrTarvoMAudioProcessor::readStoredDefault(4) == 0.0f);
        CHECK(VyrTarvoMAudioProcessor::readStoredDefault(12) == 0.0f);
        return true;
    });
}
} // namespace
