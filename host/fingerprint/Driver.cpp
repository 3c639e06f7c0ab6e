// Plays every run of the matrix through a fresh processor with its editor
// open, and writes what the meter did into files that diff -r can compare.
#include "Matrix.h"
#include "Meter.h"
#include "OutputFiles.h"
#include "ProcessorTexts.h"
#include "Programme.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace vyrfp
{
namespace
{
std::atomic<juce::uint32> clockMilliseconds { 0 };

// Where every run starts on the tool's clock.
constexpr juce::uint32 startMilliseconds = 100000;
// The programme's time at which the first needle meter is clicked.
constexpr juce::uint32 clickMilliseconds = 2000;

// The editor painted as the screen would show it.
void snapshot(juce::AudioProcessorEditor& editor, const juce::File& file)
{
    writePng(file, editor.createComponentSnapshot(editor.getLocalBounds(), true, 1.0f));
}

void playRun(Meter& meter, const Run& run, const juce::File& dir, const juce::File& storeRoot)
{
    writeText(dir.getChildFile("run.txt"), describe(run));

    // Every setting is given, so that no run depends on the one before.
    Values settings = meter.defaultSettings;
    for (auto& [index, value] : settings)
    {
        if (index == meter.measurementSetting)
            value = run.oversampled ? 1.0f : 0.0f;
        for (const auto& [runIndex, runValue] : run.settings)
            if (runIndex == index)
                value = runValue;
    }

    setToolClock(startMilliseconds);
    meter.storeSettings(settings);
    auto processor = meter.createProcessor();
    auto& p = *processor;
    meter.applySettings(p, settings);
    const int largestBlock = std::max(1, *std::max_element(run.blocks.begin(), run.blocks.end()));
    p.setPlayConfigDetails(run.inputs, run.outputs, run.rate, largestBlock);
    p.prepareToPlay(run.rate, largestBlock);
    for (const auto& [index, value] : run.parameters)
        setParameter(p, index, value);
    if (run.trackName.isNotEmpty())
        meter.setSignature(p, run.trackName);
    meter.setWindowSize(p, nullptr, run.windowSize);
    auto* editor = p.createEditorIfNeeded();
    if (editor == nullptr)
        throw std::runtime_error("no editor");

    const auto programme = makeProgramme(run.rate);
    const int total = static_cast<int>(programme[0].size());
    const int channels = std::max(run.inputs, run.outputs);
    std::vector<std::vector<float>> audio;
    for (int c = 0; c < channels; ++c)
        audio.push_back(programme[(size_t) std::min(c, 1)]);

    std::ostringstream blockLog, tickLog;
    blockLog << "# first frame, frames, meter state, CRC-32 of each output channel\n";
    tickLog << "# milliseconds into the programme, what the meters show\n";
    const auto period = static_cast<juce::uint32>(meter.tickPeriodMs);
    juce::uint32 nextTick = startMilliseconds + period;
    bool clicked = false;
    auto tick = [&] {
        setToolClock(nextTick);
        if (! clicked && nextTick >= startMilliseconds + clickMilliseconds)
        {
            meter.clickMeter(*editor);
            clicked = true;
            tickLog << "click\n";
        }
        dynamic_cast<juce::Timer&>(*editor).timerCallback();
        tickLog << (nextTick - startMilliseconds) << " " << meter.shownState(*editor) << "\n";
        nextTick += period;
    };

    auto automation = run.automation;
    std::stable_sort(automation.begin(), automation.end(),
                     [](const Automation& a, const Automation& b) { return a.seconds < b.seconds; });
    size_t nextEvent = 0;
    int done = 0, preparedSize = largestBlock;
    size_t blockIndex = 0;
    juce::MidiBuffer midi;
    std::vector<float*> pointers((size_t) channels);
    while (done < total)
    {
        const int n = std::min(run.blocks[blockIndex++ % run.blocks.size()], total - done);
        const auto now = startMilliseconds
                       + static_cast<juce::uint32>(static_cast<juce::int64>(done) * 1000 / static_cast<juce::int64>(run.rate));
        while (nextTick <= now)
            tick();
        setToolClock(now);
        while (nextEvent < automation.size() && std::lround(automation[nextEvent].seconds * run.rate) <= done)
        {
            const auto& a = automation[nextEvent++];
            setParameter(p, a.parameter, a.value);
            blockLog << "set " << a.parameter << " " << exact(a.value) << "\n";
        }
        if (run.reprepare && n > 0 && n != preparedSize)
        {
            preparedSize = n;
            p.setRateAndBufferSizeDetails(run.rate, n);
            p.prepareToPlay(run.rate, n);
            blockLog << "prepared " << n << "\n";
        }
        for (int c = 0; c < channels; ++c)
            pointers[(size_t) c] = audio[(size_t) c].data() + done;
        juce::AudioBuffer<float> buffer(pointers.data(), channels, n);
        {
            const juce::ScopedLock lock(p.getCallbackLock());
            p.processBlock(buffer, midi);
        }
        blockLog << done << " " << n << " " << meter.meterState(p);
        for (int c = 0; c < run.outputs; ++c)
            blockLog << " " << crcText(audio[(size_t) c].data() + done, n);
        blockLog << "\n";
        done += n;
    }
    const auto end = startMilliseconds + static_cast<juce::uint32>(static_cast<juce::int64>(total) * 1000
                                                                    / static_cast<juce::int64>(run.rate));
    while (nextTick <= end)
        tick();
    if (! run.changedElsewhere.empty())
    {
        meter.changeSettingsElsewhere(run.changedElsewhere);
        tickLog << "changed elsewhere\n";
    }
    for (int i = 0; i < run.idleTicks; ++i)
        tick();

    writeText(dir.getChildFile("blocks.txt"), blockLog.str());
    writeText(dir.getChildFile("ticks.txt"), tickLog.str());
    if (run.keepAudio)
    {
        juce::MemoryOutputStream raw;
        for (int c = 0; c < run.outputs; ++c)
            raw.write(audio[(size_t) c].data(), (size_t) total * sizeof(float));
        writeBytes(dir.getChildFile("audio.f32"), raw.getData(), raw.getDataSize());
    }

    juce::MemoryBlock chunk;
    writeText(dir.getChildFile("texts.txt"), texts(meter, p) + "state " + stateChunk(p, chunk) + "\n");
    writeBytes(dir.getChildFile("state.chunk"), chunk.getData(), chunk.getSize());

    if (run.snapshots)
        for (int size : { run.windowSize, 1 - run.windowSize })
        {
            meter.setWindowSize(p, editor, size);
            editor->handleCommandMessage(meter.showFrontCommand);
            snapshot(*editor, dir.getChildFile("front-" + juce::String(size) + ".png"));
            editor->handleCommandMessage(meter.showBackCommand);
            snapshot(*editor, dir.getChildFile("back-" + juce::String(size) + ".png"));
            editor->handleCommandMessage(meter.showFrontCommand);
        }

    p.editorBeingDeleted(editor);
    delete editor;

    // The chunk restored into a new instance, as a host reopening the session.
    {
        auto restored = meter.createProcessor();
        restored->setStateInformation(chunk.getData(), static_cast<int>(chunk.getSize()));
        juce::MemoryBlock again;
        writeText(dir.getChildFile("restored.txt"),
                  texts(meter, *restored) + "state " + stateChunk(*restored, again) + "\n");
    }
    processor.reset();
    copySettingsFiles(storeRoot, dir.getChildFile("settings"));
}
} // namespace

juce::uint32 toolClock()
{
    return clockMilliseconds.load();
}

void setToolClock(juce::uint32 milliseconds)
{
    clockMilliseconds = milliseconds;
}

int runFingerprint(int argc, char** argv, Meter& meter)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argc > 0 ? argv[0] : "fingerprint");
        return 2;
    }

    // A settings store of the tool's own, empty at the start, in $TMPDIR or /tmp.
    std::string configHome = juce::File::getSpecialLocation(juce::File::tempDirectory)
                                 .getChildFile("vyr-fingerprint-XXXXXX")
                                 .getFullPathName()
                                 .toStdString();
    if (::mkdtemp(configHome.data()) == nullptr)
    {
        std::perror("mkdtemp");
        return 1;
    }
    ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    // No X server either: JUCE connects to $DISPLAY, or to ":0.0" when that is
    // unset, and a name without a display number reaches none. The editors are
    // painted into images all the same.
    ::setenv("DISPLAY", "none", 1);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        try
        {
            const auto out = juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]).getChildFile(meter.name);
            if (out.exists())
                throw std::runtime_error(out.getFullPathName().toStdString() + " exists already");
            const auto started = std::chrono::steady_clock::now();
            writeDescription(meter, out);
            writeSweep(meter, out);
            const auto runs = makeRuns(meter);
            for (const auto& run : runs)
                playRun(meter, run, out.getChildFile(run.name), juce::File(configHome));
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
            std::printf("%s: %zu runs in %.1f s\n", meter.name.c_str(), runs.size(), took.count());
        }
        catch (const std::exception& e)
        {
            std::fprintf(stderr, "fingerprint: %s\n", e.what());
            result = 1;
        }
    }
    juce::File(configHome).deleteRecursively();
    return result;
}
} // namespace vyrfp
