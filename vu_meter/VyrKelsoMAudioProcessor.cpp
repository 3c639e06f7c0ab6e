#include "VyrKelsoMAudioProcessor.h"

#include "VyrKelsoMAudioProcessorEditor.h"

#include <utility>

namespace vyrkelsom
{
VyrKelsoMAudioProcessor::VyrKelsoMAudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true))
{
    // The meter state (needles and holds at -0.05), the needle bank, the two DC
    // blockers (2 Hz high-pass at 44100 Hz), the parameters and the track name
    // are set up by their initialisers.
    fillRings(-0.05f, -0.05f);

    // Every instance rereads the per-user settings, so a new instance brings a
    // changed store to all instances of the process.
    reloadStoredDefaults();

    prepareToPlay(44100.0, 0);
    releaseResources();
}

VyrKelsoMAudioProcessor::~VyrKelsoMAudioProcessor() = default;

const juce::String VyrKelsoMAudioProcessor::getName() const { return "Vyr KelsoM"; }

bool VyrKelsoMAudioProcessor::isBusesLayoutSupported(const BusesLayout& layouts) const
{
    const int ins = layouts.getMainInputChannels();
    const int outs = layouts.getMainOutputChannels();
    return (ins == 2 && outs == 2) || (ins == 1 && outs == 1) || (ins == 1 && outs == 2);
}

const juce::String VyrKelsoMAudioProcessor::getInputChannelName(int channelIndex) const
{
    return juce::String(channelIndex + 1);
}

const juce::String VyrKelsoMAudioProcessor::getOutputChannelName(int channelIndex) const
{
    return juce::String(channelIndex + 1);
}

bool VyrKelsoMAudioProcessor::isInputChannelStereoPair(int) const { return true; }
bool VyrKelsoMAudioProcessor::isOutputChannelStereoPair(int) const { return true; }
bool VyrKelsoMAudioProcessor::silenceInProducesSilenceOut() const { return false; }
double VyrKelsoMAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool VyrKelsoMAudioProcessor::acceptsMidi() const { return false; }
bool VyrKelsoMAudioProcessor::producesMidi() const { return false; }

juce::AudioProcessorEditor* VyrKelsoMAudioProcessor::createEditor()
{
    return new VyrKelsoMAudioProcessorEditor(*this);
}

bool VyrKelsoMAudioProcessor::hasEditor() const { return true; }

int VyrKelsoMAudioProcessor::getNumPrograms() { return 0; }
int VyrKelsoMAudioProcessor::getCurrentProgram() { return 0; }
void VyrKelsoMAudioProcessor::setCurrentProgram(int) {}
const juce::String VyrKelsoMAudioProcessor::getProgramName(int) { return {}; }
void VyrKelsoMAudioProcessor::changeProgramName(int, const juce::String&) {}

juce::String VyrKelsoMAudioProcessor::getSignature() const
{
    const juce::SpinLock::ScopedLockType lock(signatureLock);
    return signature;
}

void VyrKelsoMAudioProcessor::setSignature(const juce::String& newSignature)
{
    juce::String old;
    {
        const juce::SpinLock::ScopedLockType lock(signatureLock);
        old = std::exchange(signature, newSignature);
    }
    // The old text is released outside the lock.
}

void VyrKelsoMAudioProcessor::setMillisecondClock(MillisecondClock newClock) noexcept
{
    clock = newClock != nullptr ? newClock : &juce::Time::getMillisecondCounter;
}

void VyrKelsoMAudioProcessor::callEditor(std::function<void(VyrKelsoMAudioProcessorEditor&)> call)
{
    EditorLink::call(editorLink, std::move(call));
}
} // namespace vyrkelsom
