// How long Klangora takes from process start to its first painted frame, and how much memory
// it holds once the window is up. Runs the real program on an Xvfb of its own (no window
// manager, so the window lies where the program puts it), watches the window's row of the
// dotted red reference line of the pure fifth, which only the program's own painting puts
// there, about once a millisecond, and reads the peak resident size from /proc.
//
//     startup_probe [--runs N] [--program PATH] [-- PROGRAM ARGUMENTS...]
//
// `startup_probe -- --sound harpsichord` measures the start with an instrument chosen, whose font
// then loads in the background while the window comes up. Each run has a configuration folder of
// its own, so no remembered choice of the user's counts, and none is written.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "support/child_process.h"
#include "support/xvfb_display.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using klangora::test_support::ChildProcess;
using klangora::test_support::XvfbDisplay;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char* kTitlePrefix = "Klangora: Lyt til dur-treklange";
// The reference line of the pure fifth, in window coordinates.
constexpr int kLineY = 54;
constexpr int kLineLeft = 120;
constexpr int kLineRight = 640;
constexpr auto kPollInterval = 1ms;
constexpr auto kPatience = 10s;
// The start-up sequence goes on for a moment after the first frame: the fifths arrangement
// after 50 ms, the delayed redraw of the reference lines after 200 ms.
constexpr auto kSettleTime = 1s;

constexpr double kTargetMs = 150;
constexpr double kTargetMB = 60;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Errors for windows that disappear between two requests are expected and harmless.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

std::string windowName(Display* display, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, window, XA_WM_NAME, 0, 256, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 8) {
            name.assign(reinterpret_cast<const char*>(data), count);
        }
        XFree(data);
    }
    return name;
}

// The program's top-level window once it is mapped; with no window manager it is a child of
// the root.
std::optional<Window> findProgramWindow(Display* display) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return std::nullopt;
    }
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable &&
            windowName(display, children[i]).starts_with(kTitlePrefix)) {
            found = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

// Whether the reference line's row holds a pure red pixel.
bool lineIsPainted(Display* display, Window window) {
    XImage* row =
        XGetImage(display, window, kLineLeft, kLineY,
                  static_cast<unsigned>(kLineRight - kLineLeft + 1), 1, AllPlanes, ZPixmap);
    if (row == nullptr) {
        return false;
    }
    bool red = false;
    for (int x = 0; x < row->width && !red; ++x) {
        const unsigned long pixel = XGetPixel(row, x, 0);
        red = (pixel & row->red_mask) == row->red_mask && (pixel & row->green_mask) == 0 &&
              (pixel & row->blue_mask) == 0;
    }
    XDestroyImage(row);
    return red;
}

// A field of /proc/<pid>/status in kB, such as VmHWM, the peak resident set size.
std::optional<long> statusKb(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":")) {
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
        }
    }
    return std::nullopt;
}

// /proc counts in units of 1024 bytes; the figures are given in MB of 10^6 bytes.
double megabytes(long kb) {
    return static_cast<double>(kb) * 1024.0 / 1e6;
}

struct Measurement {
    double mappedMs = 0;
    double paintedMs = 0;
    double hwmAtFrameMB = 0;
    double hwmSettledMB = 0;
};

std::optional<Measurement> measureOnce(Display* display, const std::string& displayName,
                                       const std::vector<std::string>& command,
                                       const std::filesystem::path& runtimeDir) {
    const ChildProcess::EnvironmentChanges environment = {
        {"DISPLAY", displayName},
        {"XDG_RUNTIME_DIR", runtimeDir.string()},
        {"XDG_CONFIG_HOME", (runtimeDir / "config").string()},
        {"QT_QPA_PLATFORM", std::nullopt},
        {"WAYLAND_DISPLAY", std::nullopt}};
    ChildProcess child;
    std::string error;
    const auto started = Clock::now();
    if (!child.start(command, environment, "/dev/null", error)) {
        std::fprintf(stderr, "cannot start %s\n", error.c_str());
        return std::nullopt;
    }

    std::optional<Measurement> result;
    std::optional<Window> window;
    Measurement m;
    const auto deadline = started + kPatience;
    while (Clock::now() < deadline) {
        if (!window) {
            window = findProgramWindow(display);
            if (window) {
                m.mappedMs = msBetween(started, Clock::now());
            }
        }
        if (window && lineIsPainted(display, *window)) {
            m.paintedMs = msBetween(started, Clock::now());
            m.hwmAtFrameMB = megabytes(statusKb(child.pid(), "VmHWM").value_or(0));
            std::this_thread::sleep_for(kSettleTime);
            m.hwmSettledMB = megabytes(statusKb(child.pid(), "VmHWM").value_or(0));
            result = m;
            break;
        }
        if (!child.running()) {
            std::fprintf(stderr, "the program ended before it painted its window\n");
            return std::nullopt;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    child.end(SIGTERM, 3000ms);
    // Let the server take the window down before the next run looks for one.
    XSync(display, False);
    while (findProgramWindow(display)) {
        std::this_thread::sleep_for(10ms);
    }
    if (!result) {
        std::fprintf(stderr, "no painted window within %lld s\n",
                     static_cast<long long>(kPatience.count()));
    }
    return result;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    int runs = 10;
    std::string program = KLANGORA_PROGRAM;
    std::vector<std::string> programArguments;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            programArguments.assign(argv + i + 1, argv + argc);
            break;
        }
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--program" && i + 1 < argc) {
            program = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--program PATH] [-- ARGUMENTS...]\n",
                         argv[0]);
            return 2;
        }
    }

    XvfbDisplay xvfb;
    if (!xvfb.start("/dev/null", 10s)) {
        std::fprintf(stderr, "%s\n", xvfb.failure().c_str());
        return 1;
    }
    Display* display = XOpenDisplay(xvfb.name().c_str());
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open display %s\n", xvfb.name().c_str());
        return 1;
    }
    XSetErrorHandler(ignoreXError);

    std::string runtimePattern =
        (std::filesystem::temp_directory_path() / "klangora-probe-XXXXXX").string();
    if (mkdtemp(runtimePattern.data()) == nullptr) {
        std::fprintf(stderr, "no private runtime directory\n");
        return 1;
    }
    const std::filesystem::path runtimeDir(runtimePattern);

    std::vector<std::string> command = {program};
    command.insert(command.end(), programArguments.begin(), programArguments.end());
    std::string shown = program;
    for (const std::string& argument : programArguments) {
        shown += " " + argument;
    }
    std::printf("%s on Xvfb %s, %d runs\n", shown.c_str(), xvfb.name().c_str(), runs);
    std::printf("%4s %12s %14s %15s %17s\n", "run", "mapped (ms)", "painted (ms)", "VmHWM then",
                "VmHWM after 1 s");
    std::vector<double> painted;
    std::vector<double> hwm;
    for (int run = 1; run <= runs; ++run) {
        const auto m = measureOnce(display, xvfb.name(), command, runtimeDir);
        if (!m) {
            XCloseDisplay(display);
            std::filesystem::remove_all(runtimeDir);
            return 1;
        }
        std::printf("%4d %12.1f %14.1f %11.1f MB %13.1f MB\n", run, m->mappedMs, m->paintedMs,
                    m->hwmAtFrameMB, m->hwmSettledMB);
        painted.push_back(m->paintedMs);
        hwm.push_back(m->hwmSettledMB);
    }
    XCloseDisplay(display);
    std::filesystem::remove_all(runtimeDir);

    const double paintedMedian = median(painted);
    const double hwmMedian = median(hwm);
    std::printf("median: first painted frame %.1f ms (target <= %.0f ms: %s), "
                "peak memory %.1f MB (target <= %.0f MB: %s)\n",
                paintedMedian, kTargetMs, paintedMedian <= kTargetMs ? "met" : "missed", hwmMedian,
                kTargetMB, hwmMedian <= kTargetMB ? "met" : "missed");
    std::printf("range: frame %.1f..%.1f ms, peak memory %.1f..%.1f MB\n",
                *std::min_element(painted.begin(), painted.end()),
                *std::max_element(painted.begin(), painted.end()),
                *std::min_element(hwm.begin(), hwm.end()),
                *std::max_element(hwm.begin(), hwm.end()));
    return 0;
}
