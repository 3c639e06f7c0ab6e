#include "NeedleFilterBank.h"

#include "SafeNumbers.h"

namespace vyrkelsom
{
NeedleFilterBank::NeedleFilterBank(double qStartValue, double qEndValue, double count)
    : qStart(qStartValue), qEnd(qEndValue),
      // The Q ramp divides by count - 1: a bank has at least two sections.
      sectionCount(juce::jmax(2, vyrkit::truncToInt(count)))
{
    sections.reserve(static_cast<std::size_t>(sectionCount));
    for (int i = 0; i < sectionCount; ++i)
    {
        sections.emplace_back(44100.0, 4, 1000.0, 1.0, 0.0);
        auto& section = sections.back();
        section.makeLowPass();
        // Placeholder ballistics until the owner designs the real ones.
        section.setFrequency(1.5003750937734435);
        section.setQ(0.53);
        section.setGain(0.0);
    }
    applyQRamp();
}

void NeedleFilterBank::setFrequency(double frequency) noexcept
{
    for (auto& section : sections)
        section.setFrequency(frequency);
}

void NeedleFilterBank::applyQRamp() noexcept
{
    const double step = (qStart - qEnd) / static_cast<double>(sectionCount - 1);
    currentSection = 0;
    previousSection = 0;
    double offset = 0.0;
    for (auto& section : sections)
    {
        section.setQ(qStart - offset);
        offset += step;
    }
}

void NeedleFilterBank::reset() noexcept
{
    for (auto& section : sections)
        section.reset();
}

void NeedleFilterBank::setSampleRate(double rate) noexcept
{
    for (auto& section : sections)
        section.setSampleRate(rate);
}
} // namespace vyrkelsom
