#include "sound/music/piece_wav_file.h"

#include "sound/music/piece_renderer.h"
#include "sound/music/removed_on_signal.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <vector>

namespace klangora {

namespace {

constexpr std::size_t kFramesPerWrite = 1 << 15;
constexpr int kBytesPerSample = 2;

void appendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// RIFF/WAVE with a 16-byte PCM "fmt " record and the "data" chunk header: 44 bytes.
std::vector<std::uint8_t> wavHeader(int sampleRate, std::int64_t frames) {
    const auto dataBytes = static_cast<std::uint32_t>(frames * kBytesPerSample);
    std::vector<std::uint8_t> header = {'R', 'I', 'F', 'F'};
    appendLittleEndian(header, 36 + dataBytes, 4);
    header.insert(header.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    appendLittleEndian(header, 16, 4);
    appendLittleEndian(header, 1, 2); // PCM
    appendLittleEndian(header, 1, 2); // mono
    appendLittleEndian(header, static_cast<std::uint32_t>(sampleRate), 4);
    appendLittleEndian(header, static_cast<std::uint32_t>(sampleRate * kBytesPerSample), 4);
    appendLittleEndian(header, kBytesPerSample, 2);
    appendLittleEndian(header, 16, 2);
    header.insert(header.end(), {'d', 'a', 't', 'a'});
    appendLittleEndian(header, dataBytes, 4);
    return header;
}

std::int16_t pcm16(float sample) {
    return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

// The temporary file: hidden, beside the target, with a unique ending, and removed also when a
// signal ends the program before it is finished.
struct TemporaryFile {
    std::string path;
    std::FILE* file = nullptr;
    std::optional<RemovedOnSignal> guard;

    // Created with open(2) and mode 0666, so the finished file gets the permissions the user's
    // umask gives new files (mkstemp would make it private).
    explicit TemporaryFile(const std::filesystem::path& target) {
        const auto folder = target.has_parent_path() ? target.parent_path() : ".";
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && file == nullptr; ++attempt) {
            std::string name = ".";
            name += target.filename().string();
            name += '.';
            name += std::to_string(getpid());
            name += '-';
            name += std::to_string(counter++);
            name += ".tmp";
            const std::string candidate = (folder / name).string();
            // Guarded before it exists, so that no moment of its life is left unguarded.
            guard.emplace(candidate);
            const int descriptor =
                open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor < 0) {
                const int error = errno;
                guard.reset();
                if (error == EEXIST) {
                    continue;
                }
                errno = error; // for the caller's message
                return;
            }
            path = candidate;
            file = fdopen(descriptor, "wb");
            if (file == nullptr) {
                close(descriptor);
            }
        }
    }
    ~TemporaryFile() {
        if (file != nullptr) {
            std::fclose(file);
        }
        if (!path.empty()) {
            std::remove(path.c_str());
        }
        guard.reset();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool write(const void* data, std::size_t size) {
        return std::fwrite(data, 1, size, file) == size;
    }
    // Closes it and gives it the target's name; afterwards nothing is removed.
    bool finishAs(const std::filesystem::path& target) {
        const bool closed = std::fclose(file) == 0;
        file = nullptr;
        std::error_code error;
        if (closed) {
            std::filesystem::rename(path, target, error);
        }
        if (!closed || error) {
            return false;
        }
        path.clear();
        guard.reset();
        return true;
    }
};

SaveResult failure(const std::filesystem::path& path, const std::string& why) {
    return {SaveOutcome::failed,
            "Lyden kunne ikke gemmes som »" + path.filename().string() + "«: " + why};
}

} // namespace

SaveResult savePieceAsWav(const Piece& piece, const Tuning& tuning,
                          const std::filesystem::path& path, const SaveProgress& progress,
                          ExtraRenderer* sound) {
    TemporaryFile out(path);
    if (out.file == nullptr) {
        return failure(path,
                       std::string("filen kan ikke oprettes (") + std::strerror(errno) + ").");
    }
    PieceRenderer renderer(piece, tuning, kRenderSampleRate, sound);
    const std::vector<std::uint8_t> header = wavHeader(kRenderSampleRate, renderer.totalFrames());
    if (!out.write(header.data(), header.size())) {
        return failure(path, "disken er måske fuld.");
    }
    std::vector<float> samples(kFramesPerWrite);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kFramesPerWrite * kBytesPerSample);
    while (!renderer.finished()) {
        if (progress && !progress(static_cast<double>(renderer.renderedFrames()) /
                                  static_cast<double>(renderer.totalFrames()))) {
            return {SaveOutcome::cancelled, {}};
        }
        const std::size_t count = renderer.render(samples);
        bytes.clear();
        for (std::size_t i = 0; i < count; ++i) {
            appendLittleEndian(bytes, static_cast<std::uint16_t>(pcm16(samples[i])), 2);
        }
        if (!out.write(bytes.data(), bytes.size())) {
            return failure(path, "disken er måske fuld.");
        }
    }
    if (!out.finishAs(path)) {
        return failure(path, "filen kunne ikke få sit navn.");
    }
    if (progress) {
        progress(1.0);
    }
    return {SaveOutcome::saved, {}};
}

} // namespace klangora
