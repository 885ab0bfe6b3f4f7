// Additive synthesis of the live tones. Each voice is a phasor for its fundamental; its partials
// follow by the Chebyshev recurrence sin((n+1)x) = 2 cos(x) sin(nx) - sin((n-1)x), so a sample
// costs a few multiplications per partial and no library call.
#include "sound/instrument/live_synth.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace klangora {

namespace {

// Long enough that nothing clicks, short enough to play fast passages.
constexpr double kAttackSeconds = 0.010;
constexpr double kReleaseSeconds = 0.080;
// A held tone retuned reaches its new pitch in this time, the pitch moving evenly in cents.
constexpr double kGlideSeconds = 0.025;
// The peak of one voice at full velocity: about as loud as the sequences' chords. Several
// voices together are held inside full scale by the bus gain.
constexpr double kVoicePeak = 0.45;
// The bus gain comes back up after a loud chord over this time; it goes down at once.
constexpr double kBusRecoverySeconds = 0.2;
// Frequencies and partial weights are updated once per block of this many samples.
constexpr std::size_t kBlock = 32;

// Partial n is weighted 1/n, so the root's fifth partial meets the third's fourth at an audible
// level and the beats of thirds and fifths can be counted.
constexpr std::array<double, LiveSynth::kPartials> partialWeights() {
    std::array<double, LiveSynth::kPartials> weights{};
    double sum = 0;
    for (int n = 1; n <= LiveSynth::kPartials; ++n) {
        sum += 1.0 / n;
    }
    for (int n = 1; n <= LiveSynth::kPartials; ++n) {
        weights[static_cast<std::size_t>(n - 1)] = 1.0 / n / sum; // the peak is at most 1
    }
    return weights;
}
constexpr auto kWeights = partialWeights();

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

double liveNoteHz(int note, const std::array<double, 12>& centsAboveC) {
    const int fromC = note - kFixedCNote;
    const int octave = fromC >= 0 ? fromC / 12 : -((11 - fromC) / 12);
    const int pitchClass = fromC - 12 * octave;
    return kLiveReferenceHz *
           std::exp2(octave + centsAboveC[static_cast<std::size_t>(pitchClass)] / 1200);
}

LiveSynth::LiveSynth() {
    for (int i = 0; i < 12; ++i) {
        m_cents[static_cast<std::size_t>(i)] = 100.0 * i;
    }
}

double LiveSynth::noteHz(int note) const {
    return liveNoteHz(note, m_cents);
}

LiveSynth::Voice& LiveSynth::freeVoice() {
    // A silent voice if there is one, else the oldest released one, else the oldest of all.
    Voice* best = &m_voices[0];
    auto rank = [](const Voice& v) { return v.note < 0 ? 0 : !v.held ? 1 : 2; };
    for (Voice& voice : m_voices) {
        if (rank(voice) < rank(*best) || (rank(voice) == rank(*best) && voice.age < best->age)) {
            best = &voice;
        }
    }
    return *best;
}

void LiveSynth::noteOn(int note, float velocity) {
    for (Voice& voice : m_voices) {
        if (voice.note == note) {
            // Struck again while it fades: the same voice swells back, without a new phase.
            voice.held = true;
            voice.gain = kVoicePeak * std::clamp(velocity, 0.0f, 1.0f);
            return;
        }
    }
    Voice& voice = freeVoice();
    voice = Voice{};
    voice.note = note;
    voice.held = true;
    voice.gain = kVoicePeak * std::clamp(velocity, 0.0f, 1.0f);
    voice.hz = voice.targetHz = noteHz(note);
    voice.age = ++m_clock;
}

void LiveSynth::apply(const LiveEvent& event) {
    switch (event.kind) {
    case LiveEvent::Kind::noteOn:
        noteOn(event.note, event.velocity);
        break;
    case LiveEvent::Kind::noteOff:
        for (Voice& voice : m_voices) {
            if (voice.note == event.note) {
                voice.held = false;
            }
        }
        break;
    case LiveEvent::Kind::tune:
        m_cents[event.note % 12] = event.cents;
        for (Voice& voice : m_voices) {
            if (voice.note >= 0 && noteHz(voice.note) != voice.targetHz) {
                voice.targetHz = noteHz(voice.note);
                voice.glideFromHz = voice.hz;
                voice.glide = 0;
            }
        }
        break;
    case LiveEvent::Kind::releaseAll:
        for (Voice& voice : m_voices) {
            voice.held = false;
        }
        break;
    }
}

void LiveSynth::applyEventsSilently() {
    while (const auto event = m_events.pop()) {
        apply(*event);
    }
    for (Voice& voice : m_voices) {
        if (!voice.held) {
            voice.note = -1;
        }
    }
}

bool LiveSynth::silent() const {
    return std::all_of(m_voices.begin(), m_voices.end(),
                       [](const Voice& voice) { return voice.note < 0; });
}

void LiveSynth::renderVoice(Voice& voice, std::span<float> out, int sampleRate) {
    const double rate = sampleRate;
    // The glide: evenly in cents from where the retuning found it, done in kGlideSeconds.
    if (voice.glide < 1) {
        voice.glide = std::min(1.0, voice.glide + out.size() / (kGlideSeconds * rate));
        voice.hz = voice.glideFromHz * std::pow(voice.targetHz / voice.glideFromHz, voice.glide);
    }
    const double omega = 2 * std::numbers::pi * voice.hz / rate;
    const double stepRe = std::cos(omega);
    const double stepIm = std::sin(omega);
    // Partials at or above the Nyquist frequency would fold back as false tones.
    const int partials = std::min<int>(kPartials, static_cast<int>((rate / 2) / voice.hz - 1e-9));
    const double attackStep = 1.0 / (kAttackSeconds * rate);
    const double releaseStep = 1.0 / (kReleaseSeconds * rate);
    if (!voice.started) {
        voice.started = true;
        m_lastToneStartNs.store(nowNs(), std::memory_order_relaxed);
    }
    for (float& sample : out) {
        if (voice.held) {
            voice.level = std::min(1.0, voice.level + attackStep);
        } else {
            voice.level -= releaseStep;
            if (voice.level <= 0) {
                voice.level = 0;
                voice.note = -1;
                return;
            }
        }
        const double re = voice.phaseRe * stepRe - voice.phaseIm * stepIm;
        const double im = voice.phaseRe * stepIm + voice.phaseIm * stepRe;
        voice.phaseRe = re;
        voice.phaseIm = im;
        // sin(n x) from sin(x) and cos(x).
        const double twoCos = 2 * re;
        double previous = 0;
        double current = im;
        double wave = partials > 0 ? kWeights[0] * current : 0.0;
        for (int n = 2; n <= partials; ++n) {
            const double next = twoCos * current - previous;
            previous = current;
            current = next;
            wave += kWeights[static_cast<std::size_t>(n - 1)] * current;
        }
        sample += static_cast<float>(voice.level * voice.gain * m_busGain * wave);
    }
    // The phasor's length drifts by rounding; bring it back to one once a block.
    const double length = std::hypot(voice.phaseRe, voice.phaseIm);
    voice.phaseRe /= length;
    voice.phaseIm /= length;
}

void LiveSynth::render(std::span<float> out, int sampleRate) {
    while (const auto event = m_events.pop()) {
        apply(*event);
    }
    std::fill(out.begin(), out.end(), 0.0f);
    for (std::size_t start = 0; start < out.size(); start += kBlock) {
        const std::span<float> block = out.subspan(start, std::min(kBlock, out.size() - start));
        // The loudest the voices can be in this block: each at its gain once the attack is
        // through. The bus gain keeps their sum inside full scale; it drops at once and
        // recovers slowly.
        double peak = 0;
        for (const Voice& voice : m_voices) {
            if (voice.note >= 0) {
                peak += voice.gain * (voice.held ? 1.0 : voice.level);
            }
        }
        const double safe = peak > 1 ? 1 / peak : 1;
        const double recovery =
            static_cast<double>(block.size()) / (kBusRecoverySeconds * sampleRate);
        m_busGain = safe < m_busGain ? safe : std::min(safe, m_busGain + recovery);
        for (Voice& voice : m_voices) {
            if (voice.note >= 0) {
                renderVoice(voice, block, sampleRate);
            }
        }
    }
}

} // namespace klangora
