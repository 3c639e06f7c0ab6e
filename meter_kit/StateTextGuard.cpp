#include "StateTextGuard.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <utility>

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

// Walks the text the way juce::XmlDocument reads it, refusing at the first thing
// the parser would not read correctly. Every step moves forward, and every search
// (for the end of a comment, a CDATA section or a processing instruction) either
// moves past what it found or refuses, so the walk is linear.
class Walk
{
public:
    Walk(const unsigned char* s, size_t n, const char* droppableName) noexcept
        : text(s), size(n), droppable(droppableName)
    {
    }

    // The spans of the document element's droppable attributes, and whether one
    // of them is over a value bound.
    std::vector<StateTextSpan> droppableSpans;
    bool droppableOverBound = false;
    // The cost of reading the values, all of them and the droppable ones.
    size_t totalCost = 0, droppableCost = 0;

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

    // The name of an element or an attribute, which JUCE keeps in its
    // process-wide string pool: a chunk may not flood the pool.
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

    // The characters JUCE's writer puts into an attribute value as they are;
    // it writes every other one as a reference.
    static bool writtenAsItIs(std::uint32_t c) noexcept
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || (c < 128 && std::strchr(" .,;:-()_+=?!$#@[]/|*%~{}'\\", static_cast<int>(c)) != nullptr && c != 0);
    }

    static size_t utf8Bytes(std::uint32_t c) noexcept { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

    // The bytes the writer writes for a character it escapes: a named reference
    // for the markup characters, a decimal one for every other.
    static size_t referenceBytes(std::uint32_t c) noexcept
    {
        switch (c)
        {
            case '&': return 5;
            case '"': return 6;
            case '<':
            case '>': return 4;
            default: break;
        }
        size_t digits = 1;
        for (; c >= 10; c /= 10)
            ++digits;
        return digits + 3;
    }

    static size_t bytesAsWritten(std::uint32_t c) noexcept { return writtenAsItIs(c) ? 1 : referenceBytes(c); }

    // Decodes the well-formed UTF-8 character at pos, and moves past it.
    std::uint32_t nextCharacter() noexcept
    {
        const unsigned char c = text[pos];
        const size_t length = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc0 ? 2 : 1;
        std::uint32_t code = length == 1 ? c : c & (0x7fu >> length);
        for (size_t k = 1; k < length; ++k)
            code = (code << 6) | (text[pos + k] & 0x3fu);
        pos += length;
        return code;
    }

    enum class Value
    {
        refused,
        overBound,
        read
    };

    // A quoted attribute value: any characters up to the closing quote, '&'
    // starting a reference. The parser builds the value by appending each run of
    // plain characters and each reference, and every append copies the whole
    // value so far: the cost is the number of appends times the value's length.
    // The value is over the bound when that cost passes maximumStateValueCost,
    // counted for this text and for the text JUCE's writer would make of the same
    // value (one reference for every character it escapes), or when that text
    // passes maximumStateValueBytes, so that a state saved from an accepted one
    // is accepted too.
    Value quotedValue(size_t& cost) noexcept
    {
        const unsigned char quote = text[pos++];
        size_t bytes = 0, appends = 0, escaped = 0, written = 0;
        bool inRun = false;
        for (;;)
        {
            if (pos >= size)
                return Value::refused;
            const unsigned char c = text[pos];
            if (c == quote)
            {
                ++pos;
                const size_t savedAppends = 2 * escaped + 1;
                const size_t pieces = appends > savedAppends ? appends : savedAppends;
                // At most two million pieces of at most a megabyte: no overflow.
                cost = pieces * bytes;
                const bool withinBounds = cost <= maximumStateValueCost && written <= maximumStateValueBytes;
                return withinBounds ? Value::read : Value::overBound;
            }
            if (c == '&')
            {
                std::uint32_t character = 0;
                if (! reference(character))
                    return Value::refused;
                bytes += utf8Bytes(character);
                escaped += writtenAsItIs(character) ? 0 : 1;
                written += bytesAsWritten(character);
                ++appends;
                inRun = false;
                continue;
            }
            // The text is well-formed UTF-8: a lead byte and its continuation
            // bytes make one character, which beyond ASCII the writer escapes.
            const size_t start = pos;
            const std::uint32_t character = nextCharacter();
            escaped += writtenAsItIs(character) ? 0 : 1;
            written += bytesAsWritten(character);
            bytes += pos - start;
            appends += inRun ? 0 : 1;
            inRun = true;
        }
    }

    // An element from its '<': the name, attributes, then "/>" or '>' and the
    // content up to the end tag.
    bool element(int depth)
    {
        ++pos;
        if (! name())
            return false;
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
            const bool isDroppable = depth == 1 && droppable != nullptr && pos - nameStart == std::strlen(droppable)
                                  && std::memcmp(text + nameStart, droppable, pos - nameStart) == 0;
            skipWhiteSpace();
            if (! at('='))
                return false;
            ++pos;
            skipWhiteSpace();
            if (! at('"') && ! at('\''))
                return false;
            size_t cost = 0;
            const Value value = quotedValue(cost);
            if (value == Value::refused || (value == Value::overBound && ! isDroppable))
                return false;
            totalCost += cost;
            if (isDroppable)
            {
                droppableCost += cost;
                droppableSpans.push_back({ nameStart, pos });
                droppableOverBound = droppableOverBound || value == Value::overBound;
            }
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
    const char* droppable;
    size_t pos = 0;
    int names = 0;
};
} // namespace

std::optional<std::vector<StateTextSpan>> checkStateText(const char* text, size_t length, const char* droppable)
{
    if (text == nullptr)
        return std::nullopt;
    // Only the text before the first zero byte counts: zeros after it (padding
    // inside the length a header declares) cost one look past the bound at most.
    const size_t n = ::strnlen(text, std::min(length, maximumStateTextBytes + 1));
    if (n == 0 || n > maximumStateTextBytes)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (! isWellFormedUtf8(bytes, n))
        return std::nullopt;
    Walk walk(bytes, n, droppable);
    if (! walk.document())
        return std::nullopt;
    // What the parser reads: without the droppable values once one of them is
    // over a bound.
    const size_t cost = walk.droppableOverBound ? walk.totalCost - walk.droppableCost : walk.totalCost;
    if (cost > maximumStateTextCost)
        return std::nullopt;
    if (! walk.droppableOverBound)
        walk.droppableSpans.clear();
    return std::move(walk.droppableSpans);
}

bool isSafeStateText(const char* text, size_t length) noexcept
{
    // Without a droppable name no span is kept, so nothing is allocated.
    return checkStateText(text, length, nullptr).has_value();
}
} // namespace vyrkit
