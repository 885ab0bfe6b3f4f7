#include "support/private_pulse_server.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <numeric>
#include <sstream>
#include <thread>
#include <unordered_set>

namespace klangora::test_support {

namespace {

std::filesystem::path makePrivateDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "klangora-pulse-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    const std::filesystem::path dir(pattern);
    std::filesystem::create_directories(dir / "home");
    std::filesystem::create_directories(dir / "runtime");
    std::filesystem::permissions(dir / "runtime", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    return dir;
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

PrivatePulseServer::PrivatePulseServer() : m_directory(makePrivateDirectory()) {}

PrivatePulseServer::~PrivatePulseServer() {
    stop();
    if (!m_directory.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_directory, ignored);
    }
}

std::string PrivatePulseServer::address() const {
    return "unix:" + (m_directory / "runtime" / "native").string();
}

ChildProcess::EnvironmentChanges PrivatePulseServer::clientEnvironment() const {
    return {{"PULSE_SERVER", address()},
            {"HOME", (m_directory / "home").string()},
            {"XDG_RUNTIME_DIR", (m_directory / "runtime").string()},
            {"LC_ALL", "C"}};
}

bool PrivatePulseServer::start() {
    if (m_directory.empty()) {
        m_failure = "no private temporary directory for the PulseAudio server";
        return false;
    }
    stop();
    // The server's own rate is the sink's, so that a client that plays at the server's rate (the
    // program's sound engine) reaches the recording without a second resampling by the server.
    const auto config = m_directory / "home" / ".config" / "pulse";
    std::filesystem::create_directories(config);
    std::ofstream(config / "daemon.conf") << "default-sample-rate = " << kSampleRate
                                          << "\nalternate-sample-rate = " << kSampleRate << "\n";
    const std::string socket = (m_directory / "runtime" / "native").string();
    // -n: none of the system's default modules, only the two below. As root pulseaudio warns
    // that it is meant for --system, but runs; --system=no keeps it a per-user daemon in the
    // private HOME and runtime directory. Without norewinds the null sink would work in large
    // blocks and its monitor would miss the start of each sound. Real-time scheduling where the
    // machine allows it, as a desktop's server has it: a server thread kept waiting by a busy
    // test machine would otherwise leave gaps that no client could prevent.
    const std::vector<std::string> argv = {
        "pulseaudio",
        "-n",
        "--daemonize=no",
        "--system=no",
        "--use-pid-file=no",
        "--exit-idle-time=-1",
        "--disallow-exit=yes",
        "--realtime=yes",
        "--high-priority=yes",
        "--log-target=stderr",
        "-L",
        "module-native-protocol-unix socket=" + socket + " auth-anonymous=1",
        "-L",
        "module-null-sink sink_name=" + sinkName() + " rate=" + std::to_string(kSampleRate) +
            " format=u8 channels=1 norewinds=1"};
    const ChildProcess::EnvironmentChanges environment = {
        {"HOME", (m_directory / "home").string()},
        {"XDG_RUNTIME_DIR", (m_directory / "runtime").string()},
        {"XDG_CONFIG_HOME", (m_directory / "home" / ".config").string()},
        {"PULSE_SERVER", std::nullopt},
        {"DISPLAY", std::nullopt},
        {"DBUS_SESSION_BUS_ADDRESS", std::nullopt}};
    m_daemon = std::make_unique<ChildProcess>();
    if (!m_daemon->start(argv, environment, m_directory / "pulseaudio.log", m_failure)) {
        m_failure = "pulseaudio cannot be started: " + m_failure;
        m_daemon.reset();
        return false;
    }
    if (!waitUntilReady(std::chrono::milliseconds(10000))) {
        m_failure = "pulseaudio did not come up; its log ends:\n" + logTail();
        stop();
        return false;
    }
    return true;
}

bool PrivatePulseServer::waitUntilReady(std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!m_daemon->running()) {
            return false;
        }
        if (std::filesystem::exists(m_directory / "runtime" / "native")) {
            const auto sinks = runToEnd({"pactl", "list", "short", "sinks"}, clientEnvironment(),
                                        m_directory / "pactl.out", std::chrono::seconds(5));
            if (sinks && sinks->find(sinkName()) != std::string::npos) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::string PrivatePulseServer::logTail() const {
    const std::string log = readFile(m_directory / "pulseaudio.log");
    return log.size() > 2000 ? log.substr(log.size() - 2000) : log;
}

void PrivatePulseServer::crash() {
    if (m_daemon) {
        m_daemon->end(SIGKILL, std::chrono::milliseconds(5000));
        m_daemon.reset();
    }
}

void PrivatePulseServer::stop() {
    if (m_daemon) {
        m_daemon->end(SIGTERM, std::chrono::milliseconds(5000));
        m_daemon.reset();
    }
}

bool PrivatePulseServer::running() {
    return m_daemon && m_daemon->running();
}

std::optional<std::string> PrivatePulseServer::sinkInputs() {
    return runToEnd({"pactl", "list", "short", "sink-inputs"}, clientEnvironment(),
                    m_directory / "sink-inputs.out", std::chrono::seconds(5));
}

FrozenServer::FrozenServer(const PrivatePulseServer& server) : m_pid(server.pid()) {
    if (m_pid > 0) {
        ::kill(m_pid, SIGSTOP);
    }
}

FrozenServer::~FrozenServer() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGCONT);
    }
}

SinkRecorder::SinkRecorder(PrivatePulseServer& server)
    : m_server(server),
      m_file(server.directory() / ("recording-" + std::to_string(++s_recordings) + ".raw")) {}

SinkRecorder::~SinkRecorder() {
    stop();
}

bool SinkRecorder::start() {
    std::string error;
    const std::vector<std::string> argv = {"parec",
                                           "--format=u8",
                                           "--rate=" +
                                               std::to_string(PrivatePulseServer::kSampleRate),
                                           "--channels=1",
                                           "--raw",
                                           "--latency-msec=10",
                                           "-d",
                                           m_server.monitorName()};
    if (!m_parec.start(argv, m_server.clientEnvironment(), m_file, error)) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline && m_parec.running()) {
        std::error_code ignored;
        if (std::filesystem::file_size(m_file, ignored) > 0 && !ignored) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

void SinkRecorder::stop() {
    m_parec.end(SIGTERM, std::chrono::milliseconds(2000));
}

std::vector<std::uint8_t> SinkRecorder::recording() const {
    const std::string bytes = readFile(m_file);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool SinkRecorder::waitForRun(std::span<const std::uint8_t> samples,
                              std::chrono::milliseconds patience) const {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (findRunAcrossBreaks(recording(), samples)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {

// The sink's monitor gives this while the stream has run dry.
constexpr std::uint8_t kMonitorSilence = 128;

bool near(int wanted, int heard) {
    return std::abs(heard - wanted) <= kRunTolerance;
}

// Whether samples follow at start, perhaps with stretches of the monitor's silence between them
// where the stream ran dry under load (an underrun delays what follows; it loses nothing); the
// stretches are counted in breaks.
//
// A chord crosses the silence value, so a stretch of 128s may begin or end with true samples
// that happen to lie near it. Every split of such a stretch into true samples and a break is
// tried; a position in the recording and in the samples that led nowhere once is not tried
// again, which keeps the search linear in practice.
class RunMatcher {
public:
    RunMatcher(std::span<const std::uint8_t> recording, std::span<const std::uint8_t> samples)
        : m_recording(recording), m_samples(samples), m_silenceEnds(recording.size() + 1) {
        // Where each stretch of silence ends, found once: a recording is mostly silence, and
        // every start tried within it meets the same stretch.
        m_silenceEnds[recording.size()] = recording.size();
        for (std::size_t i = recording.size(); i-- > 0;) {
            m_silenceEnds[i] = recording[i] == kMonitorSilence ? m_silenceEnds[i + 1] : i;
        }
    }

    std::optional<FoundRun> at(std::size_t start) {
        m_deadEnds.clear();
        std::size_t breaks = 0;
        const auto end = follow(start, 0, breaks);
        return end ? std::optional(FoundRun{start, *end, breaks}) : std::nullopt;
    }

private:
    // The end of the samples from wanted on, heard from heard on, and the breaks on the way.
    std::optional<std::size_t> follow(std::size_t heard, std::size_t wanted, std::size_t& breaks) {
        while (wanted < m_samples.size()) {
            if (heard >= m_recording.size()) {
                return std::nullopt;
            }
            if (wanted > 0 && m_recording[heard] == kMonitorSilence) {
                return acrossSilence(heard, wanted, breaks);
            }
            if (!near(m_samples[wanted], m_recording[heard])) {
                return std::nullopt;
            }
            ++wanted;
            ++heard;
        }
        return heard;
    }

    // At a stretch of silence: some of its values may be true samples, the rest a break. The
    // splits are tried best first, judged by how far the samples then agree with what follows
    // the stretch: with the tolerance, a chord shifted by a sample can agree for a while.
    std::optional<std::size_t> acrossSilence(std::size_t heard, std::size_t wanted,
                                             std::size_t& breaks) {
        const std::uint64_t state = (static_cast<std::uint64_t>(heard) << 32) | wanted;
        if (m_deadEnds.contains(state)) {
            return std::nullopt;
        }
        const std::size_t length = m_silenceEnds[heard] - heard;
        std::size_t nearSilence = 0;
        while (nearSilence < length && wanted + nearSilence < m_samples.size() &&
               near(m_samples[wanted + nearSilence], kMonitorSilence)) {
            ++nearSilence;
        }
        if (wanted + nearSilence == m_samples.size()) {
            return heard + nearSilence; // the samples end on values near the silence
        }
        const std::size_t after = heard + length;
        std::vector<std::size_t> splits(nearSilence + 1); // true samples among the silence
        std::iota(splits.begin(), splits.end(), 0);
        std::ranges::stable_sort(splits, std::greater{}, [&](std::size_t taken) {
            return std::pair(agreement(after, wanted + taken), taken);
        });
        for (const std::size_t taken : splits) {
            std::size_t withBreaks = breaks + (taken == length ? 0 : 1);
            if (const auto end = follow(after, wanted + taken, withBreaks)) {
                breaks = withBreaks;
                return end;
            }
        }
        m_deadEnds.insert(state);
        return std::nullopt;
    }

    // How many samples from wanted on agree with the recording from heard on, up to a few
    // periods of the lowest tone.
    std::size_t agreement(std::size_t heard, std::size_t wanted) const {
        constexpr std::size_t kEnough = 128;
        std::size_t count = 0;
        while (count < kEnough && heard + count < m_recording.size() &&
               wanted + count < m_samples.size() &&
               near(m_samples[wanted + count], m_recording[heard + count])) {
            ++count;
        }
        return count;
    }

    std::span<const std::uint8_t> m_recording;
    std::span<const std::uint8_t> m_samples;
    std::vector<std::size_t> m_silenceEnds;
    std::unordered_set<std::uint64_t> m_deadEnds;
};

} // namespace

std::optional<FoundRun> findRunAcrossBreaks(std::span<const std::uint8_t> recording,
                                            std::span<const std::uint8_t> samples,
                                            std::size_t from) {
    RunMatcher matcher(recording, samples);
    for (std::size_t start = from; !samples.empty() && start + samples.size() <= recording.size();
         ++start) {
        if (!near(samples[0], recording[start])) {
            continue;
        }
        if (const auto found = matcher.at(start)) {
            return found;
        }
    }
    return std::nullopt;
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : m_name(std::move(name)) {
    if (const char* old = std::getenv(m_name.c_str())) {
        m_previous = old;
    }
    if (value) {
        setenv(m_name.c_str(), value->c_str(), 1);
    } else {
        unsetenv(m_name.c_str());
    }
}

ScopedEnvironment::~ScopedEnvironment() {
    if (m_previous) {
        setenv(m_name.c_str(), m_previous->c_str(), 1);
    } else {
        unsetenv(m_name.c_str());
    }
}

} // namespace klangora::test_support
