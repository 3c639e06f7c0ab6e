#pragma once

// The front panels' Active button and trim thumb show whether the processor
// applies the trim. The processor rounds the Active value (0.5 is on, and so is
// anything from 1.5 up, which rounds to 2 or more), so the window follows the
// processor, not the value; the texts, the window and the audio agree for every
// value. The three meters' editor tests run this check with their own processor
// and editor.

#include "PluginTesting.h"
#include "ProcessorTesting.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <thread>

namespace kittest
{
// Whether a second of a steady 0.01 signal leaves trimmed (the trim at +20 dB
// has settled by its end).
template <typename Processor>
bool trimsTheAudio(Processor& processor)
{
    juce::AudioBuffer<float> block(2, 44100);
    for (int c = 0; c < 2; ++c)
        juce::FloatVectorOperations::fill(block.getWritePointer(c), 0.01f, block.getNumSamples());
    juce::MidiBuffer midi;
    {
        const juce::ScopedLock lock(processor.getCallbackLock());
        processor.processBlock(block, midi);
    }
    return block.getSample(0, block.getNumSamples() - 1) > 0.05f;
}

template <typename Processor, typename Editor>
void checkTheActiveButtonShowsWhetherTheTrimIsApplied(Processor& processor, Editor& editor)
{
    auto& front = editor.getFrontPanel();
    setHostParameter(processor, Processor::trimParameter, 1.0f);
    const struct
    {
        float value;
        bool applied;
    } cases[] = { { 0.0f, false }, { 0.49f, false }, { 0.4999f, false }, { 0.5f, true },
                  { 0.51f, true }, { 1.0f, true },   { 1.5f, true },     { 0.0f, false },
                  { 7.0f, true },  { 0.49f, false }, { 0.5f, true } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "Active " << c.value);
        setHostParameter(processor, Processor::activeParameter, c.value);
        EXPECT_EQ(trimsTheAudio(processor), c.applied);
        EXPECT_EQ(front.activeButton->getToggleState(), c.applied);
        EXPECT_EQ(front.getTrimLook().trimActive.load(), c.applied);
        EXPECT_EQ(front.trimLabel->getText(), c.applied ? "20.0 dB" : "-");
        EXPECT_EQ(parameterText(processor, Processor::activeParameter), c.applied ? "Active" : "Inactive");
        EXPECT_EQ(parameterText(processor, Processor::trimParameter), c.applied ? "20.0 dB" : "-");
    }

    // From a host thread, the update reaches the window at its next display tick.
    setHostParameter(processor, Processor::activeParameter, 0.0f);
    std::thread host([&processor] { setHostParameter(processor, Processor::activeParameter, 0.5f); });
    host.join();
    editor.timerCallback();
    EXPECT_TRUE(front.activeButton->getToggleState());
    EXPECT_TRUE(front.getTrimLook().trimActive.load());
}
} // namespace kittest
