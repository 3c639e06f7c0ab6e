#include "SafeNumbers.h"

#include <algorithm>
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
// The power of ten of the first significant digit of a collected number (with
// saturated arithmetic), to tell a number too large for a double from one too
// small; a number without a significant digit gives the lowest value.
long long decimalMagnitude(const std::string& s) noexcept
{
    constexpr long long limit = 1000000000LL;
    size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    long long integerDigits = 0, leadingFractionZeros = 0;
    bool significant = false;
    for (; i < s.size() && isDigit(static_cast<unsigned char>(s[i])); ++i)
        if (significant || s[i] != '0')
        {
            significant = true;
            integerDigits = std::min(integerDigits + 1, limit);
        }
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && isDigit(static_cast<unsigned char>(s[i])); ++i)
        {
            if (! significant && s[i] == '0')
                leadingFractionZeros = std::min(leadingFractionZeros + 1, limit);
            else if (! significant)
                significant = true;
        }
    if (! significant)
        return -4 * limit;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E'))
    {
        ++i;
        const bool negative = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        for (; i < s.size(); ++i)
            exponent = std::min(exponent * 10 + (s[i] - '0'), limit);
        if (negative)
            exponent = -exponent;
    }
    const long long magnitude = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
    return magnitude + exponent;
}

// The leading number of a text. A number beyond the double range gives an
// infinity of its sign, one too small for it a zero.
bool readLeadingNumber(const juce::String& text, double& value) noexcept
{
    std::string s;
    if (! leadingNumberText(text, s))
        return false;

    const char* begin = s.c_str();
    if (*begin == '+')
        ++begin;
    const auto result = std::from_chars(begin, s.c_str() + s.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
    {
        const double magnitude = decimalMagnitude(s) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        value = s[0] == '-' ? -magnitude : magnitude;
        return true;
    }
    return result.ec == std::errc();
}

// "nan" or "inf" (any case, "infinity" too) after blanks and a sign, as JUCE's
// text-to-number reading takes them; sets negative for a leading minus.
bool startsWithNanOrInf(const juce::String& text, bool& negative) noexcept
{
    auto p = text.getCharPointer();
    while (isBlank(*p))
        ++p;
    negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    const auto lower = [](juce::juce_wchar c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    const juce::juce_wchar a = lower(p[0]);
    const juce::juce_wchar b = a != 0 ? lower(p[1]) : 0;
    const juce::juce_wchar c = b != 0 ? lower(p[2]) : 0;
    return (a == 'n' && b == 'a' && c == 'n') || (a == 'i' && b == 'n' && c == 'f');
}
} // namespace

double parseLeadingNumber(const juce::String& text) noexcept
{
    double value = 0.0;
    if (! readLeadingNumber(text, value) || ! std::isfinite(value))
        return 0.0;
    return value;
}

float parseStoredSetting(const juce::String& text) noexcept
{
    constexpr float largest = std::numeric_limits<float>::max();
    bool negative = false;
    if (startsWithNanOrInf(text, negative))
        return negative ? -largest : largest;

    double value = 0.0;
    if (! readLeadingNumber(text, value))
        return 0.0f;
    const float f = static_cast<float>(value);
    if (std::isinf(f))
        return f < 0.0f ? -largest : largest;
    return f;
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
