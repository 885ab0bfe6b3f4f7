// Writes the example pieces as Standard MIDI Files into the folder given as the only argument:
// format 1, a first track with the tempo and the piece's title, then one track per voice, each
// on a channel of its own, so that any MIDI player shows the four voices apart.
#include "core/music/midi_file_writer.h"
#include "sound/examples/example_pieces.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

using klangora::MidiTrackWriter;
using klangora::music::ExampleNote;
using klangora::music::ExamplePiece;

constexpr int kSequenceName = 0x03; // the meta event that names a sequence or a track
constexpr int kVelocity = 80;

std::vector<std::uint8_t> textBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

MidiTrackWriter conductorTrack(const ExamplePiece& piece) {
    MidiTrackWriter track;
    track.meta(0, kSequenceName, textBytes(piece.title));
    track.tempoBpm(0, klangora::music::kExampleQuarterNotesPerMinute);
    return track;
}

// A voice's notes in time order; where one ends as the next begins, the end comes first, so
// that a repeated tone is struck again.
MidiTrackWriter voiceTrack(const ExamplePiece& piece, int voice) {
    struct Event {
        std::uint32_t tick;
        bool on;
        int key;
    };
    std::vector<Event> events;
    for (const ExampleNote& note : piece.notes) {
        if (note.voice == voice) {
            events.push_back({note.startTick, true, note.key});
            events.push_back({note.endTick, false, note.key});
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : !a.on && b.on;
    });
    MidiTrackWriter track;
    track.meta(0, kSequenceName, textBytes(klangora::music::kExampleVoiceNames[voice]));
    for (const Event& event : events) {
        if (event.on) {
            track.noteOn(event.tick, voice, event.key, kVelocity);
        } else {
            track.noteOff(event.tick, voice, event.key);
        }
    }
    return track;
}

bool writePiece(const std::filesystem::path& folder, const ExamplePiece& piece) {
    std::vector<MidiTrackWriter> tracks{conductorTrack(piece)};
    for (int voice = 0; voice < klangora::music::kExampleVoiceCount; ++voice) {
        tracks.push_back(voiceTrack(piece, voice));
    }
    const std::vector<std::uint8_t> bytes =
        klangora::writeMidiFile({1, klangora::music::kExampleTicksPerQuarter}, tracks);
    std::ofstream file(folder / piece.fileName, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: klangora_write_examples FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const ExamplePiece& piece : klangora::music::allExamplePieces()) {
        if (!writePiece(folder, piece)) {
            std::fprintf(stderr, "klangora_write_examples: cannot write %s\n",
                         (folder / piece.fileName).c_str());
            return 1;
        }
    }
    return 0;
}
