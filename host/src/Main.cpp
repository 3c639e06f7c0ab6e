// vyrhost: the host program for the meter plug-ins. It loads a plug-in library
// through its C interface only, and describes it, renders audio through it, or
// shows its editor in a window while playing audio through it in real time.
#include "DescriptionJson.h"
#include "HostSession.h"
#include "HostWindow.h"
#include "OutputFile.h"
#include "Options.h"
#include "PngWriter.h"
#include "StateFiles.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <thread>

namespace
{
using namespace vyrhost;

std::atomic<bool> stopRequested { false };

void requestStop(int)
{
    stopRequested = true;
}

int fail(const std::string& message)
{
    std::cerr << "vyrhost: " << message << "\n";
    return 1;
}

int describe(const Options& options)
{
    std::string error;
    auto library = PluginLibrary::load(options.library, error);
    if (library == nullptr)
        return fail(error);
    auto instance = PluginInstance::create(*library, 0, 44100.0, {});
    if (instance == nullptr)
        return fail("the plug-in could not create an instance");
    const std::string json = describeAsJson(*library, *instance);
    instance.reset();
    std::cout << json;
    std::cout.flush();
    return std::cout.good() ? 0 : fail("cannot write the description");
}

int render(const Options& options)
{
    std::string error;
    // A target that cannot take the file is refused before any work is done.
    if (! OutputFile::canWrite(options.output, error))
        return fail(error);
    HostSession session;
    if (! startSession(options, session, {}, error))
        return fail(error);

    const AudioData output = renderThrough(*session.instance, session.input, options.blockSize);
    const char* identifier = session.library->getDescription().effectIdentifier;
    if (! options.stateOut.empty()
        && ! writeStateDirectory(options.stateOut, session.instance->saveChunks(),
                                 identifier != nullptr ? identifier : "", error))
        return fail(error);
    if (! writeAudioFile(options.output, output, error))
        return fail(error);
    return 0;
}

// Plays the input in a loop through the instance, one block per block
// duration, until stopped. There is no audio device: the output is dropped.
class PacedPlayer
{
public:
    PacedPlayer(PluginInstance& i, const AudioData& a, int block) : instance(i), input(a), blockSize(block)
    {
        outputs.assign(static_cast<std::size_t>(instance.getNumOutputs()),
                       std::vector<float>(static_cast<std::size_t>(blockSize), 0.0f));
        thread = std::thread([this] { run(); });
    }

    ~PacedPlayer()
    {
        running = false;
        thread.join();
    }

private:
    void run()
    {
        const long frames = input.getNumFrames();
        std::vector<const float*> in(static_cast<std::size_t>(instance.getNumInputs()));
        std::vector<float*> out(outputs.size());
        for (std::size_t c = 0; c < out.size(); ++c)
            out[c] = outputs[c].data();

        const auto blockDuration = std::chrono::duration<double>(blockSize / input.sampleRate);
        auto next = std::chrono::steady_clock::now();
        long position = 0;
        while (running)
        {
            const int n = frames > 0 ? static_cast<int>(std::min<long>(blockSize, frames - position)) : 0;
            for (std::size_t c = 0; c < in.size(); ++c)
                in[c] = input.channels[c].data() + position;
            instance.process(in.data(), out.data(), n);
            position = frames > 0 ? (position + n) % frames : 0;

            next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(blockDuration);
            std::this_thread::sleep_until(next);
        }
    }

    PluginInstance& instance;
    const AudioData& input;
    const int blockSize;
    std::vector<std::vector<float>> outputs;
    std::atomic<bool> running { true };
    std::thread thread;
};

int open(const Options& options)
{
    std::string error;
    if (std::getenv("DISPLAY") == nullptr || *std::getenv("DISPLAY") == '\0')
        return fail("open needs an X display and DISPLAY is not set (use a snapshot under Xvfb, or render)");

    // The editor reports its size on the plug-in's message thread; the window
    // follows on this thread.
    std::atomic<int> requestedWidth { 0 }, requestedHeight { 0 };
    PluginInstance::Callbacks callbacks;
    callbacks.editorResized = [&](int width, int height) {
        requestedWidth = width;
        requestedHeight = height;
    };

    if (! options.snapshot.empty() && ! OutputFile::canWrite(options.snapshot, error))
        return fail(error);
    HostSession session;
    if (! startSession(options, session, callbacks, error))
        return fail(error);

    const auto& description = session.library->getDescription();
    HostWindow window;
    const std::string name = description.effectNames[0] != nullptr ? description.effectNames[0] : "the plug-in";
    const std::string title = "vyrhost - " + name;
    if (! window.create(title, 1, 1, error))
        return fail(error);

    int width = 0, height = 0;
    const VyrResult opened = session.instance->openEditor(window.getNativeHandle(), width, height);
    if (opened != VYR_OK)
        return fail("the plug-in could not open its editor (error " + std::to_string(opened) + ")");
    window.setSize(width, height);

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    if (options.snapshot.empty())
        std::cout << "vyrhost: playing " << (options.demo ? "the demo programme" : options.input.empty() ? "silence" : options.input)
                  << " through " << name << "; close the window or press Ctrl-C to stop" << std::endl;

    int status = 0;
    {
        PacedPlayer player(*session.instance, session.input, options.blockSize);
        const auto start = std::chrono::steady_clock::now();
        while (! stopRequested && window.handleEvents())
        {
            if (requestedWidth > 0 && requestedHeight > 0)
                window.setSize(requestedWidth, requestedHeight);

            if (! options.snapshot.empty()
                && std::chrono::steady_clock::now() - start >= std::chrono::duration<double>(options.snapshotAfter))
            {
                // The capture reads the screen: raise the window and give the
                // editor a moment to repaint whatever another window covered.
                window.raise();
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                window.handleEvents();
                std::vector<std::uint8_t> rgb;
                int w = 0, h = 0;
                if (window.capture(rgb, w, h, error) && writePng(options.snapshot, w, h, rgb, error))
                    std::cout << "vyrhost: snapshot written to " << options.snapshot << "\n";
                else
                    status = fail(error);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    session.instance->closeEditor();
    session.instance.reset();
    return status;
}
} // namespace

int main(int argc, char** argv)
{
    // A FIFO or a pipe whose reader has gone fails the write with an error
    // that vyrhost reports, instead of ending it without a word.
    std::signal(SIGPIPE, SIG_IGN);

    Options options;
    std::string error;
    if (! parseOptions(argc, argv, options, error))
    {
        std::cerr << "vyrhost: " << error << " (vyrhost --help shows the usage)\n";
        return 2;
    }

    switch (options.command)
    {
        case Options::Command::describe: return describe(options);
        case Options::Command::render: return render(options);
        case Options::Command::open: return open(options);
        case Options::Command::help: std::cout << usageText(); return 0;
    }
    return 2;
}
