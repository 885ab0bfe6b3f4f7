#pragma once

#include "support/child_process.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace klangora::test_support {

// An X server of the test's own: Xvfb on the first free display, which it reports through
// -displayfd, with one 24-bit screen and no TCP listener. No window manager runs on it, so a
// top-level window lies exactly where its program puts it, without a frame.
class XvfbDisplay {
public:
    // Its one screen, in pixels.
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 1024;

    XvfbDisplay() = default;
    ~XvfbDisplay(); // ends the server by its process id and reaps it
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // Starts Xvfb with its output in logFile and waits until it accepts clients. False, with
    // the reason in failure(), when it cannot be started or does not come up within patience.
    bool start(const std::filesystem::path& logFile, std::chrono::milliseconds patience);
    void stop();

    pid_t pid() const { return m_server.pid(); }
    // The value for DISPLAY, such as ":3".
    const std::string& name() const { return m_name; }
    const std::string& failure() const { return m_failure; }

private:
    ChildProcess m_server;
    std::string m_name;
    std::string m_failure;
};

} // namespace klangora::test_support
