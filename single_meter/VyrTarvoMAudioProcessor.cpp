#include "VyrTarvoMAudioProcessor.h"

#include "VyrTarvoMAudioProcessorEditor.h"

#include <utility>

namespace vyrtarvom
{
VyrTarvoMAudioProcessor::VyrTarvoMAudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true))
{
    // Members, the two DC blockers (2 Hz high-pass at 44100 Hz) and the cleared
    // history rings are set up by their initialisers.

    // Every instance rereads the stored defaults, so one created after the stereo
    // meter has saved brings the new settings to all instances in the process.
    loadStoredDefaults();

    prepareToPlay(44100.0, 0);
    releaseResources();
}

// Nothing is written to the settings store: the stereo meter owns those values.
VyrTarvoMAudioProcessor::~VyrTarvoMAudioProcessor() = default;

const juce::String VyrTarvoMAudioProcessor::getName() const { return "Vyr TarvoM"; }

bool VyrTarvoMAudioProcessor::isBusesLayoutSupported(const BusesLayout& layouts) const
{
    const int ins = layouts.getMainInputChannels();
    const int outs = layouts.getMainOutputChannels();
    return (ins == 2 && outs == 2) || (ins == 1 && outs == 1) || (ins == 1 && outs == 2);
}

const juce::String VyrTarvoMAudioProcessor::getInputChannelName(int channelIndex) const
{
    return juce::String(channelIndex + 1);
}

const juce::String VyrTarvoMAudioProcessor::getOutputChannelName(int channelIndex) const
{
    return juce::String(channelIndex + 1);
}

bool VyrTarvoMAudioProcessor::isInputChannelStereoPair(int) const { return true; }
bool VyrTarvoMAudioProcessor::isOutputChannelStereoPair(int) const { return true; }
bool VyrTarvoMAudioProcessor::silenceInProducesSilenceOut() const { return false; }
double VyrTarvoMAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool VyrTarvoMAudioProcessor::acceptsMidi() const { return false; }
bool VyrTarvoMAudioProcessor::producesMidi() const { return false; }

juce::AudioProcessorEditor* VyrTarvoMAudioProcessor::createEditor()
{
    return new VyrTarvoMAudioProcessorEditor(*this);
}

bool VyrTarvoMAudioProcessor::hasEditor() const { return true; }

int VyrTarvoMAudioProcessor::getNumPrograms() { return 0; }
int VyrTarvoMAudioProcessor::getCurrentProgram() { return 0; }
void VyrTarvoMAudioProcessor::setCurrentProgram(int) {}
const juce::String VyrTarvoMAudioProcessor::getProgramName(int) { return {}; }
void VyrTarvoMAudioProcessor::changeProgramName(int, const juce::String&) {}

juce::String VyrTarvoMAudioProcessor::getSignature() const
{
    const juce::SpinLock::ScopedLockType lock(signatureLock);
    return signature;
}

void VyrTarvoMAudioProcessor::setSignature(const juce::String& newSignature)
{
    juce::String old;
    {
        const juce::SpinLock::ScopedLockType lock(signatureLock);
        old = std::exchange(signature, newSignature);
    }
    // The old text is released outside the lock.
}

void VyrTarvoMAudioProcessor::setMillisecondClock(MillisecondClock newClock) noexcept
{
    clock = newClock != nullptr ? newClock : &juce::Time::getMillisecondCounter;
}

void VyrTarvoMAudioProcessor::callEditor(std::function<void(VyrTarvoMAudioProcessorEditor&)> call)
{
    EditorLink::call(editorLink, std::move(call));
}
} // namespace vyrtarvom
