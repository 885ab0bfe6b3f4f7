#include "support/window_test_support.h"

#include "core/presets.h"

#include <QScrollBar>
#include <QSignalSpy>

// The model's news of a retuning: exactly the tones that moved, one slider at a time.
class TuningModelTest : public QObject {
    Q_OBJECT

private slots:
    void sliderStepNamesItsTone();
    void presetNamesEachToneThatMoves();
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

void TuningModelTest::sliderStepNamesItsTone() {
    RecordingPlayer player;
    TForm1 form(player);
    QSignalSpy spy(&form.model(), &TuningModel::tonesChanged);
    slider(form, 8)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(masks(spy), QList<ToneMask>{toneBit(7)});
    // The thirds and fifths are current when the news arrives.
    QCOMPARE(form.model().tones().fifthCents[0], 702.0 - 0.05);
}

void TuningModelTest::presetNamesEachToneThatMoves() {
    RecordingPlayer player;
    TForm1 form(player);
    QSignalSpy spy(&form.model(), &TuningModel::tonesChanged);
    form.pytClick(); // the tuning it already has
    QVERIFY(spy.isEmpty());

    form.renClick();
    using klangora::PresetId;
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

QTEST_MAIN(TuningModelTest)
#include "tuning_model_test.moc"
