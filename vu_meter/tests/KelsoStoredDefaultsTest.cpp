// The settings as read from the store: every constructor rereads them, missing
// values take their default text, values outside 0..1 their fallback (also a
// number beyond the float range, "inf" and "nan"), and text without a number
// reads as 0.
#include "KelsoTestSupport.h"

#include "KelsoSettings.h"

#include <limits>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;

namespace
{
using KelsoStoredDefaults = KelsoTest;

const char* const valueNames[] = { "vuType", "vuReference", "vuIntegration", "vuBacklit",
                                   "vuHold", "vuOver", "vuOverRef", "vuOverSampling" };

const char* const defaultTexts[] = { " A ", "-18.0dBFS", "300ms", "0.5", "1.00s", "3", "0dBFS", "CPU Safe" };

void expectTexts(const VyrKelsoMAudioProcessor& p, const char* const (&texts)[8])
{
    for (int index = 5; index <= 12; ++index)
        EXPECT_EQ(p.getSettingText(index), texts[index - 5]) << index;
}

TEST_F(KelsoStoredDefaults, NoKeyGivesTheDefaults)
{
    ASSERT_FALSE(vyrplatform::RegistryStore::keyExists(storeKey));
    VyrKelsoMAudioProcessor p;
    expectTexts(p, defaultTexts);
    const float slots[] = { 0.0f, 0.25f, 0.5f, 0.5f, 0.5f, 0.222f, 1.0f, 0.0f };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(i), slots[i]) << i;
    // Backlight row 2 of the face strip.
    EXPECT_EQ((int) (VyrKelsoMAudioProcessor::getGlobalSetting(3) * 4 + 0.5), 2);
    // Nothing is written back.
    EXPECT_FALSE(vyrplatform::RegistryStore::keyExists(storeKey));
}

constexpr float floatMax = std::numeric_limits<float>::max();

struct StoredCase
{
    const char* valueName;
    const char* text;
    int index;
    float read;     // what readStoredDefault returns
    float applied;  // the setting after the reread
    const char* shown;
};

TEST_F(KelsoStoredDefaults, StoredTextsAreReadByTheProjectsRules)
{
    const StoredCase cases[] = {
        { "vuType", "0.7", 5, 0.7f, 0.7f, " B " },
        { "vuReference", "0", 6, 0.0f, 0.0f, "-24.0dBFS" },
        { "vuReference", "1", 6, 1.0f, 1.0f, "0.0dBFS" },
        { "vuIntegration", "0", 7, 0.0f, 0.0f, "53ms" },
        { "vuIntegration", "1", 7, 1.0f, 1.0f, "1697ms" },
        { "vuBacklit", "0.3", 8, 0.3f, 0.3f, "0.25" },
        { "vuHold", "0.0875", 9, 0.0875f, 0.0875f, "0.14s" },
        { "vuHold", "0.9", 9, 0.9f, 0.9f, "7.00s" },
        { "vuOverRef", "0.1", 11, 0.1f, 0.1f, "+8VU" },
        { "vuOverRef", "0.4", 11, 0.4f, 0.4f, "-3dBFS" },
        { "vuOverRef", "0.6", 11, 0.6f, 0.6f, "-1dBFS" },
        { "vuOverSampling", "1", 12, 1.0f, 1.0f, "Precise" },
        // Out of range: the fallback.
        { "vuOverSampling", "5", 12, 5.0f, 0.0f, "CPU Safe" },
        { "vuOver", "-0.5", 10, -0.5f, 0.222f, "3" },
        { "vuReference", "1.01", 6, 1.01f, 0.25f, "-18.0dBFS" },
        { "vuIntegration", "200", 7, 200.0f, 0.5f, "300ms" },
        // Text without a number reads as 0, which is in range.
        { "vuOverRef", "garbage", 11, 0.0f, 0.0f, "+8VU" },
        { "vuBacklit", "", 8, 0.0f, 0.0f, "0" },
        // Beyond the float range, infinite or not a number: read as the largest
        // float of its sign, outside 0..1, so the fallback; no NaN or infinity
        // reaches a setting.
        { "vuIntegration", "nan", 7, floatMax, 0.5f, "300ms" },
        { "vuReference", "inf", 6, floatMax, 0.25f, "-18.0dBFS" },
        { "vuHold", "-inf", 9, -floatMax, 0.5f, "1.00s" },
        { "vuOver", "1e999", 10, floatMax, 0.222f, "3" },
        { "vuType", "1e40", 5, floatMax, 0.0f, " A " },
        { "vuBacklit", "-1e40", 8, -floatMax, 0.5f, "0.5" },
        // The leading number of the text counts.
        { "vuType", " 0.75 dB", 5, 0.75f, 0.75f, " B " },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.valueName) + " = \"" + c.text + "\"");
        useEmptyStore();
        storeValue(c.valueName, c.text);
        EXPECT_EQ(VyrKelsoMAudioProcessor::readStoredDefault(c.index), c.read);
        VyrKelsoMAudioProcessor p;
        const float applied = VyrKelsoMAudioProcessor::getGlobalSetting(c.index - 5);
        if (c.index == 9)
            EXPECT_FLOAT_EQ(applied, c.applied);
        else
            EXPECT_EQ(applied, c.applied);
        EXPECT_EQ(p.getSettingText(c.index), c.shown);
        EXPECT_TRUE(std::isfinite(processWideSettings().inverseReference.load()));
        EXPECT_TRUE(std::isfinite(processWideSettings().integrationMs.load()));
    }
}

TEST_F(KelsoStoredDefaults, ValueNamesCompareWithoutRegardToCase)
{
    storeValue("VUTYPE", "1");
    VyrKelsoMAudioProcessor p;
    EXPECT_EQ(p.getSettingText(5), " B ");
}

TEST_F(KelsoStoredDefaults, EveryConstructorAndRereadBringsTheStoreToAllInstances)
{
    VyrKelsoMAudioProcessor first;
    configure(first, 2, 2, 44100.0, 512);
    EXPECT_EQ(first.getSettingText(7), "300ms");

    storeValue("vuIntegration", "1");
    storeValue("vuType", "1");
    VyrKelsoMAudioProcessor second;
    // The settings are process-wide: the first instance shows them too.
    EXPECT_EQ(first.getSettingText(7), "1697ms");
    EXPECT_EQ(first.getSettingText(5), " B ");
    EXPECT_NEAR(VyrKelsoMAudioProcessor::getNeedleCutoff(), 629.89 / 1697.0, 1e-4);
    // Its needle bank follows at its own next reread.
    EXPECT_EQ(first.getNeedleBank().getQStart(), 0.68);
    EXPECT_TRUE(first.reloadStoredDefaults());
    EXPECT_EQ(first.getNeedleBank().getQStart(), 0.85);
    EXPECT_NEAR(first.getNeedleBank().getSection(0).getFrequency(), 629.89 / 1697.0, 1e-4);

    storeValue("vuHold", "0");
    EXPECT_TRUE(second.reloadStoredDefaults());
    EXPECT_EQ(first.getSettingText(9), "0.10s");
    // The hold length of the instance that reread follows at once.
    EXPECT_FLOAT_EQ(second.getHoldLength(), 0.1f * 44100.0f);
}

// The settings are zero in a freshly loaded library until the first instance
// reads the store; that needs a process of its own.
TEST(KelsoStoredDefaultsFreshProcess, TheSettingsAreZeroUntilTheFirstInstance)
{
    EXPECT_EXIT(
        {
            bool ok = VyrKelsoMAudioProcessor::getGlobalSetting(6) == 0.0f
                   && processWideSettings().integrationMs == 0.0
                   && ! VyrKelsoMAudioProcessor::isPollRoleTaken();
            useEmptyStore();
            storeValue("vuReference", "0.5");
            {
                VyrKelsoMAudioProcessor p;
                ok = ok && p.getSettingText(6) == "-12.0dBFS";
            }
            // The instance is gone, the settings stay.
            ok = ok && VyrKelsoMAudioProcessor::getGlobalSetting(1) == 0.5f;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(KelsoPollRole, OneEditorAtATimeHoldsThePollRole)
{
    VyrKelsoMAudioProcessor::releasePollRole();
    EXPECT_TRUE(VyrKelsoMAudioProcessor::takePollRoleIfFree());
    EXPECT_TRUE(VyrKelsoMAudioProcessor::isPollRoleTaken());
    EXPECT_FALSE(VyrKelsoMAudioProcessor::takePollRoleIfFree());
    VyrKelsoMAudioProcessor::releasePollRole();
    EXPECT_FALSE(VyrKelsoMAudioProcessor::isPollRoleTaken());
    EXPECT_TRUE(VyrKelsoMAudioProcessor::takePollRoleIfFree());
    VyrKelsoMAudioProcessor::releasePollRole();
}
} // namespace
