// MIDI byte streams against the notes they leave sounding: running status, system-exclusive
// messages inside and across deliveries, real-time bytes inside a message, velocity 0, the
// sustain pedal, all-notes-off and all-sound-off, and notes stopped that never started.
#include "sound/instrument/live_synth.h"
#include "sound/midi/midi_input.h"
#include "sound/midi/midi_notes.h"
#include "sound/midi/midi_stream.h"
#include "support/counting_sink.h"
#include "support/private_pulse_server.h"

#include <alsa/asoundlib.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

using namespace klangora;
using klangora::test_support::CountingSink;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Case {
    const char* name;
    std::vector<Bytes> deliveries; // as the bytes arrive, in pieces
    std::set<int> sounding;
    // The source lets go (goes away, or all sound is stopped) before this delivery.
    std::size_t letGoBefore = 0;
};

const Case kCases[] = {
    {"note on", {{0x90, 60, 100}}, {60}},
    {"note off", {{0x90, 60, 100, 0x80, 60, 0}}, {}},
    {"velocity 0 is a note-off", {{0x90, 60, 100, 0x90, 60, 0}}, {}},
    {"running status", {{0x90, 60, 100, 64, 90, 67, 80, 64, 0}}, {60, 67}},
    {"split anywhere", {{0x90}, {60}, {100, 64}, {90}}, {60, 64}},
    {"two channels hold the same note", {{0x90, 60, 100, 0x91, 60, 100, 0x80, 60, 0}}, {60}},
    {"sixteenth channel", {{0x9F, 72, 1}}, {72}},
    {"sysex inside a stream", {{0x90, 60, 100, 0xF0, 1, 2, 3, 0xF7, 0x90, 62, 100}}, {60, 62}},
    {"sysex across deliveries, data bytes are not notes",
     {{0xF0, 0x7E, 0x10}, {64, 100}, {0xF7, 0x90, 65, 100}},
     {65}},
    {"sysex ends running status", {{0x90, 60, 100, 0xF0, 0xF7, 62, 100}}, {60}},
    {"real time bytes inside a message", {{0x90, 0xF8, 60, 0xFE, 100}}, {60}},
    {"system common ends running status", {{0x90, 60, 100, 0xF2, 61, 100}}, {60}},
    {"data bytes without status", {{61, 100, 62, 100}}, {}},
    {"note off never on", {{0x80, 60, 0, 0x90, 62, 0}}, {}},
    {"pedal holds released notes", {{0xB0, 64, 127, 0x90, 60, 100, 0x80, 60, 0}}, {60}},
    {"pedal up lets them go", {{0xB0, 64, 127, 0x90, 60, 100, 0x80, 60, 0, 0xB0, 64, 0}}, {}},
    {"pedal up keeps keys still down",
     {{0xB0, 64, 127, 0x90, 60, 100, 0x90, 62, 100, 0x80, 60, 0, 0xB0, 64, 0}},
     {62}},
    {"pedal of another channel", {{0xB1, 64, 127, 0x90, 60, 100, 0x80, 60, 0}}, {}},
    {"all notes off", {{0x90, 60, 100, 0x90, 62, 1, 0xB0, 123, 0}}, {}},
    {"all notes off leaves the pedal's notes",
     {{0xB0, 64, 127, 0x90, 60, 100, 0x80, 60, 0, 0x90, 62, 1, 0xB0, 123, 0}},
     {60, 62}},
    {"all sound off", {{0x90, 60, 100, 0x90, 62, 1, 0xB0, 120, 0}}, {}},
    {"all sound off ends the pedal's notes",
     {{0xB0, 64, 127, 0x90, 60, 100, 0x80, 60, 0, 0x90, 62, 1, 0xB0, 120, 0}},
     {}},
    {"reset all controllers lifts the pedal",
     {{0xB0, 64, 127, 0x90, 60, 100, 0x90, 62, 1, 0x80, 60, 0, 0xB0, 121, 0}},
     {62}},
    {"a source let go takes its pedal",
     {{0xB0, 64, 127, 0x90, 60, 100}, {0x90, 62, 1, 0x80, 62, 0}},
     {},
     1},
    {"all notes off on one channel only", {{0x90, 60, 100, 0x91, 62, 1, 0xB1, 123, 0}}, {60}},
    {"unknown and undefined bytes", {{0xF4, 0xF5, 0xF9, 0xFD, 0x90, 60, 100, 0xF4, 1}}, {60}},
};

} // namespace

TEST(MidiNotes, ByteStreamsLeaveTheseNotesSounding) {
    for (const Case& c : kCases) {
        CountingSink sink;
        MidiNotes notes(sink);
        MidiStreamParser parser;
        for (std::size_t i = 0; i < c.deliveries.size(); ++i) {
            if (i > 0 && i == c.letGoBefore) {
                notes.releaseAll();
            }
            parser.feed(c.deliveries[i], [&notes](const MidiMessage& m) { notes.handle(m); });
        }
        EXPECT_EQ(sink.sounding(), c.sounding) << c.name;
        notes.releaseAll();
        EXPECT_TRUE(sink.sounding().empty()) << c.name << ": something stuck";
    }
}

TEST(MidiNotes, VelocitySetsLoudness) {
    CountingSink sink;
    MidiNotes notes(sink);
    notes.handle({0x90, 60, 127});
    notes.handle({0x90, 62, 32});
    EXPECT_FLOAT_EQ(sink.velocities[60], 1.0f);
    EXPECT_NEAR(sink.velocities[62], 32 / 127.0f, 1e-6);
}

// No sequencer device and no JACK server: nothing opens, nothing is connected, nothing waits.
TEST(MidiInput, WithoutSequencerOrJackPlaysNothing) {
    const test_support::ScopedEnvironment jack("JACK_DEFAULT_SERVER", "klangora-no-such-server");
    CountingSink sink;
    MidiInput input(sink);
    EXPECT_FALSE(input.jackOpen());
    if (access("/dev/snd/seq", R_OK | W_OK) != 0) {
        EXPECT_FALSE(input.alsaOpen());
        EXPECT_TRUE(input.connectedInputs().empty());
    }
    EXPECT_FALSE(input.drain());
    // Bytes from a source still play, through the same queue the MIDI threads use.
    const Bytes bytes = {0x90, 60, 100};
    input.receive(MidiInput::kJackSource, bytes.data(), bytes.size());
    input.drain();
    EXPECT_EQ(sink.sounding(), std::set<int>{60});
}

namespace {

struct JackCase {
    const char* name;
    std::vector<Bytes> events; // one JACK event each
    std::set<int> sounding;
};

Bytes longSysex() {
    Bytes dump(300, 0x11);
    dump.front() = 0xF0;
    dump.back() = 0xF7;
    return dump;
}

const JackCase kJackCases[] = {
    {"an unterminated sysex, then a note on and off",
     {{0xF0, 0x7E, 0x7F, 0x09, 0x01}, {0x90, 60, 100}, {0x80, 60, 0}},
     {}},
    {"an unterminated sysex, then a later note",
     {{0xF0, 0x7E, 0x7F, 0x09, 0x01}, {0x90, 60, 100}, {0x80, 60, 0}, {0x90, 62, 100}},
     {62}},
    {"a sysex split over events", {{0xF0, 0x7E}, {1, 64, 100}, {0xF7}, {0x90, 64, 100}}, {64}},
    {"a real-time byte inside a split sysex", {{0xF0, 0x7E}, {0xF8}, {1, 2, 0xF7}}, {}},
    {"no running status from one event to the next", {{0x90, 60, 100}, {62, 100}}, {60}},
    {"a sysex dump longer than an event is kept", {longSysex(), {0x90, 65, 100}}, {65}},
    {"all notes off ends every note of its channel",
     {{0x90, 60, 100}, {0x90, 67, 100}, {0xB0, 123, 0}},
     {}},
};

snd_seq_event_t sequencerEvent(unsigned char type, int client) {
    snd_seq_event_t event{};
    event.type = type;
    event.source.client = static_cast<unsigned char>(client);
    event.source.port = 0;
    return event;
}

snd_seq_event_t noteOn(int client, int note) {
    snd_seq_event_t event = sequencerEvent(SND_SEQ_EVENT_NOTEON, client);
    event.data.note.note = static_cast<unsigned char>(note);
    event.data.note.velocity = 100;
    return event;
}

snd_seq_event_t noteOff(int client, int note) {
    snd_seq_event_t event = noteOn(client, note);
    event.type = SND_SEQ_EVENT_NOTEOFF;
    return event;
}

snd_seq_event_t portExit(int client) {
    snd_seq_event_t event = sequencerEvent(SND_SEQ_EVENT_PORT_EXIT, SND_SEQ_CLIENT_SYSTEM);
    event.data.addr.client = static_cast<unsigned char>(client);
    event.data.addr.port = 0;
    return event;
}

} // namespace

TEST(MidiInput, JackEventsLeaveTheseNotesSounding) {
    const test_support::ScopedEnvironment jack("JACK_DEFAULT_SERVER", "klangora-no-such-server");
    for (const JackCase& c : kJackCases) {
        CountingSink sink;
        MidiInput input(sink);
        for (const Bytes& event : c.events) {
            input.receive(MidiInput::kJackSource, event.data(), event.size());
        }
        input.drain();
        EXPECT_EQ(sink.sounding(), c.sounding) << c.name;
        input.releaseAll();
        EXPECT_TRUE(sink.sounding().empty()) << c.name << ": something stuck";
    }
}

// Two keyboards on the sequencer hold the same note and one more each: when one's port ends,
// exactly its notes go.
TEST(MidiInput, AnAlsaPortGoneTakesOnlyItsOwnNotes) {
    const test_support::ScopedEnvironment jack("JACK_DEFAULT_SERVER", "klangora-no-such-server");
    CountingSink sink;
    MidiInput input(sink);
    if (input.alsaOpen()) {
        GTEST_SKIP() << "a real sequencer runs here; the test stands in for one";
    }
    for (const auto& event : {noteOn(20, 60), noteOn(20, 64), noteOn(21, 60), noteOn(21, 67)}) {
        input.alsa().deliver(event);
    }
    input.drain();
    EXPECT_EQ(sink.sounding(), (std::set<int>{60, 64, 67}));
    input.alsa().deliver(portExit(20));
    input.drain();
    EXPECT_EQ(sink.sounding(), (std::set<int>{60, 67}));
    input.alsa().deliver(portExit(21));
    input.drain();
    EXPECT_TRUE(sink.sounding().empty());
}

// Given the voices, the sequencer's notes go to them from the sequencer's thread: the owner's
// thread never sees them as notes, only as news afterwards, and a sender gone or the panic still
// ends exactly what they should.
TEST(MidiInput, AlsaNotesGoStraightToTheVoices) {
    const test_support::ScopedEnvironment jack("JACK_DEFAULT_SERVER", "klangora-no-such-server");
    CountingSink sink;
    LiveSynth synth;
    MidiInput input(sink, {nullptr, &synth});
    if (input.alsaOpen()) {
        GTEST_SKIP() << "a real sequencer runs here; the test stands in for one";
    }
    ASSERT_NE(input.threadSide(), nullptr);
    const auto soundingAfterCallback = [&synth] {
        std::vector<float> out(256);
        synth.render(out, 48000);
        std::set<int> notes;
        for (int note = 0; note < 128; ++note) {
            if (synth.soundingNotes(VoiceSource::midi).test(std::size_t(note))) {
                notes.insert(note);
            }
        }
        return notes;
    };
    for (const auto& event : {noteOn(20, 60), noteOn(20, 64), noteOn(21, 67)}) {
        input.alsa().deliver(event);
    }
    EXPECT_EQ(soundingAfterCallback(), (std::set<int>{60, 64, 67}));
    EXPECT_TRUE(sink.sounding().empty()) << "the owner's thread played them";
    std::set<int> told;
    for (MidiNews news; input.threadSide()->takeNews(news);) {
        told.insert(news.kind == MidiNews::Kind::noteOn ? news.note : -1);
    }
    EXPECT_EQ(told, (std::set<int>{-1, 60, 64, 67})); // -1: the messages for the MIDI output
    input.alsa().deliver(portExit(20));
    EXPECT_EQ(soundingAfterCallback(), (std::set<int>{67}));
    input.releaseAll(); // the panic: 67's key is forgotten before the next bytes
    input.alsa().deliver(noteOn(21, 62));
    EXPECT_EQ(soundingAfterCallback(), (std::set<int>{62}));

    // A burst beyond the voices' queue while the audio side takes nothing: the notes wait in
    // order and sound once it takes them again, the last one too.
    for (int n = 0; n < 1500; ++n) {
        input.alsa().deliver(noteOn(22, 70));
        input.alsa().deliver(noteOff(22, 70));
    }
    input.alsa().deliver(noteOn(22, 72));
    std::set<int> sounding;
    for (int look = 0; look < 10 && !sounding.contains(72); ++look) {
        input.threadSide()->retryWaiting();
        sounding = soundingAfterCallback();
    }
    EXPECT_EQ(sounding, (std::set<int>{62, 72}));
}
