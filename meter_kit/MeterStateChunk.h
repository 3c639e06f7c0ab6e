#pragma once

#include "SafeNumbers.h"
#include "StateChunk.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

namespace vyrkit
{
// One host parameter as a meter's state element holds it.
struct ParameterAttribute
{
    const char* name;
    int index;
};

// The shape of a meter's saved state: the element's tag; its host parameters in
// the order they are written, the first numBeforeSignature of them before the
// track name ("signature"), the rest after it and before the window size
// ("size"); and the parameter indices in the order a restore sets them.
template <std::size_t N>
struct MeterStateLayout
{
    const char* tag;
    std::array<ParameterAttribute, N> attributes;
    std::size_t numBeforeSignature;
    std::array<int, N> restoreOrder;
};

// The instance's state as the host saves it: each parameter's normalised value
// as written by formatGeneral20, the track name (cut, if need be, so that the
// state is read back: see setAttributeReadBack) and the window size flag.
// Processor is a meter's processor (getParameter, getSignature, getSizeFlag).
template <typename Processor, std::size_t N>
juce::MemoryBlock writeMeterState(Processor& processor, const MeterStateLayout<N>& layout)
{
    juce::XmlElement element(layout.tag);
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    for (std::size_t i = 0; i < N; ++i)
    {
        if (i == layout.numBeforeSignature)
            element.setAttribute("signature", processor.getSignature());
        const auto& attribute = layout.attributes[i];
        element.setAttribute(attribute.name, formatGeneral20(static_cast<double>(processor.getParameter(attribute.index))));
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    if (layout.numBeforeSignature >= N)
        element.setAttribute("signature", processor.getSignature());
    element.setAttribute("size", juce::String(processor.getSizeFlag().load()));
    // A name too long for the reader is saved as its longest beginning it reads.
    setAttributeReadBack(element, "signature", processor.getSignature());
    return makeStateChunk(element);
}

// Restores a state written by writeMeterState and returns the window size flag
// restored; nothing (and nothing changed) for data that is no state element of
// this meter. The window size and the track name are taken first, then each
// parameter is given to setParameter (index, value) in the layout's restore
// order, which sets it and tells the host; the caller then brings the open
// editor to the new name and size.
template <typename Processor, std::size_t N, typename SetParameter>
std::optional<int> restoreMeterState(Processor& processor, const MeterStateLayout<N>& layout,
                                     const void* data, int sizeInBytes, SetParameter&& setParameter)
{
    // A track name over the reader's bounds is left out as if the state had
    // none: everything else restores.
    const auto element = parseStateChunk(data, sizeInBytes, "signature");
    if (element == nullptr || ! tagNameMatches(*element, layout.tag))
        return std::nullopt;

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    // Each attribute falls back to the current value when it is missing; a text
    // without a number reads as 0.
    std::array<float, N> restored {};
    for (std::size_t i = 0; i < N; ++i)
    {
        const auto& attribute = layout.attributes[i];
        restored[i] = static_cast<float>(numberAttribute(*element, attribute.name,
                                                         static_cast<double>(processor.getParameter(attribute.index))));
    }
    // The window has two sizes: any other stored number means the large one.
    auto& sizeFlag = processor.getSizeFlag();
    const int size = intAttribute(*element, "size", sizeFlag.load()) != 0 ? 1 : 0;
    sizeFlag = size;
    if (element->hasAttribute("signature"))
        processor.setSignature(element->getStringAttribute("signature"));

    for (const int index : layout.restoreOrder)
    {
        float value = 0.0f;
        for (std::size_t i = 0; i < N; ++i)
            if (layout.attributes[i].index == index)
                value = restored[i];
        // A finite number too large for a float is no value either.
        if (! std::isfinite(value))
            value = 0.0f;
        setParameter(index, value);
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    return size;
}
} // namespace vyrkit
