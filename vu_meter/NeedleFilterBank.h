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
        const float v = needleValue(y);
        previousSection = currentSection;
        currentSection = sectionFor(v);
        sections[(std::size_t) currentSection].copyStateFrom(sections[(std::size_t) previousSection]);
        return v;
    }

    // The samples of one block through the bank, as process gives them. The
    // section that runs is a copy held here for the length of the block, which
    // the compiler keeps in registers, rather than read from the bank and
    // written back at every sample: the needle's recursion is then the section's
    // own and no longer waits for the section choice (the needle stays in one
    // section for long stretches). The copy goes back into the bank when the
    // needle moves to another section, which then takes over its state, and when
    // the run ends; every section then holds what process would have left in it.
    // The bank must not change while a run lasts (its owner holds the callback
    // lock for both).
    class Run
    {
    public:
        explicit Run(NeedleFilterBank& b) noexcept
            : bank(b), section(b.currentSection), previous(b.previousSection),
              active(b.sections[(std::size_t) b.currentSection])
        {
        }

        ~Run()
        {
            bank.sections[(std::size_t) section] = active;
            bank.currentSection = section;
            bank.previousSection = previous;
        }

        float process(double x) noexcept
        {
            const float v = needleValue(active.processSample(x));
            const int next = bank.sectionFor(v);
            previous = section;
            // Taking over the state of the section that ran: nothing to do when
            // the needle stays in it.
            if (next != section)
            {
                bank.sections[(std::size_t) section] = active;
                auto& chosen = bank.sections[(std::size_t) next];
                chosen.copyStateFrom(active);
                active = chosen;
                section = next;
            }
            return v;
        }

        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

    private:
        NeedleFilterBank& bank;
        int section;
        int previous;
        vyrkit::IirFilter active;
    };

    double getQStart() const noexcept { return qStart; }
    double getQEnd() const noexcept { return qEnd; }
    int getSectionCount() const noexcept { return sectionCount; }
    int getCurrentSection() const noexcept { return currentSection; }
    int getPreviousSection() const noexcept { return previousSection; }
    const vyrkit::IirFilter& getSection(int index) const noexcept { return sections[(std::size_t) index]; }

private:
    static constexpr double floatMax = 3.40282346638528859812e+38;

    // The needle value of a section's output, saturated at the float range, so
    // that an extreme input never turns the needle into an infinity.
    static float needleValue(double y) noexcept
    {
        return static_cast<float>(y > floatMax ? floatMax : (y < -floatMax ? -floatMax : y));
    }

    // The section the needle's value selects for the next sample: the whole
    // number nearest to (sections - 1) x the value limited to 0..1.
    int sectionFor(float v) const noexcept
    {
        const float c = v > 1.0f ? 1.0f : (v < 0.0f ? 0.0f : v);
        // c is limited to 0..1 (NaN compares false and gives 0 here), so the
        // product lies in 0..sectionCount-1 and the conversion cannot overflow.
        const float position = static_cast<float>(sectionCount - 1) * c + 0.5f;
        const int section = position >= 0.0f ? static_cast<int>(position) : 0;
        return section > sectionCount - 1 ? sectionCount - 1 : section;
    }

    double qStart;
    double qEnd;
    int sectionCount;
    int currentSection = 0;
    int previousSection = 0;
    std::vector<vyrkit::IirFilter> sections;
};
} // namespace vyrkelsom
