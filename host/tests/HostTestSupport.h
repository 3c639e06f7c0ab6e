#pragma once

#include "PluginLibrary.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vyrhosttest
{
// The libraries and the program under test, as built.
std::string probeAPath();
std::string probeBPath();
std::string vyrhostPath();
// Empty when that meter is not part of this build.
std::string tarvoPath();
std::string kelsomPath();
std::string tarvomPath();
// The meters of this build.
std::vector<std::string> meterPaths();

// The index of the host parameter with this name, or -1.
int findParameter(const vyrhost::PluginInstance& instance, const std::string& name);

// A fresh directory, removed with its content at the end of the test.
class TempDirectory
{
public:
    TempDirectory();
    ~TempDirectory();
    const std::string& path() const { return directory; }
    std::string file(const std::string& name) const { return directory + "/" + name; }

private:
    std::string directory;
};

struct ProcessResult
{
    int exitCode = -1;
    std::string out, err;
};

// Runs a program to its end; environment entries in env are set ("" unsets).
ProcessResult runProcess(const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& env = {});

// Polls until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

bool haveDisplay();

// A DISPLAY value that names a display no X server holds, for a child that must
// find no window system. An empty or missing DISPLAY is no such value: JUCE then
// connects to ":0", where a desktop's server answers.
std::string unreachableDisplay();

// Loads a library or fails the test.
std::unique_ptr<vyrhost::PluginLibrary> loadLibrary(const std::string& path);

// Reads a PNG as 8-bit RGB.
bool readPng(const std::string& path, int& width, int& height, std::vector<unsigned char>& rgb);

// The value of one "name=value" field in the probe's diagnostic text.
int probeField(const std::string& probeText, const std::string& name);

// A stereo test signal with every sample distinct, including values below the
// smallest normal float, so that any change shows.
std::vector<std::vector<float>> makeTestSignal(int channels, int frames, unsigned seed = 1);
} // namespace vyrhosttest
