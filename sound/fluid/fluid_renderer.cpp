#include "sound/fluid/fluid_renderer.h"

#include "sound/fluid/sound_font_search.h"

#include <fluidsynth.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace klangora {

namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::array<double, 12> equalTemperament() {
    std::array<double, 12> cents{};
    for (std::size_t i = 0; i < cents.size(); ++i) {
        cents[i] = 100.0 * static_cast<double>(i);
    }
    return cents;
}

// The channel of a way of playing: the computer keys on 0, the marks on 1, ...; the drums' channel
// 9 is never one of them.
int sourceChannel(VoiceSource source) {
    return static_cast<int>(sourceIndex(source));
}

int midiVelocity(float velocity) {
    return std::clamp(static_cast<int>(std::lround(velocity * 127.0f)), 1, 127);
}

} // namespace

FluidRenderer::FluidRenderer(std::vector<std::filesystem::path> systemFonts)
    : m_systemFonts(std::move(systemFonts)), m_guiCents(equalTemperament()),
      m_cents(equalTemperament()), m_left(kScratchFrames), m_right(kScratchFrames) {
    m_worker = std::thread([this] { workerLoop(); });
}

FluidRenderer::FluidRenderer() : FluidRenderer(std::vector<std::filesystem::path>{}) {
    m_systemFonts.reset(); // the window opens without looking at a single font
}

FluidRenderer::~FluidRenderer() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_worker.join();
    collectRetired();
    delete m_pending.exchange(nullptr);
    delete m_active; // the audio thread has stopped before its renderer goes
}

// --- window thread ---

void FluidRenderer::choose(InstrumentSound sound, std::vector<int> piecePrograms) {
    collectRetired();
    m_piecePrograms = std::move(piecePrograms);
    request(sound);
}

void FluidRenderer::chooseSoundFont(const std::filesystem::path& font) {
    m_sessionFont = font;
    const InstrumentSound current = sound();
    if (usesSoundFont(current)) {
        request(current);
    }
}

InstrumentSound FluidRenderer::sound() const {
    std::lock_guard lock(m_mutex);
    return m_sound;
}

std::optional<std::string> FluidRenderer::takeMessage() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_message, std::nullopt);
}

void FluidRenderer::setTuning(const Tuning& tuning) {
    m_guiCents = tuning.centsAboveC();
}

std::vector<std::filesystem::path> FluidRenderer::fontsToTry() {
    return m_sessionFont ? std::vector{*m_sessionFont} : systemFonts();
}

const std::vector<std::filesystem::path>& FluidRenderer::systemFonts() {
    if (!m_systemFonts) {
        m_systemFonts = soundFontCandidates(systemSoundFontFolders());
    }
    return *m_systemFonts;
}

void FluidRenderer::request(InstrumentSound sound) {
    const int id = m_wantedId.fetch_add(1, std::memory_order_acq_rel) + 1;
    m_loadedRate = m_streamRate.load(std::memory_order_relaxed);
    {
        std::lock_guard lock(m_mutex);
        m_sound = sound;
        m_request.reset();
        if (usesSoundFont(sound)) {
            m_request = FluidLoadRequest{id,           sound,     fontsToTry(), m_piecePrograms,
                                         m_loadedRate, m_guiCents};
        }
    }
    m_changed.notify_all();
}

void FluidRenderer::maintain() {
    collectRetired();
    const InstrumentSound current = sound();
    if (usesSoundFont(current) && m_streamRate.load(std::memory_order_relaxed) != m_loadedRate) {
        request(current); // the output runs at another rate than the synth was made for
    }
}

bool FluidRenderer::loading() const {
    {
        std::lock_guard lock(m_mutex);
        if (m_working || m_request) {
            return true;
        }
    }
    return m_pending.load(std::memory_order_acquire) != nullptr;
}

bool FluidRenderer::waitUntilLoaded(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return !m_working && !m_request; });
}

void FluidRenderer::collectRetired() {
    while (const auto retired = m_retired.pop()) {
        delete *retired;
    }
}

// --- worker thread ---

void FluidRenderer::workerLoop() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [this] { return m_stop || m_request; });
        if (m_stop) {
            return;
        }
        const FluidLoadRequest request = *std::exchange(m_request, std::nullopt);
        m_working = true;
        lock.unlock();
        auto result = LoadedFluidSynth::load(request);
        lock.lock();
        m_working = false;
        if (request.id == m_wantedId.load(std::memory_order_acquire)) {
            if (result.synth) {
                publish(std::move(result.synth));
            } else {
                m_message = result.message;
                m_sound = InstrumentSound::own;
            }
        }
        m_changed.notify_all();
    }
}

void FluidRenderer::publish(std::unique_ptr<LoadedFluidSynth> loaded) {
    // Whoever takes a synth out of the slot owns it: a synth the audio thread never took is
    // deleted here.
    delete m_pending.exchange(loaded.release(), std::memory_order_acq_rel);
}

// --- audio thread ---

// False only when the window thread has not yet deleted the synths retired before.
bool FluidRenderer::retire(LoadedFluidSynth* loaded) {
    return m_retired.push(loaded);
}

void FluidRenderer::takeFreshSynth() {
    const int wanted = m_wantedId.load(std::memory_order_acquire);
    if (m_active != nullptr && m_active->requestId() != wanted && retire(m_active)) {
        m_active = nullptr; // another sound was chosen since
    }
    // A synth taken out of the slot is never put back (a newer one may have been published
    // meanwhile): it is taken only when the retired queue has room for the one synth that then
    // goes, the fresh one if it is stale or else the one it replaces. Only this thread fills
    // that queue, so the room is still there below.
    if (m_pending.load(std::memory_order_relaxed) == nullptr || !m_retired.hasRoom()) {
        return;
    }
    LoadedFluidSynth* fresh = m_pending.exchange(nullptr, std::memory_order_acq_rel);
    if (fresh == nullptr) {
        return;
    }
    if (fresh->requestId() != wanted) {
        retire(fresh);
        return;
    }
    if (m_active != nullptr) {
        retire(m_active);
    }
    m_active = fresh;
    m_tuningDirty = m_active->tuning() != fluidKeyTuning(m_cents, m_active->corrections());
    if (playsPieceChannels()) {
        selectPieceChannelPrograms();
    }
}

void FluidRenderer::selectPieceChannelPrograms() {
    for (std::size_t channel = 0; channel < m_pieceChannelPrograms.size(); ++channel) {
        const int program = m_pieceChannelPrograms[channel];
        if (!LoadedFluidSynth::isPercussion(static_cast<int>(channel)) &&
            m_active->hasLoadedProgram(program)) {
            fluid_synth_program_change(
                m_active->synth(), LoadedFluidSynth::kPieceChannelBase + static_cast<int>(channel),
                program);
        }
    }
}

void FluidRenderer::retune() {
    const std::int64_t start = nowNs();
    const KeyTuningCents keys = fluidKeyTuning(m_cents, m_active->corrections());
    // FluidSynth 2.3 changes no tuning's keys in place: a new tuning object replaces the old
    // one, two allocations (the tuning and its name, about 1 kB) and two frees, once per
    // callback that retunes however many pitch classes changed (fluid_bench counts them).
    fluid_synth_activate_key_tuning(m_active->synth(), LoadedFluidSynth::kTuningBank,
                                    LoadedFluidSynth::kTuningProgram, "Klangora", keys.data(), 1);
    m_tuningDirty = false;
    m_lastRetuneNs.store(nowNs() - start, std::memory_order_relaxed);
}

void FluidRenderer::apply(const LiveEvent& event) {
    // Each way of playing has a channel of its own, so that letting one go (a piece stopped,
    // the MIDI keyboard unplugged) ends only its notes. Fixed tones are no keys to tune: the own
    // voices play them.
    const auto channel = static_cast<std::uint8_t>(sourceChannel(event.source));
    const auto key = static_cast<std::uint8_t>(event.key & 127);
    takeFreshSynth();
    if (event.source == VoiceSource::piece && playsPieceChannels()) {
        // The piece's notes come channel by channel (apply(PieceEvent)); letting the source go
        // lets all of its channels go.
        if (event.kind == LiveEvent::Kind::releaseSource) {
            for (int c = 0; c < 16; ++c) {
                apply(FluidEvent{FluidEvent::Kind::releaseChannel,
                                 static_cast<std::uint8_t>(LoadedFluidSynth::kPieceChannelBase + c),
                                 0, 0, 0});
            }
        }
        if (event.kind != LiveEvent::Kind::releaseAll && event.kind != LiveEvent::Kind::tune) {
            return;
        }
    }
    switch (event.kind) {
    case LiveEvent::Kind::noteOn:
        apply(FluidEvent{FluidEvent::Kind::noteOn, channel, key, event.velocity, 0});
        break;
    case LiveEvent::Kind::noteOff:
        apply(FluidEvent{FluidEvent::Kind::noteOff, channel, key, 0, 0});
        break;
    case LiveEvent::Kind::tune:
        apply(FluidEvent{FluidEvent::Kind::tune, 0, static_cast<std::uint8_t>(event.key % 12), 0,
                         event.value});
        break;
    case LiveEvent::Kind::releaseSource:
        apply(FluidEvent{FluidEvent::Kind::releaseChannel, channel, 0, 0, 0});
        break;
    case LiveEvent::Kind::releaseAll:
        apply(FluidEvent{FluidEvent::Kind::releaseAll, 0, 0, 0, 0});
        break;
    case LiveEvent::Kind::fixedOn:
    case LiveEvent::Kind::fixedOff:
    case LiveEvent::Kind::handOver: // arrives as the notes and tunings it changes
        break;
    }
}

void FluidRenderer::apply(const FluidEvent& event) {
    takeFreshSynth();
    if (event.kind == FluidEvent::Kind::tune) {
        m_cents[event.note % 12] = event.cents;
        m_tuningDirty = true; // retuned once for all the block's tune events
        return;
    }
    if (m_active == nullptr || event.channel >= LoadedFluidSynth::kPlayedChannels ||
        LoadedFluidSynth::isPercussion(event.channel)) {
        return; // the drums are never played: their keys are no pitches to tune
    }
    fluid_synth_t* synth = m_active->synth();
    switch (event.kind) {
    case FluidEvent::Kind::noteOn:
        fluid_synth_noteon(synth, event.channel, event.note & 127, midiVelocity(event.value));
        break;
    case FluidEvent::Kind::noteOff:
        fluid_synth_noteoff(synth, event.channel, event.note & 127);
        break;
    case FluidEvent::Kind::sustain:
        fluid_synth_cc(synth, event.channel, 64, event.value >= 0.5f ? 127 : 0);
        break;
    case FluidEvent::Kind::program:
        // Only a piece's own instruments change, and only to programs loaded beforehand: a
        // program never loaded would read the font file here.
        if (m_active->sound() == InstrumentSound::pieceOwn &&
            m_active->hasLoadedProgram(event.note)) {
            fluid_synth_program_change(synth, event.channel, event.note);
        }
        break;
    case FluidEvent::Kind::releaseChannel:
        fluid_synth_cc(synth, event.channel, 64, 0);
        fluid_synth_all_notes_off(synth, event.channel);
        break;
    case FluidEvent::Kind::releaseAll:
        for (int channel = 0; channel < LoadedFluidSynth::kPlayedChannels; ++channel) {
            fluid_synth_cc(synth, channel, 64, 0);
        }
        fluid_synth_all_notes_off(synth, -1);
        break;
    case FluidEvent::Kind::tune:
        break;
    }
}

void FluidRenderer::apply(const PieceEvent& event) {
    if (event.kind == PieceEvent::Kind::program) {
        m_pieceChannelPrograms[event.channel & 15U] = event.key & 127U;
    }
    takeFreshSynth();
    if (!playsPieceChannels()) {
        return; // the piece plays as notes, in the chosen instrument
    }
    const auto channel =
        static_cast<std::uint8_t>(LoadedFluidSynth::kPieceChannelBase + (event.channel & 15));
    switch (event.kind) {
    case PieceEvent::Kind::noteOn:
        apply(FluidEvent{FluidEvent::Kind::noteOn, channel, event.key,
                         static_cast<float>(event.value) / 127.0f, 0});
        break;
    case PieceEvent::Kind::noteOff:
        apply(FluidEvent{FluidEvent::Kind::noteOff, channel, event.key, 0, 0});
        break;
    case PieceEvent::Kind::sustain:
        apply(
            FluidEvent{FluidEvent::Kind::sustain, channel, 0, event.value >= 64 ? 1.0f : 0.0f, 0});
        break;
    case PieceEvent::Kind::program:
        apply(FluidEvent{FluidEvent::Kind::program, channel, event.key, 0, 0});
        break;
    }
}

int FluidRenderer::activeVoiceCount() const {
    return m_active != nullptr ? fluid_synth_get_active_voice_count(m_active->synth()) : 0;
}

void FluidRenderer::renderAdd(std::span<float> mono, int sampleRate) {
    m_rate = sampleRate;
    m_streamRate.store(sampleRate, std::memory_order_relaxed);
    takeFreshSynth();
    while (const auto event = m_events.pop()) {
        apply(*event);
    }
    if (!playsNotes()) {
        return;
    }
    if (m_tuningDirty) {
        retune();
    }
    for (std::size_t start = 0; start < mono.size(); start += kScratchFrames) {
        const std::size_t frames = std::min(kScratchFrames, mono.size() - start);
        fluid_synth_write_float(m_active->synth(), static_cast<int>(frames), m_left.data(), 0, 1,
                                m_right.data(), 0, 1);
        for (std::size_t i = 0; i < frames; ++i) {
            mono[start + i] += 0.5f * (m_left[i] + m_right[i]);
        }
    }
}

} // namespace klangora
