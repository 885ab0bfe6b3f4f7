#include "xvfb_display.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace klangora::test_support {

namespace {

// The descriptor on which Xvfb writes its display number; above the standard three, and
// above anything the pipe itself is likely to get, so that dup2 never meets itself.
constexpr int kDisplayFd = 9;

bool reaped(pid_t pid, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

XvfbDisplay::~XvfbDisplay() {
    stop();
}

bool XvfbDisplay::start(const std::filesystem::path& logFile, std::chrono::milliseconds patience) {
    stop();
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        m_failure = std::string("no pipe for Xvfb's display number: ") + std::strerror(errno);
        return false;
    }
    const int readEnd = fds[0];
    int writeEnd = fds[1];
    if (writeEnd == kDisplayFd) {
        writeEnd = fcntl(fds[1], F_DUPFD_CLOEXEC, kDisplayFd + 1);
        close(fds[1]);
    }
    if (writeEnd < 0) {
        close(readEnd);
        m_failure = std::string("no descriptor for Xvfb's display number: ") + std::strerror(errno);
        return false;
    }

    std::vector<std::string> args = {"Xvfb",      "-displayfd", std::to_string(kDisplayFd),
                                     "-screen",   "0",          "1280x1024x24",
                                     "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, kDisplayFd);
    const int spawned = posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(writeEnd);
    if (spawned != 0) {
        m_pid = -1;
        close(readEnd);
        m_failure = std::string("Xvfb cannot be started: ") + std::strerror(spawned);
        return false;
    }

    // Xvfb writes the number once it listens; end of file before that means it gave up.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    bool complete = false;
    while (!complete) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd reader{readEnd, POLLIN, 0};
        const int ready = poll(&reader, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            break;
        }
        char buffer[32];
        const ssize_t got = read(readEnd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        number.append(buffer, static_cast<std::size_t>(got));
        complete = number.find('\n') != std::string::npos;
    }
    close(readEnd);
    number = number.substr(0, number.find('\n'));
    if (!complete || number.empty() ||
        number.find_first_not_of("0123456789") != std::string::npos) {
        m_failure = "Xvfb did not report a display (see " + logFile.filename().string() + ")";
        stop();
        return false;
    }
    m_name = ":" + number;
    return true;
}

void XvfbDisplay::stop() {
    if (m_pid <= 0) {
        return;
    }
    ::kill(m_pid, SIGTERM);
    if (!reaped(m_pid, std::chrono::milliseconds(5000))) {
        ::kill(m_pid, SIGKILL);
        reaped(m_pid, std::chrono::milliseconds(5000));
    }
    m_pid = -1;
    m_name.clear();
}

} // namespace klangora::test_support
