#pragma once

#include "PluginIdentity.h"
#include "VyrPluginAbi.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>
#include <vector>

namespace vyrplatform
{
// One plug-in instance as the host sees it: the processor, its host parameters
// (the processor's, then the bypass), its chunks, the audio callback and the
// embedded editor. The processor is created and deleted on the host thread
// that creates and deletes the instance; the editor lives on the library's
// message thread.
class EffectInstance final : private juce::AudioProcessorListener,
                             private juce::ComponentListener
{
public:
    // Creates the processor with createPluginFilter on the calling thread,
    // reads the host's sample rate once and configures the processor for the
    // configuration and a block size of 1024. Returns null when the
    // configuration index or the rate is not usable or the factory fails.
    static std::unique_ptr<EffectInstance> create(const VyrInstanceHost& host,
                                                  const PluginIdentity& identity,
                                                  int configurationIndex);
    ~EffectInstance() override;

    int getLatencySamples() const;

    int getNumParameters() const { return numProcessorParameters + 1; }
    VyrResult getParameterInfo(int index, VyrParameterInfo& info) const;
    VyrResult getParameterValue(int index, float& value) const;
    VyrResult setParameterValue(int index, float value);
    int getParameterText(int index, char* buffer, int bufferSize) const;

    VyrResult saveChunks(VyrChunkSink sink, void* context);
    VyrResult restoreChunks(const VyrChunk* chunks, int numChunks);

    void process(const float* const* inputs, float* const* outputs, int numSamples) noexcept;

    VyrResult openEditor(std::uint64_t parentWindow, std::int32_t* width, std::int32_t* height);
    VyrResult getEditorSize(std::int32_t* width, std::int32_t* height);
    VyrResult closeEditor();

private:
    EffectInstance(const VyrInstanceHost& host, std::unique_ptr<juce::AudioProcessor> processor,
                   int numInputs, int numOutputs);

    bool isBypassIndex(int index) const { return index == numProcessorParameters; }
    void closeEditorOnMessageThread();

    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float value) override;
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
    void componentMovedOrResized(juce::Component&, bool wasMoved, bool wasResized) override;

    const VyrInstanceHost host;
    std::unique_ptr<juce::AudioProcessor> processor;
    const int numInputs;
    const int numOutputs;
    const int numProcessorParameters;
    const int maximumNameLength;

    std::atomic<bool> bypassed { false };

    // The block size a new instance is prepared for, as JUCE's wrapper does;
    // larger blocks are processed in pieces of this size.
    static constexpr int preparedBlockSize = 1024;

    // Audio thread only: the processor's view of one piece of the host's block.
    std::vector<float*> pieceChannels;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer midi;

    // Message thread only.
    juce::AudioProcessorEditor* editor = nullptr;

    JUCE_DECLARE_NON_COPYABLE(EffectInstance)
};
} // namespace vyrplatform
