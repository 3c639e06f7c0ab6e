#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

namespace vyrprobe
{
// A small processor that the host tests drive through the binding in place of
// a meter. It applies a gain (2 x "Gain") to every output channel and reports
// what the binding did to it through the text of its "Probe" parameter.
//
// Parameters: 0 "Gain" (0.5), 1 "Probe", 2 "Tall" (editor height 100 or 200),
// 3 "Mirror" (the editor copies "Tall" into it with setParameterNotifyingHost),
// 4 a long name for the host's length limit.
class ProbeProcessor : public juce::AudioProcessor
{
public:
    explicit ProbeProcessor(juce::Colour editorColour);
    ~ProbeProcessor() override;

    const juce::String getName() const override { return "Probe"; }
    void prepareToPlay(double sampleRate, int blockSize) override;
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    void processBlockBypassed(juce::AudioBuffer<float>&, juce::MidiBuffer&) override;

    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }

    int getNumParameters() override { return 5; }
    const juce::String getParameterName(int index) override;
    float getParameter(int index) override;
    const juce::String getParameterText(int index) override;
    float getParameterDefaultValue(int index) override;
    void setParameter(int index, float value) override;

    int getNumPrograms() override { return 0; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}

    void getStateInformation(juce::MemoryBlock&) override;
    void setStateInformation(const void*, int) override;

    juce::Colour getEditorColour() const { return editorColour; }
    int getEditorHeight() const { return tall.load() >= 0.5f ? 200 : 100; }

private:
    void updateEditorSize();

    const juce::Colour editorColour;
    std::atomic<float> gain { 0.5f }, tall { 0.0f }, mirror { 0.0f };
    std::atomic<int> prepares { 0 }, processed { 0 }, bypassedBlocks { 0 };
    std::atomic<int> lastBlockSize { -1 };
    std::atomic<double> lastRate { 0.0 };
};
} // namespace vyrprobe
