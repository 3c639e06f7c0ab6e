#include "StateChunk.h"

#include "SafeNumbers.h"
#include "StateTextGuard.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vyrkit
{
juce::MemoryBlock makeStateChunk(const juce::XmlElement& element)
{
    const auto text = element.toString(juce::XmlElement::TextFormat().singleLine().withoutHeader());
    const auto utf8 = text.toRawUTF8();
    const auto length = static_cast<juce::uint32>(std::strlen(utf8));

    juce::MemoryBlock block;
    block.setSize(static_cast<size_t>(length) + 9, true);
    auto* d = static_cast<char*>(block.getData());
    std::memcpy(d, "VC2!", 4);
    const juce::uint32 le = juce::ByteOrder::swapIfBigEndian(length);
    std::memcpy(d + 4, &le, 4);
    std::memcpy(d + 8, utf8, length);
    d[8 + length] = 0;
    return block;
}

juce::String trackNameToSave(const juce::String& name)
{
    const auto carried = [](juce::juce_wchar c) {
        const auto code = static_cast<juce::uint32>(c);
        return code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
    };
    int characters = 0;
    bool asItIs = true;
    for (auto p = name.getCharPointer(); ! p.isEmpty();)
    {
        if (! carried(p.getAndAdvance()) || ++characters > maximumTrackNameCharacters)
        {
            asItIs = false;
            break;
        }
    }
    if (asItIs)
        return name;

    std::vector<juce::juce_wchar> kept;
    for (auto p = name.getCharPointer(); ! p.isEmpty() && kept.size() < static_cast<size_t>(maximumTrackNameCharacters);)
    {
        const auto c = p.getAndAdvance();
        if (carried(c))
            kept.push_back(c);
    }
    kept.push_back(0);
    return juce::String(juce::CharPointer_UTF32(kept.data()));
}

std::optional<StateElement> parseStateChunk(const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8)
        return std::nullopt;
    const auto* bytes = static_cast<const char*>(data);
    if (std::memcmp(bytes, "VC2!", 4) != 0)
        return std::nullopt;

    // JUCE's own reader takes the length as an int and reads nothing for a
    // length that is not positive.
    juce::uint32 declared = 0;
    std::memcpy(&declared, bytes + 4, 4);
    declared = juce::ByteOrder::swapIfBigEndian(declared);
    if (declared == 0 || declared > 0x7fffffffu)
        return std::nullopt;

    // The text lies within the declared length and the data, and ends at its
    // first zero byte; the bounds apply to that text.
    const size_t available = static_cast<size_t>(sizeInBytes) - 8;
    return readStateText(bytes + 8, std::min(available, static_cast<size_t>(declared)));
}

bool tagNameMatches(const StateElement& element, const char* tagName)
{
    const auto& name = element.tag;
    const size_t n = std::strlen(tagName);
    if (name.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
    {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(name[i]) != lower(tagName[i]))
            return false;
    }
    return true;
}

std::optional<juce::String> stringAttribute(const StateElement& element, const char* name)
{
    const auto* attribute = element.find(name);
    if (attribute == nullptr)
        return std::nullopt;
    return juce::String::fromUTF8(attribute->value.data(), static_cast<int>(attribute->value.size()));
}

double numberAttribute(const StateElement& element, const char* name, double fallback)
{
    const auto text = stringAttribute(element, name);
    return text ? parseLeadingNumber(*text) : fallback;
}

int intAttribute(const StateElement& element, const char* name, int fallback)
{
    const auto text = stringAttribute(element, name);
    return text ? parseLeadingInt(*text) : fallback;
}
} // namespace vyrkit
