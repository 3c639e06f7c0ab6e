#include "ProbeProcessor.h"

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")

namespace vyrprobe
{
namespace
{
// Per library: two loaded libraries count separately.
int instancesCreated = 0;

class ProbeEditor : public juce::AudioProcessorEditor
{
public:
    explicit ProbeEditor(ProbeProcessor& p) : juce::AudioProcessorEditor(p), probe(p)
    {
        setOpaque(true);
        setSize(300, probe.getEditorHeight());
    }

    void paint(juce::Graphics& g) override { g.fillAll(probe.getEditorColour()); }

    void resized() override
    {
        // Mirror the height into parameter 3 the way an editor control would.
        const float value = getHeight() >= 200 ? 1.0f : 0.0f;
        if (probe.getParameter(3) != value)
            probe.setParameterNotifyingHost(3, value);
    }

private:
    ProbeProcessor& probe;
};
} // namespace

ProbeProcessor::ProbeProcessor(juce::Colour colour) : editorColour(colour)
{
    ++instancesCreated;
}

ProbeProcessor::~ProbeProcessor() = default;

void ProbeProcessor::prepareToPlay(double sampleRate, int blockSize)
{
    ++prepares;
    lastRate = sampleRate;
    lastBlockSize = blockSize;
}

void ProbeProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    ++processed;
    buffer.applyGain(gain.load() * 2.0f);
}

void ProbeProcessor::processBlockBypassed(juce::AudioBuffer<float>&, juce::MidiBuffer&)
{
    ++bypassedBlocks;
}

juce::AudioProcessorEditor* ProbeProcessor::createEditor()
{
    return new ProbeEditor(*this);
}

const juce::String ProbeProcessor::getParameterName(int index)
{
    switch (index)
    {
        case 0: return "Gain";
        case 1: return "Probe";
        case 2: return "Tall";
        case 3: return "Mirror";
        case 4: return "A Rather Long Parameter Name";
        default: return {};
    }
}

float ProbeProcessor::getParameter(int index)
{
    switch (index)
    {
        case 0: return gain;
        case 2: return tall;
        case 3: return mirror;
        default: return 0.0f;
    }
}

float ProbeProcessor::getParameterDefaultValue(int index)
{
    return index == 0 ? 0.5f : 0.0f;
}

const juce::String ProbeProcessor::getParameterText(int index)
{
    switch (index)
    {
        case 0: return juce::String(gain.load() * 2.0f, 2) + "x";
        case 1:
            return "instances=" + juce::String(instancesCreated) + " prepares=" + juce::String(prepares.load())
                 + " rate=" + juce::String(lastRate.load()) + " block=" + juce::String(lastBlockSize.load())
                 + " ins=" + juce::String(getTotalNumInputChannels())
                 + " outs=" + juce::String(getTotalNumOutputChannels())
                 + " processed=" + juce::String(processed.load())
                 + " bypassed=" + juce::String(bypassedBlocks.load());
        case 2: return tall.load() >= 0.5f ? "Tall" : "Short";
        case 3: return mirror.load() >= 0.5f ? "Tall" : "Short";
        default: return {};
    }
}

void ProbeProcessor::setParameter(int index, float value)
{
    switch (index)
    {
        case 0: gain = value; break;
        case 2: tall = value; updateEditorSize(); break;
        case 3: mirror = value; break;
        default: break;
    }
}

// Components are touched only on the message thread: a change from a host
// thread is sent there, in order, to whichever editor is open then.
void ProbeProcessor::updateEditorSize()
{
    const int height = getEditorHeight();
    if (juce::MessageManager::existsAndIsCurrentThread())
    {
        if (auto* editor = getActiveEditor())
            editor->setSize(300, height);
        return;
    }
    juce::Component::SafePointer<juce::Component> editor(getActiveEditor());
    if (editor != nullptr)
        juce::MessageManager::callAsync([editor, height] {
            if (editor != nullptr)
                editor->setSize(300, height);
        });
}

void ProbeProcessor::getStateInformation(juce::MemoryBlock& block)
{
    juce::XmlElement xml("PROBE");
    xml.setAttribute("gain", static_cast<double>(gain.load()));
    xml.setAttribute("tall", static_cast<double>(tall.load()));
    copyXmlToBinary(xml, block);
}

void ProbeProcessor::setStateInformation(const void* data, int size)
{
    auto xml = getXmlFromBinary(data, size);
    if (xml == nullptr || ! xml->hasTagName("PROBE"))
        return;
    const float newGain = static_cast<float>(xml->getDoubleAttribute("gain", gain.load()));
    const float newTall = static_cast<float>(xml->getDoubleAttribute("tall", tall.load()));
    setParameter(0, newGain);
    sendParamChangeMessageToListeners(0, newGain);
    setParameter(2, newTall);
    sendParamChangeMessageToListeners(2, newTall);
}
} // namespace vyrprobe

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
