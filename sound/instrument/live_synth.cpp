// Additive synthesis of the live tones. Each voice is a phasor for its fundamental; its partials
// follow by the Chebyshev recurrence sin((n+1)x) = 2 cos(x) sin(nx) - sin((n-1)x), so a sample
// costs a few multiplications per partial and no library call. Every change of a voice's level
// is a GainRamp; the mix has fixed headroom and a limiter (MixLimiter).
#include "sound/instrument/live_synth.h"

#include "core/readings.h"

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
// The level of one voice at full velocity, the same however many sound: a single tone about as
// loud as the sequences' chords, and a triad's peaks inside the limiter's threshold.
constexpr double kVoicePeak = 0.4;
// Frequencies and partial weights are updated, and the limiter looks at the mix, once per block
// of this many samples.
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

std::uint8_t bitOf(VoiceSource source) {
    return static_cast<std::uint8_t>(1U << sourceIndex(source));
}

double levelOf(float velocity) {
    return kVoicePeak * std::clamp(velocity, 0.0f, 1.0f);
}

bool isNote(int note) {
    return note >= 0 && note < 128;
}

} // namespace

LiveSynth::LiveSynth() {
    for (int i = 0; i < 12; ++i) {
        m_cents[static_cast<std::size_t>(i)] = 100.0 * i;
    }
}

// ---- Finding and stealing voices ----

LiveSynth::Voice* LiveSynth::tunedVoice(int note) {
    for (Voice& voice : m_voices) {
        if (voice.state == Voice::State::sounding && !voice.fixed && voice.key == note) {
            return &voice;
        }
    }
    return nullptr;
}

LiveSynth::Voice* LiveSynth::fixedVoice(VoiceSource source, int id) {
    for (Voice& voice : m_voices) {
        if (voice.state == Voice::State::sounding && voice.fixed && voice.key == id &&
            voice.fixedSource == source) {
            return &voice;
        }
    }
    return nullptr;
}

// The note to give up when all voices sound: the oldest released one, else the quietest.
LiveSynth::Voice& LiveSynth::victim() {
    Voice* best = nullptr;
    const auto better = [](const Voice& a, const Voice& b) {
        const bool aReleased = a.holders == 0;
        const bool bReleased = b.holders == 0;
        if (aReleased != bReleased) {
            return aReleased;
        }
        if (aReleased) {
            return a.age < b.age;
        }
        return a.amplitude.value() < b.amplitude.value() ||
               (a.amplitude.value() == b.amplitude.value() && a.age < b.age);
    };
    for (Voice& voice : m_voices) {
        if (voice.state == Voice::State::sounding && (best == nullptr || better(voice, *best))) {
            best = &voice;
        }
    }
    return *best;
}

// A voice for a new note. Beyond kVoices notes one is stolen: it fades out in a voice of its own
// over kGainRampSeconds while the new note starts at once in a spare one.
LiveSynth::Voice& LiveSynth::newVoice() {
    const auto sounding = std::count_if(m_voices.begin(), m_voices.end(), [](const Voice& v) {
        return v.state == Voice::State::sounding;
    });
    if (sounding >= kVoices) {
        Voice& stolen = victim();
        stolen.state = Voice::State::stolen;
        stolen.holders = 0;
        stolen.amplitude.rampTo(0, kGainRampSeconds, m_sampleRate);
    }
    Voice* chosen = nullptr;
    for (Voice& voice : m_voices) {
        if (voice.state == Voice::State::free) {
            return voice;
        }
        // Only when more notes were stolen within a few milliseconds than there are spares:
        // the faintest of the fading ones is cut.
        if (voice.state == Voice::State::stolen &&
            (chosen == nullptr || voice.amplitude.value() < chosen->amplitude.value())) {
            chosen = &voice;
        }
    }
    return *chosen;
}

// ---- Events ----

// A voice struck (again): it rises to the velocity's level, over the attack from silence or a
// fade, over a short ramp when it only changes level.
void LiveSynth::strike(Voice& voice, VoiceSource source, float velocity) {
    const bool rising = voice.holders == 0;
    voice.holders = static_cast<std::uint8_t>(voice.holders | bitOf(source));
    voice.velocity = velocity;
    voice.amplitude.rampTo(levelOf(velocity), rising ? kAttackSeconds : kGainRampSeconds,
                           m_sampleRate);
}

void LiveSynth::letGo(Voice& voice, std::uint8_t holders) {
    if ((voice.holders & holders) == 0) {
        return;
    }
    voice.holders = static_cast<std::uint8_t>(voice.holders & ~holders);
    if (voice.holders == 0) {
        voice.amplitude.rampTo(0, kReleaseSeconds, m_sampleRate);
    }
}

void LiveSynth::noteOn(VoiceSource source, int note, float velocity) {
    if (!isNote(note)) {
        return;
    }
    if (Voice* voice = tunedVoice(note)) {
        // Struck again, perhaps while it fades: the same voice, without a new phase.
        strike(*voice, source, velocity);
        return;
    }
    Voice& voice = newVoice();
    voice = Voice{};
    voice.state = Voice::State::sounding;
    voice.key = note;
    voice.hz = voice.targetHz = liveNoteHz(note, m_cents);
    voice.age = ++m_clock;
    strike(voice, source, velocity);
}

void LiveSynth::noteOff(VoiceSource source, int note) {
    if (Voice* voice = tunedVoice(note)) {
        letGo(*voice, bitOf(source));
    }
}

void LiveSynth::fixedOn(VoiceSource source, int id, double frequencyHz, float velocity) {
    if (!(frequencyHz > 0)) {
        return;
    }
    Voice* voice = fixedVoice(source, id);
    if (voice == nullptr) {
        voice = &newVoice();
        *voice = Voice{};
        voice->state = Voice::State::sounding;
        voice->fixed = true;
        voice->key = id;
        voice->fixedSource = source;
        voice->hz = voice->targetHz = frequencyHz;
        voice->age = ++m_clock;
    } else if (voice->targetHz != frequencyHz) {
        voice->glideFromHz = voice->hz;
        voice->targetHz = frequencyHz;
        voice->glide = 0;
    }
    strike(*voice, source, velocity);
}

void LiveSynth::fixedOff(VoiceSource source, int id) {
    if (Voice* voice = fixedVoice(source, id)) {
        letGo(*voice, bitOf(source));
    }
}

// The pitch class retuned: its sounding and fading tones glide to the new pitch.
void LiveSynth::tune(int pitchClass, double cents) {
    if (pitchClass < 0 || pitchClass >= 12) {
        return;
    }
    m_cents[static_cast<std::size_t>(pitchClass)] = cents;
    for (Voice& voice : m_voices) {
        if (voice.state != Voice::State::free && !voice.fixed &&
            liveNoteHz(voice.key, m_cents) != voice.targetHz) {
            voice.targetHz = liveNoteHz(voice.key, m_cents);
            voice.glideFromHz = voice.hz;
            voice.glide = 0;
        }
    }
}

void LiveSynth::applyOwn(const LiveEvent& event) {
    switch (event.kind) {
    case LiveEvent::Kind::noteOn:
        noteOn(event.source, event.key, event.velocity);
        break;
    case LiveEvent::Kind::noteOff:
        noteOff(event.source, event.key);
        break;
    case LiveEvent::Kind::fixedOn:
        fixedOn(event.source, event.key, event.value, event.velocity);
        break;
    case LiveEvent::Kind::fixedOff:
        fixedOff(event.source, event.key);
        break;
    case LiveEvent::Kind::tune:
        tune(event.key, event.value);
        break;
    case LiveEvent::Kind::releaseSource:
    case LiveEvent::Kind::releaseAll: {
        const std::uint8_t holders =
            event.kind == LiveEvent::Kind::releaseAll ? 0xFF : bitOf(event.source);
        for (Voice& voice : m_voices) {
            if (voice.state == Voice::State::sounding) {
                letGo(voice, holders);
            }
        }
        break;
    }
    case LiveEvent::Kind::handOver:
        break;
    }
}

void LiveSynth::applyOnAudioThread(const LiveEvent& event) {
    if (event.kind == LiveEvent::Kind::noteOn && m_extra != nullptr &&
        m_extra->replacesOwnVoices()) {
        LiveEvent unheard = event;
        unheard.velocity = 0;
        applyOwn(unheard);
    } else {
        applyOwn(event);
    }
    if (m_extra != nullptr) {
        m_extra->apply(event);
    }
}

void LiveSynth::apply(const LiveEvent& event) {
    if (event.kind == LiveEvent::Kind::handOver) {
        takeOver(static_cast<std::uint64_t>(event.value));
    } else {
        applyOnAudioThread(event);
    }
}

// ---- Taking over a whole wanted state ----
//
// The window publishes state n into the hand-over and only then posts the event for n, and it
// queues no other event between a full queue and that post: every change before the event is in
// state n, every event after it is a change made after state n. The event's acquire (the queue)
// follows the publication's release, so here the newest published state is n or later. A later
// one (the queue filled again meanwhile) is kept and taken over at its own event, after the
// events queued before it; so the voices pass through the window's states in order.
void LiveSynth::takeOver(std::uint64_t number) {
    if (m_handOver.front().number < number) {
        m_handOver.takeNewest();
    }
    if (m_handOver.front().number == number) {
        adopt(m_handOver.front());
    }
}

// The difference between the voices and the wanted state, applied as the events that would have
// made it, so that an extra renderer follows too.
void LiveSynth::adopt(const WantedState& wanted) {
    for (int pitchClass = 0; pitchClass < 12; ++pitchClass) {
        const double cents = wanted.centsAboveC[static_cast<std::size_t>(pitchClass)];
        if (cents != m_cents[static_cast<std::size_t>(pitchClass)]) {
            applyOnAudioThread(LiveEvent::tune(pitchClass, cents));
        }
    }
    for (int s = 0; s < kVoiceSourceCount; ++s) {
        const auto source = static_cast<VoiceSource>(s);
        if (source == VoiceSource::piece) {
            continue; // struck on this thread by the piece's scheduler: no window's state holds it
        }
        if (source == VoiceSource::midi && m_midiOnAudioSide.load(std::memory_order_relaxed) > 0) {
            continue; // played here as it arrives; the window only hears of it afterwards
        }
        const WantedState::Source& want = wanted.sources[static_cast<std::size_t>(s)];
        const std::bitset<128> sounding = soundingNotesNow(source);
        for (int note = 0; note < 128; ++note) {
            const auto n = static_cast<std::size_t>(note);
            if (want.notes[n] && !sounding[n]) {
                applyOnAudioThread(LiveEvent::noteOn(source, note, want.velocity[n]));
            } else if (!want.notes[n] && sounding[n]) {
                applyOnAudioThread(LiveEvent::noteOff(source, note));
            }
        }
        for (Voice& voice : m_voices) {
            const bool wantedToo =
                std::any_of(want.fixed.begin(), want.fixed.end(),
                            [&](const auto& tone) { return tone.on && tone.id == voice.key; });
            if (voice.state == Voice::State::sounding && voice.fixed &&
                voice.fixedSource == source && voice.holders != 0 && !wantedToo) {
                applyOnAudioThread(LiveEvent::fixedOff(source, voice.key));
            }
        }
        for (const WantedState::FixedTone& tone : want.fixed) {
            const Voice* voice = fixedVoice(source, tone.id);
            if (tone.on &&
                (voice == nullptr || voice->holders == 0 || voice->targetHz != tone.frequencyHz)) {
                applyOnAudioThread(
                    LiveEvent::fixedOn(source, tone.id, tone.frequencyHz, tone.velocity));
            }
        }
    }
}

// ---- What sounds ----

std::bitset<128> LiveSynth::soundingNotesNow(VoiceSource source) const {
    std::bitset<128> notes;
    for (const Voice& voice : m_voices) {
        if (voice.state == Voice::State::sounding && !voice.fixed &&
            (voice.holders & bitOf(source)) != 0) {
            notes.set(static_cast<std::size_t>(voice.key));
        }
    }
    return notes;
}

void LiveSynth::publish() {
    for (int s = 0; s < kVoiceSourceCount; ++s) {
        const std::bitset<128> notes = soundingNotesNow(static_cast<VoiceSource>(s));
        const std::bitset<128> low = notes & std::bitset<128>(~0ULL);
        auto& halves = m_published[static_cast<std::size_t>(s)];
        halves[0].store(low.to_ullong(), std::memory_order_relaxed);
        halves[1].store((notes >> 64).to_ullong(), std::memory_order_relaxed);
    }
}

std::bitset<128> LiveSynth::soundingNotes(VoiceSource source) const {
    const auto& halves = m_published[sourceIndex(source)];
    return (std::bitset<128>(halves[1].load(std::memory_order_relaxed)) << 64) |
           std::bitset<128>(halves[0].load(std::memory_order_relaxed));
}

std::bitset<128> LiveSynth::soundingNotes() const {
    std::bitset<128> notes;
    for (int s = 0; s < kVoiceSourceCount; ++s) {
        notes |= soundingNotes(static_cast<VoiceSource>(s));
    }
    return notes;
}

bool LiveSynth::silent() const {
    if ((m_scheduler != nullptr && m_scheduler->keepsOutputOpen()) || !m_chord.silent()) {
        return false;
    }
    return std::all_of(m_voices.begin(), m_voices.end(),
                       [](const Voice& voice) { return voice.state == Voice::State::free; });
}

bool LiveSynth::anyHeld() const {
    return std::any_of(m_voices.begin(), m_voices.end(), [](const Voice& voice) {
        return voice.state == Voice::State::sounding && voice.holders != 0;
    });
}

// ---- Rendering ----

void LiveSynth::beginCallback(int sampleRate) {
    m_sampleRate = sampleRate;
    m_extra = m_wantedExtra.load(std::memory_order_acquire);
    m_scheduler = m_wantedScheduler.load(std::memory_order_acquire);
    while (const auto event = m_events.pop()) {
        apply(*event);
    }
    while (const auto event = m_midiThreadEvents.pop()) {
        applyOnAudioThread(*event);
    }
}

void LiveSynth::endCallback() {
    publish();
}

void LiveSynth::render(std::span<float> out, int sampleRate) {
    beginCallback(sampleRate);
    if (m_scheduler != nullptr) {
        m_scheduler->renderCallback(*this, out, sampleRate);
    } else {
        renderSpan(out, sampleRate);
    }
    endCallback();
}

// A scheduler (a piece) is given the parts between the events one after the other, as if they
// were callbacks of their own: its clock advances by each part, so its events keep their frames.
void LiveSynth::render(std::span<float> out, int sampleRate, FramedEvents& events) {
    beginCallback(sampleRate);
    const auto renderPart = [&](std::span<float> part) {
        if (m_scheduler != nullptr) {
            m_scheduler->renderCallback(*this, part, sampleRate);
        } else {
            renderSpan(part, sampleRate);
        }
    };
    std::size_t done = 0;
    for (int frame = events.nextFrame(); frame >= 0; frame = events.nextFrame()) {
        const std::size_t at = std::clamp(static_cast<std::size_t>(frame), done, out.size());
        if (at > done) {
            renderPart(out.subspan(done, at - done));
            done = at;
        }
        events.applyNext(*this);
    }
    if (done < out.size()) {
        renderPart(out.subspan(done));
    }
    endCallback();
}

void LiveSynth::applyEventsSilently() {
    beginCallback(m_sampleRate);
    m_chord.drop();
    for (Voice& voice : m_voices) {
        if (voice.state == Voice::State::stolen || voice.holders == 0) {
            voice.state = Voice::State::free;
        }
    }
    endCallback();
}

void LiveSynth::renderSpan(std::span<float> out, int sampleRate) {
    m_sampleRate = sampleRate;
    std::fill(out.begin(), out.end(), 0.0f);
    for (std::size_t start = 0; start < out.size(); start += kBlock) {
        const std::span<float> block = out.subspan(start, std::min(kBlock, out.size() - start));
        for (Voice& voice : m_voices) {
            if (voice.state != Voice::State::free) {
                renderVoice(voice, block, sampleRate);
            }
        }
    }
    m_chord.renderAdd(out, sampleRate);
    if (m_extra != nullptr) {
        m_extra->renderAdd(out, sampleRate);
    }
    for (std::size_t start = 0; start < out.size(); start += kBlock) {
        m_limiter.process(out.subspan(start, std::min(kBlock, out.size() - start)), sampleRate);
    }
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
    if (!voice.started) {
        voice.started = true;
        m_lastToneStartNs.store(nowNs(), std::memory_order_relaxed);
    }
    for (float& sample : out) {
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
        sample += static_cast<float>(voice.amplitude.next() * wave);
    }
    // The phasor's length drifts by rounding; bring it back to one once a block.
    const double length = std::hypot(voice.phaseRe, voice.phaseIm);
    voice.phaseRe /= length;
    voice.phaseIm /= length;
    // A faded voice is free again; a held one at velocity 0 stays, silent, until let go.
    const bool letGo = voice.state == Voice::State::stolen || voice.holders == 0;
    if (letGo && !voice.amplitude.moving() && voice.amplitude.value() <= 0) {
        voice.state = Voice::State::free;
    }
}

} // namespace klangora
