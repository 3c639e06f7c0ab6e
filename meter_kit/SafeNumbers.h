#pragma once

#include <juce_core/juce_core.h>

#include <cmath>
#include <limits>

namespace vyrkit
{
// Text from outside (the settings store, a saved state, a typed value) becomes a
// number only through these: the longest leading decimal number, after leading
// blanks, and 0 when there is none. "nan", "inf" and the like are not numbers
// here, and a value too large for a double reads as 0, so nothing non-finite
// ever leaves them.
double parseLeadingNumber(const juce::String& text) noexcept;
float parseLeadingFloat(const juce::String& text) noexcept;

// A stored setting's text as the plug-ins read it: the leading decimal number,
// and 0 for a text without one. Every setting lies in 0..1, and its reader puts
// the setting's fallback in place of a number outside that range; so that a
// number beyond the float range, "inf" and "nan" take the fallback too, they read
// as the largest float of their sign ("nan" counts as positive unless a minus
// comes before it). Nothing non-finite leaves it.
float parseStoredSetting(const juce::String& text) noexcept;

// The leading integer of a text (optional sign, then digits), 0 when there is
// none; saturates at the int range.
int parseLeadingInt(const juce::String& text) noexcept;

// Truncation toward zero that cannot overflow: NaN gives 0, values beyond the
// int range give its limits. Identical to a plain (int) cast for every value the
// cast is defined for. Every setting and host parameter becomes a whole number
// through it; a step added to the result is added in double, so that it cannot
// overflow either.
template <typename Float>
inline int truncToInt(Float value) noexcept
{
    if (value != value)
        return 0;
    if (value >= static_cast<Float>(2147483647.0))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<Float>(-2147483648.0))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// A double in general notation with up to 20 significant digits and no trailing
// zeros ("0", "0.5", "1", "0.30000001192092896"), C locale.
juce::String formatGeneral20(double value);
} // namespace vyrkit
