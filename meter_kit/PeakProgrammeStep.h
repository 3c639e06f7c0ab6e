#pragma once

#include "HistoryRing.h"
#include "PeakProgrammeBallistics.h"
#include "PeakProgrammeSettings.h"

#include <cmath>
#include <limits>

namespace vyrkit::peak_programme
{
// The settings in force for one block of a peak programme meter, read once at
// its start.
struct BlockBallistics
{
    double inverseReference, threshold, attack, release, holdLength, overLimit;
    bool writeHistory;
    int ringStep;
};

inline BlockBallistics blockBallistics(const PeakProgrammeSettings& s, const PeakProgrammeBallistics& ballistics,
                                       bool writeHistory) noexcept
{
    BlockBallistics b;
    b.inverseReference = s.inverseReferenceGain;
    b.threshold = overThreshold(s.overReferenceSelector, b.inverseReference);
    b.attack = ballistics.attackCoefficient;
    b.release = ballistics.releaseCoefficient;
    b.holdLength = ballistics.holdSamples;
    b.overLimit = s.overCount;
    b.writeHistory = writeHistory;
    b.ringStep = ballistics.ringStep;
    return b;
}

// The meter state of the metered channels, held in locals for the length of a
// block so that the compiler keeps it in registers rather than in the processor.
template <int channels>
struct StepState
{
    double needle[channels], hold[channels], overs[channels];
    int holdCounter[channels];
    HistoryPosition position;
};

// One processed step of every metered channel, from the magnitude of its point:
// level, over count, needle, hold and the history (one per channel).
template <int channels>
inline void meterStep(const float (&magnitude)[channels], const BlockBallistics& b, StepState<channels>& st,
                      ChannelHistory* history) noexcept
{
    for (int c = 0; c < channels; ++c)
    {
        const float a = static_cast<float>(static_cast<double>(magnitude[c]) * b.inverseReference);
        const double level = a;

        if (level >= b.threshold)
            st.overs[c] += 1.0;
        else if (st.overs[c] < b.overLimit)
            st.overs[c] = 0.0;

        // Attack or release: one update, with the coefficient chosen.
        double needle = st.needle[c];
        const double coefficient = level > needle ? b.attack : b.release;
        needle += (level - needle) * coefficient;
        st.needle[c] = (needle + 1e-14) - 1e-14;
    }

    for (int c = 0; c < channels; ++c)
    {
        if (st.needle[c] > st.hold[c])
        {
            st.hold[c] = st.needle[c];
            st.holdCounter[c] = 0;
        }
        if (static_cast<double>(st.holdCounter[c]) >= b.holdLength)
            st.hold[c] = st.hold[c] + (0.0 - st.hold[c]) * b.release;
        // Held at its limit: hours without a new peak keep the hold released.
        if (st.holdCounter[c] < std::numeric_limits<int>::max())
            ++st.holdCounter[c];
        st.hold[c] = (st.hold[c] + 1e-14) - 1e-14;
    }

    if (b.writeHistory && st.position.step(b.ringStep))
        for (int c = 0; c < channels; ++c)
            history[c].write(st.position.writeIndex, static_cast<float>(st.needle[c]), static_cast<float>(st.hold[c]),
                             st.overs[c], b.overLimit);
}
} // namespace vyrkit::peak_programme
