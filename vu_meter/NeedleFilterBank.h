#pragma once

#include "IirFilter.h"

#include <cstddef>
#include <vector>

namespace vyrkelsom
{
// The VU needle's ballistics: a bank of low-pass sections that share one cut-off
// and differ in Q, falling in equal steps from the first section to the last.
// Each sample runs only the section that the needle's position selects; the
// filter state then moves to the section chosen by the new position, so the
// needle's path stays continuous while its damping follows the deflection.
//
// The sections are allocated in the constructor; nothing else allocates. The
// bank is not thread-safe: its owner changes it only while no sample is being
// filtered (under the processor's callback lock).
class NeedleFilterBank
{
public:
    NeedleFilterBank(double qStart, double qEnd, double sectionCount);

    // Take effect at the next applyQRamp.
    void setQStart(double q) noexcept { qStart = q; }
    void setQEnd(double q) noexcept { qEnd = q; }

    // Every section gets the cut-off and is redesigned.
    void setFrequency(double frequency) noexcept;
    // Gives the sections their Q from qStart down to qEnd and restarts the
    // selection at section 0, which takes over the five history values of the
    // section that runs now: the needle goes on from where it stands.
    void applyQRamp() noexcept;
    // Clears every section's history.
    void reset() noexcept;
    // Every section is redesigned for the rate.
    void setSampleRate(double rate) noexcept;

    // Filters one sample with the selected section and returns the needle value.
    float process(double x) noexcept
    {
        const double y = sections[(std::size_t) currentSection].processSample(x);
        // Saturated at the float range, so that an extreme input never turns
        // the needle into an infinity.
        const float v = static_cast<float>(y > floatMax ? floatMax : (y < -floatMax ? -floatMax : y));
        const float c = v > 1.0f ? 1.0f : (v < 0.0f ? 0.0f : v);
        previousSection = currentSection;
        // c is limited to 0..1 (NaN compares false and gives 0 here), so the
        // product lies in 0..sectionCount-1 and the conversion cannot overflow.
        const float position = static_cast<float>(sectionCount - 1) * c + 0.5f;
        currentSection = position >= 0.0f ? static_cast<int>(position) : 0;
        if (currentSection > sectionCount - 1)
            currentSection = sectionCount - 1;
        sections[(std::size_t) currentSection].copyStateFrom(sections[(std::size_t) previousSection]);
        return v;
    }

    double getQStart() const noexcept { return qStart; }
    double getQEnd() const noexcept { return qEnd; }
    int getSectionCount() const noexcept { return sectionCount; }
    int getCurrentSection() const noexcept { return currentSection; }
    int getPreviousSection() const noexcept { return previousSection; }
    const vyrkit::IirFilter& getSection(int index) const noexcept { return sections[(std::size_t) index]; }

private:
    static constexpr double floatMax = 3.40282346638528859812e+38;

    double qStart;
    double qEnd;
    int sectionCount;
    int currentSection = 0;
    int previousSection = 0;
    std::vector<vyrkit::IirFilter> sections;
};
} // namespace vyrkelsom
