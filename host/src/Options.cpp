#include "Options.h"

#include <charconv>
#include <cmath>

namespace vyrhost
{
namespace
{
// The whole text as a number, infinities and NaN included.
bool parseWholeNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+')
        ++begin;
    double parsed = 0.0;
    const auto result = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    value = parsed;
    return true;
}
} // namespace

bool parseWholeDouble(const std::string& text, double& value)
{
    double parsed = 0.0;
    if (! parseWholeNumber(text, parsed) || ! std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool parseWholeInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    int parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return false;
    value = parsed;
    return true;
}

std::string usageText()
{
    return "usage:\n"
           "  vyrhost describe LIB\n"
           "  vyrhost render LIB (--input FILE | --demo) --output FILE [--config 2x2|1x1|1x2]\n"
           "                 [--rate HZ] [--block N] [--set INDEX=VALUE]... [--bypass]\n"
           "                 [--state-in DIR] [--state-out DIR]\n"
           "  vyrhost open LIB [--input FILE | --demo] [--config 2x2|1x1|1x2] [--rate HZ] [--block N]\n"
           "               [--set INDEX=VALUE]... [--bypass] [--state-in DIR]\n"
           "               [--snapshot FILE.png --after SECONDS]\n";
}

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error)
{
    options = Options();
    if (argc < 2)
    {
        error = "no command given (describe, render or open)";
        return false;
    }

    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help")
    {
        options.command = Options::Command::help;
        return true;
    }
    if (command == "describe")
        options.command = Options::Command::describe;
    else if (command == "render")
        options.command = Options::Command::render;
    else if (command == "open")
        options.command = Options::Command::open;
    else
    {
        error = "unknown command: " + command;
        return false;
    }

    if (argc < 3 || std::string(argv[2]).rfind("--", 0) == 0)
    {
        error = command + " needs the plug-in library as its first argument";
        return false;
    }
    options.library = argv[2];

    const bool render = options.command == Options::Command::render;
    const bool open = options.command == Options::Command::open;
    bool afterGiven = false;

    for (int i = 3; i < argc; ++i)
    {
        const std::string option = argv[i];
        auto takesValue = [&](std::string& value) {
            if (i + 1 >= argc)
            {
                error = option + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        auto allowed = [&](bool ok) {
            if (! ok)
                error = option + " is not an option of " + command;
            return ok;
        };

        std::string value;
        if (option == "--input")
        {
            if (! allowed(render || open) || ! takesValue(value))
                return false;
            if (! options.input.empty())
            {
                error = "--input given twice";
                return false;
            }
            options.input = value;
        }
        else if (option == "--demo")
        {
            if (! allowed(render || open))
                return false;
            options.demo = true;
        }
        else if (option == "--output")
        {
            if (! allowed(render) || ! takesValue(value))
                return false;
            options.output = value;
        }
        else if (option == "--config")
        {
            if (! allowed(render || open) || ! takesValue(value))
                return false;
            if (value == "2x2")
                options.configInputs = 2, options.configOutputs = 2;
            else if (value == "1x1")
                options.configInputs = 1, options.configOutputs = 1;
            else if (value == "1x2")
                options.configInputs = 1, options.configOutputs = 2;
            else
            {
                error = "--config takes 2x2, 1x1 or 1x2, not " + value;
                return false;
            }
            options.configGiven = true;
        }
        else if (option == "--rate")
        {
            if (! allowed(render || open) || ! takesValue(value))
                return false;
            double rate = 0.0;
            if (! parseWholeDouble(value, rate) || rate < 8000.0 || rate > 768000.0)
            {
                error = "--rate takes a sample rate from 8000 to 768000 Hz, not " + value;
                return false;
            }
            options.rate = rate;
            options.rateGiven = true;
        }
        else if (option == "--block")
        {
            if (! allowed(render || open) || ! takesValue(value))
                return false;
            int block = 0;
            if (! parseWholeInt(value, block) || block < 1 || block > 65536)
            {
                error = "--block takes a block size from 1 to 65536 samples, not " + value;
                return false;
            }
            options.blockSize = block;
        }
        else if (option == "--set")
        {
            if (! allowed(render || open) || ! takesValue(value))
                return false;
            const auto equals = value.find('=');
            int index = 0;
            double parameterValue = 0.0;
            if (equals == std::string::npos || ! parseWholeInt(value.substr(0, equals), index) || index < 0
                || ! parseWholeNumber(value.substr(equals + 1), parameterValue))
            {
                error = "--set takes INDEX=VALUE with a parameter index and a number, not " + value;
                return false;
            }
            // A host hands parameters normalised values: nothing else reaches
            // the plug-in from here.
            if (! (parameterValue >= 0.0 && parameterValue <= 1.0))
            {
                error = "--set " + std::to_string(index) + ": a parameter takes a value from 0 to 1, not "
                      + value.substr(equals + 1);
                return false;
            }
            // + 0.0f turns -0 into 0.
            options.sets.emplace_back(index, static_cast<float>(parameterValue) + 0.0f);
        }
        else if (option == "--bypass")
        {
            if (! allowed(render || open))
                return false;
            options.bypass = true;
        }
        else if (option == "--state-in")
        {
            if (! allowed(render || open) || ! takesValue(value))
                return false;
            options.stateIn = value;
        }
        else if (option == "--state-out")
        {
            if (! allowed(render) || ! takesValue(value))
                return false;
            options.stateOut = value;
        }
        else if (option == "--snapshot")
        {
            if (! allowed(open) || ! takesValue(value))
                return false;
            options.snapshot = value;
        }
        else if (option == "--after")
        {
            if (! allowed(open) || ! takesValue(value))
                return false;
            double seconds = 0.0;
            if (! parseWholeDouble(value, seconds) || seconds < 0.0 || seconds > 3600.0)
            {
                error = "--after takes a number of seconds from 0 to 3600, not " + value;
                return false;
            }
            options.snapshotAfter = seconds;
            afterGiven = true;
        }
        else
        {
            error = "unknown option: " + option;
            return false;
        }
    }

    if (! options.input.empty() && options.demo)
    {
        error = "--input and --demo exclude each other";
        return false;
    }
    if (render && options.input.empty() && ! options.demo)
    {
        error = "render needs --input FILE or --demo";
        return false;
    }
    if (render && options.output.empty())
    {
        error = "render needs --output FILE";
        return false;
    }
    if (options.snapshot.empty() != ! afterGiven)
    {
        error = "--snapshot and --after go together";
        return false;
    }
    return true;
}
} // namespace vyrhost
