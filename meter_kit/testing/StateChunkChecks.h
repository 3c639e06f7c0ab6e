#pragma once

// The state checks every meter shares, written once: the exact chunk a new
// instance saves, the round trip of every attribute, the order in which a
// restore tells the host, numbers that must keep the audio finite, and data
// that must leave the instance alone. Each meter's TEST calls these with its
// processor, its tag and its values, then checks what only it has.

#include "ProcessorTesting.h"
#include "StateChunkTesting.h"
#include "StateReproducers.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace kittest
{
template <typename Processor>
void restoreState(Processor& p, const juce::MemoryBlock& block)
{
    p.setStateInformation(block.getData(), (int) block.getSize());
}

// What the host hears while block is restored into p.
template <typename Processor>
std::vector<std::pair<int, float>> restoreHeard(Processor& p, const juce::MemoryBlock& block)
{
    HostRecorder host;
    p.addListener(&host);
    restoreState(p, block);
    p.removeListener(&host);
    return host.changes;
}

// A new instance saves exactly text, and JUCE's reader takes it as it is.
template <typename Processor>
void checkANewInstanceSavesExactly(const std::string& text, const juce::String& tag)
{
    Processor p;
    juce::MemoryBlock block;
    p.getStateInformation(block);
    EXPECT_EQ(chunkText(block), expectedChunkBytes(text));

    const auto xml = juce::AudioProcessor::getXmlFromBinary(block.getData(), (int) block.getSize());
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), tag);
}

// Sets a's parameters to values (by index), its track name and the large
// window, saves it (the saved text holds every one of pieces), restores the
// chunk into b and checks that b has every value, then that b saves the same
// chunk again. Returns what the host heard while b was restored.
template <typename Processor>
std::vector<std::pair<int, float>> checkEveryAttributeRoundTrips(Processor& a, Processor& b,
                                                                 const std::vector<float>& values,
                                                                 const juce::String& signature,
                                                                 const std::vector<std::string>& pieces)
{
    for (int i = 0; i < (int) values.size(); ++i)
        setParameter(a, i, values[(size_t) i]);
    a.setSignature(signature);
    a.getSizeFlag() = 1;
    juce::MemoryBlock block;
    a.getStateInformation(block);
    const auto text = chunkText(block);
    for (const auto& piece : pieces)
        EXPECT_NE(text.find(piece), std::string::npos) << piece << " in " << text;

    const auto heard = restoreHeard(b, block);
    for (int i = 0; i < (int) values.size(); ++i)
        EXPECT_EQ(parameter(b, i), parameter(a, i)) << i;
    EXPECT_EQ(b.getSignature(), signature);
    EXPECT_EQ(b.getSizeFlag().load(), 1);

    juce::MemoryBlock again;
    b.getStateInformation(again);
    EXPECT_EQ(chunkText(again), text);
    return heard;
}

// A restore of element (in any letter case) tells the host each parameter in
// the order given; the attributes it lacks keep the new instance's track name
// and window size.
template <typename Processor>
void checkRestoreTellsTheHostInOrder(Processor& p, const std::string& element,
                                     const std::vector<std::pair<int, float>>& expected,
                                     const juce::String& defaultSignature)
{
    EXPECT_EQ(restoreHeard(p, chunkOf(element)), expected);
    EXPECT_EQ(p.getSignature(), defaultSignature);
    EXPECT_EQ(p.getSizeFlag().load(), 0);
}

// An active trim restored from an absurd number still gives finite audio.
template <typename Processor>
void checkAbsurdNumbersKeepTheAudioFinite(const std::string& element)
{
    Processor p;
    restoreState(p, chunkOf(element));
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
    configure(p, 2, 2, 44100.0, 64);
    std::vector<std::vector<float>> audio(2, std::vector<float>(64, 0.25f));
    process(p, audio, { 64 });
    for (const auto& ch : audio)
        for (float v : ch)
            EXPECT_TRUE(std::isfinite(v));
}

// Data that is no state of this meter: malformed chunks, the other meters'
// states, elements nested too deeply, document types with entities, and the
// chunks that crashed or hung a meter before (malformed UTF-8, a stray quote
// before 20000 and 100000 start tags, an instruction followed by text).
inline std::vector<std::pair<std::string, juce::MemoryBlock>> chunksOfNoState(const std::string& tag)
{
    const std::string good = "<" + tag + " hold=\"1\" trim=\"1\" active=\"1\" latency=\"1\" size=\"1\" signature=\"x\"/>";
    std::string unclosed = "<" + tag + " hold=\"1\">";
    for (int i = 0; i < 5000; ++i)
        unclosed += "<a>";
    std::vector<std::pair<std::string, juce::MemoryBlock>> chunks = {
        { "empty", juce::MemoryBlock() },
        { "short", juce::MemoryBlock("VC2!", 4) },
        { "wrong magic", [&] { auto b = chunkOf(good); static_cast<char*>(b.getData())[0] = 'X'; return b; }() },
        { "zero length", chunkOf(good, 0) },
        { "not xml", chunkOf("this is not a state") },
        { "cut short", chunkOf(good.substr(0, 30)) },
        { "longer tag", chunkOf("<" + tag + "2 trim=\"1\"/>") },
        { "deep nesting", chunkOf("<" + tag + " trim=\"1\">" + deeplyNested(100000) + "</" + tag + ">") },
        { "nested too deeply", chunkOf(unclosed) },
        { "document type", chunkOf("<!DOCTYPE x [<!ENTITY a \"aaaa\">]><" + tag + " trim=\"1\"/>") },
        { "document type entities", chunkOf("<!DOCTYPE " + tag + " [<!ENTITY e \"1\">]><" + tag + " trim=\"&e;\"/>") },
    };
    for (const std::string other : { "VYRTARVOsettings", "VYRTARVOMsettings", "VYRKELSOMsettings" })
        if (juce::String(other).compareIgnoreCase(juce::String(tag)) != 0)
            chunks.emplace_back("state of " + other, chunkOf("<" + other + " hold=\"1\" trim=\"1\" active=\"1\" signature=\"x\"/>"));
    const auto reproducers = vyrkit::testing::stateReproducers();
    EXPECT_GE(reproducers.size(), 4u);
    for (const auto& r : reproducers)
        chunks.emplace_back(r.name.toStdString(), r.data);
    return chunks;
}

// None of chunksOfNoState(tag), nor a null or negative size, changes a
// parameter (the trim set to 0.25 beforehand), the track name or the window
// size, and the host hears nothing.
template <typename Processor>
void checkChunksOfNoStateChangeNothing(const std::string& tag, int trimParameter)
{
    for (const auto& [name, chunk] : chunksOfNoState(tag))
    {
        SCOPED_TRACE(name);
        Processor p;
        setParameter(p, trimParameter, 0.25f);
        std::vector<float> before;
        for (int i = 0; i < Processor::numParameters; ++i)
            before.push_back(parameter(p, i));
        const auto signature = p.getSignature();
        const int size = p.getSizeFlag().load();

        HostRecorder host;
        p.addListener(&host);
        restoreState(p, chunk);
        p.setStateInformation(nullptr, 100);
        p.setStateInformation(chunk.getData(), -5);
        p.removeListener(&host);
        EXPECT_TRUE(host.changes.empty());
        for (int i = 0; i < Processor::numParameters; ++i)
            EXPECT_EQ(parameter(p, i), before[(size_t) i]) << i;
        EXPECT_EQ(parameter(p, trimParameter), 0.25f);
        EXPECT_EQ(p.getSignature(), signature);
        EXPECT_EQ(p.getSizeFlag().load(), size);
    }
}
} // namespace kittest
