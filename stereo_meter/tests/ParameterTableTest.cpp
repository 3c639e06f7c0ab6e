#include "TarvoTestSupport.h"

#include "IdentityChecks.h"
#include "TarvoIdentity.h"

#include <cmath>
#include <limits>

using namespace vyrtarvo;
using namespace vyrtarvo::testing;

namespace
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")

TEST(TarvoParameters, NamesDefaultsAndCount)
{
    VyrTarvoAudioProcessor p;
    EXPECT_EQ(p.getNumParameters(), 5);
    const char* names[] = { "Hold", " LR/MS ", "Latency Compensation", "Trim", "Active" };
    const float defaults[] = { 0.0f, 0.0f, 0.0f, 0.5f, 0.0f };
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(p.getParameterName(i), names[i]);
        EXPECT_EQ(p.getParameterDefaultValue(i), defaults[i]);
        EXPECT_EQ(p.getParameter(i), defaults[i]);
    }
    for (int i : { -1, 5, 99 })
    {
        EXPECT_EQ(p.getParameterName(i), "");
        EXPECT_EQ(p.getParameterText(i), "");
        EXPECT_EQ(p.getParameterDefaultValue(i), 0.0f);
        EXPECT_EQ(p.getParameter(i), 0.0f);
        p.setParameter(i, 0.7f); // stores nothing
    }
    // The host sees the names cut to its length through JUCE's two-argument form.
    EXPECT_EQ(p.getParameterName(2, 7), "Latency");
}

TEST(TarvoParameters, ANewInstanceReportsItsStartingTexts)
{
    VyrTarvoAudioProcessor p;
    EXPECT_EQ(p.getParameterText(0), "Off");
    EXPECT_EQ(p.getParameterText(1), " LR ");
    EXPECT_EQ(p.getParameterText(2), "0 ms");
    EXPECT_EQ(p.getParameterText(3), "-");
    EXPECT_EQ(p.getParameterText(4), "Inactive");
    p.setParameter(4, 1.0f);
    EXPECT_EQ(p.getParameterText(3), "0.0 dB");
    EXPECT_EQ(p.getParameterText(4), "Active");
    EXPECT_EQ(p.getSignature(), "Master Track");
    EXPECT_EQ(p.getSizeFlag().load(), 0);
}

struct TextCase
{
    int index;
    float value;
    const char* text;
};

class TarvoParameterText : public ::testing::TestWithParam<TextCase> {};

TEST_P(TarvoParameterText, ValueGivesText)
{
    const auto& c = GetParam();
    VyrTarvoAudioProcessor p;
    p.setParameter(4, 1.0f); // trim texts show only while active
    p.setParameter(c.index, c.value);
    EXPECT_EQ(p.getParameterText(c.index), c.text) << "index " << c.index << " value " << c.value;
    EXPECT_EQ(p.getParameter(c.index), c.value);
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoParameterText, ::testing::Values(
    TextCase { 0, 0.0f, "Off" }, TextCase { 0, 0.2499f, "Off" }, TextCase { 0, 0.25f, "Infinity" },
    TextCase { 0, 0.5f, "Infinity" }, TextCase { 0, 0.75f, "On" }, TextCase { 0, 1.0f, "On" },
    TextCase { 0, 2.0f, "Off" },
    TextCase { 1, 0.0f, " LR " }, TextCase { 1, 0.49f, " LR " }, TextCase { 1, 0.5f, " MS " },
    TextCase { 1, 1.0f, " MS " }, TextCase { 1, 1e30f, " MS " }, TextCase { 1, 3.4028235e38f, " MS " },
    TextCase { 1, -1e30f, " LR " }, TextCase { 1, -3.4028235e38f, " LR " },
    TextCase { 2, 0.0f, "0 ms" }, TextCase { 2, 0.25f, "250 ms" }, TextCase { 2, 0.0424f, "42 ms" },
    TextCase { 2, 1.0f, "1000 ms" },
    TextCase { 3, 0.5f, "0.0 dB" }, TextCase { 3, 1.0f, "20.0 dB" }, TextCase { 3, 0.0f, "-20.0 dB" },
    TextCase { 3, 0.5025f, "0.1 dB" }, TextCase { 3, 0.4975f, "-0.1 dB" }, TextCase { 3, 1.1f, "24.0 dB" },
    TextCase { 3, 0.25f, "-10.0 dB" },
    TextCase { 4, 0.0f, "Inactive" }, TextCase { 4, 0.49f, "Inactive" }, TextCase { 4, 0.5f, "Active" },
    TextCase { 4, 1.0f, "Active" }));

TEST(TarvoParameters, DerivedValuesOfTheTrim)
{
    VyrTarvoAudioProcessor p;
    const struct { float value, db, gain; } cases[] = {
        { 0.0f, -20.0f, 0.1f }, { 0.5f, 0.0f, 1.0f }, { 1.0f, 20.0f, 10.0f }, { 1.1f, 24.0f, 15.848932f },
    };
    for (const auto& c : cases)
    {
        p.setParameter(3, c.value);
        EXPECT_FLOAT_EQ(p.getTrimDb(), c.db);
        EXPECT_FLOAT_EQ(p.getTrimTargetGain(), c.gain);
    }
    p.setParameter(4, 0.0f);
    EXPECT_EQ(p.getParameterText(3), "-");
    EXPECT_EQ(p.getTrimEnabled(), 0);
    p.setParameter(4, 0.5f);
    EXPECT_EQ(p.getTrimEnabled(), 1);
}

TEST(TarvoParameters, LatencyDerivesMillisecondsInFloat)
{
    VyrTarvoAudioProcessor p;
    p.setParameter(2, 1.0f);
    EXPECT_EQ(p.getLatencyMs(), 1000);
    p.setParameter(2, 0.0005f);
    EXPECT_EQ(p.getLatencyMs(), 1);
    p.setParameter(2, -0.5f);
    EXPECT_EQ(p.getLatencyMs(), -499);
}

TEST(TarvoParameters, ValuesThatAreNotNumbersAreNotTaken)
{
    VyrTarvoAudioProcessor p;
    for (int i = 0; i < 5; ++i)
        p.setParameter(i, 0.75f);
    for (float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity() })
        for (int i = 0; i < 5; ++i)
        {
            p.setParameter(i, bad);
            EXPECT_EQ(p.getParameter(i), 0.75f);
        }
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
}

TEST(TarvoParameters, AbsurdTrimKeepsAFiniteGain)
{
    VyrTarvoAudioProcessor p;
    for (float v : { 1e30f, 3e38f, -1e30f })
    {
        p.setParameter(3, v);
        EXPECT_TRUE(std::isfinite(p.getTrimTargetGain())) << v;
    }
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

TEST(TarvoIdentity, WhatTheHostIsTold)
{
    const auto& id = pluginIdentity();
    kittest::expectMeterIdentity(id, "Vyr Tarvo", "Trvs");
    EXPECT_STREQ(id.effectIdentifier, "com.korvanta.vyr.tarvo");
    std::unique_ptr<juce::AudioProcessor> p(createProcessor());
    EXPECT_EQ(p->getName(), "Vyr Tarvo");
}
} // namespace
