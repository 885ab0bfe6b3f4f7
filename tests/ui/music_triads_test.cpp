// The triad table in the music window of the real TForm1: an example piece chosen from the
// "Eksempler" submenu fills it, a temperament button retunes its deviations, its rows follow
// the diagram's arrangement, and the triad at the playing position is highlighted.
#include "sound/instrument/live_instrument.h"
#include "support/window_test_support.h"
#include "ui/music/examples_menu.h"
#include "ui/music/music_session.h"
#include "ui/music/music_window.h"
#include "ui/music/triad_table.h"

#include <QMenu>
#include <QPushButton>

namespace {

QString cell(const TriadTable& table, int root, int column) {
    return table.item(table.rowOf(root), column)->text();
}

// The window with the cadence chosen from the submenu, and its table.
struct CadenceWindow {
    CadenceWindow() {
        QMenu menu;
        form.examples().addToMenu(menu);
        menu.findChild<QMenu*>("examplesMenu")->actions().constFirst()->trigger();
    }
    TriadTable* table() { return form.music().window().findChild<TriadTable*>("triadTable"); }
    RecordingPlayer player;
    klangora::LiveInstrument instrument;
    TestWindow window{player, instrument};
    TForm1& form = window.form;
};

constexpr int C = 0, H = 11, Gis = 8;

} // namespace

class MusicTriadsTest : public QObject {
    Q_OBJECT

private slots:
    void anExampleFillsTheTableThatFollowsTheTuning() {
        CadenceWindow cadence;
        TForm1& form = cadence.form;
        QVERIFY(form.music().window().piece() != nullptr);
        TriadTable* table = cadence.table();
        QVERIFY(table != nullptr);
        QVERIFY(table->isVisible());
        QTRY_VERIFY(!table->analysing());
        // Each triad is tonic, subdominant and dominant once: five of the 71 seconds.
        for (int root = 0; root < 12; ++root) {
            QCOMPARE(cell(*table, root, TriadTable::secondsColumn), QString("5.0 s"));
        }
        // The program starts Pythagorean; the button's E lies at 408 cents.
        QCOMPARE(cell(*table, C, TriadTable::thirdColumn), QString("+21.7 cent"));
        child<QPushButton>(form, "praet")->click();
        QCOMPARE(cell(*table, C, TriadTable::thirdColumn), QString("0.0 cent"));
        QCOMPARE(cell(*table, H, TriadTable::thirdColumn), QString("+41.0 cent"));
        QCOMPARE(cell(*table, Gis, TriadTable::fifthColumn), QString("+35.6 cent"));
    }

    void rowsFollowTheArrangementAndThePositionIsHighlighted() {
        CadenceWindow cadence;
        TForm1& form = cadence.form;
        TriadTable* table = cadence.table();
        // Shortly after start the diagram turns to the fifths arrangement, and so do the rows.
        QTRY_COMPARE(table->item(1, TriadTable::nameColumn)->text(), QString("G-dur"));
        // At the start of the cadence its C major chord sounds.
        QTRY_COMPARE(table->highlighted(), klangora::music::TriadMask{1u << C});
        child<QPushButton>(form, "kromkvint")->click();
        QTRY_COMPARE(table->item(1, TriadTable::nameColumn)->text(), QString("C#-dur"));
    }
};

QTEST_MAIN(MusicTriadsTest)
#include "music_triads_test.moc"
