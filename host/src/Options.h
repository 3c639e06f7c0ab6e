#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vyrhost
{
// The command line of vyrhost:
//   vyrhost describe LIB
//   vyrhost render LIB (--input FILE | --demo) --output FILE [--config 2x2|1x1|1x2]
//                  [--rate HZ] [--block N] [--set INDEX=VALUE]... [--bypass]
//                  [--state-in DIR] [--state-out DIR]
//   vyrhost open LIB [--input FILE | --demo] [--config ...] [--rate HZ] [--block N]
//                [--set INDEX=VALUE]... [--bypass] [--state-in DIR]
//                [--snapshot FILE.png --after SECONDS]
struct Options
{
    enum class Command { describe, render, open, help };
    Command command = Command::help;
    std::string library;

    std::string input;
    bool demo = false;
    std::string output;

    bool configGiven = false;
    int configInputs = 0, configOutputs = 0;
    bool rateGiven = false;
    double rate = 44100.0;
    int blockSize = 1024;
    std::vector<std::pair<int, float>> sets;
    bool bypass = false;
    std::string stateIn, stateOut;

    std::string snapshot;
    double snapshotAfter = 0.0;
};

// Returns false with a one-line error for anything it does not take.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error);

std::string usageText();

// Whole-text numbers: the full text must be the number, and it must be finite.
bool parseWholeDouble(const std::string& text, double& value);
bool parseWholeInt(const std::string& text, int& value);
} // namespace vyrhost
