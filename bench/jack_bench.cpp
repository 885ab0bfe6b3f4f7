// The sound on JACK, against a private JACK server (dummy driver, 48 kHz, 256 frames):
//
//   jack_bench --cycle [seconds]   the program's share of each JACK period: how long the process
//                                  callback takes, with nothing sounding and with eight held
//                                  notes, against the period's 5.33 ms
//   jack_bench --stall [notes]     MIDI from the sequencer's side while the window's thread
//                                  stalls 200 ms at a time: from the bytes' arrival to the
//                                  note's first rendered sample, through the sequencer's own
//                                  thread and, for comparison, through the window's thread
#include "sound/instrument/live_instrument.h"
#include "sound/midi/midi_input.h"
#include "sound/output/jack_audio_output.h"
#include "support/child_process.h"
#include "support/private_pulse_server.h"

#include <jack/jack.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace klangora;
using namespace klangora::test_support;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRate = 48000;
constexpr int kPeriod = 256;

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

struct PrivateJack {
    std::string name = "klangora-bench-" + std::to_string(getuid());
    ScopedEnvironment environment{"JACK_DEFAULT_SERVER", name};
    ChildProcess server;

    bool start() {
        std::string error;
        const auto log = std::filesystem::temp_directory_path() / (name + ".log");
        if (!server.start({"jackd", "-n", name, "-r", "-d", "dummy", "-r", std::to_string(kRate),
                           "-p", std::to_string(kPeriod)},
                          {{"JACK_DEFAULT_SERVER", name},
                           {"JACK_NO_AUDIO_RESERVATION", "1"},
                           {"DBUS_SESSION_BUS_ADDRESS", std::nullopt}},
                          log, error)) {
            std::fprintf(stderr, "no jackd: %s\n", error.c_str());
            return false;
        }
        for (int tries = 0; tries < 500; ++tries) {
            jack_status_t status{};
            if (jack_client_t* probe = jack_client_open("probe", JackNoStartServer, &status)) {
                jack_client_close(probe);
                return true;
            }
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
    ~PrivateJack() { server.end(SIGTERM, 3000ms); }
};

std::unique_ptr<LiveInstrument> jackInstrument(JackAudioOutput*& jack) {
    return std::make_unique<LiveInstrument>([&jack](AudioRenderer& synth) {
        auto output = JackAudioOutput::connect(synth, {});
        jack = output.get();
        return output;
    });
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The callback's time over `seconds`, sampled once a period.
std::vector<double> cycleTimesUs(const JackAudioOutput& jack, int seconds) {
    std::vector<double> us;
    std::uint64_t seen = jack.cycles();
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < end) {
        std::this_thread::sleep_for(1ms);
        if (jack.cycles() != seen) {
            seen = jack.cycles();
            us.push_back(static_cast<double>(jack.lastCycleUs()));
        }
    }
    return us;
}

// A private JACK server with the instrument sounding on it, for as long as `measure` runs.
int onPrivateJack(const std::function<void(LiveInstrument&, JackAudioOutput&)>& measure) {
    PrivateJack server;
    JackAudioOutput* jack = nullptr;
    if (!server.start()) {
        return 1;
    }
    const auto instrument = jackInstrument(jack);
    if (jack == nullptr) {
        std::puts("no JACK client");
        return 1;
    }
    measure(*instrument, *jack);
    return 0;
}

void measureCycle(LiveInstrument& instrument, JackAudioOutput& jack, int seconds) {
    const double periodUs = 1e6 * kPeriod / kRate;
    for (const int notes : {0, 8}) {
        for (int n = 0; n < notes; ++n) {
            instrument.noteOn(VoiceSource::computerKeys, 48 + 3 * n);
        }
        std::vector<double> us = cycleTimesUs(jack, seconds);
        std::sort(us.begin(), us.end());
        std::printf("%d held notes, %zu periods: callback median %.0f us (%.2f %% of the %.0f us "
                    "period), 99th percentile %.0f us, maximum %.0f us\n",
                    notes, us.size(), median(us), 100 * median(us) / periodUs, periodUs,
                    us.empty() ? 0 : us[us.size() * 99 / 100], us.empty() ? 0 : us.back());
        instrument.releaseAll();
    }
}

// The window's part in the old way: notes drained on its thread and played from there.
class WindowSink : public NoteSink {
public:
    explicit WindowSink(LiveInstrument& instrument) : m_instrument(instrument) {}
    void noteOn(int note, float velocity) override {
        m_instrument.noteOn(VoiceSource::midi, note, velocity);
    }
    void noteOff(int note) override { m_instrument.noteOff(VoiceSource::midi, note); }

private:
    LiveInstrument& m_instrument;
};

// A MIDI thread sends a note and waits until the audio side has rendered its first sample;
// meanwhile the window's thread drains now and then, stalled 200 ms between.
std::vector<double> stalledDelaysMs(LiveInstrument& instrument, MidiInput& input, int notes) {
    std::atomic<bool> done{false};
    std::vector<double> ms;
    std::thread midi([&] {
        for (int n = 0; n < notes; ++n) {
            const auto note = static_cast<std::uint8_t>(60 + n % 13);
            const std::uint8_t on[] = {0x90, note, 100};
            const std::uint8_t off[] = {0x80, note, 0};
            const std::int64_t sent = nowNs();
            input.receive(MidiInput::kAlsaSource, on, sizeof on);
            const auto deadline = Clock::now() + 2s;
            while (instrument.synth().lastToneStartNs() < sent && Clock::now() < deadline) {
                std::this_thread::sleep_for(50us);
            }
            ms.push_back((instrument.synth().lastToneStartNs() - sent) / 1e6);
            input.receive(MidiInput::kAlsaSource, off, sizeof off);
            std::this_thread::sleep_for(std::chrono::milliseconds(20 + n % 7));
        }
        done = true;
    });
    while (!done) {
        std::this_thread::sleep_for(200ms); // the window busy with something else
        input.drain();
        instrument.settle();
    }
    midi.join();
    return ms;
}

void measureStall(LiveInstrument& instrument, int notes) {
    WindowSink sink(instrument);
    for (const bool ownThread : {true, false}) {
        MidiInput input(sink, {nullptr, ownThread ? &instrument.synth() : nullptr});
        std::vector<double> ms = stalledDelaysMs(instrument, input, notes);
        std::sort(ms.begin(), ms.end());
        std::printf("%s, window stalled 200 ms at a time, %zu notes: arrival to first rendered "
                    "sample median %.2f ms, maximum %.2f ms\n",
                    ownThread ? "sequencer's thread to the voices" : "through the window's thread",
                    ms.size(), median(ms), ms.empty() ? 0 : ms.back());
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const auto count = [&](int fallback) { return argc > 2 ? std::stoi(argv[2]) : fallback; };
    if (mode == "--cycle") {
        return onPrivateJack([&](LiveInstrument& instrument, JackAudioOutput& jack) {
            measureCycle(instrument, jack, count(10));
        });
    }
    if (mode == "--stall") {
        return onPrivateJack([&](LiveInstrument& instrument, JackAudioOutput&) {
            measureStall(instrument, count(100));
        });
    }
    std::puts("jack_bench --cycle [seconds] | --stall [notes]");
    return 2;
}
