// The file is read in two passes: first every track's events with their absolute times in
// ticks (tempo changes among them, from whichever track they come), then, in time order, the
// ticks are turned into seconds by the tempo in force at each moment.
#include "core/music/midi_file_reader.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <vector>

namespace klangora {

namespace {

constexpr int kPercussionChannel = 9;
constexpr std::uint8_t kSustainController = 64;
constexpr std::uint8_t kMetaEvent = 0xFF;
constexpr std::uint8_t kMetaTempo = 0x51;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
// Until the file says otherwise a quarter note lasts half a second (120 per minute).
constexpr std::uint32_t kDefaultMicrosecondsPerQuarter = 500'000;

// An event on the tick axis, before the tempo map gives it a time in seconds.
struct TickEvent {
    std::uint64_t tick = 0;
    bool isTempo = false;
    std::uint32_t microsecondsPerQuarter = 0; // isTempo
    PieceEvent event;                         // otherwise
};

// How ticks become seconds: by quarter notes under the tempo map, or a fixed SMPTE tick.
struct Division {
    std::uint32_t ticksPerQuarter = 0;
    double smpteSecondsPerTick = 0; // non-zero for SMPTE time
};

struct Failure {
    MidiFileError error;
};

// Reads big-endian numbers and variable-length quantities from a stretch of bytes; running past
// its end throws the fault it was made with.
class ByteReader {
public:
    ByteReader(std::span<const std::uint8_t> bytes, std::uint64_t fileOffset, MidiFileFault pastEnd,
               int track)
        : m_bytes(bytes), m_fileOffset(fileOffset), m_pastEnd(pastEnd), m_track(track) {}

    bool atEnd() const { return m_position == m_bytes.size(); }
    std::size_t remaining() const { return m_bytes.size() - m_position; }
    std::uint64_t fileOffset() const { return m_fileOffset + m_position; }

    std::uint8_t byte() {
        need(1);
        return m_bytes[m_position++];
    }
    std::uint8_t peek() {
        need(1);
        return m_bytes[m_position];
    }
    std::uint32_t bigEndian(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            value = (value << 8) | byte();
        }
        return value;
    }
    // At most four bytes of seven bits each; a fifth would overflow what the format allows.
    std::uint32_t variableLength() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            value = (value << 7) | (b & 0x7Fu);
            if ((b & 0x80u) == 0) {
                return value;
            }
        }
        fail(MidiFileFault::badEvent);
    }
    std::span<const std::uint8_t> take(std::size_t count) {
        need(count);
        const auto part = m_bytes.subspan(m_position, count);
        m_position += count;
        return part;
    }
    [[noreturn]] void fail(MidiFileFault fault) const {
        throw Failure{{fault, m_track, fileOffset(), 0}};
    }

private:
    void need(std::size_t count) const {
        if (remaining() < count) {
            throw Failure{{m_pastEnd, m_track, m_fileOffset + m_bytes.size(), 0}};
        }
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    std::uint64_t m_fileOffset = 0;
    MidiFileFault m_pastEnd;
    int m_track = 0;
};

bool isPlayedChannel(int channel) {
    return channel != kPercussionChannel;
}

// A channel message whose status and first data byte are read; adds what the voices need.
void addChannelMessage(ByteReader& track, std::uint8_t status, std::uint8_t first,
                       std::uint64_t tick, std::vector<TickEvent>& events) {
    const int type = status >> 4;
    const auto channel = static_cast<std::uint8_t>(status & 0x0F);
    const bool twoDataBytes = type != 0xC && type != 0xD;
    const std::uint8_t second = twoDataBytes ? track.byte() : 0;
    if (first > 0x7F || second > 0x7F) {
        track.fail(MidiFileFault::badEvent);
    }
    if (!isPlayedChannel(channel)) {
        return;
    }
    using Kind = PieceEvent::Kind;
    auto add = [&](Kind kind, std::uint8_t key, std::uint8_t value) {
        events.push_back({tick, false, 0, {0, kind, channel, key, value}});
    };
    if (type == 0x9 && second > 0) {
        add(Kind::noteOn, first, second);
    } else if (type == 0x8 || type == 0x9) {
        add(Kind::noteOff, first, 0); // a note-on at velocity 0 is a note-off
    } else if (type == 0xB && first == kSustainController) {
        add(Kind::sustain, 0, second >= 64 ? 127 : 0);
    } else if (type == 0xC) {
        add(Kind::program, first, 0);
    }
}

void addMetaEvent(ByteReader& track, std::uint64_t tick, std::vector<TickEvent>& events,
                  bool& ended) {
    const std::uint8_t type = track.byte();
    const std::uint32_t length = track.variableLength();
    const auto data = track.take(length);
    if (type == kMetaEndOfTrack) {
        ended = true;
    } else if (type == kMetaTempo) {
        if (length != 3) {
            track.fail(MidiFileFault::badEvent);
        }
        const std::uint32_t microseconds =
            (std::uint32_t{data[0]} << 16) | (std::uint32_t{data[1]} << 8) | data[2];
        if (microseconds < 60e6 / kMaxQuarterNotesPerMinute) {
            track.fail(MidiFileFault::absurdTempo);
        }
        events.push_back({tick, true, microseconds, {}});
    }
}

// One track's events with their absolute ticks; returns the tick its end-of-track falls on.
std::uint64_t readTrack(ByteReader& track, std::vector<TickEvent>& events) {
    std::uint64_t tick = 0;
    std::optional<std::uint8_t> runningStatus;
    bool ended = false;
    while (!track.atEnd() && !ended) {
        tick += track.variableLength();
        const std::uint8_t lead = track.byte();
        if (lead == kMetaEvent) {
            addMetaEvent(track, tick, events, ended);
        } else if (lead == 0xF0 || lead == 0xF7) {
            // A system exclusive message, or a continuation or escape: its length, then bytes
            // that mean nothing to the voices.
            track.take(track.variableLength());
        } else if (lead >= 0xF0) {
            track.fail(MidiFileFault::badEvent);
        } else if (lead >= 0x80) {
            runningStatus = lead;
            addChannelMessage(track, lead, track.byte(), tick, events);
        } else if (runningStatus) {
            addChannelMessage(track, *runningStatus, lead, tick, events);
        } else {
            track.fail(MidiFileFault::badEvent);
        }
    }
    return tick;
}

Division readDivision(ByteReader& header) {
    const std::uint32_t raw = header.bigEndian(2);
    if ((raw & 0x8000u) == 0) {
        if (raw == 0) {
            header.fail(MidiFileFault::zeroDivision);
        }
        return {raw, 0};
    }
    // SMPTE time: the high byte is minus the frames per second, the low one ticks per frame.
    const int framesCode = -static_cast<std::int8_t>(raw >> 8);
    const std::uint32_t ticksPerFrame = raw & 0xFFu;
    double framesPerSecond = 0;
    switch (framesCode) {
    case 24:
    case 25:
    case 30:
        framesPerSecond = framesCode;
        break;
    case 29:
        framesPerSecond = 30000.0 / 1001; // NTSC drop-frame
        break;
    default:
        header.fail(MidiFileFault::badFrameRate);
    }
    if (ticksPerFrame == 0) {
        header.fail(MidiFileFault::zeroDivision);
    }
    return {0, 1 / (framesPerSecond * ticksPerFrame)};
}

// The tempo map: walks the events in tick order, adding up seconds under the tempo in force.
Piece timedPiece(std::vector<TickEvent>& events, std::uint64_t endTick, const Division& division) {
    // Stable: within one tick, tempo first, then note-offs, then the rest in file order, so a
    // note repeated on the same tick ends before it starts again.
    auto rank = [](const TickEvent& e) {
        return e.isTempo ? 0 : e.event.kind == PieceEvent::Kind::noteOff ? 1 : 2;
    };
    std::stable_sort(events.begin(), events.end(), [&](const TickEvent& a, const TickEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : rank(a) < rank(b);
    });
    Piece piece;
    piece.events.reserve(events.size());
    double secondsPerTick = division.smpteSecondsPerTick > 0
                                ? division.smpteSecondsPerTick
                                : kDefaultMicrosecondsPerQuarter * 1e-6 / division.ticksPerQuarter;
    double seconds = 0;
    std::uint64_t tick = 0;
    for (const TickEvent& e : events) {
        seconds += static_cast<double>(e.tick - tick) * secondsPerTick;
        tick = e.tick;
        if (e.isTempo) {
            // SMPTE time is absolute: tempo changes do not move it.
            if (division.smpteSecondsPerTick == 0) {
                secondsPerTick = e.microsecondsPerQuarter * 1e-6 / division.ticksPerQuarter;
            }
            continue;
        }
        PieceEvent timed = e.event;
        timed.seconds = seconds;
        piece.noteCount += timed.kind == PieceEvent::Kind::noteOn;
        piece.events.push_back(timed);
    }
    piece.lengthSeconds =
        seconds + static_cast<double>(endTick - std::min(endTick, tick)) * secondsPerTick;
    return piece;
}

struct Chunk {
    std::uint32_t type = 0;
    std::span<const std::uint8_t> body;
    std::uint64_t bodyOffset = 0;
};

constexpr std::uint32_t chunkType(const char (&name)[5]) {
    return (std::uint32_t(std::uint8_t(name[0])) << 24) |
           (std::uint32_t(std::uint8_t(name[1])) << 16) |
           (std::uint32_t(std::uint8_t(name[2])) << 8) | std::uint32_t(std::uint8_t(name[3]));
}

Chunk readChunk(ByteReader& file, int track) {
    const std::uint32_t type = file.bigEndian(4);
    const std::uint32_t length = file.bigEndian(4);
    if (length > file.remaining()) {
        throw Failure{{MidiFileFault::lyingLength, track, file.fileOffset() - 4, 0}};
    }
    const std::uint64_t offset = file.fileOffset();
    return {type, file.take(length), offset};
}

Piece readPiece(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        throw Failure{{MidiFileFault::empty, 0, 0, 0}};
    }
    ByteReader file(bytes, 0, MidiFileFault::truncated, 0);
    if (bytes.size() < 4 || file.bigEndian(4) != chunkType("MThd")) {
        throw Failure{{MidiFileFault::notMidi, 0, 0, 0}};
    }
    const std::uint32_t headerLength = file.bigEndian(4);
    if (headerLength < 6) {
        throw Failure{{MidiFileFault::badHeader, 0, 4, 0}};
    }
    ByteReader header(file.take(headerLength), 8, MidiFileFault::truncated, 0);
    const std::uint32_t format = header.bigEndian(2);
    const std::uint32_t trackCount = header.bigEndian(2);
    const Division division = readDivision(header);
    if (format == 2) {
        throw Failure{{MidiFileFault::formatTwo, 0, 8, 2}};
    }
    if (format > 2) {
        throw Failure{{MidiFileFault::unknownFormat, 0, 8, static_cast<int>(format)}};
    }
    std::vector<TickEvent> events;
    std::uint64_t endTick = 0;
    for (std::uint32_t found = 0; found < trackCount;) {
        const int trackNumber = static_cast<int>(found) + 1;
        if (file.atEnd()) {
            throw Failure{{MidiFileFault::truncated, trackNumber, file.fileOffset(), 0}};
        }
        const Chunk chunk = readChunk(file, trackNumber);
        if (chunk.type != chunkType("MTrk")) {
            continue; // chunks of other kinds are skipped, as readers must
        }
        ByteReader track(chunk.body, chunk.bodyOffset, MidiFileFault::eventPastTrack, trackNumber);
        endTick = std::max(endTick, readTrack(track, events));
        ++found;
    }
    Piece piece = timedPiece(events, endTick, division);
    if (piece.noteCount == 0) {
        throw Failure{{MidiFileFault::noNotes, 0, bytes.size(), 0}};
    }
    if (piece.lengthSeconds > kMaxPieceSeconds) {
        throw Failure{{MidiFileFault::tooLong, 0, bytes.size(), 0}};
    }
    return piece;
}

} // namespace

MidiFileResult readMidiFile(std::span<const std::uint8_t> bytes) {
    try {
        return readPiece(bytes);
    } catch (const Failure& failure) {
        return failure.error;
    }
}

MidiFileResult readMidiFile(const std::filesystem::path& path) {
    switch (fileProblem(path, FileKind::piece)) {
    case FileProblem::none:
        break;
    case FileProblem::tooLarge:
        return MidiFileError{MidiFileFault::tooLarge, 0, 0, 0};
    default:
        return MidiFileError{MidiFileFault::unreadable, 0, 0, 0};
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxMidiFileBytes) {
        return MidiFileError{MidiFileFault::unreadable, 0, 0, 0};
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in || !in.read(reinterpret_cast<char*>(bytes.data()),
                        static_cast<std::streamsize>(bytes.size()))) {
        return MidiFileError{MidiFileFault::unreadable, 0, 0, 0};
    }
    return readMidiFile(bytes);
}

} // namespace klangora
