#include "core/presets.h"
#include "ui/model/tuning_model.h"

#include <QSignalSpy>
#include <QTest>

// The model's news, without any window: exactly the tones that moved, one at a time; what the
// tuning is; the key.
class TuningModelTest : public QObject {
    Q_OBJECT

private slots:
    void init() { model.setTuning(klangora::presetPositions(PresetId::pyt), pythagorean); }
    void handStepNamesItsTone();
    void presetNamesEachToneThatMoves();
    void identityFollowsHandAndWholeTunings();
    void keyChangesOnce();
    void eachChangeTellsTheWholeTuningOnce_data();
    void eachChangeTellsTheWholeTuningOnce();

private:
    using PresetId = klangora::PresetId;
    const TuningIdentity pythagorean = TuningIdentity::preset(PresetId::pyt);
    TuningModel model;
};

namespace {

QList<ToneMask> masks(const QSignalSpy& spy) {
    QList<ToneMask> seen;
    for (const QList<QVariant>& arguments : spy) {
        seen << arguments.at(0).value<ToneMask>();
    }
    return seen;
}

} // namespace

void TuningModelTest::handStepNamesItsTone() {
    QSignalSpy spy(&model, &TuningModel::tonesChanged);
    model.setPosition(8, model.position(8) + 1);
    QCOMPARE(masks(spy), QList<ToneMask>{toneBit(7)});
    // The thirds and fifths are current when the news arrives.
    QCOMPARE(model.tones().fifthCents[0], 702.0 - 0.05);
}

void TuningModelTest::presetNamesEachToneThatMoves() {
    QSignalSpy spy(&model, &TuningModel::tonesChanged);
    model.setTuning(klangora::presetPositions(PresetId::pyt), pythagorean); // already so
    QVERIFY(spy.isEmpty());

    model.setTuning(klangora::presetPositions(PresetId::ren),
                    TuningIdentity::preset(PresetId::ren));
    const auto from = klangora::presetPositions(PresetId::pyt);
    const auto to = klangora::presetPositions(PresetId::ren);
    QList<ToneMask> expected;
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        if (from[k - 2] != to[k - 2]) {
            expected << toneBit(k - 1);
        }
    }
    QVERIFY(expected.size() >= 8); // just intonation moves most tones of the Pythagorean
    QCOMPARE(masks(spy), expected);
}

// A hand step makes the tuning the learner's own once; a whole tuning names itself every time,
// the one already shown too, after its tones.
void TuningModelTest::identityFollowsHandAndWholeTunings() {
    QList<TuningIdentity> named;
    const QObject listener;
    connect(&model, &TuningModel::identityChanged, &listener,
            [&named](const TuningIdentity& identity) { named << identity; });
    model.setPosition(2, 5);
    model.setPosition(3, 5);
    QCOMPARE(named, QList<TuningIdentity>{TuningIdentity::own()});
    QCOMPARE(model.identity(), TuningIdentity::own());

    named.clear();
    const auto vallotti = TuningIdentity::temperament("vallotti");
    model.setTuning(klangora::presetPositions(PresetId::pyt), vallotti);
    model.setTuning(klangora::presetPositions(PresetId::pyt), vallotti);
    // The two hand-moved tones go back first, which says nothing new: it is still own.
    QCOMPARE(named, (QList<TuningIdentity>{vallotti, vallotti}));
    QVERIFY(!(vallotti == TuningIdentity::file("vallotti")));
}

void TuningModelTest::keyChangesOnce() {
    QSignalSpy spy(&model, &TuningModel::keyChanged);
    model.setKey(5);
    model.setKey(5);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 5);
    QCOMPARE(model.key(), 5);
}

// What sounds (the instrument, FluidSynth, a piece) follows tuningChanged: one whole tuning per
// change, however many tones it moves, and only after the tables and the name.
void TuningModelTest::eachChangeTellsTheWholeTuningOnce_data() {
    QTest::addColumn<int>("change");
    QTest::newRow("a preset moving eleven tones") << 0;
    QTest::newRow("a library temperament") << 1;
    QTest::newRow("an arrow step") << 2;
    QTest::newRow("an exercise's tuning") << 3;
}

void TuningModelTest::eachChangeTellsTheWholeTuningOnce() {
    QFETCH(int, change);
    model.setTuning(klangora::presetPositions(PresetId::lige),
                    TuningIdentity::preset(PresetId::lige));
    int told = 0;
    klangora::Tuning seenInTables;
    QObject listener;
    connect(&model, &TuningModel::tuningChanged, &listener,
            [this, &told, &seenInTables](const klangora::Tuning& tuning) {
                QCOMPARE(model.tones().toneCents[4], tuning.cents(4));
                seenInTables = tuning;
                ++told;
            });
    switch (change) {
    case 0:
        model.setTuning(klangora::Tuning::preset(PresetId::pyt));
        break;
    case 1:
        model.setTuning(klangora::presetPositions(PresetId::praet),
                        TuningIdentity::temperament("vallotti"));
        break;
    case 2:
        model.setPosition(5, model.position(5) + 1);
        break;
    default:
        model.setPositions(klangora::presetPositions(PresetId::ren));
    }
    QCOMPARE(told, 1);
    QVERIFY(seenInTables == model.tuning());
    QCOMPARE(model.tuning().identity(), model.identity());
}

QTEST_MAIN(TuningModelTest)
#include "tuning_model_test.moc"
