#include "HostTestSupport.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vyrhosttest
{
std::string probeAPath() { return VYR_PROBE_A_PATH; }
std::string probeBPath() { return VYR_PROBE_B_PATH; }
std::string vyrhostPath() { return VYR_VYRHOST_PATH; }
std::string tarvoPath()
{
#ifdef VYR_TARVO_PATH
    return VYR_TARVO_PATH;
#else
    return {};
#endif
}

std::string kelsomPath()
{
#ifdef VYR_KELSOM_PATH
    return VYR_KELSOM_PATH;
#else
    return {};
#endif
}

std::string tarvomPath()
{
#ifdef VYR_TARVOM_PATH
    return VYR_TARVOM_PATH;
#else
    return {};
#endif
}

std::vector<std::string> meterPaths()
{
    std::vector<std::string> paths;
    for (const auto& path : { tarvoPath(), kelsomPath(), tarvomPath() })
        if (! path.empty())
            paths.push_back(path);
    return paths;
}

int findParameter(const vyrhost::PluginInstance& instance, const std::string& name)
{
    VyrParameterInfo info {};
    for (int i = 0; i < instance.getNumParameters(); ++i)
        if (instance.getParameterInfo(i, info) && name == info.name)
            return i;
    return -1;
}

TempDirectory::TempDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vyrhost-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    directory = pattern;
}

TempDirectory::~TempDirectory()
{
    std::error_code ec;
    std::filesystem::remove_all(directory, ec);
}

ProcessResult runProcess(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& env)
{
    TempDirectory scratch;
    const std::string outPath = scratch.file("out"), errPath = scratch.file("err");

    std::map<std::string, std::string> environment;
    for (char** e = environ; *e != nullptr; ++e)
    {
        const std::string entry = *e;
        const auto equals = entry.find('=');
        if (equals != std::string::npos)
            environment[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    for (const auto& [name, value] : env)
    {
        if (value.empty())
            environment.erase(name);
        else
            environment[name] = value;
    }
    std::vector<std::string> envStrings;
    for (const auto& [name, value] : environment)
        envStrings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    std::vector<std::string> args = arguments;
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    ProcessResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);

    auto slurp = [](const std::string& path) {
        std::ifstream file(path);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    };
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    return result;
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (! condition())
    {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool haveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

std::string unreachableDisplay()
{
    // A local server of display n listens on /tmp/.X11-unix/Xn (whatever TMPDIR
    // says), on an abstract socket of the same name, which /proc/net/unix lists
    // with a leading "@", and holds /tmp/.Xn-lock. The numbers start well above
    // those of the private Xvfb that the test command starts.
    std::ifstream unixSockets("/proc/net/unix");
    std::stringstream listing;
    listing << unixSockets.rdbuf();
    const std::string sockets = listing.str();
    for (int n = 500; n < 1000; ++n)
    {
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
        std::error_code ec;
        if (std::filesystem::exists(socket, ec) || std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock", ec)
            || sockets.find(socket + "\n") != std::string::npos)
            continue;
        return ":" + std::to_string(n);
    }
    return {};
}

std::unique_ptr<vyrhost::PluginLibrary> loadLibrary(const std::string& path)
{
    std::string error;
    auto library = vyrhost::PluginLibrary::load(path, error);
    EXPECT_NE(library, nullptr) << error;
    return library;
}

bool readPng(const std::string& path, int& width, int& height, std::vector<unsigned char>& rgb)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (! png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    if (! png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return false;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return true;
}

int probeField(const std::string& text, const std::string& name)
{
    const auto at = text.find(name + "=");
    if (at == std::string::npos)
        return -1;
    return std::atoi(text.c_str() + at + name.size() + 1);
}

std::vector<std::vector<float>> makeTestSignal(int channels, int frames, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::vector<std::vector<float>> signal(static_cast<std::size_t>(channels),
                                           std::vector<float>(static_cast<std::size_t>(frames)));
    for (auto& channel : signal)
        for (std::size_t i = 0; i < channel.size(); ++i)
            channel[i] = (i % 97 == 5) ? 1.0e-40f * value(random) : value(random);
    return signal;
}
} // namespace vyrhosttest
