#pragma once

#include "RelaxedAtomic.h"

namespace vyrkit
{
// The library's share of the poll role (see EditorPollRole.h): whether some
// editor of this plug-in library rereads the stored defaults now. The meter's
// processor takes these on as its own statics; Processor gives each meter its
// own flag, and each deliverable has its own copy. Message thread only; atomic
// all the same, so that a stray call elsewhere is no data race.
template <typename Processor>
class LibraryPollRole
{
public:
    static bool isPollRoleTaken() noexcept { return taken; }
    // Takes the role when it is free; true when the caller now holds it.
    static bool takePollRoleIfFree() noexcept { return ! taken.exchange(true); }
    static void releasePollRole() noexcept { taken = false; }

private:
    // Constant-initialised: free from the moment the library is mapped.
    static inline RelaxedAtomic<bool> taken { false };
};
} // namespace vyrkit
