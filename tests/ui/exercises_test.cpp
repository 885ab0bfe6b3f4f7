// The "Øvelser" window driven by its own keys, with a fixed seed and its tones recorded: what it
// plays, how it scores, that nothing gives the answer away, and that the learner's tuning comes
// back however an exercise is left.
#include "support/hand_rendered.h"
#include "support/pitch.h"
#include "support/window_test_support.h"

#include "sound/instrument/live_instrument.h"

#include "core/exercises/which_temperament.h"
#include "core/presets.h"
#include "ui/exercises/exercise_tuning.h"
#include "ui/exercises/exercise_voices.h"
#include "ui/exercises/exercises_opener.h"
#include "ui/exercises/exercises_window.h"
#include "ui/exercises/live_exercise_voices.h"
#include "ui/exercises/pure_or_tempered_page.h"
#include "ui/exercises/tune_pure_page.h"
#include "ui/exercises/which_temperament_page.h"
#include "ui/exercises/window_exercise_tuning.h"
#include "ui/model/concealed_tone.h"
#include "ui/model/descriptions.h"
#include "ui/model/tuning_model.h"
#include "ui/music/music_session.h"
#include "ui/music/music_window.h"
#include "ui/texts/control_names.h"
#include "ui/texts/number_format.h"
#include "ui/widgets/shape.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>

using klangora::PresetId;
using klangora::SliderPositions;
using klangora::test_support::render;

namespace {

constexpr unsigned kSeed = 2024;

// The tones the exercises started and ended, and what sounds at the end.
class RecordingVoices : public ExerciseVoices {
public:
    struct Event {
        bool on;
        int id;
        double frequencyHz;
    };
    void on(int id, double frequencyHz, float) override {
        events.push_back({true, id, frequencyHz});
        sounding[id] = frequencyHz;
    }
    void off(int id) override {
        events.push_back({false, id, 0});
        sounding.erase(id);
    }
    void stopAll() override {
        ++stops;
        sounding.clear();
    }
    std::vector<double> startedHz() const {
        std::vector<double> hz;
        for (const Event& event : events) {
            if (event.on) {
                hz.push_back(event.frequencyHz);
            }
        }
        return hz;
    }
    std::vector<Event> events;
    std::map<int, double> sounding;
    int stops = 0;
};

// The pitch of a tone `cents` above c, as the learner's readouts give it.
double pitchHz(double cents) {
    return 261.6 * std::pow(2.0, cents / 1200.0);
}

struct Fixture {
    explicit Fixture(PresetId preset = PresetId::werck1)
        : tuning(model), window(tuning, voices, kSeed, SchedulePlayer::Clock::manual) {
        model.setPositions(klangora::presetPositions(preset));
        before = model.positions();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&window, key, modifiers);
    }
    TuningModel model;
    ModelExerciseTuning tuning;
    RecordingVoices voices;
    ExercisesWindow window;
    SliderPositions before{};
};

// A number with a unit that would tell the learner how far off the interval is.
const QRegularExpression kAmount(R"(\d+([.,]\d+)?\s*(cent|svævning))");

} // namespace

class ExercisesTest : public QObject {
    Q_OBJECT

private slots:
    void pureOrTemperedPlaysOnePureAndOneTemperedInterval();
    void pureOrTemperedStaircaseAndThreshold();
    void tunePureRoundScoredFromKeys_data();
    void tunePureRoundScoredFromKeys();
    void tunePureHidesTheDeviationWhileTheRoundRuns();
    void whichTemperamentPlaysWhatItNames();
    void whichTemperamentNeedsTwoToFour();
    void tuningComesBack_data();
    void tuningComesBack();
    void escapeStopsTheSoundAndClosesNothing();
    void playerKeepsTimeByItself();
    void openerMakesOneWindowAndGivesTheTuningBack();
    void windowHidesEveryIntervalOfTheTone_data();
    void windowHidesEveryIntervalOfTheTone();
    void windowMarksTriadsAndGivesTheirOutlinesBack();
    void mainWindowOpensTheExercisesByKeyAndMenu();
    void tunePureOnTheMainWindowGivesNothingAway();
    void nothingInSightFollowsTheMovingTone_data();
    void nothingInSightFollowsTheMovingTone();
    void liveVoicesSoundExactFrequenciesAndStopOnlyTheirOwn();
    void theExercisesAreAnsweredByClicking();
};

void ExercisesTest::pureOrTemperedPlaysOnePureAndOneTemperedInterval() {
    Fixture f;
    f.key(Qt::Key_Return);
    const auto& page = f.window.pureOrTempered();
    QVERIFY(page.isRunning());
    f.window.player().advanceTo(10'000);
    const auto& events = f.voices.events;
    QCOMPARE(events.size(), 8u);
    // Two held intervals, the first ending before the second begins.
    QVERIFY(events[0].on && events[1].on && !events[2].on && !events[3].on);
    QVERIFY(events[4].on && events[5].on && !events[6].on && !events[7].on);
    const double first = 1200.0 * std::log2(events[1].frequencyHz / events[0].frequencyHz);
    const double second = 1200.0 * std::log2(events[5].frequencyHz / events[4].frequencyHz);
    QCOMPARE(events[0].frequencyHz, events[4].frequencyHz);
    const bool third = std::fabs(first - 386.31) < 20;
    const double pure = third ? 1200.0 * std::log2(1.25) : 1200.0 * std::log2(1.5);
    const int pureAnswer = std::fabs(first - pure) < 1e-6 ? 1 : 2;
    QVERIFY(std::fabs(std::fabs((pureAnswer == 1 ? second : first) - pure) - 16.0) < 1e-9);
    QCOMPARE(page.exercise()->question().pureAnswer(), pureAnswer);
    // The root is one of c..h in Werckmeister III (c at 261.6 Hz).
    bool rootInTuning = false;
    const auto table = f.model.tuning().centsAboveC();
    for (const double cents : table) {
        rootInTuning = rootInTuning || std::fabs(pitchHz(cents) - events[0].frequencyHz) < 1e-6;
    }
    QVERIFY(rootInTuning);
}

void ExercisesTest::pureOrTemperedStaircaseAndThreshold() {
    Fixture f;
    QSignalSpy outcomes(&f.window, &ExercisesWindow::exerciseFinished);
    f.key(Qt::Key_Return);
    auto& page = f.window.pureOrTempered();
    // Right, right, wrong, six times over, then right twice: a sawtooth whose last six reversals
    // average 12.398 cents.
    const QString script = "RRWRRWRRWRRWRRWRRWRR";
    for (int n = 0; n < script.size(); ++n) {
        QVERIFY(page.awaitsAnswer());
        const int pure = page.exercise()->question().pureAnswer();
        f.key(script[n] == 'R' ? (pure == 1 ? Qt::Key_1 : Qt::Key_2)
                               : (pure == 1 ? Qt::Key_2 : Qt::Key_1));
        if (n + 1 < script.size()) {
            f.key(Qt::Key_Return);
        }
    }
    QVERIFY(!page.isRunning());
    QVERIFY2(page.statusText().contains(formatTenths(12.398)), qPrintable(page.statusText()));
    QVERIFY(page.scoreText().contains("14 af 20"));
    // At 12.4 cents a third on c beats 9.4 times a second, a fifth 5.6 times.
    QVERIFY(
        page.statusText().contains(formatTenths(9.40) + " svævninger i sekundet i en stor terts"));
    QVERIFY(page.statusText().contains(formatTenths(5.64) + " i en kvint"));

    // The same end in numbers: every answer in order, the tempering each was asked at.
    QCOMPARE(outcomes.size(), 1);
    const auto outcome = outcomes[0][0].value<klangora::ExerciseOutcome>();
    QCOMPARE(outcome.rounds(), 20);
    QCOMPARE(outcome.rightAnswers(), 14);
    QVERIFY(std::fabs(*outcome.thresholdCents - 12.398) < 1e-3);
    for (int n = 0; n < script.size(); ++n) {
        QCOMPARE(outcome.answers[static_cast<std::size_t>(n)].right, script[n] == 'R');
    }
    QCOMPARE(std::fabs(*outcome.answers[0].cents), 16.0);
}

void ExercisesTest::tunePureRoundScoredFromKeys_data() {
    QTest::addColumn<int>("stepsFromPure");
    QTest::addColumn<int>("preset");
    QTest::newRow("pure") << 0 << int(PresetId::werck1);
    QTest::newRow("three steps below") << 3 << int(PresetId::lige);
    QTest::newRow("a cent and two steps above") << -22 << int(PresetId::bach);
}

void ExercisesTest::tunePureRoundScoredFromKeys() {
    QFETCH(int, stepsFromPure);
    QFETCH(int, preset);
    Fixture f(static_cast<PresetId>(preset));
    f.window.showPage(f.window.tunePure());
    f.key(Qt::Key_Return);
    const auto& page = f.window.tunePure();
    QVERIFY(page.roundRuns());
    const auto round = page.exercise()->round();
    const int slider = round.sliderNumber;
    QCOMPARE(f.model.position(slider), round.startPosition);

    // Whole cents with Shift, the rest a twentieth at a time; Down lowers the tone.
    const int target = round.purePosition + stepsFromPure;
    int distance = target - round.startPosition;
    const Qt::Key towards = distance > 0 ? Qt::Key_Down : Qt::Key_Up;
    distance = std::abs(distance);
    for (int n = 0; n < distance / 20; ++n) {
        f.key(towards, Qt::ShiftModifier);
    }
    for (int n = 0; n < distance % 20; ++n) {
        f.key(towards);
    }
    QCOMPARE(f.model.position(slider), target);

    // Space sounds the interval as the sliders tune it.
    QTest::keyPress(&f.window, Qt::Key_Space);
    const auto& cents = f.model.tones().toneCents;
    const double lowerHz = pitchHz(cents[static_cast<std::size_t>(round.lowerToneIndex)]);
    const double upperHz = pitchHz(cents[static_cast<std::size_t>(round.upperToneIndex)]);
    QCOMPARE(f.voices.sounding.size(), 2u);
    QVERIFY(std::fabs(f.voices.sounding[0] - lowerHz) < 1e-6);
    QVERIFY(std::fabs(f.voices.sounding[1] - upperHz) < 1e-6);
    QTest::keyRelease(&f.window, Qt::Key_Space);
    QVERIFY(f.voices.sounding.empty());

    f.key(Qt::Key_Return);
    QVERIFY(!page.roundRuns());
    const auto result = page.exercise()->results().back();
    const bool third = round.upperToneIndex - round.lowerToneIndex == 4;
    const double pure = third ? 386.3137 : 701.955;
    const double interval = cents[static_cast<std::size_t>(round.upperToneIndex)] -
                            cents[static_cast<std::size_t>(round.lowerToneIndex)];
    QVERIFY(std::fabs(result.centsFromPure - (interval - pure)) < 1e-3);
    // The key script left it so many twentieths of a cent off (less what the nearest position to
    // pure misses by).
    QVERIFY(std::fabs(std::fabs(result.centsFromPure) - std::abs(stepsFromPure) / 20.0) <= 0.026);
    const double beats =
        third ? std::fabs(5 * lowerHz - 4 * upperHz) : std::fabs(3 * lowerHz - 2 * upperHz);
    QVERIFY(std::fabs(result.beatsPerSecond - beats) < 1e-6);
    QVERIFY2(page.statusText().contains(formatTenths(std::fabs(result.centsFromPure)) + " cent"),
             qPrintable(page.statusText()));
    QVERIFY(page.statusText().contains(formatTenths(beats) + " svævninger"));
}

void ExercisesTest::tunePureHidesTheDeviationWhileTheRoundRuns() {
    Fixture f;
    f.window.showPage(f.window.tunePure());
    f.key(Qt::Key_Return);
    for (int round = 0; round < 5; ++round) {
        QVERIFY(f.window.tunePure().roundRuns());
        f.key(Qt::Key_Down, Qt::ShiftModifier);
        for (const QString& text : shownTexts(f.window)) {
            QVERIFY2(!kAmount.match(text).hasMatch(), qPrintable(text));
        }
        f.key(Qt::Key_Return);
        // Uncovered: now the result is there to read.
        bool told = false;
        for (const QString& text : shownTexts(f.window)) {
            told = told || kAmount.match(text).hasMatch();
        }
        QVERIFY(told);
        f.key(Qt::Key_Return);
    }
    QVERIFY(!f.window.tunePure().isRunning());
    QCOMPARE(f.model.positions(), f.before);
}

void ExercisesTest::whichTemperamentPlaysWhatItNames() {
    Fixture f;
    auto& page = f.window.whichTemperament();
    f.window.showPage(page);
    using Ref = klangora::TemperamentRef;
    const std::vector<Ref> chosen{{Ref::Source::button, int(PresetId::pyt)},
                                  {Ref::Source::button, int(PresetId::praet)},
                                  {Ref::Source::library, 5}}; // Vallotti
    for (const Ref& ref : chosen) {
        page.choose(ref, true);
    }
    // A lesson asks for three questions instead of five.
    page.setRounds(3);
    QSignalSpy outcomes(&f.window, &ExercisesWindow::exerciseFinished);
    int right = 0;
    f.voices.events.clear();
    f.key(Qt::Key_Return);
    for (int question = 0; question < 3; ++question) {
        f.window.player().advanceTo(100'000);
        const std::vector<double> played = f.voices.startedHz();
        QCOMPARE(played.size(), 17u * 4u);
        f.key(Qt::Key_1);
        // The answer names one of the three; the passage was its c major, e and g as it tunes
        // them.
        const QString status = page.statusText();
        const QRegularExpression named("det var ([^,.]+)");
        const QString name = named.match(status).captured(1);
        int found = 0;
        for (const Ref& ref : chosen) {
            const auto caption = klangora::temperamentCaption(ref);
            const bool isNamed =
                name == QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
            const auto cents =
                klangora::Tuning(klangora::temperamentSliderPositions(ref)).centsAboveC();
            const bool sounds = std::fabs(played[2] - pitchHz(cents[4])) < 1e-6 &&
                                std::fabs(played[3] - pitchHz(cents[7])) < 1e-6;
            QCOMPARE(sounds, isNamed);
            if (isNamed) {
                ++found;
                // The diagram shows the one that sounded.
                QCOMPARE(f.model.positions(), klangora::temperamentSliderPositions(ref));
            }
        }
        QCOMPARE(found, 1);
        right += status.startsWith("Rigtigt");
        QVERIFY(status.contains("dur-treklangene på"));
        f.voices.events.clear();
        f.key(Qt::Key_Return);
    }
    QVERIFY(!page.isRunning());
    QVERIFY(page.statusText().contains(QString("%1 af 3 rigtige").arg(right)));
    QCOMPARE(f.model.positions(), f.before);
    const auto outcome = outcomes.at(0).at(0).value<klangora::ExerciseOutcome>();
    QCOMPARE(outcome.rounds(), 3);
    QCOMPARE(outcome.rightAnswers(), right);
    for (const auto& answer : outcome.answers) {
        QCOMPARE(answer.right, answer.played == answer.chosen);
        QVERIFY(std::find(outcome.temperaments.begin(), outcome.temperaments.end(),
                          answer.played) != outcome.temperaments.end());
    }
}

void ExercisesTest::whichTemperamentNeedsTwoToFour() {
    Fixture f;
    auto& page = f.window.whichTemperament();
    f.window.showPage(page);
    page.choose({klangora::TemperamentRef::Source::button, 0}, true);
    f.key(Qt::Key_Return);
    QVERIFY(!page.isRunning());
    QVERIFY(page.statusText().contains("mindst to"));
    for (int n = 1; n < 5; ++n) {
        page.choose({klangora::TemperamentRef::Source::library, n}, true);
    }
    f.key(Qt::Key_Return);
    QVERIFY(!page.isRunning());
    page.choose({klangora::TemperamentRef::Source::library, 4}, false);
    f.key(Qt::Key_Return);
    QVERIFY(page.isRunning());
}

void ExercisesTest::tuningComesBack_data() {
    QTest::addColumn<int>("exercise");
    QTest::addColumn<QString>("leaving");
    for (int exercise = 0; exercise < 3; ++exercise) {
        for (const char* leaving : {"another tab", "closing", "starting over"}) {
            QTest::addRow("exercise %d, %s", exercise, leaving) << exercise << QString(leaving);
        }
    }
}

void ExercisesTest::tuningComesBack() {
    QFETCH(int, exercise);
    QFETCH(QString, leaving);
    Fixture f(PresetId::bach);
    ExercisePage* pages[] = {&f.window.pureOrTempered(), &f.window.tunePure(),
                             &f.window.whichTemperament()};
    ExercisePage& page = *pages[exercise];
    f.window.whichTemperament().choose({klangora::TemperamentRef::Source::button, 0}, true);
    f.window.whichTemperament().choose({klangora::TemperamentRef::Source::button, 1}, true);
    f.window.show();
    f.window.showPage(page);
    f.key(Qt::Key_Return);
    QVERIFY(page.isRunning());
    // Something moves: a tone off pure, or the answer's tuning onto the diagram.
    f.key(Qt::Key_Up, Qt::ShiftModifier);
    f.key(Qt::Key_1);
    if (exercise > 0) {
        QVERIFY(f.model.positions() != f.before);
    }
    if (leaving == "another tab") {
        f.window.showPage(*pages[(exercise + 1) % 3]);
    } else if (leaving == "closing") {
        f.window.close();
    } else {
        page.start();
        QCOMPARE(f.model.positions() == f.before, exercise != 1);
        page.leave();
    }
    QVERIFY(!page.isRunning());
    QCOMPARE(f.model.positions(), f.before);
}

void ExercisesTest::escapeStopsTheSoundAndClosesNothing() {
    Fixture f;
    f.window.show();
    f.key(Qt::Key_Return);
    QVERIFY(f.window.player().isPlaying());
    QVERIFY(!f.voices.sounding.empty());
    f.key(Qt::Key_Escape);
    QVERIFY(f.voices.sounding.empty());
    QVERIFY(!f.window.player().isPlaying());
    QVERIFY(f.window.isVisible());
    QVERIFY(f.window.pureOrTempered().isRunning());
    // Space plays the question again.
    f.key(Qt::Key_Space);
    QCOMPARE(f.voices.sounding.size(), 2u);
}

// On the real clock: a tone that ends where the next begins ends first, so that the same pitch
// repeated sounds anew, and the end of the schedule is announced.
void ExercisesTest::playerKeepsTimeByItself() {
    RecordingVoices voices;
    SchedulePlayer player(voices);
    QSignalSpy finished(&player, &SchedulePlayer::finished);
    player.play({{0, 440.0, 0, 40}, {1, 440.0, 40, 80}});
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(voices.events.size(), 4u);
    const std::vector<std::pair<bool, int>> expected{{true, 0}, {false, 0}, {true, 1}, {false, 1}};
    for (std::size_t n = 0; n < expected.size(); ++n) {
        QCOMPARE(voices.events[n].on, expected[n].first);
        QCOMPARE(voices.events[n].id, expected[n].second);
    }
    QVERIFY(!player.isPlaying());
    QCOMPARE(voices.stops, 0);
}

void ExercisesTest::openerMakesOneWindowAndGivesTheTuningBack() {
    QWidget main;
    TuningModel model;
    model.setPositions(klangora::presetPositions(PresetId::praet));
    const SliderPositions before = model.positions();
    RecordingVoices voices;
    {
        ExercisesOpener opener(main, std::make_unique<ModelExerciseTuning>(model), voices, kSeed);
        opener.open();
        ExercisesWindow* window = opener.window();
        QVERIFY(window != nullptr && window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Øvelser"));
        opener.open();
        QCOMPARE(opener.window(), window);
        window->showPage(window->tunePure());
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(model.positions() != before);
    }
    QCOMPARE(model.positions(), before);
    QVERIFY(main.findChildren<ExercisesWindow*>().isEmpty());
}

namespace {

// A window of the diagram's named marks and bars; like the diagram, it writes each mark's text
// anew at every retuning.
struct NamedControls {
    NamedControls() {
        for (int column = 1; column <= 13; ++column) {
            for (int row = 0; row <= 2; ++row) {
                auto* mark = new Shape(Shape::Kind::Ellipse, &window);
                mark->setObjectName(controls::markName(column, row));
                mark->setPenColor(Qt::black);
                typed.marks[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = mark;
            }
            for (int row = 1; row <= 2; ++row) {
                auto* bar = new Shape(Shape::Kind::Rectangle, &window);
                bar->setObjectName(controls::barName(column, row));
                typed.bars[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = bar;
            }
        }
        typed.concealed = &concealed;
        QObject::connect(&model, &TuningModel::tonesChanged, &window, [this] {
            for (auto* mark : window.findChildren<Shape*>()) {
                mark->setToolTip("13,7 cent fra ren, 10,4 svævninger i sekundet");
                mark->setAccessibleDescription(mark->toolTip());
            }
        });
        window.show();
        emit model.tonesChanged(0);
    }
    QWidget* named(const QString& name) const { return window.findChild<QWidget*>(name); }
    QWidget window;
    TuningModel model;
    ConcealedTone concealed;
    WindowExerciseTuning::Controls typed;
};

} // namespace

void ExercisesTest::windowHidesEveryIntervalOfTheTone_data() {
    QTest::addColumn<int>("tone");
    QTest::addColumn<QList<int>>("thirds"); // columns of the thirds that sound the tone
    QTest::addColumn<QList<int>>("fifths");
    QTest::newRow("e: c-e, c'-e', e-g#; a-e, e-h")
        << 4 << QList<int>{1, 5, 13} << QList<int>{5, 10};
    QTest::newRow("c#, moved by the third on a") << 1 << QList<int>{2, 10} << QList<int>{2, 7};
    QTest::newRow("g: c-g and c'-g'") << 7 << QList<int>{4, 8} << QList<int>{1, 8, 13};
    QTest::newRow("h, the last column") << 11 << QList<int>{8, 12} << QList<int>{5, 12};
}

void ExercisesTest::windowHidesEveryIntervalOfTheTone() {
    QFETCH(int, tone);
    QFETCH(QList<int>, thirds);
    QFETCH(QList<int>, fifths);
    NamedControls controls;
    WindowExerciseTuning tuning(controls.typed, controls.model);
    tuning.hideIntervalsWith(tone);
    QCOMPARE(controls.concealed.tone(), std::optional<int>(tone));
    controls.model.setPosition(5, 100); // the diagram writes its texts anew
    int hidden = 0;
    for (QWidget* widget : controls.window.findChildren<QWidget*>()) {
        hidden += widget->isHidden() ? 1 : 0;
    }
    QCOMPARE(hidden, 2 * (thirds.size() + fifths.size()));
    const QList<QList<int>> rows{{tone + 1}, thirds, fifths};
    for (int row = 0; row <= 2; ++row) {
        for (const int column : rows[row]) {
            QWidget* mark = controls.named(controls::markName(column, row));
            // The root mark stays in sight, since only its words tell its pitch.
            QCOMPARE(mark->isHidden(), row > 0);
            QVERIFY(mark->toolTip().isEmpty() && mark->accessibleDescription().isEmpty());
            QVERIFY(row == 0 || controls.named(controls::barName(column, row))->isHidden());
        }
    }
    tuning.uncoverInterval();
    QVERIFY(!controls.concealed.tone());
    for (const int column : thirds) {
        QWidget* mark = controls.named(controls::markName(column, 1));
        QVERIFY(mark->isVisible());
        // Its own text again, of the tuning as it now is.
        QCOMPARE(mark->toolTip(), descriptions::markDescription(controls.model.tones(), column, 1));
    }
}

void ExercisesTest::windowMarksTriadsAndGivesTheirOutlinesBack() {
    NamedControls controls;
    WindowExerciseTuning tuning(controls.typed, controls.model);
    tuning.markTriads({8, 1});
    const auto outline = [&](int column, int row) {
        return static_cast<Shape*>(controls.named(controls::markName(column, row)))->penColor();
    };
    for (const int column : {9, 2}) {
        for (int row = 0; row <= 2; ++row) {
            QVERIFY(outline(column, row) != QColor(Qt::black));
        }
    }
    QCOMPARE(outline(3, 0), QColor(Qt::black));
    tuning.markTriads({});
    QCOMPARE(outline(9, 1), QColor(Qt::black));
}

void ExercisesTest::mainWindowOpensTheExercisesByKeyAndMenu() {
    TestWindow opened;
    auto& [player, form] = opened;
    QVERIFY(activate(form));
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        for (const QAction* action : menu->actions()) {
            entries << action->text() + " " + action->shortcut().toString();
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, {20, 20},
                            form.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&form, &event);
    QVERIFY2(entries.contains("Øvelser … Ctrl+E"), qPrintable(entries.join("; ")));
    QVERIFY(form.findChild<ExercisesWindow*>() == nullptr);

    // The offscreen platform leaves no window active after a popup has closed.
    QVERIFY(activate(form));
    pressKey(form, Qt::Key_E, Qt::ControlModifier);
    auto* window = form.findChild<ExercisesWindow*>();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QString("Øvelser"));
    // The hint names the key.
    QVERIFY(child<QWidget>(form, "plFlytMedPil")->toolTip().contains("Ctrl+E åbner øvelserne"));
}

// A round on the real window, which starts Pythagorean: the interval's marks, bars and readouts
// are out of sight, no visible text tells its deviation, the message panel speaks of the round,
// and afterwards the tuning is Pythagorean again by name.
void ExercisesTest::tunePureOnTheMainWindowGivesNothingAway() {
    TestWindow opened;
    auto& [player, form] = opened;
    QVERIFY(activate(form));
    const SliderPositions before = form.model().positions();
    child<QAction>(form, "openExercisesAction")->trigger();
    auto* window = form.findChild<ExercisesWindow*>();
    window->showPage(window->tunePure());
    for (int round = 0; round < 5; ++round) {
        QTest::keyClick(window, Qt::Key_Return);
        const auto& page = window->tunePure();
        QVERIFY(page.roundRuns());
        QTest::keyClick(window, Qt::Key_Down, Qt::ShiftModifier);
        const auto r = page.exercise()->round();
        const int row = r.upperToneIndex - r.lowerToneIndex == 4 ? 1 : 2;
        QList<int> columns{r.lowerToneIndex + 1};
        if (r.lowerToneIndex == 0) {
            columns << 13;
        }
        QVERIFY(!readout(form, r.movingToneIndex % 12 + 1)->isVisible());
        QVERIFY(!child<QWidget>(form, controls::sliderName(r.sliderNumber))->isVisible());
        for (const int column : columns) {
            QVERIFY(!mark(form, column, row)->isVisible());
            QVERIFY(!bar(form, column, row)->isVisible());
            // What the mark would say, said nowhere in sight (the white marks of F's fifth and
            // G#'s third say only that c is fixed, which other white marks say too).
            const QString told = descriptions::markDescription(form.model().tones(), column, row);
            if (told == mark(form, 1, 0)->accessibleDescription()) {
                continue;
            }
            QVERIFY(told.contains("cent"));
            QList<QWidget*> widgets = form.findChildren<QWidget*>();
            widgets << window->findChildren<QWidget*>();
            for (const QWidget* widget : widgets) {
                if (!widget->isVisible()) {
                    continue;
                }
                for (const QString& text : {widget->toolTip(), widget->accessibleDescription(),
                                            widget->accessibleName()}) {
                    QVERIFY2(!text.contains(told), qPrintable(widget->objectName()));
                }
            }
        }
        QVERIFY(labelText(form, "DuHoer").contains("Stem rent"));
        QTest::keyClick(window, Qt::Key_Return);
        for (const int column : columns) {
            QVERIFY(mark(form, column, row)->isVisible());
            QCOMPARE(mark(form, column, row)->toolTip(),
                     descriptions::markDescription(form.model().tones(), column, row));
        }
    }
    QTest::keyClick(window, Qt::Key_Return);
    QVERIFY(!window->tunePure().isRunning());
    QCOMPARE(form.model().positions(), before);
    QCOMPARE(form.model().identity(), TuningIdentity::preset(PresetId::pyt));
    QCOMPARE(labelText(form, "lbStemning"), QString("Pythagoræisk stemning"));
    QVERIFY(labelText(form, "DuHoer").contains("Stem rent: i gennemsnit"));
}

namespace {
constexpr int kRenderRate = 48000;
} // namespace

// The exercises' voices on the live instrument: their frequencies as given, a voice sounded
// again glides to its new one, and stopping them leaves a key the learner holds sounding.
void ExercisesTest::liveVoicesSoundExactFrequenciesAndStopOnlyTheirOwn() {
    using klangora::test_support::magnitudeAt;
    using klangora::test_support::strongestHz;
    const auto handRendered = klangora::test_support::handRendered();
    klangora::LiveInstrument& instrument = *handRendered;
    LiveExerciseVoices voices(instrument);
    instrument.noteOn(klangora::VoiceSource::computerKeys, 67); // g, 392 Hz in equal tuning
    voices.on(0, 261.6, 0.8f);
    voices.on(1, 261.6 * 1.25, 0.8f);
    render(instrument.synth(), 0.1);
    auto samples = render(instrument.synth(), 0.5);
    QVERIFY(std::fabs(strongestHz(samples, kRenderRate, 255, 268) - 261.6) < 0.2);
    QVERIFY(std::fabs(strongestHz(samples, kRenderRate, 320, 334) - 327.0) < 0.2);
    voices.on(1, 330.0, 0.8f);
    render(instrument.synth(), 0.3);
    samples = render(instrument.synth(), 0.5);
    QVERIFY(std::fabs(strongestHz(samples, kRenderRate, 320, 334) - 330.0) < 0.2);
    voices.stopAll();
    render(instrument.synth(), 0.5);
    samples = render(instrument.synth(), 0.5);
    QVERIFY(magnitudeAt(samples, kRenderRate, 392.0) > 0.02);
    QVERIFY(magnitudeAt(samples, kRenderRate, 261.6) < 0.002);
    QVERIFY(magnitudeAt(samples, kRenderRate, 330.0) < 0.002);
}

void ExercisesTest::theExercisesAreAnsweredByClicking() {
    Fixture f;
    const auto click = [](QWidget& page, const char* name) {
        page.findChild<QAbstractButton*>(name)->click();
    };
    PureOrTemperedPage& pure = f.window.pureOrTempered();
    click(pure, "nextQuestion"); // as Enter: starts
    click(pure, "answerSecond");
    QCOMPARE(pure.exercise()->staircase().answers(), 1);
    WhichTemperamentPage& which = f.window.whichTemperament();
    which.choose({klangora::TemperamentRef::Source::button, 0}, true);
    which.choose({klangora::TemperamentRef::Source::button, 6}, true);
    click(which, "nextQuestion");
    click(which, "answer2");
    QVERIFY(!which.awaitsAnswer());
}

namespace {

// Everything in sight in the program's windows, or told of it, sorted: each visible widget's
// place and text, every widget's texts for hover and screen readers (which reach hidden widgets
// too), and every table's cells.
QStringList everythingInSight() {
    QStringList seen;
    for (const QWidget* widget : QApplication::allWidgets()) {
        const auto* table = qobject_cast<const QTableWidget*>(widget);
        for (int row = 0; table != nullptr && row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                seen << table->item(row, column)->text();
            }
        }
        const bool visible = widget->isVisible();
        const QRect r = visible ? widget->geometry() : QRect();
        seen << QString("%1 %2 %3 %4 %5: %6|%7|%8|%9")
                    .arg(widget->objectName())
                    .arg(r.x())
                    .arg(r.y())
                    .arg(r.width())
                    .arg(r.height())
                    .arg(visible ? widget->property("text").toString() : QString(),
                         widget->toolTip(), widget->accessibleName(),
                         widget->accessibleDescription());
    }
    seen.sort();
    return seen;
}

} // namespace

void ExercisesTest::nothingInSightFollowsTheMovingTone_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("frequency") << "rbFre";
    QTest::newRow("cents") << "rbCent";
    QTest::newRow("thirds") << "rbterts";
    QTest::newRow("fifths") << "rbkvint";
}

// With the music window open and the focus back in the main window after a click there, the
// exercise still answers its keys, and moving the hidden tone changes nothing anyone can see or
// hear told, in any readout mode.
void ExercisesTest::nothingInSightFollowsTheMovingTone() {
    QFETCH(QString, mode);
    RecordingPlayer player;
    klangora::LiveInstrument instrument;
    TestWindow opened(player, instrument);
    TForm1& form = opened.form;
    QVERIFY(activate(form));
    form.music().window().show();
    child<QAction>(form, "openExercisesAction")->trigger();
    auto* window = form.findChild<ExercisesWindow*>();
    window->showPage(window->tunePure());
    QTest::keyClick(window, Qt::Key_Return);
    QVERIFY(window->tunePure().roundRuns());
    QVERIFY(activate(form));
    QTest::mouseClick(child<QAbstractButton>(form, mode), Qt::LeftButton);
    // The start-up timers' arrangement in fifths, and the windows' layouts, settled first.
    QTRY_COMPARE(child<QAbstractButton>(form, "kromkvint")->text(),
                 QString("vis i KROMATISK opstilling"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QStringList before = everythingInSight();
    const SliderPositions positions = form.model().positions();
    pressKey(form, Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(form.model().positions() != positions);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(everythingInSight(), before);
    // Space in the main window sounds the round's interval.
    QTest::keyPress(form.windowHandle(), Qt::Key_Space);
    const std::vector<double> sound = render(instrument.synth(), 0.2);
    QVERIFY(*std::max_element(sound.begin(), sound.end()) > 0.01);
    QTest::keyRelease(form.windowHandle(), Qt::Key_Space);
}

QTEST_MAIN(ExercisesTest)
#include "exercises_test.moc"
