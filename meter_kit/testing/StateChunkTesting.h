#pragma once

// State chunks made and read by hand, for the state tests of every meter: the
// bytes of a chunk as a string, a chunk around a given text (with any declared
// length), and what the host hears while a state is restored.

#include <juce_audio_processors/juce_audio_processors.h>

#include <string>
#include <utility>
#include <vector>

namespace kittest
{
inline std::string chunkText(const juce::MemoryBlock& block)
{
    return std::string(static_cast<const char*>(block.getData()), block.getSize());
}

// "VC2!", the 32-bit little-endian length (the text's own unless declaredLength
// is given), the text and one zero byte.
inline juce::MemoryBlock chunkOf(const std::string& text, int declaredLength = -1)
{
    juce::MemoryBlock block;
    block.append("VC2!", 4);
    const juce::uint32 length = declaredLength < 0 ? (juce::uint32) text.size() : (juce::uint32) declaredLength;
    block.append(&length, 4);
    block.append(text.data(), text.size());
    block.append("", 1);
    return block;
}

// The bytes of chunkOf(text), spelled out, for comparing a saved chunk exactly.
inline std::string expectedChunkBytes(const std::string& text)
{
    std::string expected = "VC2!";
    const juce::uint32 length = (juce::uint32) text.size();
    expected.append(reinterpret_cast<const char*>(&length), 4);
    expected += text;
    expected.push_back('\0');
    return expected;
}

// A text of the given number of characters, piece repeated.
inline juce::String repeatedName(const char* utf8Piece, int characters)
{
    const auto piece = juce::String::fromUTF8(utf8Piece);
    return juce::String::repeatedString(piece, characters / piece.length() + 1).substring(0, characters);
}

// One character of each kind the writer treats differently: plain ASCII kept as
// it is, markup characters written as named references, and characters of two,
// three and four UTF-8 bytes written as numeric references.
inline const std::vector<std::pair<const char*, const char*>>& trackNameScripts()
{
    static const std::vector<std::pair<const char*, const char*>> scripts = {
        { "plain", "Lead Vocal Take " }, { "markup", "&<>\"" }, { "e-acute", "\xc3\xa9" },
        { "cjk", "\xe4\xb8\xbb" },      { "guitar", "\xf0\x9f\x8e\xb8" },
    };
    return scripts;
}

// depth start tags followed by as many end tags.
inline std::string deeplyNested(int depth)
{
    std::string s;
    for (int i = 0; i < depth; ++i)
        s += "<a>";
    for (int i = 0; i < depth; ++i)
        s += "</a>";
    return s;
}

// Records what reaches the host through the listener callbacks.
struct HostRecorder : juce::AudioProcessorListener
{
    std::vector<std::pair<int, float>> changes;
    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float value) override
    {
        changes.emplace_back(index, value);
    }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
};
} // namespace kittest
