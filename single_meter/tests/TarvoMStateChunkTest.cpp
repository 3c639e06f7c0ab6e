// The state chunk "VYRTARVOMsettings": its exact bytes, the round trip, the
// restore order the host sees, and data that must leave the instance alone.
#include "TarvoMTestSupport.h"

#include "StateChunk.h"
#include "StateChunkTesting.h"
#include "StateReproducers.h"

#include <cmath>
#include <string>

using namespace vyrtarvom;
using namespace vyrtarvom::testing;
using namespace kittest;

namespace
{
void restore(VyrTarvoMAudioProcessor& p, const juce::MemoryBlock& block)
{
    p.setStateInformation(block.getData(), (int) block.getSize());
}

TEST(TarvoMState, ANewInstanceSavesExactlyThisChunk)
{
    VyrTarvoMAudioProcessor p;
    juce::MemoryBlock block;
    p.getStateInformation(block);
    const std::string text = "<VYRTARVOMsettings hold=\"0\" trim=\"0.5\" active=\"0\" signature=\"M Track\" "
                             "latency=\"0\" size=\"0\"/>";
    EXPECT_EQ(chunkText(block), expectedChunkBytes(text));

    // JUCE's reader takes it as it is.
    const auto xml = juce::AudioProcessor::getXmlFromBinary(block.getData(), (int) block.getSize());
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), "VYRTARVOMsettings");
}

TEST(TarvoMState, EveryAttributeRoundTripsWithTheWidenedFloat)
{
    VyrTarvoMAudioProcessor a;
    setParameter(a, 0, 1.0f);
    setParameter(a, 1, 0.05f);
    setParameter(a, 2, 0.6f);
    setParameter(a, 3, 1.0f);
    a.setSignature("Bass \"DI\" & <amp>");
    a.getSizeFlag() = 1;
    juce::MemoryBlock block;
    a.getStateInformation(block);
    const auto text = chunkText(block);
    EXPECT_NE(text.find("latency=\"0.050000000745058059692\""), std::string::npos) << text;
    EXPECT_NE(text.find("trim=\"0.60000002384185791016\""), std::string::npos) << text;
    EXPECT_NE(text.find("size=\"1\""), std::string::npos) << text;

    VyrTarvoMAudioProcessor b;
    restore(b, block);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(parameter(b, i), parameter(a, i)) << i;
    EXPECT_EQ(b.getSignature(), a.getSignature());
    EXPECT_EQ(b.getSizeFlag().load(), 1);
    EXPECT_EQ(b.getLatencyMs(), 50);
    EXPECT_EQ(parameterText(b, 2), "4.0 dB");

    juce::MemoryBlock again;
    b.getStateInformation(again);
    EXPECT_EQ(chunkText(again), text);
}

TEST(TarvoMState, RestoreTellsTheHostActiveTrimLatencyHoldAndAcceptsAnyLetterCase)
{
    VyrTarvoMAudioProcessor p;
    HostRecorder host;
    p.addListener(&host);
    restore(p, chunkOf("<vyrtarvomsettings hold=\"0.5\" trim=\"1.1\" active=\"1\" latency=\"0.25\"/>"));
    p.removeListener(&host);

    const std::vector<std::pair<int, float>> expected = { { 3, 1.0f }, { 2, 1.1f }, { 1, 0.25f }, { 0, 0.5f } };
    EXPECT_EQ(host.changes, expected);
    EXPECT_EQ(parameterText(p, 2), "24.0 dB"); // no clamp
    EXPECT_EQ(parameterText(p, 0), "Infinity");
    // Missing attributes keep the current values.
    EXPECT_EQ(p.getSignature(), "M Track");
    EXPECT_EQ(p.getSizeFlag().load(), 0);
}

TEST(TarvoMState, AMissingAttributeKeepsTheCurrentValue)
{
    VyrTarvoMAudioProcessor p;
    setParameter(p, 1, 0.3f);
    p.getSizeFlag() = 1;
    restore(p, chunkOf("<VYRTARVOMsettings hold=\"1\" signature=\"\"/>"));
    EXPECT_EQ(p.getLatencyMs(), 300);
    EXPECT_EQ(p.getSizeFlag().load(), 1);
    EXPECT_EQ(parameter(p, 0), 1.0f);
    EXPECT_EQ(p.getSignature(), ""); // present, though empty
}

struct AttributeCase
{
    const char* chunk;
    float trim, latency, hold, active;
    int size;
};

class TarvoMStateTexts : public ::testing::TestWithParam<AttributeCase> {};

// Texts become numbers by the project's rule: the leading number, 0 when there
// is none; nothing non-finite ever reaches a parameter.
TEST_P(TarvoMStateTexts, AttributesAreReadByTheProjectsRules)
{
    const auto& c = GetParam();
    VyrTarvoMAudioProcessor p;
    restore(p, chunkOf(c.chunk));
    EXPECT_EQ(parameter(p, 2), c.trim);
    EXPECT_EQ(parameter(p, 1), c.latency);
    EXPECT_EQ(parameter(p, 0), c.hold);
    EXPECT_EQ(parameter(p, 3), c.active);
    EXPECT_EQ(p.getSizeFlag().load(), c.size);
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoMStateTexts, ::testing::Values(
    AttributeCase { "<VYRTARVOMsettings trim=\"nan\" latency=\"inf\" hold=\"abc\" active=\" 1.0e0x\" size=\"1.9\"/>",
                    0.0f, 0.0f, 0.0f, 1.0f, 1 },
    AttributeCase { "<VYRTARVOMsettings trim=\"1e30\" latency=\"1e300\" hold=\"-1e39\" size=\"7\"/>",
                    1e30f, 0.0f, 0.0f, 0.0f, 1 },
    AttributeCase { "<VYRTARVOMsettings trim=\"-0.25\" latency=\"2\" size=\"-3\"/>", -0.25f, 2.0f, 0.0f, 0.0f, 1 },
    AttributeCase { "<VYRTARVOMsettings size=\"0\" trim=\"\"/>", 0.0f, 0.0f, 0.0f, 0.0f, 0 }));

TEST(TarvoMState, AbsurdNumbersKeepTheAudioFinite)
{
    VyrTarvoMAudioProcessor p;
    restore(p, chunkOf("<VYRTARVOMsettings trim=\"1e30\" active=\"1\"/>"));
    configure(p, 2, 2, 44100.0, 64);
    std::vector<std::vector<float>> audio(2, std::vector<float>(64, 0.25f));
    process(p, audio, { 64 });
    for (const auto& ch : audio)
        for (float v : ch)
            EXPECT_TRUE(std::isfinite(v));
}

struct MalformedCase
{
    const char* name;
    juce::MemoryBlock data;
};

TEST(TarvoMState, MalformedOrForeignChunksLeaveTheStateAlone)
{
    std::vector<MalformedCase> cases;
    cases.push_back({ "empty", {} });
    cases.push_back({ "short", juce::MemoryBlock("VC2!", 4) });
    {
        auto b = chunkOf("<VYRTARVOMsettings trim=\"1\"/>");
        static_cast<char*>(b.getData())[0] = 'X';
        cases.push_back({ "wrong magic", b });
    }
    cases.push_back({ "zero length", chunkOf("<VYRTARVOMsettings trim=\"1\"/>", 0) });
    cases.push_back({ "not xml", chunkOf("this is not a state") });
    cases.push_back({ "stereo meter", chunkOf("<VYRTARVOsettings trim=\"1\" signature=\"x\"/>") });
    cases.push_back({ "vu meter", chunkOf("<VYRKELSOMsettings trim=\"1\"/>") });
    cases.push_back({ "longer tag", chunkOf("<VYRTARVOMsettings2 trim=\"1\"/>") });
    cases.push_back({ "deep nesting",
                      chunkOf("<VYRTARVOMsettings trim=\"1\">" + deeplyNested(100000) + "</VYRTARVOMsettings>") });
    cases.push_back({ "document type", chunkOf("<!DOCTYPE x [<!ENTITY a \"aaaa\">]><VYRTARVOMsettings trim=\"1\"/>") });
    // The chunks that crashed or hung the meter before: malformed UTF-8, a stray
    // quote before 20000 and 100000 start tags, an instruction followed by text.
    const auto reproducers = vyrkit::testing::stateReproducers();
    ASSERT_GE(reproducers.size(), 4u);
    for (const auto& r : reproducers)
        cases.push_back({ r.name.toRawUTF8(), r.data });

    for (auto& c : cases)
    {
        VyrTarvoMAudioProcessor p;
        setParameter(p, 2, 0.25f);
        HostRecorder host;
        p.addListener(&host);
        p.setStateInformation(c.data.getData(), (int) c.data.getSize());
        p.removeListener(&host);
        EXPECT_EQ(parameter(p, 2), 0.25f) << c.name;
        EXPECT_EQ(p.getSignature(), "M Track") << c.name;
        EXPECT_TRUE(host.changes.empty()) << c.name;
    }
}
} // namespace
