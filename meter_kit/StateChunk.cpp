#include "StateChunk.h"

#include "SafeNumbers.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstring>

namespace vyrkit
{
namespace
{
constexpr int maximumNesting = 32;

// Walks the markup just far enough to measure how deeply elements nest, skipping
// quoted attribute values, comments, CDATA sections and processing instructions.
// Refuses a document type declaration outright.
bool isShallowAndPlain(const char* text, size_t length)
{
    int depth = 0;
    size_t i = 0;
    const auto startsWith = [&](size_t at, const char* s) {
        const size_t n = std::strlen(s);
        return at + n <= length && std::memcmp(text + at, s, n) == 0;
    };
    const auto skipPast = [&](size_t from, const char* terminator) -> size_t {
        const size_t n = std::strlen(terminator);
        for (size_t j = from; j + n <= length; ++j)
            if (std::memcmp(text + j, terminator, n) == 0)
                return j + n;
        return length;
    };

    while (i < length)
    {
        if (text[i] != '<')
        {
            ++i;
            continue;
        }
        if (startsWith(i, "<!--"))
        {
            i = skipPast(i + 4, "-->");
            continue;
        }
        if (startsWith(i, "<![CDATA["))
        {
            i = skipPast(i + 9, "]]>");
            continue;
        }
        if (startsWith(i, "<!"))
            return false; // DOCTYPE, ENTITY and friends
        if (startsWith(i, "<?"))
        {
            i = skipPast(i + 2, "?>");
            continue;
        }
        if (startsWith(i, "</"))
        {
            --depth;
            i = skipPast(i + 2, ">");
            continue;
        }

        // A start tag: scan to its end, minding quoted values.
        size_t j = i + 1;
        char quote = 0;
        bool selfClosing = false;
        for (; j < length; ++j)
        {
            const char c = text[j];
            if (quote != 0)
            {
                if (c == quote)
                    quote = 0;
                continue;
            }
            if (c == '"' || c == '\'')
                quote = c;
            else if (c == '>')
            {
                selfClosing = (j > i + 1 && text[j - 1] == '/');
                break;
            }
        }
        if (! selfClosing && ++depth > maximumNesting)
            return false;
        i = j + 1;
    }
    return true;
}
} // namespace

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

    const size_t available = static_cast<size_t>(sizeInBytes) - 8;
    const size_t length = std::min(available, static_cast<size_t>(declared));
    if (! isShallowAndPlain(bytes + 8, length))
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
