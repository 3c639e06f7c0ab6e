#include "StateTextGuard.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

namespace vyrkit
{
namespace
{
// Well-formed UTF-8 as Unicode defines it: no overlong forms, no surrogates,
// nothing above U+10FFFF. JUCE's own validity check lets through lead bytes
// (F8 to FB) that its text pointers then step over by the wrong length.
bool isWellFormedUtf8(const unsigned char* s, size_t n) noexcept
{
    size_t i = 0;
    while (i < n)
    {
        const unsigned char b = s[i];
        if (b < 0x80)
        {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char low = 0x80, high = 0xbf; // the range of the second byte
        if (b >= 0xc2 && b <= 0xdf)
            extra = 1;
        else if (b >= 0xe0 && b <= 0xef)
        {
            extra = 2;
            if (b == 0xe0)
                low = 0xa0;
            else if (b == 0xed)
                high = 0x9f;
        }
        else if (b >= 0xf0 && b <= 0xf4)
        {
            extra = 3;
            if (b == 0xf0)
                low = 0x90;
            else if (b == 0xf4)
                high = 0x8f;
        }
        else
            return false;

        if (n - i <= static_cast<size_t>(extra))
            return false;
        if (s[i + 1] < low || s[i + 1] > high)
            return false;
        for (int k = 2; k <= extra; ++k)
            if ((s[i + static_cast<size_t>(k)] & 0xc0) != 0x80)
                return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

// The UTF-8 form of a code point (one that a reference may name).
void appendUtf8(std::string& out, std::uint32_t c)
{
    if (c < 0x80)
        out += static_cast<char>(c);
    else if (c < 0x800)
    {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
    else if (c < 0x10000)
    {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
    else
    {
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
}

// Walks the text the way juce::XmlDocument reads it, refusing at the first thing
// the parser would not read correctly, and keeps the document element's tag and
// attributes. Every step moves forward, and every search (for the end of a
// comment, a CDATA section or a processing instruction) either moves past what
// it found or refuses, so the walk is linear; so is the reading, which appends
// each character of a value once.
class Walk
{
public:
    Walk(const unsigned char* s, size_t n, StateElement& element) noexcept : text(s), size(n), read(element) {}

    bool document()
    {
        // Before the element: white space, comments and processing instructions,
        // which the parser skips. A document type it would parse (and expand its
        // entities), so none is accepted.
        for (;;)
        {
            skipWhiteSpace();
            if (startsWith("<!--"))
            {
                if (! skipPast("-->", 4))
                    return false;
            }
            else if (startsWith("<?"))
            {
                if (! skipPast("?>", 2))
                    return false;
            }
            else
                break;
        }
        // The parser stops after the element: what follows is never read.
        return at('<') && element(1);
    }

private:
    // JUCE's characters of element and attribute names, of which ASCII only: what
    // the parser takes for a letter beyond ASCII depends on the locale.
    static bool isNameCharacter(unsigned char c) noexcept
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
            || c == ':' || c == '.';
    }

    // The white space of XML, which the parser skips too (it also skips others,
    // which are refused here wherever the difference would matter).
    static bool isWhiteSpace(unsigned char c) noexcept { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    bool at(unsigned char c) const noexcept { return pos < size && text[pos] == c; }

    bool startsWith(const char* s) const noexcept
    {
        const size_t n = std::strlen(s);
        return size - pos >= n && std::memcmp(text + pos, s, n) == 0;
    }

    bool startsWithIgnoringCase(const char* s) const noexcept
    {
        const size_t n = std::strlen(s);
        if (size - pos < n)
            return false;
        for (size_t k = 0; k < n; ++k)
        {
            unsigned char c = text[pos + k];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<unsigned char>(c - 'A' + 'a');
            if (c != static_cast<unsigned char>(s[k]))
                return false;
        }
        return true;
    }

    void skipWhiteSpace() noexcept
    {
        while (pos < size && isWhiteSpace(text[pos]))
            ++pos;
    }

    // From `offset` bytes on, moves past the next `terminator`; false when there
    // is none.
    bool skipPast(const char* terminator, size_t offset) noexcept
    {
        const size_t n = std::strlen(terminator);
        for (size_t j = pos + offset; j + n <= size; ++j)
        {
            if (std::memcmp(text + j, terminator, n) == 0)
            {
                pos = j + n;
                return true;
            }
        }
        return false;
    }

    bool skipName() noexcept
    {
        const size_t start = pos;
        while (pos < size && isNameCharacter(text[pos]))
            ++pos;
        return pos > start;
    }

    // The name of an element or an attribute. A state has at most eight; a
    // text with far more is no state (and would flood the process-wide string
    // pool in which JUCE's parser keeps every name).
    bool name() noexcept { return skipName() && ++names <= maximumStateNames; }

    // A reference after '&': a named one of the five the parser knows, or a
    // character by its decimal (at most 12 digits) or hexadecimal (at most 8)
    // number, which must be a code point other than 0 and the surrogates. Others
    // the parser would look up in a document type or reject, and carry on.
    bool reference(std::uint32_t& character) noexcept
    {
        ++pos;
        static constexpr struct { const char* name; char character; } named[] = {
            { "amp;", '&' }, { "quot;", '"' }, { "apos;", '\'' }, { "lt;", '<' }, { "gt;", '>' }
        };
        for (const auto& entity : named)
        {
            if (startsWithIgnoringCase(entity.name))
            {
                pos += std::strlen(entity.name);
                character = static_cast<std::uint32_t>(entity.character);
                return true;
            }
        }
        if (! at('#'))
            return false;
        ++pos;
        const bool hex = at('x') || at('X');
        if (hex)
            ++pos;
        std::uint64_t code = 0;
        int digits = 0;
        for (; pos < size && text[pos] != ';'; ++pos)
        {
            const unsigned char c = text[pos];
            int value = -1;
            if (c >= '0' && c <= '9')
                value = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                value = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                value = c - 'A' + 10;
            if (value < 0 || ++digits > (hex ? 8 : 12))
                return false;
            code = code * (hex ? 16u : 10u) + static_cast<std::uint64_t>(value);
        }
        if (! at(';') || digits == 0 || code == 0 || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            return false;
        ++pos;
        character = static_cast<std::uint32_t>(code);
        return true;
    }

    // A quoted attribute value: any characters up to the closing quote, '&'
    // starting a reference. With `value`, the characters are appended to it as
    // the parser reads them: plain ones as they are, references resolved.
    bool quotedValue(std::string* value)
    {
        const unsigned char quote = text[pos++];
        size_t runStart = pos; // the plain characters not yet appended
        const auto appendRun = [&] {
            if (value != nullptr)
                value->append(reinterpret_cast<const char*>(text + runStart), pos - runStart);
        };
        for (;;)
        {
            if (pos >= size)
                return false;
            const unsigned char c = text[pos];
            if (c == quote)
            {
                appendRun();
                ++pos;
                return true;
            }
            if (c == '&')
            {
                appendRun();
                std::uint32_t character = 0;
                if (! reference(character))
                    return false;
                if (value != nullptr)
                    appendUtf8(*value, character);
                runStart = pos;
                continue;
            }
            // The text is well-formed UTF-8: a lead byte and its continuation
            // bytes make one character.
            pos += c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc0 ? 2 : 1;
        }
    }

    // An element from its '<': the name, attributes, then "/>" or '>' and the
    // content up to the end tag. The document element (depth 1) is kept in
    // `read`.
    bool element(int depth)
    {
        ++pos;
        const size_t tagStart = pos;
        if (! name())
            return false;
        if (depth == 1)
            read.tag.assign(reinterpret_cast<const char*>(text + tagStart), pos - tagStart);
        for (;;)
        {
            skipWhiteSpace();
            if (startsWith("/>"))
            {
                pos += 2;
                return true;
            }
            if (at('>'))
            {
                ++pos;
                return depth <= maximumStateNesting && content(depth);
            }
            const size_t nameStart = pos;
            if (pos >= size || ! isNameCharacter(text[pos]) || ! name())
                return false;
            const size_t nameEnd = pos;
            skipWhiteSpace();
            if (! at('='))
                return false;
            ++pos;
            skipWhiteSpace();
            if (! at('"') && ! at('\''))
                return false;
            std::string* value = nullptr;
            if (depth == 1)
            {
                read.attributes.push_back({ std::string(reinterpret_cast<const char*>(text + nameStart), nameEnd - nameStart), {} });
                value = &read.attributes.back().value;
            }
            if (! quotedValue(value))
                return false;
        }
    }

    // What lies between an element's tags, up to and past its end tag. The parser
    // skips white space, comments and processing instructions before each item;
    // when a processing instruction is followed by anything but a tag it returns
    // to that instruction again and again, so that is refused.
    bool content(int depth)
    {
        bool afterInstruction = false;
        for (;;)
        {
            if (pos >= size)
                return false; // the element is never closed
            const unsigned char c = text[pos];
            if (isWhiteSpace(c))
            {
                ++pos;
                continue;
            }
            if (c == '<')
            {
                if (startsWith("<!--"))
                {
                    if (! skipPast("-->", 4))
                        return false;
                    continue;
                }
                if (startsWith("<?"))
                {
                    if (! skipPast("?>", 2))
                        return false;
                    afterInstruction = true;
                    continue;
                }
                afterInstruction = false;
                if (startsWith("</"))
                {
                    // The parser closes the element at the next '>', whatever the
                    // name.
                    pos += 2;
                    if (! skipName())
                        return false;
                    skipWhiteSpace();
                    if (! at('>'))
                        return false;
                    ++pos;
                    return true;
                }
                if (startsWith("<![CDATA["))
                {
                    if (! skipPast("]]>", 9))
                        return false;
                    continue;
                }
                if (startsWith("<!"))
                    return false;
                if (! element(depth + 1))
                    return false;
                continue;
            }
            if (afterInstruction)
                return false;
            if (c == '&')
            {
                std::uint32_t character = 0;
                if (! reference(character))
                    return false;
                continue;
            }
            ++pos;
        }
    }

    const unsigned char* text;
    size_t size;
    StateElement& read;
    size_t pos = 0;
    int names = 0;
};
} // namespace

const StateElement::Attribute* StateElement::find(const char* name) const noexcept
{
    for (const auto& attribute : attributes)
        if (attribute.name == name)
            return &attribute;
    return nullptr;
}

std::optional<StateElement> readStateText(const char* text, size_t length)
{
    if (text == nullptr)
        return std::nullopt;
    // Only the text before the first zero byte counts: zeros after it (padding
    // inside the length a header declares) cost one look at the bound at most.
    const size_t n = ::strnlen(text, std::min(length, maximumStateTextBytes + 1));
    if (n == 0 || n > maximumStateTextBytes)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (! isWellFormedUtf8(bytes, n))
        return std::nullopt;
    StateElement element;
    if (! Walk(bytes, n, element).document())
        return std::nullopt;
    return element;
}

bool isSafeStateText(const char* text, size_t length)
{
    return readStateText(text, length).has_value();
}
} // namespace vyrkit
