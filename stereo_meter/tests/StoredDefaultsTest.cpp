// The per-user defaults: loaded by the first instance of a process, written by
// every destructor. The first-instance rule needs a fresh process, so each case
// runs in a child (statics at zero) with its own store directory.
#include "TarvoTestSupport.h"

#include "RegistryStore.h"
#include "StoreTesting.h"

#include <cstdlib>

using namespace vyrtarvo;
using vyrplatform::RegistryStore;

namespace
{
const juce::String key = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\";
const char* const valueNames[] = { "tarvoReference", "tarvoIntegration", "tarvoHold", "tarvoReturn",
                                   "tarvoOver", "tarvoOverReference", "tarvoMS", "tarvoOverSampling" };

// Runs body in a child process with a store of its own.
void inFreshProcess(const std::function<bool()>& body)
{
    kittest::inFreshProcess("vyr-tarvo-store", body);
}

TEST(TarvoStoredDefaults, AMissingKeyGivesTheDefaultsAndTheDestructorWritesThem)
{
    inFreshProcess([]() -> bool {
        CHECK(! RegistryStore::keyExists("HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO"));
        {
            VyrTarvoAudioProcessor p;
            for (int i = 0; i < 8; ++i)
                CHECK(VyrTarvoAudioProcessor::getGlobalSetting(i) == vyrtarvo::testing::defaultSettings[i]);
            CHECK(VyrTarvoAudioProcessor::getGlobalChangeCounter() == 8);
            CHECK(VyrTarvoAudioProcessor::getSettingText(8) == "1.00s");
            CHECK(VyrTarvoAudioProcessor::getSettingText(9) == "2.00s");
        }
        const char* written[] = { "0.5", "0.5", "0.5", "0.65", "0.222", "1", "0.5", "0" };
        for (int i = 0; i < 8; ++i)
            CHECK(RegistryStore::getValue(key + valueNames[i], "missing") == written[i]);
        return true;
    });
}

struct StoredCase
{
    int index;
    const char* text;
    float applied;
    const char* writtenBack;
};

TEST(TarvoStoredDefaults, StoredTextsAreReadByTheProjectsRules)
{
    inFreshProcess([]() -> bool {
        const StoredCase cases[] = {
            { 6, "1", 1.0f, "1" },            // "1" and "1.0" read alike
            { 7, "garbage", 0.0f, "0" },      // no number reads as 0, which is in range
            { 8, "0.51", 0.5f, "0.5" },       // quantised, and stored quantised
            { 9, "-0.5", 0.65f, "0.65" },     // out of range: the default
            { 10, "2", 0.222f, "0.222" },     // out of range: the default
            { 11, "nan", 1.0f, "1" },         // outside 0..1 like "inf": the default
            { 12, "", 0.0f, "0" },            // empty reads as 0
            { 13, "  1.0e0 trailing", 1.0f, "1" },
        };
        for (const auto& c : cases)
            CHECK(RegistryStore::setValue(key + valueNames[c.index - 6], c.text));
        {
            VyrTarvoAudioProcessor p;
            for (const auto& c : cases)
            {
                if (VyrTarvoAudioProcessor::getGlobalSetting(c.index - 6) != c.applied)
                {
                    std::fprintf(stderr, "index %d applied %g\n", c.index, (double) VyrTarvoAudioProcessor::getGlobalSetting(c.index - 6));
                    return false;
                }
            }
            CHECK(processWideSettings().oversamplingOn.load() == 1);
        }
        for (const auto& c : cases)
            CHECK(RegistryStore::getValue(key + valueNames[c.index - 6]) == c.writtenBack);
        return true;
    });
}

// Beyond the float range, infinite or not a number: outside 0..1, so the default;
// nothing non-finite reaches a setting or the file.
TEST(TarvoStoredDefaults, NumbersBeyondTheFloatRangeTakeTheDefault)
{
    for (const char* text : { "1e40", "-1e40", "inf", "-Infinity", "nan", "1e999" })
    {
        SCOPED_TRACE(text);
        inFreshProcess([text]() -> bool {
            CHECK(RegistryStore::setValue(key + "tarvoReturn", text));
            CHECK(VyrTarvoAudioProcessor::readStoredDefault(9) > 1.0f || VyrTarvoAudioProcessor::readStoredDefault(9) < 0.0f);
            {
                VyrTarvoAudioProcessor p;
                CHECK(VyrTarvoAudioProcessor::getGlobalSetting(3) == 0.65f);
                CHECK(VyrTarvoAudioProcessor::getSettingText(9) == "2.00s");
            }
            CHECK(RegistryStore::getValue(key + "tarvoReturn") == "0.65");
            return true;
        });
    }
}

TEST(TarvoStoredDefaults, OnlyTheFirstInstanceLoads)
{
    inFreshProcess([]() -> bool {
        CHECK(RegistryStore::setValue(key + "tarvoHold", "0.25"));
        auto first = std::make_unique<VyrTarvoAudioProcessor>();
        CHECK(VyrTarvoAudioProcessor::getGlobalSetting(2) == 0.25f);
        CHECK(RegistryStore::setValue(key + "tarvoHold", "0.75"));
        first.reset(); // writes 0.25 back
        CHECK(RegistryStore::getValue(key + "tarvoHold") == "0.25");
        CHECK(RegistryStore::setValue(key + "tarvoHold", "0.75"));
        VyrTarvoAudioProcessor second;
        CHECK(VyrTarvoAudioProcessor::getGlobalSetting(2) == 0.25f);
        return true;
    });
}

TEST(TarvoStoredDefaults, SaveWritesTheCurrentSettings)
{
    inFreshProcess([]() -> bool {
        VyrTarvoAudioProcessor p;
        p.setGlobalSetting(6, 0.999984f);
        p.setGlobalSetting(13, 1.0f);
        VyrTarvoAudioProcessor::saveStoredDefaults();
        CHECK(RegistryStore::getValue(key + "tarvoReference") == "0.999984");
        CHECK(RegistryStore::getValue(key + "tarvoOverSampling") == "1");
        CHECK(VyrTarvoAudioProcessor::readStoredDefault(6) == 0.999984f);
        CHECK(VyrTarvoAudioProcessor::readStoredDefault(5) == 0.0f);
        return true;
    });
}
} // namespace
