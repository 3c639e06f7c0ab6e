#include "EditorPollRole.h"

namespace vyrkit
{
EditorPollRole::EditorPollRole(TakeIfFree takeIfFree, Release releaseRole, int ticks) noexcept
    : take(takeIfFree), release(releaseRole), ticksBetweenRereads(ticks)
{
}

void EditorPollRole::takeIfFree() noexcept
{
    owner = false;
    if (take())
    {
        tickCount = 0;
        owner = true;
    }
}

void EditorPollRole::giveUp() noexcept
{
    if (owner)
        release();
}

bool EditorPollRole::tick(bool wasOwner) noexcept
{
    // A free role is taken here, but counting starts on the next tick.
    if (! owner && take())
    {
        tickCount = 0;
        owner = true;
    }
    if (! wasOwner)
        return false;
    if (tickCount < ticksBetweenRereads)
    {
        ++tickCount;
        return false;
    }
    tickCount = 0;
    return true;
}
} // namespace vyrkit
