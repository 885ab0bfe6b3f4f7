#include "support/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace klangora::test_support {

namespace {

std::vector<std::string> childEnvironment(const ChildProcess::EnvironmentChanges& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        const std::string name = variable.substr(0, variable.find('='));
        if (changes.find(name) == changes.end()) {
            result.push_back(variable);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            result.push_back(name + "=" + *value);
        }
    }
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Where argv[0] lies: as given when it names a path, else the first executable of that name
// in PATH.
std::optional<std::string> executablePath(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    const char* path = std::getenv("PATH");
    std::istringstream directories(path != nullptr ? path : "/usr/bin:/bin");
    std::string directory;
    while (std::getline(directories, directory, ':')) {
        const std::string candidate = (directory.empty() ? "." : directory) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

struct Launch {
    pid_t parent;
    const char* program;
    std::vector<char*> argv;
    std::vector<char*> envp;
    const char* outputFile;
    int passedFd;
    int passedAs;
};

// The forked child: dies with its parent, reads nothing, writes into the output file, then
// becomes the program. A parent that died before the death signal was armed is noticed by the
// child having been handed to another parent. Ending signals end it, even if the test ignores them.
[[noreturn]] void becomeChild(const Launch& launch) {
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != launch.parent) {
        _exit(127);
    }
    for (const int signal : {SIGINT, SIGHUP, SIGTERM}) {
        std::signal(signal, SIG_DFL);
    }
    const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int out = open(launch.outputFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (in < 0 || out < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 ||
        dup2(out, STDERR_FILENO) < 0) {
        _exit(127);
    }
    if (launch.passedFd >= 0) {
        // dup2 onto itself would keep close-on-exec; the flag is cleared by hand then.
        const bool kept = launch.passedFd == launch.passedAs
                              ? fcntl(launch.passedAs, F_SETFD, 0) == 0
                              : dup2(launch.passedFd, launch.passedAs) == launch.passedAs;
        if (!kept) {
            _exit(127);
        }
    }
    execve(launch.program, launch.argv.data(), launch.envp.data());
    _exit(127);
}

} // namespace

ChildProcess::~ChildProcess() {
    end(SIGTERM, std::chrono::milliseconds(2000));
}

void ChildProcess::passDescriptor(int parentFd, int childFd) {
    m_passedFd = parentFd;
    m_passedAs = childFd;
}

bool ChildProcess::start(const std::vector<std::string>& argv,
                         const EnvironmentChanges& environment,
                         const std::filesystem::path& outputFile, std::string& error) {
    // Everything the child needs is prepared here: between fork and exec it may only make
    // async-signal-safe calls.
    const std::optional<std::string> program = executablePath(argv.at(0));
    if (!program) {
        error = argv[0] + ": " + std::strerror(ENOENT);
        return false;
    }
    std::vector<std::string> args = argv;
    std::vector<std::string> env = childEnvironment(environment);
    const Launch launch{getpid(),           program->c_str(), pointersTo(args), pointersTo(env),
                        outputFile.c_str(), m_passedFd,       m_passedAs};
    m_passedFd = m_passedAs = -1;
    m_exitStatus.reset();
    m_endingSignal.reset();
    m_pid = fork();
    if (m_pid == 0) {
        becomeChild(launch);
    }
    if (m_pid < 0) {
        error = argv[0] + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool ChildProcess::running() {
    if (m_pid <= 0) {
        return false;
    }
    return !reap(std::chrono::milliseconds(0));
}

bool ChildProcess::reap(std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid || (done < 0 && errno != EINTR)) {
            if (done == m_pid && WIFEXITED(status)) {
                m_exitStatus = WEXITSTATUS(status);
            }
            if (done == m_pid && WIFSIGNALED(status)) {
                m_endingSignal = WTERMSIG(status);
            }
            m_pid = -1;
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::optional<int> ChildProcess::end(int signal, std::chrono::milliseconds patience) {
    if (m_pid > 0) {
        ::kill(m_pid, signal);
        if (!reap(patience)) {
            ::kill(m_pid, SIGKILL);
            reap(std::chrono::milliseconds(10000));
        }
    }
    return m_exitStatus;
}

std::optional<std::string> runToEnd(const std::vector<std::string>& argv,
                                    const ChildProcess::EnvironmentChanges& environment,
                                    const std::filesystem::path& outputFile,
                                    std::chrono::milliseconds timeout) {
    ChildProcess child;
    std::string error;
    if (!child.start(argv, environment, outputFile, error)) {
        return std::nullopt;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (child.running()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            child.end(SIGKILL, std::chrono::milliseconds(1000));
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (child.end(SIGTERM, std::chrono::milliseconds(0)) != 0) {
        return std::nullopt;
    }
    std::ifstream in(outputFile);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace klangora::test_support
