#include "DocumentOpener.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vyrplatform
{
namespace
{
std::mutex launcherLock;
DocumentOpener::Launcher testLauncher;

// The first executable "xdg-open" on PATH. Empty entries (the current directory)
// are skipped: the handler must not be picked up from wherever the host runs.
std::string findHandler()
{
    const char* pathVariable = std::getenv("PATH");
    const std::string searchPath = pathVariable != nullptr ? pathVariable : "/usr/local/bin:/usr/bin:/bin";

    size_t start = 0;
    while (start <= searchPath.size())
    {
        auto end = searchPath.find(':', start);
        if (end == std::string::npos)
            end = searchPath.size();
        const std::string dir = searchPath.substr(start, end - start);
        start = end + 1;
        if (dir.empty() || dir[0] != '/')
            continue;

        const std::string candidate = dir + "/xdg-open";
        struct stat st;
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// Everything the handler's process needs, prepared before forking: after fork()
// in a multi-threaded host only async-signal-safe calls are allowed.
struct HandlerLaunch
{
    std::string program;
    std::string argument;
    int highestFd = 1024;
};

// Runs in the grandchild: a clean session, default signals, no inherited
// descriptors but the standard three, then the handler. On failure, reports errno
// through `reportFd` (closed on a successful exec).
[[noreturn]] void execHandler(HandlerLaunch& launch, int reportFd)
{
    ::setsid();

    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig)
        ::sigaction(sig, &defaultAction, nullptr); // fails harmlessly for KILL, STOP

    // Keep the report pipe at descriptor 3 and close everything above it.
    if (reportFd != 3)
        ::dup2(reportFd, 3);
    if (reportFd > 3)
        ::close(reportFd);
    ::fcntl(3, F_SETFD, FD_CLOEXEC);
    if (::close_range(4, ~0u, 0) != 0)
        for (int fd = 4; fd <= launch.highestFd; ++fd)
            ::close(fd);

    char* argv[] = { const_cast<char*>("xdg-open"), launch.argument.data(), nullptr };
    ::execve(launch.program.c_str(), argv, environ);

    const int error = errno;
    [[maybe_unused]] auto written = ::write(3, &error, sizeof error);
    ::_exit(127);
}

// Starts xdg-open on `path` and returns whether it was started. An intermediate
// child forks the handler and exits at once, so the handler is re-parented to the
// system and reaped there; the host process waits only for the intermediate,
// which takes no time, and is left with no zombie.
bool launchDefaultHandler(const juce::String& path)
{
    HandlerLaunch launch;
    launch.program = findHandler();
    launch.argument = path.toStdString();
    if (launch.program.empty())
        return false;

    struct rlimit limit;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        launch.highestFd = (int) std::min<rlim_t>(limit.rlim_cur, 65536);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;

    const pid_t intermediate = ::fork();
    if (intermediate == 0)
    {
        ::close(report[0]);
        // The intermediate is single-threaded: _Fork runs no fork handlers, which
        // could wait for locks of threads that did not come along.
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 34)
        const pid_t handler = ::_Fork();
#else
        const pid_t handler = ::fork();
#endif
        if (handler == 0)
            execHandler(launch, report[1]);
        ::_exit(handler > 0 ? 0 : 1);
    }

    ::close(report[1]);
    if (intermediate < 0)
    {
        ::close(report[0]);
        return false;
    }

    int status = 0;
    while (::waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {}
    const bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;

    // End of file: the handler's exec closed the pipe. Four bytes: exec failed.
    int error = 0;
    ssize_t n;
    do
        n = ::read(report[0], &error, sizeof error);
    while (n < 0 && errno == EINTR);
    ::close(report[0]);
    return forked && n == 0;
}
} // namespace

juce::File DocumentOpener::fileForPath(const juce::String& path)
{
    if (path.isEmpty())
        return {};
    // getChildFile keeps an absolute path, resolves a relative one against the
    // working directory, and drops trailing and doubled separators.
    return juce::File::getCurrentWorkingDirectory().getChildFile(path.replaceCharacter('\\', '/'));
}

bool DocumentOpener::open(const juce::File& file)
{
    const auto fullPath = file.getFullPathName();
    if (fullPath.isEmpty() || ! file.exists())
        return false;

    Launcher launcher;
    {
        const std::lock_guard<std::mutex> guard(launcherLock);
        launcher = testLauncher;
    }
    return launcher ? launcher(fullPath) : launchDefaultHandler(fullPath);
}

void DocumentOpener::setLauncherForTesting(Launcher launcher)
{
    const std::lock_guard<std::mutex> guard(launcherLock);
    testLauncher = std::move(launcher);
}
} // namespace vyrplatform
