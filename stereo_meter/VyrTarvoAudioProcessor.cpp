#include "VyrTarvoAudioProcessor.h"

#include "VyrTarvoAudioProcessorEditor.h"

namespace vyrtarvo
{
VyrTarvoAudioProcessor::VyrTarvoAudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true))
{
    // Members, the two DC blockers (2 Hz high-pass at 44100 Hz) and the cleared
    // history rings are set up by their initialisers.

    // The first instance in the process loads the per-user defaults; every later
    // one meters with the settings as they are.
    auto& settings = processWideSettings();
    if (! settings.firstInstanceCreated.exchange(true))
    {
        static constexpr float defaults[] = { 0.5f, 0.5f, 0.5f, 0.65f, 0.222f, 1.0f, 0.5f, 0.0f };
        for (int index = 6; index <= 13; ++index)
        {
            float v = readStoredDefault(index);
            if (v < 0.0f || v > 1.0f)
                v = defaults[index - 6];
            setGlobalSetting(index, v);
        }
    }

    prepareToPlay(44100.0, 0);
    releaseResources();
}

VyrTarvoAudioProcessor::~VyrTarvoAudioProcessor()
{
    saveStoredDefaults();
}

const juce::String VyrTarvoAudioProcessor::getName() const { return "Vyr Tarvo"; }

bool VyrTarvoAudioProcessor::isBusesLayoutSupported(const BusesLayout& layouts) const
{
    const int ins = layouts.getMainInputChannels();
    const int outs = layouts.getMainOutputChannels();
    return (ins == 2 && outs == 2) || (ins == 1 && outs == 1) || (ins == 1 && outs == 2);
}

const juce::String VyrTarvoAudioProcessor::getInputChannelName(int channelIndex) const
{
    return juce::String(channelIndex + 1);
}

const juce::String VyrTarvoAudioProcessor::getOutputChannelName(int channelIndex) const
{
    return juce::String(channelIndex + 1);
}

bool VyrTarvoAudioProcessor::isInputChannelStereoPair(int) const { return true; }
bool VyrTarvoAudioProcessor::isOutputChannelStereoPair(int) const { return true; }
bool VyrTarvoAudioProcessor::silenceInProducesSilenceOut() const { return false; }
double VyrTarvoAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool VyrTarvoAudioProcessor::acceptsMidi() const { return false; }
bool VyrTarvoAudioProcessor::producesMidi() const { return false; }

juce::AudioProcessorEditor* VyrTarvoAudioProcessor::createEditor()
{
    return new VyrTarvoAudioProcessorEditor(*this);
}

bool VyrTarvoAudioProcessor::hasEditor() const { return true; }

int VyrTarvoAudioProcessor::getNumPrograms() { return 0; }
int VyrTarvoAudioProcessor::getCurrentProgram() { return 0; }
void VyrTarvoAudioProcessor::setCurrentProgram(int) {}
const juce::String VyrTarvoAudioProcessor::getProgramName(int) { return {}; }
void VyrTarvoAudioProcessor::changeProgramName(int, const juce::String&) {}

juce::String VyrTarvoAudioProcessor::getSignature() const
{
    const juce::SpinLock::ScopedLockType lock(signatureLock);
    return signature;
}

void VyrTarvoAudioProcessor::setSignature(const juce::String& newSignature)
{
    juce::String old;
    {
        const juce::SpinLock::ScopedLockType lock(signatureLock);
        old = std::exchange(signature, newSignature);
    }
    // The old text is released outside the lock.
}

void VyrTarvoAudioProcessor::setMillisecondClock(MillisecondClock newClock) noexcept
{
    clock = newClock != nullptr ? newClock : &juce::Time::getMillisecondCounter;
}

void VyrTarvoAudioProcessor::callEditor(std::function<void(VyrTarvoAudioProcessorEditor&)> call)
{
    EditorLink::call(editorLink, std::move(call));
}
} // namespace vyrtarvo
