#include "StateChunk.h"

#include "SafeNumbers.h"
#include "StateTextGuard.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cstring>
#include <string>
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

std::unique_ptr<juce::XmlElement> parseStateChunk(const void* data, int sizeInBytes, const char* droppable)
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

    // JUCE's reader takes this many bytes and parses them up to the first zero
    // byte; the bounds apply to that text, whatever zeros follow it.
    const size_t available = static_cast<size_t>(sizeInBytes) - 8;
    const char* text = bytes + 8;
    const size_t length = ::strnlen(text, std::min({ available, static_cast<size_t>(declared), maximumStateTextBytes + 1 }));
    const auto dropped = checkStateText(text, length, droppable);
    if (! dropped)
        return nullptr;
    if (dropped->empty())
        return juce::parseXML(juce::String::fromUTF8(text, static_cast<int>(length)));

    std::string kept;
    size_t from = 0;
    for (const auto& span : *dropped)
    {
        kept.append(text + from, span.start - from);
        from = span.end;
    }
    kept.append(text + from, length - from);
    return juce::parseXML(juce::String::fromUTF8(kept.data(), static_cast<int>(kept.size())));
}

namespace
{
bool isReadBack(const juce::XmlElement& element)
{
    const auto text = element.toString(juce::XmlElement::TextFormat().singleLine().withoutHeader());
    const auto utf8 = text.toRawUTF8();
    return isSafeStateText(utf8, std::strlen(utf8));
}
} // namespace

void setAttributeReadBack(juce::XmlElement& element, const char* name, const juce::String& value)
{
    element.setAttribute(name, value);
    if (isReadBack(element))
        return;

    std::vector<juce::juce_wchar> carried;
    for (auto p = value.getCharPointer(); ! p.isEmpty();)
    {
        const auto c = p.getAndAdvance();
        const auto code = static_cast<juce::uint32>(c);
        if (code <= 0x10ffff && (code < 0xd800 || code > 0xdfff))
            carried.push_back(c);
    }
    const auto beginning = [&](size_t characters) {
        std::vector<juce::juce_wchar> kept(carried.begin(), carried.begin() + static_cast<std::ptrdiff_t>(characters));
        kept.push_back(0);
        return juce::String(juce::CharPointer_UTF32(kept.data()));
    };

    // The reader's bounds grow with the value's length, so the longest beginning
    // read back is found by halving: `low` characters are read back (none at
    // worst: the rest of a state is small), `high` are not.
    size_t low = 0, high = carried.size() + 1;
    while (high - low > 1)
    {
        const size_t middle = low + (high - low) / 2;
        element.setAttribute(name, beginning(middle));
        (isReadBack(element) ? low : high) = middle;
    }
    element.setAttribute(name, beginning(low));
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
