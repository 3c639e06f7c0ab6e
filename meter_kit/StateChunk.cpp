#include "StateChunk.h"

#include "SafeNumbers.h"
#include "StateTextGuard.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cstring>

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

std::unique_ptr<juce::XmlElement> parseStateChunk(const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8)
        return nullptr;
    const auto* bytes = static_cast<const char*>(data);
    if (std::memcmp(bytes, "VC2!", 4) != 0)
        return nullptr;

    juce::uint32 declared = 0;
    std::memcpy(&declared, bytes + 4, 4);
    declared = juce::ByteOrder::swapIfBigEndian(declared);
    if (declared == 0 || declared > 0x7fffffffu)
        return nullptr;

    // JUCE copies this many bytes and parses them up to the first zero byte.
    const size_t available = static_cast<size_t>(sizeInBytes) - 8;
    const size_t length = std::min(available, static_cast<size_t>(declared));
    if (length > maximumStateTextBytes || ! isSafeStateText(bytes + 8, length))
        return nullptr;

    return juce::AudioProcessor::getXmlFromBinary(data, sizeInBytes);
}

bool tagNameMatches(const juce::XmlElement& element, const char* tagName)
{
    const auto name = element.getTagName().toStdString();
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

double numberAttribute(const juce::XmlElement& element, const char* name, double fallback)
{
    if (! element.hasAttribute(name))
        return fallback;
    return parseLeadingNumber(element.getStringAttribute(name));
}

int intAttribute(const juce::XmlElement& element, const char* name, int fallback)
{
    if (! element.hasAttribute(name))
        return fallback;
    return parseLeadingInt(element.getStringAttribute(name));
}
} // namespace vyrkit
