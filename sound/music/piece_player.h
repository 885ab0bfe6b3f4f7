#pragma once

// A piece played by the audio clock. The window's thread hands the whole event list over once
// and then only sends commands (play, pause, seek, tempo); the audio thread runs the cursor
// block by block and applies each event at its sample. The window's thread is never the clock:
// a busy window delays nothing that is playing.
#include "sound/instrument/event_queue.h"
#include "sound/music/piece_cursor.h"

#include <array>
#include <atomic>
#include <bitset>
#include <deque>
#include <memory>
#include <span>
#include <vector>

namespace klangora {

class PiecePlayer {
public:
    explicit PiecePlayer(int sampleRate) : m_cursor(sampleRate) {}

    // Window's thread. The piece stays alive here until the audio thread has let go of it.
    void load(std::shared_ptr<const Piece> piece);
    void play() { send({Command::Kind::play}); }
    void pause() { send({Command::Kind::pause}); }
    void seek(double seconds) {
        ++m_seeksSent;
        send({Command::Kind::seek, seconds});
    }
    void setTempoPercent(int percent) { send({Command::Kind::tempo, double(percent)}); }
    // The passage from A to B on repeat until stopRepeating (see PieceCursor::repeatPassage).
    void repeatPassage(double fromSeconds, double toSeconds) {
        send({Command::Kind::repeat, fromSeconds, nullptr, toSeconds});
    }
    void stopRepeating() { send({Command::Kind::stopRepeating}); }
    // Commands that found the queue full (the audio side not running) are kept here, in order,
    // and sent with the next command or by this; the window calls it now and then.
    void flush();

    // The audio thread's view, a block late at most.
    double positionSeconds() const { return m_positionSeconds.load(std::memory_order_relaxed); }
    bool isPlaying() const { return m_playing.load(std::memory_order_relaxed); }
    // Whether a seek sent is still to reach the audio side, whose position is then the old one.
    bool seekPending() const {
        return m_seeksApplied.load(std::memory_order_acquire) != m_seeksSent;
    }
    std::bitset<128> soundingNotes() const;
    const Piece* piece() const { return m_pieces.empty() ? nullptr : m_pieces.back().get(); }

    // Audio thread: the waiting commands, then the cursor over `frames` samples at the output's
    // rate, each event given to sink(frameOffset, event), and the file's channel events to
    // channelSink(frameOffset, pieceEvent) (see PieceCursor::advance).
    template <typename Sink, typename ChannelSink = IgnoreChannelEvents>
    void advance(int frames, int sampleRate, Sink&& sink, ChannelSink&& channelSink = {});

private:
    struct Command {
        enum class Kind : std::uint8_t {
            load,
            play,
            pause,
            seek,
            tempo,
            repeat,
            stopRepeating
        } kind = Kind::play;
        double value = 0;
        const Piece* piece = nullptr;
        double until = 0; // repeat: B
    };

    void send(const Command& command);
    void applyCommands();

    PieceCursor m_cursor;
    EventQueue<Command, 256> m_commands;
    std::deque<Command> m_waiting;                      // the window's thread's own
    std::vector<std::shared_ptr<const Piece>> m_pieces; // in the order they were loaded
    std::atomic<const Piece*> m_audioPiece{nullptr};
    std::atomic<double> m_positionSeconds{0};
    std::atomic<bool> m_playing{false};
    unsigned m_seeksSent = 0;        // the window's thread's own
    unsigned m_seeksAppliedHere = 0; // the audio thread's own
    std::atomic<unsigned> m_seeksApplied{0};
    // The sounding notes as two halves of 64 bits, each written whole by the audio thread.
    std::array<std::atomic<std::uint64_t>, 2> m_sounding{};
};

template <typename Sink, typename ChannelSink>
void PiecePlayer::advance(int frames, int sampleRate, Sink&& sink, ChannelSink&& channelSink) {
    m_cursor.setSampleRate(sampleRate);
    applyCommands();
    m_cursor.advance(frames, sink, channelSink);
    m_positionSeconds.store(m_cursor.positionSeconds(), std::memory_order_relaxed);
    // After the position: a window that finds the seek done finds the position after it.
    m_seeksApplied.store(m_seeksAppliedHere, std::memory_order_release);
    m_playing.store(m_cursor.playing(), std::memory_order_relaxed);
    const std::bitset<128> sounding = m_cursor.soundingNotes();
    for (std::size_t half = 0; half < 2; ++half) {
        std::uint64_t bits = 0;
        for (std::size_t bit = 0; bit < 64; ++bit) {
            bits |= std::uint64_t{sounding[64 * half + bit]} << bit;
        }
        m_sounding[half].store(bits, std::memory_order_relaxed);
    }
}

} // namespace klangora
