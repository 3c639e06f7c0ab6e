// vyrhost as a user runs it: a separate process per call, files in and out.
#include "AudioFile.h"
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace vyrhosttest;
namespace fs = std::filesystem;

namespace
{
ProcessResult runVyrhost(std::vector<std::string> arguments, const std::map<std::string, std::string>& env = {})
{
    arguments.insert(arguments.begin(), vyrhostPath());
    return runProcess(arguments, env);
}

std::vector<std::string> meters()
{
    std::vector<std::string> paths { probeAPath() };
    for (const auto& meter : meterPaths())
        paths.push_back(meter);
    return paths;
}

void writeInput(const std::string& path, int channels, int frames, double rate = 44100.0)
{
    vyrhost::AudioData audio;
    audio.sampleRate = rate;
    audio.channels = makeTestSignal(channels, frames, 3);
    std::string error;
    ASSERT_TRUE(vyrhost::writeAudioFile(path, audio, error)) << error;
}

vyrhost::AudioData readOutput(const std::string& path)
{
    vyrhost::AudioData audio;
    std::string error;
    EXPECT_TRUE(vyrhost::readAudioFile(path, audio, error)) << error;
    return audio;
}

std::string slurp(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void spill(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The effect identifier that a library describes itself with.
std::string identifierOf(const std::string& library)
{
    auto loaded = loadLibrary(library);
    return loaded != nullptr ? loaded->getDescription().effectIdentifier : "";
}

// A state chunk in JUCE's binary XML form, around the text given.
std::string binaryXml(const std::string& text)
{
    std::string chunk = "VC2!";
    for (int shift = 0; shift < 32; shift += 8)
        chunk.push_back(static_cast<char>((text.size() >> shift) & 0xff));
    return chunk + text + '\0';
}
} // namespace

TEST(VyrhostDescribe, PrintsTheDescriptionAndParametersAsJson)
{
    const auto result = runVyrhost({ "describe", probeAPath() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const char* expected[] = {
        "\"effectIdentifier\": \"com.korvanta.test.probea\"",
        "\"manufacturerName\": \"Korvanta\"",
        "\"packageVersion\": 131328",
        "{\"inputs\": 1, \"outputs\": 2, \"nativeId\": \"jcac\"}",
        "\"manufacturerId\": \"\\u0000VYR\"",
        "{\"index\": 0, \"id\": \"0\", \"name\": \"Gain\", \"default\": 0.5, \"minimum\": 0, \"maximum\": 1, "
        "\"value\": 0.5, \"text\": \"1.00x\", \"isBypass\": false}",
        "\"id\": \"MasterBypass\", \"name\": \"Master Bypass\"",
    };
    for (const char* text : expected)
        EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
    EXPECT_TRUE(result.err.empty()) << result.err;
}

TEST(VyrhostDescribe, DescribesTheStereoMeter)
{
    if (tarvoPath().empty())
        GTEST_SKIP() << "the stereo meter is not built";
    const auto result = runVyrhost({ "describe", tarvoPath() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const char* expected[] = {
        "\"effectNames\": [\"Vyr Tarvo\", \"Vyr Tarvo\"]",
        "\"productId\": \"Trvs\"",
        "\"name\": \" LR/MS \", \"default\": 0, \"minimum\": 0, \"maximum\": 1, \"value\": 0, \"text\": \" LR \"",
        "\"name\": \"Trim\", \"default\": 0.5, \"minimum\": 0, \"maximum\": 1, \"value\": 0.5, \"text\": \"-\"",
        "\"fileVersionNumber\": [2, 1, 0, 0], \"productVersionNumber\": [0, 0, 0, 0]",
    };
    for (const char* text : expected)
        EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
}

struct RenderCase
{
    const char* config;
    int channels;
    int outputs;
};

void PrintTo(const RenderCase& c, std::ostream* os)
{
    *os << c.config;
}

class VyrhostRender : public ::testing::TestWithParam<std::tuple<std::string, RenderCase>>
{
};

TEST_P(VyrhostRender, PassesAFileThroughBitExact)
{
    const auto& [library, c] = GetParam();
    TempDirectory work;
    writeInput(work.file("in.wav"), c.channels, 10007, 48000.0);
    const auto result = runVyrhost({ "render", library, "--input", work.file("in.wav"), "--output",
                                  work.file("out.wav"), "--config", c.config, "--block", "300" });
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const auto input = readOutput(work.file("in.wav"));
    const auto output = readOutput(work.file("out.wav"));
    EXPECT_EQ(output.sampleRate, 48000.0);
    ASSERT_EQ(output.getNumChannels(), c.outputs);
    ASSERT_EQ(output.getNumFrames(), input.getNumFrames());
    for (int ch = 0; ch < c.channels; ++ch)
        EXPECT_EQ(output.channels[static_cast<std::size_t>(ch)], input.channels[static_cast<std::size_t>(ch)]) << ch;
}

INSTANTIATE_TEST_SUITE_P(Configurations, VyrhostRender,
                         ::testing::Combine(::testing::ValuesIn(meters()),
                                            ::testing::Values(RenderCase { "2x2", 2, 2 }, RenderCase { "1x1", 1, 1 },
                                                              RenderCase { "1x2", 1, 2 })),
                         [](const auto& info) {
                             std::string name = fs::path(std::get<0>(info.param)).stem().string();
                             std::string id;
                             for (char ch : name + "_" + std::get<1>(info.param).config)
                                 if (std::isalnum(static_cast<unsigned char>(ch)))
                                     id += ch;
                             return id;
                         });

TEST(VyrhostRenderOptions, SetAndBypassReachTheInstance)
{
    TempDirectory work;
    writeInput(work.file("in.wav"), 2, 4000);
    const auto input = readOutput(work.file("in.wav"));
    struct Case
    {
        std::vector<std::string> options;
        float gain;
    };
    const Case cases[] = {
        { {}, 1.0f },
        { { "--set", "0=1" }, 2.0f },
        { { "--set", "0=1", "--set", "0=0.25" }, 0.5f },
        { { "--set", "0=1", "--bypass" }, 1.0f },
        { { "--set", "0=1", "--set", "5=1" }, 1.0f }, // the bypass by its index
    };
    for (const auto& c : cases)
    {
        std::vector<std::string> arguments { "render", probeAPath(), "--input", work.file("in.wav"), "--output",
                                             work.file("out.wav") };
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const auto result = runVyrhost(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const auto output = readOutput(work.file("out.wav"));
        for (std::size_t i = 0; i < 4000; i += 37)
            ASSERT_EQ(output.channels[1][i], input.channels[1][i] * c.gain) << i;
    }
}

TEST(VyrhostRenderOptions, TheDemoProgrammeIsSixSecondsOfStereo)
{
    TempDirectory work;
    const auto result = runVyrhost({ "render", probeAPath(), "--demo", "--rate", "48000", "--output", work.file("demo.wav") });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto demo = readOutput(work.file("demo.wav"));
    ASSERT_EQ(demo.getNumChannels(), 2);
    EXPECT_EQ(demo.getNumFrames(), 6 * 48000);
    EXPECT_EQ(demo.sampleRate, 48000.0);
    float peak = 0.0f;
    for (const auto& channel : demo.channels)
        for (float s : channel)
            peak = std::max(peak, std::fabs(s));
    EXPECT_GT(peak, 0.7f);
    EXPECT_LE(peak, 1.0f);
}

TEST(VyrhostState, ChunksGoToOneFilePerChunkAndComeBack)
{
    for (const auto& library : meters())
    {
        SCOPED_TRACE(library);
        TempDirectory work;
        const auto saved = runVyrhost({ "render", library, "--demo", "--output", work.file("a.wav"), "--set", "0=1",
                                     "--set", "3=0.75", "--state-out", work.file("first") });
        ASSERT_EQ(saved.exitCode, 0) << saved.err;
        EXPECT_TRUE(fs::is_regular_file(work.file("first/juce")));
        EXPECT_TRUE(fs::is_regular_file(work.file("first/params")));
        EXPECT_EQ(slurp(work.file("first/.plugin")), identifierOf(library) + "\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(work.file("first")), fs::directory_iterator()), 3);

        const auto restored = runVyrhost({ "render", library, "--demo", "--output", work.file("b.wav"), "--state-in",
                                        work.file("first"), "--state-out", work.file("second") });
        ASSERT_EQ(restored.exitCode, 0) << restored.err;
        EXPECT_EQ(slurp(work.file("second/juce")), slurp(work.file("first/juce")));
        EXPECT_EQ(slurp(work.file("second/params")), slurp(work.file("first/params")));
    }
}

TEST(VyrhostErrors, BadInputGetsOneLineAndNothingIsWritten)
{
    TempDirectory work;
    writeInput(work.file("stereo.wav"), 2, 1000);
    writeInput(work.file("three.wav"), 3, 1000);
    { std::ofstream(work.file("text.wav")) << "this is not audio\n"; }
    { std::ofstream(work.file("fake.so")) << "not a library\n"; }
    fs::create_directory(work.file("emptystate"));
    const std::string out = work.file("out.wav");
    const std::string stereo = work.file("stereo.wav");
    const std::string probe = probeAPath();

    struct Case
    {
        std::vector<std::string> arguments;
        const char* message;
    };
    const Case cases[] = {
        { {}, "no command" },
        { { "play", probe }, "unknown command" },
        { { "render" }, "needs the plug-in library" },
        { { "describe", work.file("missing.so") }, "no such file" },
        { { "describe", work.file("fake.so") }, "cannot load" },
        { { "describe", VYR_NOT_A_PLUGIN_PATH }, "not a plug-in library" },
        { { "render", probe, "--output", out }, "needs --input FILE or --demo" },
        { { "render", probe, "--demo" }, "needs --output FILE" },
        { { "render", probe, "--demo", "--input", stereo, "--output", out }, "exclude each other" },
        { { "render", probe, "--input", work.file("missing.wav"), "--output", out }, "no such file" },
        { { "render", probe, "--input", work.file("text.wav"), "--output", out }, "not a readable audio file" },
        { { "render", probe, "--input", work.path(), "--output", out }, "not a file" },
        { { "render", probe, "--input", stereo, "--config", "1x1", "--output", out }, "configuration 1x1 takes 1" },
        { { "render", probe, "--input", stereo, "--config", "1x2", "--output", out }, "configuration 1x2 takes 1" },
        { { "render", probe, "--input", work.file("three.wav"), "--output", out }, "has 3 channels" },
        { { "render", probe, "--demo", "--output", out, "--config", "2x1" }, "--config takes" },
        { { "render", probe, "--demo", "--output", out, "--rate", "abc" }, "--rate takes" },
        { { "render", probe, "--demo", "--output", out, "--rate", "nan" }, "--rate takes" },
        { { "render", probe, "--demo", "--output", out, "--rate", "100" }, "--rate takes" },
        { { "render", probe, "--demo", "--output", out, "--block", "0" }, "--block takes" },
        { { "render", probe, "--demo", "--output", out, "--block", "12x" }, "--block takes" },
        { { "render", probe, "--demo", "--output", out, "--set", "0" }, "--set takes" },
        { { "render", probe, "--demo", "--output", out, "--set", "0=inf" }, "--set 0: a parameter takes a value from 0 to 1" },
        { { "render", probe, "--demo", "--output", out, "--set", "x=1" }, "--set takes" },
        { { "render", probe, "--demo", "--output", out, "--set", "6=1" }, "parameters 0 to 5" },
        { { "render", probe, "--demo", "--output", out, "--state-in", work.file("nostate") }, "no such state directory" },
        { { "render", probe, "--demo", "--output", out, "--state-in", work.file("emptystate") }, "no state chunks" },
        { { "render", probe, "--demo", "--output", out, "--frobnicate" }, "unknown option" },
        { { "render", probe, "--demo", "--output", out, "--snapshot", work.file("s.png") }, "is not an option of render" },
        { { "render", probe, "--demo", "--output", work.file("nodir/out.wav") }, "cannot write" },
        { { "open", probe, "--snapshot", work.file("s.png") }, "go together" },
        { { "open", probe, "--after", "-1" }, "--after takes" },
        { { "describe", probe, "--demo" }, "is not an option of describe" },
    };
    for (const auto& c : cases)
    {
        const auto result = runVyrhost(c.arguments);
        std::string shown;
        for (const auto& a : c.arguments)
            shown += a + " ";
        EXPECT_NE(result.exitCode, 0) << shown;
        const std::string firstLine = result.err.substr(0, result.err.find('\n'));
        EXPECT_NE(firstLine.find(c.message), std::string::npos) << shown << "\n" << result.err;
        EXPECT_EQ(firstLine.rfind("vyrhost: ", 0), 0u) << result.err;
        EXPECT_FALSE(fs::exists(out)) << shown;
    }
    // Nothing but the inputs was left behind (no partial files).
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path()), fs::directory_iterator()), 5);
}

TEST(VyrhostOpen, NeedsADisplay)
{
    const auto result = runVyrhost({ "open", probeAPath(), "--demo" }, { { "DISPLAY", "" } });
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("DISPLAY"), std::string::npos) << result.err;
}

TEST(VyrhostOpen, WritesASnapshotOfTheWindowWithTheEditor)
{
    if (! haveDisplay())
        GTEST_SKIP() << "needs an X display";
    struct Case
    {
        std::string library;
        std::vector<std::string> options;
        int width, height;
    };
    std::vector<Case> cases { { probeAPath(), {}, 300, 100 }, { probeAPath(), { "--set", "2=1" }, 300, 200 } };
    if (! tarvoPath().empty())
        cases.push_back({ tarvoPath(), {}, 586, 167 });
    for (const auto& compact : { kelsomPath(), tarvomPath() })
        if (! compact.empty())
            cases.push_back({ compact, {}, 320, 167 });

    for (const auto& c : cases)
    {
        TempDirectory work;
        std::vector<std::string> arguments { "open", c.library, "--demo", "--snapshot", work.file("window.png"),
                                             "--after", "1.5" };
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const auto result = runVyrhost(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find("snapshot written to " + work.file("window.png")), std::string::npos);

        int w = 0, h = 0;
        std::vector<unsigned char> rgb;
        ASSERT_TRUE(readPng(work.file("window.png"), w, h, rgb));
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        if (c.library == probeAPath())
        {
            const std::size_t centre = (static_cast<std::size_t>(h / 2 * w + w / 2)) * 3;
            EXPECT_EQ(rgb[centre], 0x20);
            EXPECT_EQ(rgb[centre + 1], 0x60);
            EXPECT_EQ(rgb[centre + 2], 0xc0);
        }
    }
}

TEST(VyrhostState, ANewStereoMeterSavesExactlyItsStartingState)
{
    if (tarvoPath().empty())
        GTEST_SKIP() << "the stereo meter is not built";
    TempDirectory work;
    const auto saved = runVyrhost({ "render", tarvoPath(), "--demo", "--output", work.file("a.wav"), "--state-out",
                                   work.file("state") },
                                  { { "XDG_CONFIG_HOME", work.file("config") } });
    ASSERT_EQ(saved.exitCode, 0) << saved.err;

    const std::string text = "<VYRTARVOsettings hold=\"0\" LRMS=\"0\" trim=\"0.5\" active=\"0\" "
                             "signature=\"Master Track\" latency=\"0\" size=\"0\"/>";
    EXPECT_EQ(slurp(work.file("state/juce")), binaryXml(text));
}

namespace
{
// Collects what a FIFO or a terminal's master side delivers until finish():
// the descriptor is non-blocking and open before vyrhost runs, so vyrhost
// never waits for a reader and the test never waits for a writer.
class StreamReader
{
public:
    explicit StreamReader(int descriptor) : fd(descriptor), thread([this] { run(); }) {}
    ~StreamReader()
    {
        finish();
        close(fd);
    }

    std::string finish()
    {
        done = true;
        if (thread.joinable())
            thread.join();
        return bytes;
    }

private:
    void run()
    {
        char buffer[65536];
        for (;;)
        {
            const bool last = done; // one more read after the writer has gone
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0)
                bytes.append(buffer, static_cast<std::size_t>(n));
            else if (last)
                return;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    const int fd;
    std::atomic<bool> done { false };
    std::string bytes;
    std::thread thread;
};

std::vector<std::string> renderTo(const std::string& input, const std::string& output)
{
    return { "render", probeAPath(), "--input", input, "--output", output };
}

// The audio of two WAV files is the same (their "PEAK" chunks carry the time
// they were written).
void expectSameAudio(const std::string& path, const std::string& expectedPath)
{
    const auto audio = readOutput(path), expected = readOutput(expectedPath);
    EXPECT_EQ(audio.sampleRate, expected.sampleRate);
    EXPECT_TRUE(audio.channels == expected.channels) << path;
}

// No temporary file of a write is left anywhere below the folder.
void expectNoPartialFiles(const std::string& folder)
{
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
}
} // namespace

TEST(VyrhostOutputTargets, AFileIsReplacedWholeAndALinkIsFollowed)
{
    TempDirectory work;
    writeInput(work.file("in.wav"), 2, 3000);
    ASSERT_EQ(runVyrhost(renderTo(work.file("in.wav"), work.file("expected.wav"))).exitCode, 0);
    fs::create_directory(work.file("sub"));

    struct Case
    {
        const char* output;
        const char* written; // the file that must hold the render
        std::vector<const char*> links; // must still be links afterwards
        bool writtenExists = true;
    };
    spill(work.file("existing.wav"), "old");
    spill(work.file("real.wav"), "old");
    fs::create_symlink("real.wav", work.file("link.wav"));
    fs::create_symlink(work.file("link.wav"), work.file("chain.wav"));
    spill(work.file("sub/deep.wav"), "old");
    fs::create_symlink("sub/deep.wav", work.file("relative.wav"));
    fs::create_symlink("sub/made.wav", work.file("dangling.wav"));
    const Case cases[] = {
        { "existing.wav", "existing.wav", {} },
        { "link.wav", "real.wav", { "link.wav" } },
        { "chain.wav", "real.wav", { "chain.wav", "link.wav" } },
        { "relative.wav", "sub/deep.wav", { "relative.wav" } },
        // A link to nothing makes the file it names.
        { "dangling.wav", "sub/made.wav", { "dangling.wav" }, false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.output);
        if (c.writtenExists)
            spill(work.file(c.written), "old");
        const auto result = runVyrhost(renderTo(work.file("in.wav"), work.file(c.output)));
        ASSERT_EQ(result.exitCode, 0) << result.err;
        expectSameAudio(work.file(c.written), work.file("expected.wav"));
        for (const char* link : c.links)
            EXPECT_TRUE(fs::is_symlink(work.file(link))) << link;
    }

    // The state files are written the same way: a chunk file that is a link
    // stays one.
    fs::create_directory(work.file("state"));
    fs::create_symlink("../kept-juce", work.file("state/juce"));
    const auto saved = runVyrhost({ "render", probeAPath(), "--demo", "--output", work.file("demo.wav"),
                                    "--state-out", work.file("state") });
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_TRUE(fs::is_symlink(work.file("state/juce")));
    EXPECT_EQ(slurp(work.file("kept-juce")).rfind("VC2!", 0), 0u);
    expectNoPartialFiles(work.path());
}

TEST(VyrhostOutputTargets, AFifoOrATerminalIsWrittenInPlace)
{
    TempDirectory work;
    writeInput(work.file("in.wav"), 2, 3000);
    ASSERT_EQ(runVyrhost(renderTo(work.file("in.wav"), work.file("expected.wav"))).exitCode, 0);
    const auto expectStreamed = [&](const std::string& bytes) {
        spill(work.file("streamed.wav"), bytes);
        expectSameAudio(work.file("streamed.wav"), work.file("expected.wav"));
        fs::remove(work.file("streamed.wav"));
    };

    {
        SCOPED_TRACE("FIFO");
        ASSERT_EQ(mkfifo(work.file("fifo").c_str(), 0600), 0);
        const int reader = open(work.file("fifo").c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        StreamReader stream(reader);
        const auto result = runVyrhost(renderTo(work.file("in.wav"), work.file("fifo")));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        expectStreamed(stream.finish());
        EXPECT_TRUE(fs::is_fifo(work.file("fifo")));
    }
    {
        SCOPED_TRACE("terminal");
        const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 || ptsname(master) == nullptr)
            GTEST_SKIP() << "no pseudo-terminal here";
        const std::string terminal = ptsname(master);
        // Raw, so that the terminal passes the bytes as they are; kept open
        // so that the setting holds while vyrhost writes.
        const int side = open(terminal.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(side, 0);
        termios raw {};
        ASSERT_EQ(tcgetattr(side, &raw), 0);
        cfmakeraw(&raw);
        ASSERT_EQ(tcsetattr(side, TCSANOW, &raw), 0);
        {
            StreamReader stream(master);
            const auto result = runVyrhost(renderTo(work.file("in.wav"), terminal));
            EXPECT_EQ(result.exitCode, 0) << result.err;
            expectStreamed(stream.finish());
            struct stat status {};
            EXPECT_TRUE(stat(terminal.c_str(), &status) == 0 && S_ISCHR(status.st_mode));
        }
        close(side);
    }
    expectNoPartialFiles(work.path());
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path()), fs::directory_iterator()), 3);
}

TEST(VyrhostOutputTargets, ADirectoryIsRefusedBeforeAnythingIsWritten)
{
    TempDirectory work;
    fs::create_directory(work.file("folder"));
    fs::create_directory_symlink("folder", work.file("to-folder"));
    fs::create_symlink("loop", work.file("loop"));
    const struct
    {
        const char* output;
        std::string message;
    } cases[] = {
        { "folder", "cannot write " + work.file("folder") + ": it is a directory" },
        { "to-folder", "cannot write " + work.file("to-folder") + ": it leads to a directory, " + work.file("folder") },
        { "loop", "cannot write " + work.file("loop") + ": too many levels of symbolic links" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.output);
        const auto result = runVyrhost({ "render", probeAPath(), "--demo", "--output", work.file(c.output),
                                         "--state-out", work.file("state") });
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "vyrhost: " + c.message + "\n");
        EXPECT_FALSE(fs::exists(work.file("state")));
    }
    EXPECT_TRUE(fs::is_empty(work.file("folder")));
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path()), fs::directory_iterator()), 3);
}

TEST(VyrhostSet, RefusesValuesOutsideTheHostRange)
{
    TempDirectory work;
    for (const char* value : { "2", "-0.5", "1.0000001", "1e6", "-1e-30", "nan", "inf", "-inf" })
    {
        SCOPED_TRACE(value);
        const auto result = runVyrhost({ "render", probeAPath(), "--demo", "--output", work.file("out.wav"),
                                         "--set", std::string("3=") + value });
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, std::string("vyrhost: --set 3: a parameter takes a value from 0 to 1, not ") + value
                                  + " (vyrhost --help shows the usage)\n");
        EXPECT_FALSE(fs::exists(work.file("out.wav")));
    }
    for (const char* value : { "0", "-0", "1", "1.0", "0.5" })
    {
        SCOPED_TRACE(value);
        const auto result = runVyrhost({ "render", probeAPath(), "--demo", "--output", work.file("out.wav"),
                                         "--set", std::string("0=") + value });
        EXPECT_EQ(result.exitCode, 0) << result.err;
    }
}

TEST(VyrhostState, AnotherPlugInsStateIsRefusedByName)
{
    std::vector<std::pair<std::string, std::string>> pairs { { probeAPath(), probeBPath() } };
    if (! kelsomPath().empty() && ! tarvoPath().empty())
        pairs.emplace_back(kelsomPath(), tarvoPath());
    for (const auto& [writer, reader] : pairs)
    {
        SCOPED_TRACE(reader);
        TempDirectory work;
        const auto saved = runVyrhost({ "render", writer, "--demo", "--output", work.file("a.wav"), "--state-out",
                                        work.file("state") },
                                      { { "XDG_CONFIG_HOME", work.file("config") } });
        ASSERT_EQ(saved.exitCode, 0) << saved.err;
        const auto loaded = runVyrhost({ "render", reader, "--demo", "--output", work.file("b.wav"), "--state-in",
                                         work.file("state") },
                                       { { "XDG_CONFIG_HOME", work.file("config") } });
        EXPECT_EQ(loaded.exitCode, 1);
        EXPECT_EQ(loaded.err, "vyrhost: the state in " + work.file("state") + " was written by "
                                  + identifierOf(writer) + ", not by " + identifierOf(reader) + "\n");
        EXPECT_FALSE(fs::exists(work.file("b.wav")));
    }
}

TEST(VyrhostState, AStateWithoutItsWriterStillLoads)
{
    for (const auto& library : meters())
    {
        SCOPED_TRACE(library);
        TempDirectory work;
        const std::map<std::string, std::string> env { { "XDG_CONFIG_HOME", work.file("config") } };
        const auto saved = runVyrhost({ "render", library, "--demo", "--output", work.file("a.wav"), "--set", "1=1",
                                        "--state-out", work.file("first") },
                                      env);
        ASSERT_EQ(saved.exitCode, 0) << saved.err;
        fs::remove(work.file("first/.plugin"));
        const auto restored = runVyrhost({ "render", library, "--demo", "--output", work.file("b.wav"), "--state-in",
                                           work.file("first"), "--state-out", work.file("second") },
                                         env);
        ASSERT_EQ(restored.exitCode, 0) << restored.err;
        EXPECT_EQ(slurp(work.file("second/juce")), slurp(work.file("first/juce")));
        EXPECT_EQ(slurp(work.file("second/params")), slurp(work.file("first/params")));
    }
}

TEST(VyrhostState, AChunkThePlugInRefusesEndsTheCommand)
{
    TempDirectory work;
    ASSERT_EQ(runVyrhost({ "render", probeAPath(), "--demo", "--output", work.file("a.wav"), "--state-out",
                           work.file("saved") })
                  .exitCode,
              0);
    const std::string params = slurp(work.file("saved/params"));
    std::string noise(1000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919 + 13) % 251);

    // States as older tools or hands leave them: no writer file.
    const char* refusedJuce = "the plug-in refused the state chunk \"juce\" in DIR: it left its state as it was";
    const char* refusedParams = "the plug-in refused the state chunk \"params\" in DIR: it holds no host parameters";
    const struct
    {
        const char* name;
        std::string juce, params;
        const char* message; // null: taken
    } cases[] = {
        { "random bytes", noise, params, refusedJuce },
        { "empty", "", params, refusedJuce },
        { "another tag", binaryXml("<OTHER gain=\"0.25\"/>"), params, refusedJuce },
        { "not XML", binaryXml("gain=0.25"), params, refusedJuce },
        { "damaged params", binaryXml("<PROBE gain=\"0.25\"/>"), noise, refusedParams },
        { "cut params", binaryXml("<PROBE gain=\"0.25\"/>"), params.substr(0, params.size() - 1), refusedParams },
        { "written by hand", binaryXml("<PROBE gain=\"0.25\"/>"), params, nullptr },
        // Repeats the state the instance has, in another form.
        { "the present state", binaryXml("<PROBE gain=\"0.50\"/>"), params, nullptr },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string state = work.file(std::string("state-") + c.name);
        fs::create_directory(state);
        spill(state + "/juce", c.juce);
        spill(state + "/params", c.params);
        const auto result = runVyrhost({ "render", probeAPath(), "--demo", "--output", work.file("out.wav"),
                                         "--state-in", state });
        if (c.message == nullptr)
        {
            EXPECT_EQ(result.exitCode, 0) << result.err;
            fs::remove(work.file("out.wav"));
            continue;
        }
        std::string message = c.message;
        message.replace(message.find("DIR"), 3, state);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "vyrhost: " + message + "\n");
        EXPECT_FALSE(fs::exists(work.file("out.wav")));
    }
}

TEST(VyrhostState, TheVuMetersStateWithoutItsWriterIsRefusedByTheStereoMeter)
{
    if (kelsomPath().empty() || tarvoPath().empty())
        GTEST_SKIP() << "the meters are not built";
    TempDirectory work;
    const std::map<std::string, std::string> env { { "XDG_CONFIG_HOME", work.file("config") } };
    ASSERT_EQ(runVyrhost({ "render", kelsomPath(), "--demo", "--output", work.file("a.wav"), "--set", "0=0.25",
                           "--state-out", work.file("state") },
                         env)
                  .exitCode,
              0);
    fs::remove(work.file("state/.plugin"));
    const auto result = runVyrhost({ "render", tarvoPath(), "--demo", "--output", work.file("b.wav"), "--state-in",
                                     work.file("state") },
                                   env);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "vyrhost: the plug-in refused the state chunk \"juce\" in " + work.file("state")
                              + ": it left its state as it was\n");
    EXPECT_FALSE(fs::exists(work.file("b.wav")));
}

namespace
{
struct AudioFormat
{
    const char* name;
    int format;
};

void PrintTo(const AudioFormat& f, std::ostream* os)
{
    *os << f.name;
}

constexpr int formatFrames = 20000;

void writeFormat(const std::string& path, int format)
{
    SF_INFO info {};
    info.samplerate = 48000;
    info.channels = 2;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto signal = makeTestSignal(2, formatFrames, 5);
    std::vector<float> interleaved;
    for (int i = 0; i < formatFrames; ++i)
        for (const auto& channel : signal)
            interleaved.push_back(channel[static_cast<std::size_t>(i)] * 0.5f);
    EXPECT_EQ(sf_writef_float(file, interleaved.data(), formatFrames), formatFrames);
    sf_close(file);
}

// The frames libsndfile can read from the file, to its end.
long readableFrames(const std::string& path)
{
    SF_INFO info {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return -1;
    std::vector<float> buffer(2 * 4096);
    long frames = 0;
    for (sf_count_t n; (n = sf_readf_float(file, buffer.data(), 4096)) > 0;)
        frames += static_cast<long>(n);
    sf_close(file);
    return frames;
}

class VyrhostCutInput : public ::testing::TestWithParam<AudioFormat>
{
};
} // namespace

// Cut by a number of bytes that is no whole number of frames, a little before
// the end: each format still opens, and its header announces all frames.
TEST_P(VyrhostCutInput, IsRefusedAsTruncatedAndTheWholeFileRenders)
{
    TempDirectory work;
    const std::string whole = work.file("whole"), cut = work.file("cut");
    writeFormat(whole, GetParam().format);
    fs::copy_file(whole, cut);
    fs::resize_file(cut, fs::file_size(cut) - 1001);
    const long held = readableFrames(cut);
    ASSERT_GT(held, 0);
    ASSERT_LT(held, formatFrames);

    const auto rendered = runVyrhost(renderTo(whole, work.file("whole.wav")));
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
    EXPECT_EQ(readOutput(work.file("whole.wav")).getNumFrames(), formatFrames);

    const auto refused = runVyrhost(renderTo(cut, work.file("cut.wav")));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "vyrhost: truncated: the header announces " + std::to_string(formatFrames)
                               + " frames, the file holds " + std::to_string(held) + ": " + cut + "\n");
    EXPECT_FALSE(fs::exists(work.file("cut.wav")));
}

INSTANTIATE_TEST_SUITE_P(Formats, VyrhostCutInput,
                         ::testing::Values(AudioFormat { "Wav16", SF_FORMAT_WAV | SF_FORMAT_PCM_16 },
                                           AudioFormat { "WavFloat", SF_FORMAT_WAV | SF_FORMAT_FLOAT },
                                           AudioFormat { "WavExtensible24", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24 },
                                           AudioFormat { "Rf64", SF_FORMAT_RF64 | SF_FORMAT_PCM_16 },
                                           AudioFormat { "Wave64", SF_FORMAT_W64 | SF_FORMAT_PCM_16 },
                                           AudioFormat { "Aiff16", SF_FORMAT_AIFF | SF_FORMAT_PCM_16 },
                                           AudioFormat { "AiffFloat", SF_FORMAT_AIFF | SF_FORMAT_FLOAT },
                                           AudioFormat { "Au16", SF_FORMAT_AU | SF_FORMAT_PCM_16 },
                                           AudioFormat { "Caf16", SF_FORMAT_CAF | SF_FORMAT_PCM_16 },
                                           AudioFormat { "Flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16 }),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VyrhostCutInput, AnOggStreamWithoutItsEndIsRefused)
{
    TempDirectory work;
    const std::string whole = work.file("whole.ogg"), cut = work.file("cut.ogg");
    writeFormat(whole, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    fs::copy_file(whole, cut);
    fs::resize_file(cut, fs::file_size(cut) / 2);
    const long held = readableFrames(cut);

    ASSERT_EQ(runVyrhost(renderTo(whole, work.file("whole.wav"))).exitCode, 0);
    const auto refused = runVyrhost(renderTo(cut, work.file("cut.wav")));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "vyrhost: truncated: the stream ends without its last page after "
                               + std::to_string(held) + " frames: " + cut + "\n");
    EXPECT_FALSE(fs::exists(work.file("cut.wav")));
}
