#pragma once

namespace vyrkit
{
// One editor in the process, the poll owner, rereads the stored defaults on
// every (ticksBetweenRereads + 1)th timer tick and shows them on its back panel.
// The first editor takes the role when it opens; when the owner closes, another
// open editor takes it on its next tick and starts counting on the tick after.
// The role itself is the library's (a process-wide flag); this is one editor's
// share of it. Message thread only.
class EditorPollRole
{
public:
    using TakeIfFree = bool (*)() noexcept;
    using Release = void (*)() noexcept;

    EditorPollRole(TakeIfFree takeIfFree, Release release, int ticksBetweenRereads) noexcept;

    // In the editor's constructor: takes the role if no editor holds it.
    void takeIfFree() noexcept;
    // In the editor's destructor: gives the role up if this editor holds it.
    void giveUp() noexcept;

    // On every tick, with whether this editor held the role when the tick began:
    // true when the owner is to reread now (the count starts again).
    bool tick(bool wasOwner) noexcept;

    bool isOwner() const noexcept { return owner; }
    int getTickCount() const noexcept { return tickCount; }

private:
    const TakeIfFree take;
    const Release release;
    const int ticksBetweenRereads;
    bool owner = false;
    int tickCount = 0;
};
} // namespace vyrkit
