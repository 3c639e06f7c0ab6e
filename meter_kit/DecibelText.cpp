#include "DecibelText.h"

#include <cmath>
#include <cstdint>

namespace vyrkit
{
juce::String formatFixed(double value, int decimals)
{
    if (! std::isfinite(value))
        return "0";
    decimals = juce::jlimit(0, 9, decimals);

    const double scaled = std::pow(10.0, decimals) * std::abs(value) + 0.5;
    if (scaled >= 9.0e18)
        return juce::String(value, decimals);

    auto digits = static_cast<std::uint64_t>(scaled);
    char buffer[40];
    char* t = buffer + sizeof(buffer);
    *--t = 0;
    int place = decimals;
    while (place >= 0 || digits > 0)
    {
        if (place == 0 && decimals > 0)
            *--t = '.';
        *--t = static_cast<char>('0' + digits % 10);
        digits /= 10;
        --place;
    }
    if (value < 0.0)
        *--t = '-';
    return juce::String(t);
}

juce::String decibelsToString(double decibels, int decimals, double minusInfinityDb)
{
    juce::String s;
    if (! (decibels > minusInfinityDb))
        s << "-INF";
    else
    {
        if (decibels >= 0.0)
            s << "+";
        s << formatFixed(decibels, decimals);
    }
    return s + " dB";
}

juce::String decibelsWithUnit(double decibels, int decimals, const juce::String& unit)
{
    return decibelsToString(decibels, decimals).trimCharactersAtStart("+").trimCharactersAtEnd(" dB") + unit;
}
} // namespace vyrkit
