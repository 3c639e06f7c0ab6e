#include "TarvoTestSupport.h"

#include "StateChunk.h"
#include "StateChunkTesting.h"
#include "StateReproducers.h"

#include <cstring>
#include <string>

using namespace vyrtarvo;
using namespace vyrtarvo::testing;
using namespace kittest;

namespace
{
TEST(TarvoState, ANewInstanceSavesExactlyThisChunk)
{
    VyrTarvoAudioProcessor p;
    juce::MemoryBlock block;
    p.getStateInformation(block);
    const std::string text = "<VYRTARVOsettings hold=\"0\" LRMS=\"0\" trim=\"0.5\" active=\"0\" "
                             "signature=\"Master Track\" latency=\"0\" size=\"0\"/>";
    EXPECT_EQ(chunkText(block), expectedChunkBytes(text));

    // JUCE's reader takes it as it is.
    const auto xml = juce::AudioProcessor::getXmlFromBinary(block.getData(), (int) block.getSize());
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), "VYRTARVOsettings");
}

TEST(TarvoState, EveryAttributeRoundTrips)
{
    VyrTarvoAudioProcessor a;
    setParameter(a, 0, 1.0f);
    setParameter(a, 1, 1.0f);
    setParameter(a, 2, 0.3f);
    setParameter(a, 3, 0.123456789f);
    setParameter(a, 4, 1.0f);
    a.setSignature("Bass \"DI\" & <amp>");
    a.getSizeFlag() = 1;
    juce::MemoryBlock block;
    a.getStateInformation(block);
    EXPECT_NE(chunkText(block).find("latency=\"0.30000001192092895508\""), std::string::npos);

    VyrTarvoAudioProcessor b;
    b.setStateInformation(block.getData(), (int) block.getSize());
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(b.getParameter(i), a.getParameter(i)) << i;
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    EXPECT_EQ(b.getSignature(), a.getSignature());
    EXPECT_EQ(b.getSizeFlag().load(), 1);
    EXPECT_EQ(parameterText(b, 1), " MS ");
    EXPECT_EQ(b.getLatencyMs(), 300);

    juce::MemoryBlock again;
    b.getStateInformation(again);
    EXPECT_EQ(chunkText(again), chunkText(block));
}

TEST(TarvoState, RestoreNotifiesTheHostInOrderAndAcceptsAnyLetterCase)
{
    VyrTarvoAudioProcessor p;
    HostRecorder host;
    p.addListener(&host);
    const auto block = chunkOf("<vyrtarvosettings hold=\"0.5\" LRMS=\"1\" trim=\"1.1\" active=\"1\" latency=\"0.25\"/>");
    p.setStateInformation(block.getData(), (int) block.getSize());
    p.removeListener(&host);

    const std::vector<std::pair<int, float>> expected = { { 4, 1.0f }, { 3, 1.1f }, { 2, 0.25f }, { 0, 0.5f }, { 1, 1.0f } };
    EXPECT_EQ(host.changes, expected);
    EXPECT_EQ(parameterText(p, 3), "24.0 dB"); // no clamp
    EXPECT_EQ(parameterText(p, 0), "Infinity");
    // Missing attributes keep the current values.
    EXPECT_EQ(p.getSignature(), "Master Track");
    EXPECT_EQ(p.getSizeFlag().load(), 0);
}

TEST(TarvoState, TextsWithoutANumberReadAsZero)
{
    VyrTarvoAudioProcessor p;
    setParameter(p, 3, 0.8f);
    setParameter(p, 2, 0.8f);
    const auto block = chunkOf("<VYRTARVOsettings trim=\"nan\" latency=\"inf\" hold=\"abc\" active=\" 1.0e0x\" size=\"1.9\"/>");
    p.setStateInformation(block.getData(), (int) block.getSize());
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    EXPECT_EQ(p.getParameter(3), 0.0f);
    EXPECT_EQ(p.getParameter(2), 0.0f);
    EXPECT_EQ(p.getParameter(0), 0.0f);
    EXPECT_EQ(p.getParameter(4), 1.0f);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    EXPECT_EQ(p.getSizeFlag().load(), 1);
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
}

TEST(TarvoState, AbsurdNumbersStayFinite)
{
    VyrTarvoAudioProcessor p;
    const auto block = chunkOf("<VYRTARVOsettings trim=\"1e30\" active=\"1\" latency=\"1e300\" LRMS=\"-1e39\"/>");
    p.setStateInformation(block.getData(), (int) block.getSize());
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
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

TEST(TarvoState, MalformedChunksLeaveTheStateAlone)
{
    std::vector<MalformedCase> cases;
    cases.push_back({ "empty", {} });
    cases.push_back({ "short", juce::MemoryBlock("VC2!", 4) });
    {
        auto b = chunkOf("<VYRTARVOsettings trim=\"1\"/>");
        static_cast<char*>(b.getData())[0] = 'X';
        cases.push_back({ "wrong magic", b });
    }
    cases.push_back({ "zero length", chunkOf("<VYRTARVOsettings trim=\"1\"/>", 0) });
    cases.push_back({ "not xml", chunkOf("this is not a state") });
    cases.push_back({ "other plug-in", chunkOf("<VYRTARVOMsettings trim=\"1\"/>") });
    cases.push_back({ "vu meter", chunkOf("<VYRKELSOMsettings trim=\"1\"/>") });
    cases.push_back({ "deep nesting", chunkOf("<VYRTARVOsettings trim=\"1\">" + deeplyNested(100000) + "</VYRTARVOsettings>") });
    cases.push_back({ "document type", chunkOf("<!DOCTYPE x [<!ENTITY a \"aaaa\">]><VYRTARVOsettings trim=\"1\"/>") });
    cases.push_back({ "length past the end", chunkOf("<VYRTARVOsettings trim=\"1\"/>", 100000) });
    // The chunks that crashed or hung the meter before: malformed UTF-8, a stray
    // quote before 20000 and 100000 start tags, an instruction followed by text.
    const auto reproducers = vyrkit::testing::stateReproducers();
    ASSERT_GE(reproducers.size(), 4u);
    for (const auto& r : reproducers)
        cases.push_back({ r.name.toRawUTF8(), r.data });

    for (auto& c : cases)
    {
        VyrTarvoAudioProcessor p;
        setParameter(p, 3, 0.25f);
        p.setStateInformation(c.data.getData(), (int) c.data.getSize());
        JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
        if (std::string(c.name) == "length past the end")
            EXPECT_EQ(p.getParameter(3), 1.0f) << c.name; // read up to the data's end
        else
            EXPECT_EQ(p.getParameter(3), 0.25f) << c.name;
        JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    }
}

TEST(TarvoState, ShallowNestingInsideAStateIsStillRead)
{
    // A state with a few harmless children (from a later version, say) still applies.
    VyrTarvoAudioProcessor p;
    const auto block = chunkOf("<VYRTARVOsettings trim=\"1\"><a><b c=\"/>\"/></a><!-- <x> --></VYRTARVOsettings>");
    p.setStateInformation(block.getData(), (int) block.getSize());
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    EXPECT_EQ(p.getParameter(3), 1.0f);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}
} // namespace
