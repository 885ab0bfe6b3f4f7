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

QTEST_MAIN(TuningModelTest)
#include "tuning_model_test.moc"
