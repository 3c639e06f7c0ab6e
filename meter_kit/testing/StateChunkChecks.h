#pragma once

// The state checks every meter shares, written once: the exact chunk a new
// instance saves, the round trip of every attribute, the order in which a
// restore tells the host, numbers that must keep the audio finite, and data
// that must leave the instance alone. Each meter's TEST calls these with its
// processor, its tag and its values, then checks what only it has.

#include "ProcessorTesting.h"
#include "StateChunk.h"
#include "StateChunkTesting.h"
#include "StateReproducers.h"
#include "StateTextGuard.h"

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

// A track name as an attribute value: as the writer writes it (every character
// beyond ASCII a reference), or as UTF-8 with only the markup characters as
// references.
inline std::string nameAsWritten(const juce::String& name)
{
    juce::XmlElement element("a");
    element.setAttribute("v", name);
    const auto text = element.toString(juce::XmlElement::TextFormat().singleLine().withoutHeader()).toStdString();
    return text.substr(6, text.size() - 6 - 3); // inside <a v="..."/>
}

inline std::string nameAsUtf8(const juce::String& name)
{
    std::string text;
    for (const char c : name.toStdString())
    {
        switch (c)
        {
            case '&': text += "&amp;"; break;
            case '<': text += "&lt;"; break;
            case '>': text += "&gt;"; break;
            case '"': text += "&quot;"; break;
            default: text += c; break;
        }
    }
    return text;
}

// Restores chunk into a new instance (whose track name was "Kept"), which must
// take it: its trim becomes 0.25, its window large, its track name `name`. Then
// the instance's save, restored into another new instance, gives the same
// values, and that one saves the same bytes again.
template <typename Processor>
void checkRestoredAndSavedBack(const juce::MemoryBlock& chunk, const juce::String& name)
{
    Processor a;
    a.setSignature("Kept");
    restoreState(a, chunk);
    EXPECT_EQ(parameter(a, Processor::trimParameter), 0.25f);
    EXPECT_EQ(a.getSizeFlag().load(), 1);
    EXPECT_TRUE(a.getSignature() == name) << a.getSignature().length() << " characters";

    juce::MemoryBlock saved;
    a.getStateInformation(saved);
    Processor b;
    b.setSignature("Other");
    restoreState(b, saved);
    for (int i = 0; i < Processor::numParameters; ++i)
        EXPECT_EQ(parameter(b, i), parameter(a, i)) << i;
    EXPECT_TRUE(b.getSignature() == a.getSignature());
    EXPECT_EQ(b.getSizeFlag().load(), a.getSizeFlag().load());
    juce::MemoryBlock again;
    b.getStateInformation(again);
    EXPECT_TRUE(again == saved);
}

// The longest track name of piece repeated that a state carries: what an
// instance holding a far longer one saves of it.
template <typename Processor>
juce::String longestTrackName(const char* piece)
{
    Processor a, b;
    a.setSignature(repeatedName(piece, 1200000));
    juce::MemoryBlock saved;
    a.getStateInformation(saved);
    restoreState(b, saved);
    return b.getSignature();
}

// States at each of the reader's bounds are taken, and what an instance saves
// of them it takes back: the longest track name in every script, written as
// the writer writes it or as UTF-8 (which the writer saves larger); a text as
// large as the reader takes that lacks attributes the writer adds; as many
// names and elements as deep as allowed; zeros after the text within the
// declared length. Where the only excess is the track name, it is left out
// and everything else restored.
template <typename Processor>
void checkStatesAtTheReaderBoundsRoundTrip(const std::string& tag)
{
    const std::string values = "hold=\"0.5\" trim=\"0.25\" active=\"1\" latency=\"0.123456789\" size=\"1\"";
    const auto element = [&](const std::string& name, const std::string& more = {}) {
        return "<" + tag + " " + values + " signature=\"" + name + "\"" + more + "/>";
    };
    for (const auto& [script, piece] : trackNameScripts())
    {
        SCOPED_TRACE(script);
        const auto name = longestTrackName<Processor>(piece);
        EXPECT_GE(name.length(), 20000);
        checkRestoredAndSavedBack<Processor>(chunkOf(element(nameAsWritten(name))), name);
        checkRestoredAndSavedBack<Processor>(chunkOf(element(nameAsUtf8(name))), name);
        const auto tooLong = repeatedName(piece, name.length() + 1);
        checkRestoredAndSavedBack<Processor>(chunkOf(element(nameAsWritten(tooLong))), "Kept");
    }
    {
        SCOPED_TRACE("a plain name filling the text");
        const std::string start = "<" + tag + " " + values + " signature=\"";
        const std::string filling(vyrkit::maximumStateTextBytes - start.size() - 3, 'x');
        checkRestoredAndSavedBack<Processor>(chunkOf(start + filling + "\"/>"), "Kept");
    }
    {
        SCOPED_TRACE("a text as large as allowed, lacking attributes");
        const auto name = longestTrackName<Processor>("\xf0\x9f\x8e\xb8");
        std::string text = "<" + tag + " trim=\"0.25\" size=\"1\" signature=\"" + nameAsUtf8(name) + "\"><!--";
        text += std::string(vyrkit::maximumStateTextBytes - text.size() - 6 - tag.size(), ' ') + "--></" + tag + ">";
        ASSERT_EQ(text.size(), vyrkit::maximumStateTextBytes);
        checkRestoredAndSavedBack<Processor>(chunkOf(text), name);
    }
    {
        SCOPED_TRACE("as many names and elements as deep as allowed");
        const int children = vyrkit::maximumStateNesting - 1;
        const int names = vyrkit::maximumStateNames - 1 - 6 - children;
        std::string more;
        for (int i = 0; i < names; ++i)
            more += " n" + std::to_string(i) + "=\"\"";
        auto text = element("Deep", more);
        text.insert(text.size() - 2, ">" + deeplyNested(children) + "</" + tag);
        text.erase(text.size() - 2, 1); // "/>" becomes ">"
        checkRestoredAndSavedBack<Processor>(chunkOf(text), "Deep");
    }
    {
        SCOPED_TRACE("zeros after the text");
        checkRestoredAndSavedBack<Processor>(chunkOf(element("Padded") + std::string(2u << 20, '\0')), "Padded");
    }
}

// Whatever track name an instance holds, the state it saves restores: a name
// longer than a state carries is saved as its longest beginning that a state
// carries, one with characters no text holds without them, and read back as
// such.
template <typename Processor>
void checkWhateverAnInstanceHoldsIsRestored()
{
    const juce::juce_wchar odd[] = { 'a', 0xd800, 'b', 0x110000, 'c', 0 };
    const auto longest = longestTrackName<Processor>("\xf0\x9f\x8e\xb8");
    const struct
    {
        juce::String name, saved;
    } cases[] = {
        { repeatedName("\xf0\x9f\x8e\xb8", longest.length() + 1), longest },
        { repeatedName("Lead Vocal Take ", 3000000), longestTrackName<Processor>("Lead Vocal Take ") },
        { juce::String(juce::CharPointer_UTF32(odd)), "abc" },
    };
    for (const auto& [name, savedName] : cases)
    {
        Processor a, b;
        a.setSignature(name);
        setParameter(a, Processor::trimParameter, 0.25f);
        juce::MemoryBlock saved;
        a.getStateInformation(saved);
        restoreState(b, saved);
        EXPECT_EQ(parameter(b, Processor::trimParameter), 0.25f);
        EXPECT_TRUE(b.getSignature() == savedName) << b.getSignature().length() << " characters";
        juce::MemoryBlock again;
        b.getStateInformation(again);
        EXPECT_TRUE(again == saved);
    }
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
