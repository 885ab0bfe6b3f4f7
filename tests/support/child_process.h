#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace klangora::test_support {

// A program started by a test, known by its process id, and always reaped: the destructor ends
// it (SIGTERM, then SIGKILL if it lingers) and waits for it. The child also ends when the test
// dies without running any destructor, killed by ctest's timeout or by hand: it is started
// with a parent-death signal (SIGTERM, which lets Xvfb remove its lock files), so no X server,
// sound server or program outlives the test. The signal follows the thread that started the
// child, so start children from the test's main thread.
class ChildProcess {
public:
    // Environment changes for the child: a value sets the variable, nullopt removes it.
    using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Lets the next start hand parentFd to the child as its descriptor childFd (above 2), as
    // Xvfb's -displayfd wants.
    void passDescriptor(int parentFd, int childFd);

    // Runs argv[0] (looked up in PATH) with its standard output and error going to outputFile.
    // False, with the reason in error, when it cannot be started.
    bool start(const std::vector<std::string>& argv, const EnvironmentChanges& environment,
               const std::filesystem::path& outputFile, std::string& error);

    bool running();
    pid_t pid() const { return m_pid; }

    // Sends signal and waits up to patience for the child to end; SIGKILL after that. The exit
    // status, if it exited normally.
    std::optional<int> end(int signal, std::chrono::milliseconds patience);
    // The signal that ended the child, once it ended by one.
    std::optional<int> endingSignal() const { return m_endingSignal; }

private:
    bool reap(std::chrono::milliseconds patience);

    pid_t m_pid = -1;
    std::optional<int> m_exitStatus;
    std::optional<int> m_endingSignal;
    int m_passedFd = -1;
    int m_passedAs = -1;
};

// Runs a program to its end (at most timeout) and gives its standard output, or nothing if it
// failed or did not finish.
std::optional<std::string> runToEnd(const std::vector<std::string>& argv,
                                    const ChildProcess::EnvironmentChanges& environment,
                                    const std::filesystem::path& outputFile,
                                    std::chrono::milliseconds timeout);

} // namespace klangora::test_support
