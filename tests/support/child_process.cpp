#include "support/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
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

} // namespace

ChildProcess::~ChildProcess() {
    end(SIGTERM, std::chrono::milliseconds(2000));
}

bool ChildProcess::start(const std::vector<std::string>& argv,
                         const EnvironmentChanges& environment,
                         const std::filesystem::path& outputFile, std::string& error) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = childEnvironment(environment);
    std::vector<char*> argPointers = pointersTo(args);
    std::vector<char*> envPointers = pointersTo(env);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    const int result = posix_spawnp(&m_pid, argPointers[0], &actions, nullptr, argPointers.data(),
                                    envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    m_exitStatus.reset();
    if (result != 0) {
        m_pid = -1;
        error = argv[0] + ": " + std::strerror(result);
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
