#pragma once

// Where a playing piece is, on the audio thread: the cursor runs over the piece's events block by
// block and hands each to the voices at the sample it falls on. It also plays the file's sustain
// pedal (a released key sounds on while its channel's pedal is down) and counts the channels
// holding each note, so that a note two channels share ends only when both have let go.
//
// Beside the voices' notes it can hand on the file's own events, channel by channel, for a
// synthesizer that plays each channel in its own instrument: every event as the file has it,
// each channel's program again after a jump (so that a seek past a program change still plays
// the instrument it chose), and every key and pedal of a channel let go where the voices' notes
// are.
#include "core/music/piece.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>

namespace klangora {

// The channel events a caller does not want.
struct IgnoreChannelEvents {
    void operator()(int, const PieceEvent&) const {}
};

// What the cursor tells the voices: a note of the piece starts (velocity 0..1) or ends.
struct PieceAction {
    enum class Kind : std::uint8_t { noteOn, noteOff };
    Kind kind = Kind::noteOn;
    std::uint8_t note = 0;
    float velocity = 0;
};

class PieceCursor {
public:
    static constexpr int kMinTempoPercent = 50;
    static constexpr int kMaxTempoPercent = 150;

    explicit PieceCursor(int sampleRate) : m_sampleRate(sampleRate) {}

    // The output's rate, should a sound server choose another than the one assumed: the
    // position stays the same moment of the piece.
    void setSampleRate(int sampleRate);

    // A new piece (or none), stopped at its start. What sounded of the old one is released.
    void setPiece(const Piece* piece);
    const Piece* piece() const { return m_piece; }

    void play();
    void pause();
    // Jumps to a time in the piece; the notes sounding are released, those after it follow.
    void seek(double seconds);
    void setTempoPercent(int percent);
    // A passage on repeat: whenever the cursor reaches B from before it, the notes sounding end
    // there (with the voices' own release) and the cursor goes on from A at that very sample,
    // the pedals and programs as they stand at A. B before A, or a passage shorter than a
    // sample, repeats nothing. A new piece ends the repeat.
    void repeatPassage(double fromSeconds, double toSeconds);
    void stopRepeating() { m_repeating = false; }
    bool repeating() const { return m_repeating; }

    bool playing() const { return m_playing; }
    double positionSeconds() const { return m_positionFrames / m_sampleRate; }
    int tempoPercent() const { return m_tempoPercent; }
    // The notes some channel holds now (by key or by the pedal).
    std::bitset<128> soundingNotes() const;

    // Moves the cursor by `frames` samples of output and calls sink(frameOffset, event) for each
    // event the voices must apply, in order, frameOffset in 0 .. frames - 1; and
    // channelSink(frameOffset, pieceEvent) for each of the file's channel events, in the same
    // order.
    template <typename Sink, typename ChannelSink = IgnoreChannelEvents>
    void advance(int frames, Sink&& sink, ChannelSink&& channelSink = {});
    // The program each channel plays at the cursor (0 before any program change).
    int programAt(int channel) const { return m_programs[static_cast<std::size_t>(channel & 15)]; }

private:
    struct Hold {
        std::bitset<128> key;       // pressed on this channel
        std::bitset<128> sustained; // released while the pedal is down, sounding on
        bool pedalDown = false;
    };

    template <typename Sink> void apply(const PieceEvent& event, int offset, Sink& sink);
    template <typename Sink, typename ChannelSink>
    void releaseSounding(int offset, Sink& sink, ChannelSink& channelSink);
    template <typename ChannelSink> void sendPrograms(ChannelSink& channelSink, int offset = 0);
    template <typename Sink, typename ChannelSink>
    void applyEventsBefore(double frame, int doneFrames, int frames, Sink& sink,
                           ChannelSink& channelSink);
    template <typename Sink, typename ChannelSink>
    void backToPassageStart(int offset, Sink& sink, ChannelSink& channelSink);
    template <typename ChannelSink> void restorePedals(int offset, ChannelSink& channelSink);
    // Each channel's pedal as the piece's events leave it just before the cursor.
    std::array<bool, 16> pedalsBeforeCursor() const;
    void findPrograms();
    template <typename Sink> void endHold(int note, int offset, Sink& sink);
    double eventFrame(std::size_t index) const;
    std::size_t firstEventFrom(double frame) const;

    const Piece* m_piece = nullptr;
    double m_sampleRate;
    double m_positionFrames = 0;
    std::size_t m_next = 0;
    int m_tempoPercent = 100;
    bool m_playing = false;
    bool m_releasePending = false;
    bool m_programsPending = false;
    bool m_pedalsPending = false;
    bool m_repeating = false;
    double m_passageStartFrame = 0;
    double m_passageEndFrame = 0;
    std::array<std::uint8_t, 16> m_programs{};
    std::array<Hold, 16> m_holds{};
    std::array<std::uint8_t, 128> m_channelsHolding{};
};

template <typename Sink, typename ChannelSink>
void PieceCursor::advance(int frames, Sink&& sink, ChannelSink&& channelSink) {
    if (m_releasePending) {
        releaseSounding(0, sink, channelSink);
        m_releasePending = false;
    }
    if (m_programsPending && m_playing) {
        sendPrograms(channelSink);
        m_programsPending = false;
    }
    if (m_pedalsPending && m_playing) {
        restorePedals(0, channelSink);
    }
    if (!m_playing || m_piece == nullptr || frames <= 0) {
        return;
    }
    const double speed = m_tempoPercent / 100.0;
    int done = 0; // output samples of this block already played
    for (;;) {
        const double end = m_positionFrames + (frames - done) * speed;
        // B ahead of the cursor, or just reached at the end of the block before.
        const bool reachesB =
            m_repeating && m_positionFrames <= m_passageEndFrame && m_passageEndFrame < end;
        if (!reachesB) {
            applyEventsBefore(end, done, frames, sink, channelSink);
            m_positionFrames = end;
            break;
        }
        const int atB =
            done +
            static_cast<int>(std::ceil((m_passageEndFrame - m_positionFrames) / speed - 1e-6));
        if (atB >= frames) {
            applyEventsBefore(end, done, frames, sink, channelSink);
            m_positionFrames = end;
            break;
        }
        applyEventsBefore(m_passageEndFrame, done, frames, sink, channelSink);
        backToPassageStart(atB, sink, channelSink);
        done = atB;
    }
    const bool beforeB = m_repeating && m_positionFrames <= m_passageEndFrame;
    if (!beforeB && m_next == m_piece->events.size() &&
        m_positionFrames >= m_piece->lengthSeconds * m_sampleRate) {
        // The end: what the pedal still holds is let go, and the cursor waits at the end.
        m_positionFrames = m_piece->lengthSeconds * m_sampleRate;
        m_playing = false;
        releaseSounding(frames - 1, sink, channelSink);
    }
}

template <typename Sink, typename ChannelSink>
void PieceCursor::applyEventsBefore(double frame, int doneFrames, int frames, Sink& sink,
                                    ChannelSink& channelSink) {
    const double speed = m_tempoPercent / 100.0;
    while (m_next < m_piece->events.size() && eventFrame(m_next) < frame) {
        // The first output sample at or after the event's moment in the piece.
        const double fromHere = (eventFrame(m_next) - m_positionFrames) / speed;
        const int offset = std::clamp(doneFrames + static_cast<int>(std::ceil(fromHere - 1e-6)),
                                      doneFrames, frames - 1);
        const PieceEvent& event = m_piece->events[m_next];
        apply(event, offset, sink);
        if (event.kind == PieceEvent::Kind::program) {
            m_programs[event.channel & 0x0F] = event.key & 0x7F;
        }
        channelSink(offset, event);
        ++m_next;
    }
}

template <typename Sink, typename ChannelSink>
void PieceCursor::backToPassageStart(int offset, Sink& sink, ChannelSink& channelSink) {
    releaseSounding(offset, sink, channelSink);
    m_positionFrames = m_passageStartFrame;
    m_next = firstEventFrom(m_passageStartFrame);
    findPrograms();
    sendPrograms(channelSink, offset);
    m_programsPending = false;
    restorePedals(offset, channelSink);
}

template <typename ChannelSink>
void PieceCursor::restorePedals(int offset, ChannelSink& channelSink) {
    // A pedal held down across the jump holds the notes after it as it did when played through.
    const std::array<bool, 16> pedals = pedalsBeforeCursor();
    for (std::size_t channel = 0; channel < pedals.size(); ++channel) {
        m_holds[channel].pedalDown = pedals[channel];
        if (pedals[channel]) {
            channelSink(offset, PieceEvent{0, PieceEvent::Kind::sustain,
                                           static_cast<std::uint8_t>(channel), 0, 127});
        }
    }
    m_pedalsPending = false;
}

template <typename Sink> void PieceCursor::apply(const PieceEvent& event, int offset, Sink& sink) {
    Hold& hold = m_holds[event.channel & 0x0F];
    const int note = event.key & 0x7F;
    switch (event.kind) {
    case PieceEvent::Kind::noteOn:
        if (!hold.key[note] && !hold.sustained[note]) {
            ++m_channelsHolding[note];
        }
        hold.key[note] = true;
        hold.sustained[note] = false;
        // Struck again while it sounds, the voice swells back: the synth knows that case.
        sink(offset, PieceAction{PieceAction::Kind::noteOn, static_cast<std::uint8_t>(note),
                                 event.value / 127.0f});
        break;
    case PieceEvent::Kind::noteOff:
        if (!hold.key[note]) {
            break;
        }
        hold.key[note] = false;
        if (hold.pedalDown) {
            hold.sustained[note] = true;
        } else {
            endHold(note, offset, sink);
        }
        break;
    case PieceEvent::Kind::sustain:
        hold.pedalDown = event.value >= 64;
        if (!hold.pedalDown) {
            for (int n = 0; n < 128; ++n) {
                if (hold.sustained[n]) {
                    hold.sustained[n] = false;
                    endHold(n, offset, sink);
                }
            }
        }
        break;
    case PieceEvent::Kind::program:
        break; // the own voices have one timbre
    }
}

template <typename Sink> void PieceCursor::endHold(int note, int offset, Sink& sink) {
    if (m_channelsHolding[note] > 0 && --m_channelsHolding[note] == 0) {
        sink(offset, PieceAction{PieceAction::Kind::noteOff, static_cast<std::uint8_t>(note), 0});
    }
}

template <typename Sink, typename ChannelSink>
void PieceCursor::releaseSounding(int offset, Sink& sink, ChannelSink& channelSink) {
    for (std::size_t channel = 0; channel < m_holds.size(); ++channel) {
        const Hold& hold = m_holds[channel];
        const auto event = [&](PieceEvent::Kind kind, int key) {
            channelSink(offset, PieceEvent{0, kind, static_cast<std::uint8_t>(channel),
                                           static_cast<std::uint8_t>(key), 0});
        };
        if (hold.pedalDown) {
            event(PieceEvent::Kind::sustain, 0);
        }
        for (std::size_t note = 0; note < 128; ++note) {
            if (hold.key[note] || hold.sustained[note]) {
                event(PieceEvent::Kind::noteOff, static_cast<int>(note));
            }
        }
    }
    for (int note = 0; note < 128; ++note) {
        if (m_channelsHolding[note] > 0) {
            m_channelsHolding[note] = 0;
            sink(offset,
                 PieceAction{PieceAction::Kind::noteOff, static_cast<std::uint8_t>(note), 0});
        }
    }
    m_holds = {};
}

template <typename ChannelSink>
void PieceCursor::sendPrograms(ChannelSink& channelSink, int offset) {
    for (std::size_t channel = 0; channel < m_programs.size(); ++channel) {
        channelSink(offset, PieceEvent{0, PieceEvent::Kind::program,
                                       static_cast<std::uint8_t>(channel), m_programs[channel], 0});
    }
}

} // namespace klangora
