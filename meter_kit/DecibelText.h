#pragma once

#include <juce_core/juce_core.h>

namespace vyrkit
{
// Fixed-point text of a number: the digits are the integer part of
// |value| x 10^decimals + 0.5 (in double), a minus sign for every negative value
// even when all digits are 0 ("-0.0"). Non-finite values give "0".
juce::String formatFixed(double value, int decimals);

// Decibel text: "-INF dB" at or below minusInfinityDb, otherwise "+" for values
// at or above 0, the value with the given decimals, and " dB".
juce::String decibelsToString(double decibels, int decimals, double minusInfinityDb = -100.0);

// A decibel text made into a display value: leading "+" and trailing blanks,
// "d" and "B" removed, then the unit appended ("-12.0" + "dBFS").
juce::String decibelsWithUnit(double decibels, int decimals, const juce::String& unit);
} // namespace vyrkit
