// The cost of retuning as the user feels it: one arrow-key step and one preset click on the
// real window, each followed by a repaint of the whole window; and how soon the window answers
// while the triad table analyses the largest piece there can be.
#include "core/music/midi_file_reader.h"
#include "core/music/midi_file_writer.h"
#include "sound/sound_player.h"
#include "ui/classroom/classroom.h"
#include "ui/form1.h"
#include "ui/model/tuning_model.h"
#include "ui/music/triad_table.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

class SilentPlayer : public SoundPlayer {
public:
    void play(const std::vector<std::uint8_t>&) override {}
};

// Shows the window and waits until the platform has exposed it, so that repaints really paint.
void showExposed(TForm1& form) {
    form.show();
    while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QApplication::processEvents();
}

enum class Repaint { WhatChanged, WholeWindow };

// Up and Down in turn on the selected G, so the tone stays where it is over the run.
void arrowKeySteps(benchmark::State& state, Repaint repaint) {
    SilentPlayer player;
    TForm1 form(player);
    showExposed(form);
    form.knapMouseDown(8, 0); // the root G: its slider takes the keys
    auto* slider = form.findChild<QScrollBar*>("sb8");
    bool up = true;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, up ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(slider, &press);
        if (repaint == Repaint::WhatChanged) {
            QApplication::processEvents(); // the repaint the step asks for
        } else {
            form.repaint(); // the worst a step could cost
        }
        up = !up;
    }
}

void BM_ArrowKeyStep(benchmark::State& state) {
    arrowKeySteps(state, Repaint::WhatChanged);
}
BENCHMARK(BM_ArrowKeyStep)->Unit(benchmark::kMicrosecond);

void BM_ArrowKeyStepFullRepaint(benchmark::State& state) {
    arrowKeySteps(state, Repaint::WholeWindow);
}
BENCHMARK(BM_ArrowKeyStepFullRepaint)->Unit(benchmark::kMicrosecond);

// One arrow-key step with the repaint it asks for, at a zoom step: below 100 % the window is
// drawn whole through a scaled painter after Qt's own pass.
void BM_ArrowKeyStepAtZoom(benchmark::State& state) {
    SilentPlayer player;
    TForm1 form(player);
    showExposed(form);
    form.classroom().zoom().setPercent(static_cast<int>(state.range(0)));
    QApplication::processEvents();
    form.knapMouseDown(8, 0);
    auto* slider = form.findChild<QScrollBar*>("sb8");
    bool up = true;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, up ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(slider, &press);
        QApplication::processEvents();
        up = !up;
    }
    // The screens' ratio is the application's: the next benchmark starts at 100 %.
    form.classroom().zoom().setPercent(100);
}
BENCHMARK(BM_ArrowKeyStepAtZoom)
    ->Arg(75)
    ->Arg(90)
    ->Arg(100)
    ->Arg(150)
    ->Unit(benchmark::kMicrosecond);

void BM_PresetClick(benchmark::State& state) {
    SilentPlayer player;
    TForm1 form(player);
    showExposed(form);
    // Alternate two temperaments so that every click moves all eleven sliders.
    QPushButton* presets[] = {form.findChild<QPushButton*>("ren"),
                              form.findChild<QPushButton*>("werck3")};
    int next = 0;
    for (auto _ : state) {
        presets[next]->click();
        QApplication::processEvents();
        next = 1 - next;
    }
}
BENCHMARK(BM_PresetClick)->Unit(benchmark::kMicrosecond);

// Just under 16 MiB: one key struck 2.75 million times, every stroke held until all are struck.
std::shared_ptr<const klangora::Piece> largestPiece() {
    constexpr std::uint32_t kStrokes = 2'750'000;
    klangora::MidiTrackWriter track;
    for (std::uint32_t n = 0; n < 2 * kStrokes; ++n) {
        if (n < kStrokes) {
            track.noteOn(n, 0, 60);
        } else {
            track.noteOff(n, 0, 60);
        }
    }
    return std::make_shared<const klangora::Piece>(std::get<klangora::Piece>(
        klangora::readMidiFile(klangora::writeMidiFile({0, 480}, {track}))));
}

// The window's event loop is asked, again and again, to run a timer's call at once; the longest
// wait for the answer while the analysis runs is what a click or a key would wait at most.
void BM_WindowAnswerWhileAnalysingLargestPiece(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const auto piece = largestPiece();
    TuningModel model;
    double longestMs = 0.0;
    for (auto _ : state) {
        TriadTable table(model);
        table.analysePiece(piece);
        while (table.analysing()) {
            const Clock::time_point asked = Clock::now();
            bool answered = false;
            QTimer::singleShot(0, &table, [&answered] { answered = true; });
            while (!answered) {
                QApplication::processEvents();
            }
            const std::chrono::duration<double, std::milli> waited = Clock::now() - asked;
            longestMs = std::max(longestMs, waited.count());
        }
    }
    state.counters["longest_answer_ms"] = longestMs;
}
BENCHMARK(BM_WindowAnswerWhileAnalysingLargestPiece)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // A screen large enough for every zoom step: the zoom goes no larger than the screen allows.
    QTemporaryDir folder;
    QFile screens(folder.filePath("screens.json"));
    screens.open(QIODevice::WriteOnly);
    screens.write(R"({"screens": [{"name": "monitor", "x": 0, "y": 0, "width": 3840,
                     "height": 2160, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
