#pragma once

#include "EditorLink.h"
#include "MeterStateChunk.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <cmath>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>

namespace vyrkit
{
// What every meter's processor is besides its metering, parameters and settings:
// a stereo in and out whose audio passes untouched (one in with one or two out
// too), the answers that are constants (no MIDI, no tail, no programs, channel
// names "1", "2", ...), the track name and window size flag that the state
// chunk saves, the millisecond clock that stamps blocks and display ticks, and
// the link through which host threads reach the open editor. Editor is the
// meter's editor class; it may be incomplete where this header is included.
template <typename Editor>
class MeterAudioProcessor : public juce::AudioProcessor
{
public:
    // How the open editor shows a changed host parameter (its updateControl),
    // given by the meter where its editor class is complete.
    using ControlUpdate = void (*)(Editor&, int index, float value);

    MeterAudioProcessor(const char* initialSignature, ControlUpdate controlUpdate)
        : juce::AudioProcessor(BusesProperties()
                                   .withInput("Input", juce::AudioChannelSet::stereo(), true)
                                   .withOutput("Output", juce::AudioChannelSet::stereo(), true)),
          updateControl(controlUpdate),
          signature(initialSignature)
    {
    }

    // While the host bypasses the plug-in neither the audio nor the meters change.
    void processBlockBypassed(juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}

    bool isBusesLayoutSupported(const BusesLayout& layouts) const override
    {
        const int ins = layouts.getMainInputChannels();
        const int outs = layouts.getMainOutputChannels();
        return (ins == 2 && outs == 2) || (ins == 1 && outs == 1) || (ins == 1 && outs == 2);
    }

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    const juce::String getInputChannelName(int channelIndex) const override { return juce::String(channelIndex + 1); }
    const juce::String getOutputChannelName(int channelIndex) const override { return juce::String(channelIndex + 1); }
    bool isInputChannelStereoPair(int) const override { return true; }
    bool isOutputChannelStereoPair(int) const override { return true; }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    bool silenceInProducesSilenceOut() const override { return false; }
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    bool hasEditor() const override { return true; }

    int getNumPrograms() override { return 0; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    // A host parameter from the host, a state restore or the editor: values
    // outside 0..1 go through the meter's formulas unclamped; a value that is not
    // a number at all is not taken. The open editor then follows, on the calling
    // thread or queued to the message thread.
    void setParameter(int index, float newValue) override
    {
        if (! std::isfinite(newValue))
            return;
        if (storeParameter(index, newValue))
            callEditor([update = updateControl, index, newValue](Editor& editor) { update(editor, index, newValue); });
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    // The track name shown in the editor's strip; any thread.
    juce::String getSignature() const
    {
        const juce::SpinLock::ScopedLockType lock(signatureLock);
        return signature;
    }

    void setSignature(const juce::String& newSignature)
    {
        juce::String old;
        {
            const juce::SpinLock::ScopedLockType lock(signatureLock);
            old = std::exchange(signature, newSignature);
        }
        // The old text is released outside the lock.
    }

    // 1 for the large window, 0 for the small one; the editor and its panels
    // hold a reference to it.
    std::atomic<int>& getSizeFlag() noexcept { return sizeFlag; }

    // The millisecond clock that stamps audio blocks and display ticks.
    using MillisecondClock = juce::uint32 (*)();
    void setMillisecondClock(MillisecondClock newClock) noexcept
    {
        clock = newClock != nullptr ? newClock : &juce::Time::getMillisecondCounter;
    }
    double nowInSeconds() const noexcept { return clock.load()() * 0.001; }

    // The editor that host threads reach through the message thread. The editor
    // registers itself here on construction and leaves on destruction; the link
    // outlives the processor for calls still queued.
    using EditorLink = vyrkit::EditorLink<Editor>;
    std::shared_ptr<EditorLink> getEditorLink() const noexcept { return editorLink; }

protected:
    // Stores a finite host parameter value and what derives from it; true when
    // the open editor is to hear of the call.
    virtual bool storeParameter(int index, float newValue) = 0;

    // Runs the call on the open editor: directly on the message thread, queued in
    // order from any other thread.
    void callEditor(std::function<void(Editor&)> call) { EditorLink::call(editorLink, std::move(call)); }

    // setStateInformation for a meter whose state has this layout: restores it
    // (see restoreMeterState), then the open editor shows the restored track name
    // and window size.
    template <std::size_t N>
    void restoreState(const MeterStateLayout<N>& layout, const void* data, int sizeInBytes)
    {
        const auto setAndTellHost = [this](int index, float value) {
            JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
            setParameter(index, value);
            sendParamChangeMessageToListeners(index, value);
            JUCE_END_IGNORE_WARNINGS_GCC_LIKE
        };
        if (const auto size = restoreMeterState(*this, layout, data, sizeInBytes, setAndTellHost))
            callEditor([name = getSignature(), size = *size](Editor& editor) { editor.setSizeMode(name, size); });
    }

    // Read by the metering to stamp each block.
    std::atomic<MillisecondClock> clock { &juce::Time::getMillisecondCounter };

private:
    const ControlUpdate updateControl;
    mutable juce::SpinLock signatureLock;
    juce::String signature;
    std::atomic<int> sizeFlag { 0 };
    std::shared_ptr<EditorLink> editorLink = std::make_shared<EditorLink>();
};
} // namespace vyrkit
