#include "SafeNumbers.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace vyrkit
{
namespace
{
bool isBlank(juce::juce_wchar c) noexcept
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isDigit(juce::juce_wchar c) noexcept { return c >= '0' && c <= '9'; }

// Collects the longest prefix of the form [sign] digits [. digits] [e [sign] digits]
// (at least one mantissa digit) as ASCII. Returns false when there is none.
bool leadingNumberText(const juce::String& text, std::string& out)
{
    auto p = text.getCharPointer();
    while (isBlank(*p))
        ++p;

    std::string s;
    if (*p == '+' || *p == '-')
    {
        s += static_cast<char>(*p);
        ++p;
    }

    bool anyDigit = false;
    while (isDigit(*p))
    {
        s += static_cast<char>(*p);
        ++p;
        anyDigit = true;
    }
    if (*p == '.')
    {
        auto q = p;
        ++q;
        std::string frac;
        while (isDigit(*q))
        {
            frac += static_cast<char>(*q);
            ++q;
        }
        if (anyDigit || ! frac.empty())
        {
            s += '.';
            s += frac;
            anyDigit = anyDigit || ! frac.empty();
            p = q;
        }
    }
    if (! anyDigit)
        return false;

    if (*p == 'e' || *p == 'E')
    {
        auto q = p;
        ++q;
        std::string ex = "e";
        if (*q == '+' || *q == '-')
        {
            ex += static_cast<char>(*q);
            ++q;
        }
        bool expDigit = false;
        while (isDigit(*q))
        {
            ex += static_cast<char>(*q);
            ++q;
            expDigit = true;
        }
        if (expDigit)
            s += ex;
    }
    out = std::move(s);
    return true;
}
} // namespace

double parseLeadingNumber(const juce::String& text) noexcept
{
    std::string s;
    if (! leadingNumberText(text, s))
        return 0.0;

    const char* begin = s.c_str();
    if (*begin == '+')
        ++begin;
    double value = 0.0;
    const auto result = std::from_chars(begin, s.c_str() + s.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || ! std::isfinite(value))
        return 0.0;
    return value;
}

float parseLeadingFloat(const juce::String& text) noexcept
{
    const double d = parseLeadingNumber(text);
    const float f = static_cast<float>(d);
    return std::isfinite(f) ? f : 0.0f;
}

int parseLeadingInt(const juce::String& text) noexcept
{
    auto p = text.getCharPointer();
    while (isBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
    {
        negative = (*p == '-');
        ++p;
    }
    long long value = 0;
    while (isDigit(*p))
    {
        value = value * 10 + static_cast<long long>(*p - '0');
        if (value > 2147483648LL)
            value = 2147483648LL;
        ++p;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        value = 2147483647LL;
    return static_cast<int>(value);
}

juce::String formatGeneral20(double value)
{
    if (! std::isfinite(value))
        return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 20);
    if (result.ec != std::errc())
        return "0";
    return juce::String(buffer, static_cast<size_t>(result.ptr - buffer));
}
} // namespace vyrkit
