// Fuzz target: the number parser that reads every text from outside (saved state,
// settings store, typed values), against the C library's strtod and strtol. The
// input is the text (up to its first zero byte, when it is UTF-8).
//  - The parser's result is always finite.
//  - Where strtod reads a decimal number with a finite result, the parser reads
//    the same double; where that number is beyond the double range, it reads 0.
//    Where strtod reads hexadecimal, "inf" or "nan", the parser reads the decimal
//    digits in front ("0x1p3" reads 0).
//  - Where the double fits a float, the float reading is that double rounded.
//  - The integer reading is strtol's, saturated at the int range.
//  - The text a saved state writes for the double reads back as the same double.
#include "FuzzSupport.h"
#include "SafeNumbers.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
using vyrplatform::fuzzing::expect;

juce::String show(double v) { return juce::String(v, 20); }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const auto* data = reinterpret_cast<const char*>(bytes);
    size_t n = 0;
    while (n < size && data[n] != 0)
        ++n;
    const auto text = vyrplatform::fuzzing::utf8Text(data, n);
    if (text.isEmpty() && n > 0)
        return 0;
    const std::string s = text.toStdString();

    const double parsed = vyrkit::parseLeadingNumber(text);
    expect(std::isfinite(parsed), "the parser returns a finite number", text);

    char* end = nullptr;
    const double reference = std::strtod(s.c_str(), &end);
    const std::string consumed(s.c_str(), static_cast<size_t>(end - s.c_str()));
    const auto other = consumed.find_first_of("xXiInN");
    if (other == std::string::npos)
    {
        const double expected = std::isfinite(reference) ? reference : 0.0;
        expect(parsed == expected, "the parser reads the number strtod reads",
               text + "\nparser " + show(parsed) + "\nstrtod " + show(reference));
    }
    else
    {
        const std::string prefix = consumed.substr(0, other);
        const double expected = std::strtod(prefix.c_str(), nullptr);
        expect(parsed == expected, "the parser reads the decimal digits before a hexadecimal or named number",
               text + "\nparser " + show(parsed) + "\nexpected " + show(expected));
    }

    const float single = vyrkit::parseLeadingFloat(text);
    expect(std::isfinite(single), "the float reading is finite", text);
    if (std::isfinite(static_cast<float>(parsed)))
        expect(single == static_cast<float>(parsed), "the float reading is the double rounded", text);

    errno = 0;
    const long integer = std::strtol(s.c_str(), nullptr, 10);
    const long saturated = integer > INT_MAX ? INT_MAX : (integer < INT_MIN ? INT_MIN : integer);
    expect(vyrkit::parseLeadingInt(text) == saturated, "the integer reading is strtol's, saturated",
           text + "\nparser " + juce::String(vyrkit::parseLeadingInt(text)) + "\nstrtol " + juce::String((juce::int64) integer));

    const auto written = vyrkit::formatGeneral20(parsed);
    expect(vyrkit::parseLeadingNumber(written) == parsed, "the text written for a number reads back as it",
           show(parsed) + " written as " + written);
    return 0;
}
