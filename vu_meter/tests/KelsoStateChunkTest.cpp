// The instance state: the exact bytes a new instance saves, the round trip, and
// chunks that are malformed, foreign or partial.
#include "KelsoTestSupport.h"

#include "KelsoSettings.h"
#include "StateChunkTesting.h"
#include "StateReproducers.h"

#include <string>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;
using namespace kittest;

namespace
{
using KelsoState = KelsoTest;

void restore(VyrKelsoMAudioProcessor& p, const juce::MemoryBlock& block)
{
    p.setStateInformation(block.getData(), (int) block.getSize());
}

TEST_F(KelsoState, ANewInstanceSavesExactlyThisChunk)
{
    VyrKelsoMAudioProcessor p;
    juce::MemoryBlock block;
    p.getStateInformation(block);
    const std::string text = "<VYRKELSOMsettings hold=\"0\" trim=\"0.5\" active=\"0\" signature=\"M Track\" "
                             "latency=\"0\" size=\"0\"/>";
    EXPECT_EQ(chunkText(block), expectedChunkBytes(text));

    const auto xml = juce::AudioProcessor::getXmlFromBinary(block.getData(), (int) block.getSize());
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), "VYRKELSOMsettings");
}

TEST_F(KelsoState, EveryValueRoundTripsAndReachesTheHostInOrder)
{
    VyrKelsoMAudioProcessor a;
    setParameter(a, 0, 1.0f);
    setParameter(a, 1, 0.123f);
    setParameter(a, 2, 0.6f);
    setParameter(a, 3, 1.0f);
    a.setSignature("Bass & <Drums> \"2\"");
    a.getSizeFlag() = 1;
    juce::MemoryBlock block;
    a.getStateInformation(block);
    // Twenty significant digits of the float widened to double.
    EXPECT_NE(chunkText(block).find("trim=\"0.60000002384185791016\""), std::string::npos);

    VyrKelsoMAudioProcessor b;
    HostRecorder host;
    b.addListener(&host);
    restore(b, block);
    b.removeListener(&host);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(parameter(b, i), parameter(a, i)) << i;
    EXPECT_EQ(b.getSignature(), "Bass & <Drums> \"2\"");
    EXPECT_EQ(b.getSizeFlag().load(), 1);
    EXPECT_EQ(parameterText(b, 2), "4.0 dB");
    EXPECT_EQ(b.getLatencyMs(), 123);
    EXPECT_EQ(b.getHoldMode(), 2.0f);
    const std::vector<std::pair<int, float>> order = { { 3, 1.0f }, { 2, 0.6f }, { 1, 0.123f }, { 0, 1.0f } };
    EXPECT_EQ(host.changes, order);
}

TEST_F(KelsoState, TheTagComparesWithoutRegardToCase)
{
    VyrKelsoMAudioProcessor p;
    restore(p, chunkOf("<vyrkelsomSETTINGS trim=\"1\" active=\"1\"/>"));
    EXPECT_EQ(parameter(p, 2), 1.0f);
    EXPECT_EQ(parameterText(p, 2), "20.0 dB");
}

TEST_F(KelsoState, MalformedOrForeignChunksChangeNothing)
{
    const std::string good = "<VYRKELSOMsettings hold=\"1\" trim=\"1\" active=\"1\" latency=\"1\" size=\"1\" signature=\"x\"/>";
    std::string deep = "<VYRKELSOMsettings hold=\"1\">";
    for (int i = 0; i < 5000; ++i)
        deep += "<a>";
    std::vector<std::pair<const char*, juce::MemoryBlock>> chunks = {
        { "other plug-in", chunkOf("<VYRTARVOsettings hold=\"1\" trim=\"1\" active=\"1\"/>") },
        { "not XML", chunkOf("this is no element") },
        { "cut short", chunkOf(good.substr(0, 30)) },
        { "zero length", chunkOf(good, 0) },
        { "wrong magic", [&] { auto b = chunkOf(good); static_cast<char*>(b.getData())[0] = 'X'; return b; }() },
        { "nested too deeply", chunkOf(deep) },
        { "empty", juce::MemoryBlock() },
        { "doctype entities", chunkOf("<!DOCTYPE VYRKELSOMsettings [<!ENTITY e \"1\">]><VYRKELSOMsettings trim=\"&e;\"/>") },
    };
    // The chunks that crashed or hung the meter before: malformed UTF-8, a stray
    // quote before 20000 and 100000 start tags, an instruction followed by text.
    const auto reproducers = vyrkit::testing::stateReproducers();
    ASSERT_GE(reproducers.size(), 4u);
    for (const auto& r : reproducers)
        chunks.emplace_back(r.name.toRawUTF8(), r.data);
    for (const auto& [name, chunk] : chunks)
    {
        SCOPED_TRACE(name);
        VyrKelsoMAudioProcessor p;
        HostRecorder host;
        p.addListener(&host);
        restore(p, chunk);
        p.setStateInformation(nullptr, 100);
        p.setStateInformation(chunk.getData(), -5);
        p.removeListener(&host);
        EXPECT_TRUE(host.changes.empty());
        EXPECT_EQ(parameter(p, 0), 0.0f);
        EXPECT_EQ(parameter(p, 2), 0.5f);
        EXPECT_EQ(parameter(p, 3), 0.0f);
        EXPECT_EQ(p.getSignature(), "M Track");
        EXPECT_EQ(p.getSizeFlag().load(), 0);
    }
}

struct AttributeCase
{
    const char* name;
    const char* element;
    float hold, trim, active, latency;
    const char* signature;
    int size;
};

TEST_F(KelsoState, MissingOrOddAttributesKeepOrNormaliseTheValues)
{
    const AttributeCase cases[] = {
        // Missing attributes keep the present values (set before the restore).
        { "only trim", "<VYRKELSOMsettings trim=\"0.25\"/>", 1.0f, 0.25f, 1.0f, 0.5f, "Kept", 1 },
        { "no signature, no size", "<VYRKELSOMsettings hold=\"0\"/>", 0.0f, 0.75f, 1.0f, 0.5f, "Kept", 1 },
        // Text without a number reads as 0; "nan" and "inf" are no numbers here.
        { "garbage", "<VYRKELSOMsettings trim=\"abc\" hold=\"nan\" latency=\"inf\"/>", 0.0f, 0.0f, 1.0f, 0.0f, "Kept", 1 },
        // A number beyond the float range is no value either.
        { "huge", "<VYRKELSOMsettings trim=\"1e300\"/>", 1.0f, 0.0f, 1.0f, 0.5f, "Kept", 1 },
        // The window has two sizes.
        { "size 7", "<VYRKELSOMsettings size=\"7\"/>", 1.0f, 0.75f, 1.0f, 0.5f, "Kept", 1 },
        { "size -1", "<VYRKELSOMsettings size=\"-1\"/>", 1.0f, 0.75f, 1.0f, 0.5f, "Kept", 1 },
        { "size 0", "<VYRKELSOMsettings size=\"0\" signature=\"\"/>", 1.0f, 0.75f, 1.0f, 0.5f, "", 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        VyrKelsoMAudioProcessor p;
        setParameter(p, 0, 1.0f);
        setParameter(p, 1, 0.5f);
        setParameter(p, 2, 0.75f);
        setParameter(p, 3, 1.0f);
        p.setSignature("Kept");
        p.getSizeFlag() = 1;
        restore(p, chunkOf(c.element));
        EXPECT_EQ(parameter(p, 0), c.hold);
        EXPECT_EQ(parameter(p, 2), c.trim);
        EXPECT_EQ(parameter(p, 3), c.active);
        EXPECT_EQ(parameter(p, 1), c.latency);
        EXPECT_EQ(p.getSignature(), c.signature);
        EXPECT_EQ(p.getSizeFlag().load(), c.size);
        EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
    }
}

TEST_F(KelsoState, RestoringTheHoldModeKeepsOrForgetsTheInfinityHold)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, 0, 0.5f);
    auto audio = sine(2, 4410, 1000.0, 44100.0, 0.2);
    process(p, audio, { 441 });
    p.getDisplayHold(0.0f);
    const double held = p.getInfinityHold();
    ASSERT_GT(held, 0.0);
    restore(p, chunkOf("<VYRKELSOMsettings hold=\"0.5\"/>"));
    EXPECT_EQ(p.getSettingText(0), "Infinity");
    EXPECT_EQ(p.getInfinityHold(), held);
    restore(p, chunkOf("<VYRKELSOMsettings hold=\"0\"/>"));
    EXPECT_EQ(p.getSettingText(0), "Off");
    EXPECT_EQ(p.getInfinityHold(), -0.05);
}

TEST_F(KelsoState, TheSettingsAreNeverPartOfTheState)
{
    VyrKelsoMAudioProcessor p;
    p.setGlobalSetting(7, 1.0f);
    juce::MemoryBlock block;
    p.getStateInformation(block);
    p.setGlobalSetting(7, 0.0f);
    restore(p, block);
    EXPECT_EQ(p.getSettingText(7), "53ms");
    EXPECT_EQ(chunkText(block).find("vu"), std::string::npos);
}
} // namespace
