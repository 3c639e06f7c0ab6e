#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace vyrplatform
{
// Opens a document or a folder with the desktop's default handler, as the Windows
// shell's default action would. The handler is xdg-open, started with an argument
// list: never through a shell and never by running the document itself, so a path
// that comes from the settings store cannot run commands. The handler runs
// detached (its own session, reaped by the system), so the caller keeps no child.
class DocumentOpener
{
public:
    // The file a path names. A path written the Windows way is accepted:
    // backslashes become slashes, and trailing separators are dropped. A relative
    // path is taken relative to the current working directory, as
    // juce::File::getChildFile does. An empty path gives an empty File.
    static juce::File fileForPath(const juce::String& path);

    // Opens `file` if something (a file or a directory) exists there; does nothing
    // for an empty File or a path where nothing exists. Returns whether the handler
    // was started; what the handler then does is not reported.
    static bool open(const juce::File& file);
    static bool open(const juce::String& path) { return open(fileForPath(path)); }

    // Replaces the handler for the whole process (this library's copy): `open` hands
    // the full path of an existing file to `launcher` instead. An empty function
    // restores xdg-open.
    using Launcher = std::function<bool(const juce::String& fullPath)>;
    static void setLauncherForTesting(Launcher launcher);
};
} // namespace vyrplatform
