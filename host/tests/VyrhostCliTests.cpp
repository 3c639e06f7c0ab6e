// vyrhost as a user runs it: a separate process per call, files in and out.
#include "AudioFile.h"
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

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
        EXPECT_EQ(std::distance(fs::directory_iterator(work.file("first")), fs::directory_iterator()), 2);

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
        { { "render", probe, "--demo", "--output", out, "--set", "0=inf" }, "--set takes" },
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
    std::string expected = "VC2!";
    for (int shift = 0; shift < 32; shift += 8)
        expected.push_back(static_cast<char>((text.size() >> shift) & 0xff));
    expected += text;
    expected.push_back('\0');
    EXPECT_EQ(slurp(work.file("state/juce")), expected);
}
