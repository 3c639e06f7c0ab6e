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
    // The redesign happens while the needle may stand anywhere (every settings
    // reread and every prepare): without the hand-over, section 0 would go on
    // from the state it held when the needle last rested there, and the needle
    // would drop towards rest.
    sections[0].copyStateFrom(sections[(std::size_t) currentSection]);
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
