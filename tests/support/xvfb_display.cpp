#include "support/xvfb_display.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace klangora::test_support {

namespace {

// The descriptor on which Xvfb writes its display number, above the standard three.
constexpr int kDisplayFd = 9;

// What Xvfb writes on its display descriptor up to the first newline, within patience; end of
// file before that means it gave up.
std::string readLine(int fd, std::chrono::milliseconds patience) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return {};
        }
        pollfd reader{fd, POLLIN, 0};
        const int ready = poll(&reader, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        char buffer[32];
        const ssize_t got = ready > 0 ? read(fd, buffer, sizeof buffer) : 0;
        if (got <= 0) {
            return {};
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text.substr(0, text.find('\n'));
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
    m_server.passDescriptor(fds[1], kDisplayFd);
    std::string error;
    const std::string screen =
        std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
    const bool started = m_server.start({"Xvfb", "-displayfd", std::to_string(kDisplayFd),
                                         "-screen", "0", screen, "-nolisten", "tcp"},
                                        {}, logFile, error);
    close(fds[1]);
    const std::string number = started ? readLine(fds[0], patience) : std::string();
    close(fds[0]);
    if (!started) {
        m_failure = "Xvfb cannot be started: " + error;
        return false;
    }
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        m_failure = "Xvfb did not report a display (see " + logFile.filename().string() + ")";
        stop();
        return false;
    }
    m_name = ":" + number;
    return true;
}

void XvfbDisplay::stop() {
    m_server.end(SIGTERM, std::chrono::milliseconds(5000));
    m_name.clear();
}

} // namespace klangora::test_support
