// Every named step and handler of the window, called directly as the lessons, the command line
// and the older callers call it, and what it leaves behind in the parts the window shows. Each
// starts from the settled window: Pythagorean, in the fifths arrangement, nothing selected.
#include "support/window_test_support.h"

#include "ui/widgets/shape.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

using klangora::PresetId;

namespace {

using Action = void (*)(TestWindow&);

template <void (TForm1::*step)()> void call(TestWindow& w) {
    (w.form.*step)();
}

// The third above E, which stands for G# (tone 9).
void selectGSharp(TestWindow& w) {
    w.form.knapMouseDown(5, 1);
}

// E chosen as the key, then G# selected.
void inEWithGSharp(TestWindow& w) {
    keyButton(w.form, 5)->click();
    selectGSharp(w);
}

QString file(const char* name) {
    static QTemporaryDir folder;
    return folder.filePath(name);
}

// Its positions and identity (each caption is the presets' test's); the selection gone with its
// outline, red names and hint, while the key chosen before stays marked.
template <PresetId id> void showsPreset(TestWindow& w) {
    QCOMPARE(w.form.model().positions(), klangora::presetPositions(id));
    QCOMPARE(w.form.model().identity(), TuningIdentity::preset(id));
    QCOMPARE(w.form.selection().selectedTone(), 14);
    QCOMPARE(widePens(w.form), 0);
    QCOMPARE(textColour(note(w.form, 9)), QColor(Qt::black));
    QCOMPARE(textColour(readout(w.form, 9)), QColor(Qt::black));
    const auto* hint = child<QLabel>(w.form, "plFlytMedPil");
    QCOMPARE(hint->text(), QString(kClickHint));
    QCOMPARE(hint->font().pointSize(), 8);
    QCOMPARE(note(w.form, 5)->font().pointSize(), 14);
}

// The button's caption, G's root mark and H's fifth bar back in the chromatic arrangement.
void isChromatic(TestWindow& w) {
    QCOMPARE(child<QPushButton>(w.form, "kromkvint")->text(), QString("vis i KVINT-opstilling"));
    QCOMPARE(mark(w.form, 8, 0)->x(), 410);
    QCOMPARE(bar(w.form, 12, 2)->x(), 580);
}

// A sequence's first step shows its message, in the click, before anything sounds (the jazz
// chorale in Bb, the others in C).
template <int nextStep> void tells(TestWindow& w) {
    static const QString messages[] = {"Du hører en C-durtreklang, med REN terts og REN kvint",
                                       "Koral: En 4-stemmig sats i C-dur uden kromatik",
                                       "\"Jazz-koral\": En 4-stemmig sats i Bb-dur med kromatik"};
    QVERIFY(child<QLabel>(w.form, "DuHoer")->isVisible());
    QCOMPARE(labelText(w.form, "DuHoer"), messages[nextStep / 10]);
    QCOMPARE(w.form.sequence().sequenceStep(), nextStep);
    QVERIFY(child<QTimer>(w.form, "Timer3")->isActive());
    QVERIFY(w.player.images.empty());
}

const struct {
    const char* name;
    Action prepare;
    Action step;
    Action check;
} kForwarders[] = {
    {"nodetykkelse", selectGSharp, call<&TForm1::nodetykkelse>,
     [](TestWindow& w) {
         QCOMPARE(widePens(w.form) + redTones(w.form).size(), 0);
         QVERIFY(w.form.selection().hasSelection()); // only its marks are gone
     }},
    // The reference lines belong to the window's painting: the step leaves the picture alone.
    {"tegnRenStreg", [](TestWindow& w) { w.form.setProperty("shot", w.form.grab().toImage()); },
     call<&TForm1::tegnRenStreg>,
     [](TestWindow& w) { QCOMPARE(w.form.grab().toImage(), w.form.property("shot")); }},
    {"focus", [](TestWindow& w) { selectGSharp(w), w.form.nodetykkelse(); }, call<&TForm1::focus>,
     [](TestWindow& w) {
         QCOMPARE(mark(w.form, 5, 1)->penWidth(), kSelectedPen);
         QTRY_COMPARE(QApplication::focusWidget(), slider(w.form, 9));
     }},
    {"tonemark", selectGSharp, call<&TForm1::tonemark>,
     [](TestWindow& w) {
         QCOMPARE(widePens(w.form), 0);
         QCOMPARE(labelText(w.form, "plFlytMedPil"), QString(kClickHint));
     }},
    {"pytClick", [](TestWindow& w) { w.form.ligeClick(), inEWithGSharp(w); },
     call<&TForm1::pytClick>, showsPreset<PresetId::pyt>},
    {"renClick", inEWithGSharp, call<&TForm1::renClick>, showsPreset<PresetId::ren>},
    {"praetClick", inEWithGSharp, call<&TForm1::praetClick>, showsPreset<PresetId::praet>},
    {"bachClick", inEWithGSharp, call<&TForm1::bachClick>, showsPreset<PresetId::bach>},
    {"werck1Click", inEWithGSharp, call<&TForm1::werck1Click>, showsPreset<PresetId::werck1>},
    {"werck3Click", inEWithGSharp, call<&TForm1::werck3Click>, showsPreset<PresetId::werck3>},
    {"ligeClick", inEWithGSharp, call<&TForm1::ligeClick>, showsPreset<PresetId::lige>},
    {"kromkvintClick", nullptr, call<&TForm1::kromkvintClick>, isChromatic},
    // Both start-up timers have run and stopped: Timer1's step, called by hand, starts it again;
    // Timer2's leaves it off and turns the arrangement.
    {"Timer1Timer", nullptr, call<&TForm1::Timer1Timer>,
     [](TestWindow& w) { QVERIFY(child<QTimer>(w.form, "Timer1")->isActive()); }},
    {"Timer2Timer", nullptr, call<&TForm1::Timer2Timer>,
     [](TestWindow& w) {
         QVERIFY(!child<QTimer>(w.form, "Timer2")->isActive());
         isChromatic(w);
     }},
    // The tick after the comparison's message plays the pure triad.
    {"Timer3Timer", call<&TForm1::BitBtn1Click>, call<&TForm1::Timer3Timer>,
     [](TestWindow& w) {
         QCOMPARE(w.player.images.size(), std::size_t(1));
         QCOMPARE(w.form.sequence().sequenceStep(), 2);
     }},
    {"BitBtn1Click", nullptr, call<&TForm1::BitBtn1Click>, tells<1>},
    {"BitBtn2Click", nullptr, call<&TForm1::BitBtn2Click>, tells<11>},
    {"BitBtn3Click", [](TestWindow& w) { clickKey(w.form, 11); }, call<&TForm1::BitBtn3Click>,
     tells<21>},
    {"knapMouseDown", nullptr, selectGSharp,
     [](TestWindow& w) {
         QCOMPARE(mark(w.form, 5, 1)->penWidth(), kSelectedPen);
         QCOMPARE(redTones(w.form), QList<int>{9});
     }},
    {"openTuning", [](TestWindow& w) { w.form.saveTuning(file("pyt.scl")), w.form.ligeClick(); },
     [](TestWindow& w) { QVERIFY(w.form.openTuning(file("pyt.scl"))); },
     [](TestWindow& w) {
         QCOMPARE(w.form.model().positions(), klangora::presetPositions(PresetId::pyt));
         QCOMPARE(w.form.model().identity().kind(), TuningIdentity::Kind::file);
     }},
    {"saveTuning", call<&TForm1::werck1Click>,
     [](TestWindow& w) { QVERIFY(w.form.saveTuning(file("werck.scl"))); },
     [](TestWindow& w) {
         w.form.ligeClick();
         QVERIFY(w.form.openTuning(file("werck.scl")));
         QCOMPARE(w.form.model().positions(), klangora::presetPositions(PresetId::werck1));
     }},
};

} // namespace

class ForwardersTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(settle(m_window.emplace().form)); }
    void cleanup() { m_window.reset(); }

    void everyNamedStepShowsItsEffect_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kForwarders)); ++i) {
            QTest::newRow(kForwarders[i].name) << i;
        }
    }

    void everyNamedStepShowsItsEffect() {
        QFETCH(int, index);
        const auto& forwarder = kForwarders[index];
        for (const Action action : {forwarder.prepare, forwarder.step, forwarder.check}) {
            if (action != nullptr && !QTest::currentTestFailed()) {
                action(*m_window);
            }
        }
    }

private:
    WindowFixture m_window;
};

QTEST_MAIN(ForwardersTest)
#include "forwarders_test.moc"
