#pragma once

#include "EditorLink.h"
#include "HistoryRing.h"
#include "MeterStateChunk.h"
#include "NeedleReadout.h"
#include "ParameterTable.h"
#include "RelaxedAtomic.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <cmath>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>

namespace vyrkit
{
// What a meter gives its processor's kit base: its name, its saved state, and
// what a new instance and an index without a parameter show.
template <std::size_t N>
struct MeterDescription
{
    // getName.
    const char* name;
    // The track name of a new instance.
    const char* initialSignature;
    // The name and the text of an index with no parameter behind it.
    const char* noParameterText;
    // The saved state.
    MeterStateLayout<N> state;
};

// How the open editor shows a changed host parameter or setting, and a
// restored track name and window size.
template <typename Editor>
void updateEditorControl(Editor& editor, int index, float value)
{
    editor.updateControl(index, value);
}

template <typename Editor>
void setEditorSizeMode(Editor& editor, const juce::String& name, int size)
{
    editor.setSizeMode(name, size);
}

// What every meter's processor is besides its metering, parameters and settings:
// a stereo in and out whose audio passes untouched (one in with one or two out
// too), the answers that are constants (no MIDI, no tail, no programs, channel
// names "1", "2", ...), the track name and window size flag that the state
// chunk saves, the millisecond clock that stamps blocks and display ticks, and
// the link through which host threads reach the open editor; and the host
// parameters every meter has (Hold, Latency Compensation, Trim and Active: their
// names, defaults, values, stores and texts) with the saved state.
//
// Editor is the meter's editor class; it may be incomplete where this header is
// included, but must be complete where the meter's constructor is: only the
// constructor reaches into the editor, through the two calls it keeps. Numbering
// gives the meter's numParameters and its holdParameter, latencyParameter,
// trimParameter and activeParameter, which the processor takes on as its own.
// Float is the precision the meter forms its hold mode and trim in (see
// ParameterTable.h).
template <typename Editor, typename Numbering, typename Float = double>
class MeterAudioProcessor : public juce::AudioProcessor, public Numbering
{
public:
    static constexpr int ringSize = historyRingSize;
    static_assert(Numbering::numParameters <= vyrkit::EditorLink<Editor>::maxFlaggedParameters,
                  "every host parameter needs a change flag");
    using Description = MeterDescription<static_cast<std::size_t>(Numbering::numParameters)>;

    explicit MeterAudioProcessor(const Description& description)
        : juce::AudioProcessor(BusesProperties()
                                   .withInput("Input", juce::AudioChannelSet::stereo(), true)
                                   .withOutput("Output", juce::AudioChannelSet::stereo(), true)),
          name(description.name),
          noParameterText(description.noParameterText),
          stateLayout(description.state),
          updateControl(&updateEditorControl<Editor>),
          setSizeMode(&setEditorSizeMode<Editor>),
          signature(description.initialSignature)
    {
    }

    const juce::String getName() const override { return name; }

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

    // --- Host parameters -------------------------------------------------------
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    // The host reaches the names and texts through JUCE's two-argument forms too.
    using juce::AudioProcessor::getParameterName;
    using juce::AudioProcessor::getParameterText;

    int getNumParameters() override { return Numbering::numParameters; }

    const juce::String getParameterName(int index) override
    {
        switch (index)
        {
            case Numbering::holdParameter: return "Hold";
            case Numbering::latencyParameter: return "Latency Compensation";
            case Numbering::trimParameter: return "Trim";
            case Numbering::activeParameter: return "Active";
            default: return ownParameterName(index);
        }
    }

    float getParameterDefaultValue(int index) override { return index == Numbering::trimParameter ? 0.5f : 0.0f; }

    float getParameter(int index) override
    {
        switch (index)
        {
            case Numbering::holdParameter: return holdModeValue;
            case Numbering::latencyParameter: return latencyValue;
            case Numbering::trimParameter: return trimValue;
            case Numbering::activeParameter: return activeValue;
            default: return ownParameterValue(index);
        }
    }

    const juce::String getParameterText(int index) override
    {
        switch (index)
        {
            case Numbering::holdParameter: return holdModeText(holdMode);
            case Numbering::latencyParameter: return latencyText(latencyMs);
            case Numbering::trimParameter: return trimText(trimTargetGain, trimEnabled);
            case Numbering::activeParameter: return activeText(trimEnabled);
            default: return ownParameterText(index);
        }
    }

    // A host parameter from the host, a state restore or the editor: values
    // outside 0..1 go through the meter's formulas unclamped; a value that is not
    // a number at all is not taken. The open editor then follows: at once for a
    // change on the message thread (the editor's own), at its next display tick
    // for one on a host thread, which only raises the parameter's change flag.
    // A host thread's call thus never allocates, makes no system call and waits
    // for no lock, whether or not an editor is open.
    void setParameter(int index, float newValue) override
    {
        if (! std::isfinite(newValue))
            return;
        const bool onMessageThread = EditorLink::isMessageThread();
        if (! storeParameter(index, newValue, onMessageThread))
            return;
        if (onMessageThread)
            callEditor([update = updateControl, index, newValue](Editor& editor) { update(editor, index, newValue); });
        else if (index < Numbering::numParameters)
            editorLink->noteParameterChange(index);
    }

    // Message thread, at the start of each display tick of the open editor: the
    // editor shows the current value of every host parameter that a host thread
    // has changed since the last tick, and a hold restart asked for by a host
    // thread is done now if no block is being processed (else the next block
    // does it).
    void applyPendingParameterChanges()
    {
        tryPendingHoldRestart();
        auto* editor = editorLink->getEditor();
        if (editor == nullptr)
            return;
        auto changed = editorLink->takeParameterChanges();
        for (int index = 0; changed != 0; ++index, changed >>= 1)
            if ((changed & 1u) != 0)
                updateControl(*editor, index, getParameter(index));
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    // --- Saved state -----------------------------------------------------------
    void getStateInformation(juce::MemoryBlock& destData) override { destData = writeMeterState(*this, stateLayout); }

    // Restores the state (see restoreMeterState), then the open editor shows the
    // restored track name and window size.
    void setStateInformation(const void* data, int sizeInBytes) override
    {
        const auto setAndTellHost = [this](int index, float value) {
            JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
            setParameter(index, value);
            sendParamChangeMessageToListeners(index, value);
            JUCE_END_IGNORE_WARNINGS_GCC_LIKE
        };
        if (const auto size = restoreMeterState(*this, stateLayout, data, sizeInBytes, setAndTellHost))
            callEditor([setSize = setSizeMode, name = getSignature(), size = *size](Editor& editor) {
                setSize(editor, name, size);
            });
    }

    // --- Values the editor reads -----------------------------------------------
    float getHoldMode() const noexcept { return holdMode; }
    int getLatencyMs() const noexcept { return latencyMs; }
    float getTrimDb() const noexcept { return trimDb; }
    float getTrimTargetGain() const noexcept { return trimTargetGain; }
    int getTrimEnabled() const noexcept { return trimEnabled; }
    double getLastBlockTime() const noexcept { return lastBlockTime; }
    double getBlockDuration() const noexcept { return blockDuration; }

    // The interpolation fraction for a read-out at the given time: how far the
    // display has moved through the last block. 0 before any block, for an empty
    // block, and whenever the quotient is not a finite positive number.
    float getDisplayFraction(double nowSeconds) const noexcept
    {
        return readout::displayFraction(nowSeconds, lastBlockTime, blockDuration);
    }

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
    // A hold mode other than 1 ("Infinity") was stored: the hold restarts, which
    // each meter does its own way. Called with the callback lock held.
    virtual void restartHold() = 0;

    // With the callback lock held (the start of each block, and the editor's
    // tick): the hold restart that a host thread asked for, if one is pending.
    // One relaxed load when none is.
    void applyPendingHoldRestart() noexcept
    {
        if (holdRestartPending.load(std::memory_order_relaxed)
            && holdRestartPending.exchange(false, std::memory_order_acquire))
            restartHold();
    }

    // The meter's own host parameters besides the four every meter has. An index
    // with no parameter behind it has the meter's text for none, the value 0,
    // and a store that keeps nothing but lets the editor hear of the call.
    virtual juce::String ownParameterName(int) { return noParameterText; }
    virtual float ownParameterValue(int) { return 0.0f; }
    virtual juce::String ownParameterText(int) { return noParameterText; }
    virtual bool storeOwnParameter(int, float) { return true; }

    // Runs the call on the open editor: directly on the message thread, queued in
    // order from any other thread.
    void callEditor(std::function<void(Editor&)> call) { EditorLink::call(editorLink, std::move(call)); }

    // The block stamp: when the block came (by the clock) and how long it lasts.
    void stampBlock(double duration) noexcept
    {
        lastBlockTime = clock.load()() * 0.001;
        blockDuration = duration;
    }

    // Read by the metering to stamp each block.
    std::atomic<MillisecondClock> clock { &juce::Time::getMillisecondCounter };

    // The four host parameters' values and what derives from them.
    RelaxedAtomic<float> holdModeValue { 0.0f };
    RelaxedAtomic<float> holdMode { 0.0f };
    RelaxedAtomic<float> latencyValue { 0.0f };
    RelaxedAtomic<int> latencyMs { 0 };
    RelaxedAtomic<float> trimValue { 0.5f };
    RelaxedAtomic<float> trimDb { 0.0f };
    RelaxedAtomic<float> trimTargetGain { 1.0f };
    RelaxedAtomic<float> activeValue { 0.0f };
    RelaxedAtomic<int> trimEnabled { 0 };

    double lastBlockTime = 0.0;
    double blockDuration = 0.0;

private:
    // Stores a finite host parameter value and what derives from it; true when
    // the open editor is to hear of the call.
    bool storeParameter(int index, float v, bool onMessageThread)
    {
        switch (index)
        {
            case Numbering::holdParameter:
                if (storeHold<Float>(v, holdModeValue, holdMode) != 1.0f)
                    requestHoldRestart(onMessageThread);
                return true;
            case Numbering::latencyParameter: storeLatency(v, latencyValue, latencyMs); return true;
            case Numbering::trimParameter: storeTrim<Float>(v, trimValue, trimDb, trimTargetGain); return true;
            case Numbering::activeParameter: storeActive(v, activeValue, trimEnabled); return true;
            default: return storeOwnParameter(index, v);
        }
    }

    // The hold restarts from the needles, which the audio thread owns under the
    // callback lock. A host thread never waits for that lock (the audio thread or
    // the editor's tick may hold it): it leaves the restart to the next block or
    // tick, whichever comes first, so that the holds restart from the same
    // needles as if it had waited. The message thread does it at once when the
    // lock is free.
    void requestHoldRestart(bool onMessageThread) noexcept
    {
        holdRestartPending.store(true, std::memory_order_release);
        if (onMessageThread)
            tryPendingHoldRestart();
    }

    void tryPendingHoldRestart() noexcept
    {
        if (! holdRestartPending.load(std::memory_order_relaxed))
            return;
        const auto& lock = this->getCallbackLock();
        if (lock.tryEnter())
        {
            applyPendingHoldRestart();
            lock.exit();
        }
    }

    const char* const name;
    const char* const noParameterText;
    const MeterStateLayout<static_cast<std::size_t>(Numbering::numParameters)> stateLayout;
    void (*const updateControl)(Editor&, int index, float value);
    void (*const setSizeMode)(Editor&, const juce::String& name, int size);
    mutable juce::SpinLock signatureLock;
    juce::String signature;
    std::atomic<int> sizeFlag { 0 };
    std::atomic<bool> holdRestartPending { false };
    std::shared_ptr<EditorLink> editorLink = std::make_shared<EditorLink>();
};
} // namespace vyrkit
