#include "EffectInstance.h"

#include "MessageThread.h"
#include "ParameterChunk.h"
#include "ParentWindowCheck.h"
#include "PluginEntry.h"

#include <cmath>
#include <cstring>
#include <string>

// The processors use JUCE's legacy parameter methods, which are deprecated but
// virtual and working; the host side reaches them directly.
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")

namespace vyrplatform
{
namespace
{
constexpr const char* bypassName = "Master Bypass";

// Copies UTF-8 text into a fixed buffer without splitting a character.
// Returns the length of the whole text in bytes.
int copyText(const juce::String& text, char* buffer, int bufferSize)
{
    const char* utf8 = text.toRawUTF8();
    const int length = static_cast<int>(std::strlen(utf8));
    if (buffer == nullptr || bufferSize <= 0)
        return length;

    int count = std::min(length, bufferSize - 1);
    while (count > 0 && count < length && (static_cast<unsigned char>(utf8[count]) & 0xC0) == 0x80)
        --count;
    std::memcpy(buffer, utf8, static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return length;
}

bool isUsableRate(double rate)
{
    return std::isfinite(rate) && rate >= 1.0 && rate <= 1.0e6;
}
} // namespace

std::unique_ptr<EffectInstance> EffectInstance::create(const VyrInstanceHost& host,
                                                       const PluginIdentity& identity,
                                                       int configurationIndex)
{
    if (configurationIndex < 0 || configurationIndex >= identity.numConfigurations
        || host.getSampleRate == nullptr)
        return nullptr;

    // The host's rate is read once. It is checked before the processor exists,
    // so that a refused request leaves no trace (a processor's destructor may
    // store settings).
    const double rate = host.getSampleRate(host.context);
    if (! isUsableRate(rate))
        return nullptr;

    const auto& configuration = identity.configurations[configurationIndex];
    std::unique_ptr<juce::AudioProcessor> processor(createPluginFilter());
    if (processor == nullptr)
        return nullptr;

    processor->setPlayConfigDetails(configuration.inputs, configuration.outputs, rate, preparedBlockSize);
    processor->prepareToPlay(rate, preparedBlockSize);

    return std::unique_ptr<EffectInstance>(new EffectInstance(host, std::move(processor),
                                                              configuration.inputs,
                                                              configuration.outputs));
}

EffectInstance::EffectInstance(const VyrInstanceHost& hostToUse,
                               std::unique_ptr<juce::AudioProcessor> processorToUse,
                               int inputs, int outputs)
    : host(hostToUse),
      processor(std::move(processorToUse)),
      numInputs(inputs),
      numOutputs(outputs),
      numProcessorParameters(std::max(0, processor->getNumParameters())),
      maximumNameLength(juce::jlimit(1, VYR_MAX_PARAMETER_NAME - 1, hostToUse.maximumParameterNameLength))
{
    midi.ensureSize(256);
    pieceChannels.resize(static_cast<std::size_t>(numOutputs));
    processor->addListener(this);
}

EffectInstance::~EffectInstance()
{
    MessageThread::callAndWait([this] { closeEditorOnMessageThread(); });
    processor->removeListener(this);
    processor.reset();
}

int EffectInstance::getLatencySamples() const
{
    return processor->getLatencySamples();
}

VyrResult EffectInstance::getParameterInfo(int index, VyrParameterInfo& info) const
{
    if (index < 0 || index >= getNumParameters())
        return VYR_ERROR_INVALID;

    std::memset(&info, 0, sizeof info);
    info.minimumValue = 0.0f;
    info.maximumValue = 1.0f;
    if (isBypassIndex(index))
    {
        copyText(VYR_BYPASS_PARAMETER_ID, info.id, sizeof info.id);
        copyText(juce::String(bypassName).substring(0, maximumNameLength), info.name, sizeof info.name);
        info.defaultValue = 0.0f;
        info.isBypass = 1;
        return VYR_OK;
    }

    copyText(juce::String(index), info.id, sizeof info.id);
    copyText(processor->getParameterName(index, maximumNameLength), info.name, sizeof info.name);
    info.defaultValue = processor->getParameterDefaultValue(index);
    return VYR_OK;
}

VyrResult EffectInstance::getParameterValue(int index, float& value) const
{
    if (index < 0 || index >= getNumParameters())
        return VYR_ERROR_INVALID;
    value = isBypassIndex(index) ? (bypassed.load() ? 1.0f : 0.0f) : processor->getParameter(index);
    return VYR_OK;
}

VyrResult EffectInstance::setParameterValue(int index, float value)
{
    if (index < 0 || index >= getNumParameters() || ! std::isfinite(value))
        return VYR_ERROR_INVALID;
    if (isBypassIndex(index))
        bypassed.store(value >= 0.5f);
    else
        processor->setParameter(index, value);
    return VYR_OK;
}

int EffectInstance::getParameterText(int index, char* buffer, int bufferSize) const
{
    if (index < 0 || index >= getNumParameters())
        return VYR_ERROR_INVALID;
    const juce::String text = isBypassIndex(index) ? juce::String(bypassed.load() ? "On" : "Off")
                                                   : processor->getParameterText(index);
    return copyText(text, buffer, bufferSize);
}

VyrResult EffectInstance::saveChunks(VyrChunkSink sink, void* context)
{
    if (sink == nullptr)
        return VYR_ERROR_INVALID;

    std::vector<ParameterValue> values;
    values.reserve(static_cast<std::size_t>(numProcessorParameters));
    for (int i = 0; i < numProcessorParameters; ++i)
        values.push_back({ juce::String(i).toStdString(), processor->getParameter(i) });
    const auto parameters = writeParameterChunk(values);

    juce::MemoryBlock state;
    processor->getStateInformation(state);
    if (state.getSize() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return VYR_ERROR_FAILED;

    sink(context, VYR_CHUNK_PARAMETERS, parameters.data(), static_cast<std::int32_t>(parameters.size()));
    sink(context, VYR_CHUNK_PROCESSOR, state.getData(), static_cast<std::int32_t>(state.getSize()));
    return VYR_OK;
}

VyrResult EffectInstance::restoreChunks(const VyrChunk* chunks, int numChunks)
{
    if (numChunks < 0 || (numChunks > 0 && chunks == nullptr))
        return VYR_ERROR_INVALID;

    const VyrChunk* parameters = nullptr;
    const VyrChunk* state = nullptr;
    for (int i = 0; i < numChunks; ++i)
    {
        const auto& chunk = chunks[i];
        if (chunk.chunkId == nullptr || chunk.size < 0 || (chunk.size > 0 && chunk.data == nullptr))
            return VYR_ERROR_INVALID;
        if (std::strcmp(chunk.chunkId, VYR_CHUNK_PARAMETERS) == 0)
            parameters = &chunk;
        else if (std::strcmp(chunk.chunkId, VYR_CHUNK_PROCESSOR) == 0)
            state = &chunk;
    }

    if (parameters != nullptr)
    {
        if (auto values = readParameterChunk(parameters->data, static_cast<std::size_t>(parameters->size)))
        {
            // Ids are matched as text against "0", "1", ...: an id that names
            // no parameter of this processor is skipped, as is a value that is
            // not a finite number.
            for (const auto& entry : *values)
                for (int index = 0; index < numProcessorParameters; ++index)
                    if (entry.id == std::to_string(index))
                    {
                        if (std::isfinite(entry.value))
                            processor->setParameter(index, entry.value);
                        break;
                    }
        }
    }

    if (state != nullptr && state->size > 0)
        processor->setStateInformation(state->data, state->size);
    return VYR_OK;
}

void EffectInstance::process(const float* const* inputs, float* const* outputs, int numSamples) noexcept
{
    if (numSamples < 0 || outputs == nullptr || (numInputs > 0 && inputs == nullptr))
        return;
    for (int c = 0; c < numOutputs; ++c)
        if (outputs[c] == nullptr)
            return;
    for (int c = 0; c < numInputs; ++c)
        if (inputs[c] == nullptr)
            return;

    const auto bytes = static_cast<std::size_t>(numSamples) * sizeof(float);
    for (int c = 0; c < numOutputs; ++c)
    {
        if (c < numInputs)
        {
            if (outputs[c] != inputs[c])
                std::memmove(outputs[c], inputs[c], bytes);
        }
        else if (bytes > 0)
        {
            std::memset(outputs[c], 0, bytes);
        }
    }

    // The processor was prepared once, for blocks of up to preparedBlockSize
    // samples. A larger block is processed in consecutive pieces of that size,
    // each a block of its own (stamped, metered, under the callback lock), so
    // that the meters go on exactly as with blocks of the prepared size: preparing
    // again would clear the history the delayed display reads.
    const bool bypass = bypassed.load(std::memory_order_relaxed);
    int start = 0;
    do
    {
        const int n = std::min(numSamples - start, preparedBlockSize);
        // Referring to the host's channels needs no allocation (the channel
        // array fits the buffer's preallocated space).
        for (int c = 0; c < numOutputs; ++c)
            pieceChannels[static_cast<std::size_t>(c)] = outputs[c] + start;
        buffer.setDataToReferTo(pieceChannels.data(), numOutputs, n);
        midi.clear();

        const juce::ScopedLock lock(processor->getCallbackLock());
        if (bypass)
            processor->processBlockBypassed(buffer, midi);
        else
            processor->processBlock(buffer, midi);
        start += n;
    } while (start < numSamples);
}

VyrResult EffectInstance::openEditor(std::uint64_t parentWindow, std::int32_t* width, std::int32_t* height)
{
    if (parentWindow == 0)
        return VYR_ERROR_INVALID;

    VyrResult result = VYR_ERROR_FAILED;
    const bool ran = MessageThread::callAndWait([&] {
        if (editor == nullptr)
        {
            if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
            {
                result = VYR_ERROR_NO_DISPLAY;
                return;
            }
            // Embedding in a window that does not exist would end the process.
            if (! parentWindowExists(parentWindow))
            {
                result = VYR_ERROR_INVALID;
                return;
            }
            editor = processor->createEditorIfNeeded();
            if (editor == nullptr)
                return;
            editor->setTopLeftPosition(0, 0);
            editor->addToDesktop(0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parentWindow)));
            editor->setVisible(true);
            editor->addComponentListener(this);
        }
        if (width != nullptr)
            *width = editor->getWidth();
        if (height != nullptr)
            *height = editor->getHeight();
        result = VYR_OK;
    });
    return ran ? result : VYR_ERROR_NOT_STARTED;
}

VyrResult EffectInstance::getEditorSize(std::int32_t* width, std::int32_t* height)
{
    VyrResult result = VYR_ERROR_INVALID;
    const bool ran = MessageThread::callAndWait([&] {
        if (editor == nullptr)
            return;
        if (width != nullptr)
            *width = editor->getWidth();
        if (height != nullptr)
            *height = editor->getHeight();
        result = VYR_OK;
    });
    return ran ? result : VYR_ERROR_NOT_STARTED;
}

VyrResult EffectInstance::closeEditor()
{
    return MessageThread::callAndWait([this] { closeEditorOnMessageThread(); }) ? VYR_OK
                                                                               : VYR_ERROR_NOT_STARTED;
}

void EffectInstance::closeEditorOnMessageThread()
{
    if (editor == nullptr)
        return;
    std::unique_ptr<juce::AudioProcessorEditor> closing(editor);
    editor = nullptr;
    closing->removeComponentListener(this);
    processor->editorBeingDeleted(closing.get());
}

void EffectInstance::audioProcessorParameterChanged(juce::AudioProcessor*, int index, float value)
{
    if (host.parameterChanged != nullptr && index >= 0 && index < numProcessorParameters)
        host.parameterChanged(host.context, index, value);
}

void EffectInstance::componentMovedOrResized(juce::Component& component, bool, bool wasResized)
{
    if (wasResized && host.editorResized != nullptr)
        host.editorResized(host.context, component.getWidth(), component.getHeight());
}
} // namespace vyrplatform

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
