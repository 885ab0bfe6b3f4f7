// The real program, in a child process with a deadline, against what could freeze it, crash it
// or lose a file: FIFOs and sparse giants for files it reads, --render onto its own input, and
// signals while a render writes its hidden temporary file.
#include "core/music/midi_file_writer.h"
#include "support/child_process.h"
#include "ui/classroom/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace klangora;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

// One folder a process: CTest may run the cases side by side.
const fs::path kFolder = fs::path(KLANGORA_TEST_OUTPUT) / ("hostile-" + std::to_string(::getpid()));

std::string contentOf(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// A c every quarter note at 120 a minute.
void writePiece(const fs::path& path, std::uint32_t quarters) {
    MidiTrackWriter track;
    for (std::uint32_t q = 0; q < quarters; ++q) {
        track.noteOn(q * 480, 0, 60);
        track.noteOff(q * 480 + 470, 0, 60);
    }
    const auto bytes = writeMidiFile({0, 480}, {track});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool temporaryFileExists() {
    return std::any_of(fs::directory_iterator(kFolder), {}, [](const fs::directory_entry& e) {
        return e.path().filename().string().starts_with(".out.wav.");
    });
}

struct Case {
    const char* name;
    std::string command; // its file names (with a dot) lie in kFolder
    std::string ending;  // "exit N", "signal N" or "hung"
    const char* said = "";
    int signal = 0; // sent once the render's temporary file exists
    bool fifoSettings = false;
};

std::pair<std::string, std::string> run(const Case& c) {
    std::vector<std::string> argv = {KLANGORA_PROGRAM};
    std::istringstream words(c.command);
    for (std::string a; words >> a;) {
        argv.push_back(a.starts_with("-") || a.find('.') == a.npos ? a : (kFolder / a).string());
    }
    const std::string settings = (kFolder / (c.fifoSettings ? "fifo" : "plain")).string();
    test_support::ChildProcess child;
    std::string error;
    EXPECT_TRUE(child.start(argv, {{"DISPLAY", std::nullopt}, {"XDG_CONFIG_HOME", settings}},
                            kFolder / "output.txt", error))
        << error;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (child.running() && std::chrono::steady_clock::now() < deadline &&
           !(c.signal != 0 && temporaryFileExists())) {
        std::this_thread::sleep_for(2ms);
    }
    if (c.signal != 0 && child.running() && temporaryFileExists()) {
        child.end(c.signal, 10s);
    }
    const bool hung = child.running();
    const auto status = child.end(SIGKILL, 5s);
    return {hung     ? "hung"
            : status ? "exit " + std::to_string(*status)
                     : "signal " + std::to_string(child.endingSignal().value_or(0)),
            contentOf(kFolder / "output.txt")};
}

class HostileInput : public testing::TestWithParam<Case> {
protected:
    // A piece with a symbolic and a hard link to it, a long piece, FIFOs and sparse giants in
    // place of a tuning, a sound font and the settings.
    static void TearDownTestSuite() { fs::remove_all(kFolder); }
    static void SetUpTestSuite() {
        fs::create_directories(kFolder / "fifo" / "klangora");
        writePiece(kFolder / "piece.mid", 8);
        writePiece(kFolder / "long.mid", 7200); // an hour: seconds of rendering
        fs::create_symlink("piece.mid", kFolder / "link.mid");
        fs::create_hard_link(kFolder / "piece.mid", kFolder / "hard.mid");
        for (const char* name : {"fifo.scl", "fifo.sf2", "fifo/klangora/klangora.conf"}) {
            ASSERT_EQ(::mkfifo((kFolder / name).c_str(), 0600), 0) << name;
        }
        for (const auto& [name, size] :
             {std::pair{"huge.scl", 100ull << 30}, {"huge.sf2", 3ull << 30}}) {
            std::ofstream(kFolder / name).close();
            fs::resize_file(kFolder / name, size);
        }
    }
};

TEST_P(HostileInput, NeitherFreezesNorCrashesNorLosesAFile) {
    const std::string piece = contentOf(kFolder / "piece.mid");
    const auto [ending, output] = run(GetParam());
    EXPECT_EQ(ending, GetParam().ending) << output;
    EXPECT_NE(output.find(GetParam().said), std::string::npos) << output;
    EXPECT_EQ(contentOf(kFolder / "piece.mid"), piece) << "the piece was overwritten";
    EXPECT_FALSE(temporaryFileExists());
    fs::remove(kFolder / "out.wav");
}

const char* const kLongRender = "--render long.mid -o out.wav";

INSTANTIATE_TEST_SUITE_P(
    Table, HostileInput,
    testing::Values(
        Case{"TuningFifo", "--triads piece.mid --tuning fifo.scl", "exit 1", "kan ikke læses"},
        Case{"SparseTuning", "--render piece.mid --tuning huge.scl -o out.wav", "exit 1",
             "kan ikke læses"},
        Case{"SoundFontFifo", "--render piece.mid --sound organ --soundfont fifo.sf2 -o out.wav",
             "exit 0", "ikke en almindelig fil"},
        Case{"SparseSoundFont", "--render piece.mid --sound organ --soundfont huge.sf2 -o out.wav",
             "exit 0", "større end 2 GB"},
        Case{"SettingsFifo", "--version", "exit 0", "klangora ", 0, true},
        Case{"RenderOntoItsInput", "--render piece.mid -o piece.mid", "exit 1", "selve stykket"},
        Case{"RenderOntoASymbolicLink", "--render piece.mid -o link.mid", "exit 1", "selve"},
        Case{"RenderOntoAHardLink", "--render hard.mid -o piece.mid", "exit 1", "selve stykket"},
        Case{"Interrupt", kLongRender, "signal 2", "", SIGINT},
        Case{"Terminate", kLongRender, "signal 15", "", SIGTERM},
        Case{"HangUp", kLongRender, "signal 1", "", SIGHUP}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A remembered volume outside 0..100 is as good as none.
TEST(RememberedVolume, CountsOnlyWithinItsRange) {
    const fs::path file = Settings().fileName().toStdString();
    fs::create_directories(file.parent_path());
    using Volume = std::optional<int>;
    for (const auto& [text, volume] :
         {std::pair{"-5", Volume()}, {"101", Volume()}, {"0", Volume(0)}}) {
        std::ofstream(file) << "[sound]\nvolumePercent=" << text << "\n";
        EXPECT_EQ(Settings().volumePercent(), volume) << text;
    }
    fs::remove(file);
}

} // namespace
