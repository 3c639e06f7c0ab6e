#pragma once

#include "PeakProgrammeSettings.h"
#include "RelaxedAtomic.h"

namespace vyrtarvo
{
using vyrkit::RelaxedAtomic;
using namespace vyrkit::peak_programme;

// The stereo meter's eight ballistics settings (indices 6 to 13) with their
// derived values. They belong to the loaded library, not to an instance: every
// processor in the process reads and writes this one set.
struct ProcessWideSettings : vyrkit::PeakProgrammeSettings
{
    // Moves on with every setting change; editors compare it with what they showed.
    RelaxedAtomic<int> globalChangeCounter;
    // Set by the first processor constructed in the process, which loads the
    // stored defaults.
    RelaxedAtomic<bool> firstInstanceCreated;
};

ProcessWideSettings& processWideSettings() noexcept;
} // namespace vyrtarvo
