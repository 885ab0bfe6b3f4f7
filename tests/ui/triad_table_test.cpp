// The music window's triad table on its own: a piece's seconds and shares per triad in the
// diagram's order, and the triads sounding at the playing position highlighted and told in
// words. How it follows a retuning is tested in the music window (music_triads_test).
#include "ui/model/tuning_model.h"
#include "ui/music/triad_table.h"

#include <QLocale>
#include <QTest>

namespace {

using Kind = klangora::PieceEvent::Kind;

void addChord(klangora::Piece& piece, double start, double end, std::initializer_list<int> keys) {
    for (int key : keys) {
        piece.events.push_back({start, Kind::noteOn, 0, static_cast<std::uint8_t>(key), 90});
        piece.events.push_back({end, Kind::noteOff, 0, static_cast<std::uint8_t>(key), 0});
    }
}

// C major for 3 s (in two voicings), F major 1 s, a rest, D minor 1 s: 8 s in all.
klangora::Piece cadenceWithRest() {
    klangora::Piece piece;
    addChord(piece, 0, 1, {48, 64, 67, 72});
    addChord(piece, 1, 3, {55, 64, 72});
    addChord(piece, 3, 4, {53, 69, 72});
    addChord(piece, 6, 7, {50, 65, 69});
    std::stable_sort(piece.events.begin(), piece.events.end(),
                     [](const auto& a, const auto& b) { return a.seconds < b.seconds; });
    piece.lengthSeconds = 8;
    return piece;
}

constexpr int C = 0, F = 5, G = 7;

} // namespace

class TriadTableTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void rowsFollowTheDiagramsOrder() {
        TuningModel model;
        TriadTable table(model);
        QCOMPARE(table.item(1, TriadTable::nameColumn)->text(), QString("G-dur"));
        QCOMPARE(table.item(11, TriadTable::nameColumn)->text(), QString("F-dur"));
        table.setPiece(cadenceWithRest());
        table.setFifthsOrder(false);
        QCOMPARE(table.item(1, TriadTable::nameColumn)->text(), QString("C#-dur"));
        // The figures move with their triads.
        QCOMPARE(table.item(F, TriadTable::secondsColumn)->text(), QString("1.0 s"));
        QCOMPARE(table.item(G, TriadTable::secondsColumn)->text(), QString("0.0 s"));
    }

    void secondsAndSharesOfThePiece_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("root");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("share");
        QTest::newRow("C major") << "C" << C << "3.0 s"
                                 << "37.5 %";
        QTest::newRow("F major") << "C" << F << "1.0 s"
                                 << "12.5 %";
        QTest::newRow("D minor is no major triad") << "C" << 2 << "0.0 s"
                                                   << "0.0 %";
        QTest::newRow("Danish") << "da_DK" << C << "3,0 s"
                                << "37,5 %";
    }
    void secondsAndSharesOfThePiece() {
        QFETCH(QString, locale);
        QFETCH(int, root);
        QFETCH(QString, seconds);
        QFETCH(QString, share);
        QLocale::setDefault(QLocale(locale));
        TuningModel model;
        TriadTable table(model);
        table.setPiece(cadenceWithRest());
        const int row = table.rowOf(root);
        QCOMPARE(table.item(row, TriadTable::secondsColumn)->text(), seconds);
        QCOMPARE(table.item(row, TriadTable::shareColumn)->text(), share);
    }

    void theSoundingTriadIsHighlightedAndTold() {
        TuningModel model;
        TriadTable table(model);
        table.setPiece(cadenceWithRest());
        QCOMPARE(table.highlighted(), 0);
        table.setPlayingPosition(0.5);
        QCOMPARE(table.highlighted(), 1 << C);
        QVERIFY(table.item(table.rowOf(C), TriadTable::nameColumn)->font().bold());
        QCOMPARE(table.accessibleDescription(), QString("Klinger nu: C-dur"));
        table.setPlayingPosition(3.5);
        QCOMPARE(table.highlighted(), 1 << F);
        QVERIFY(!table.item(table.rowOf(C), TriadTable::nameColumn)->font().bold());
        QCOMPARE(table.accessibleDescription(), QString("Klinger nu: F-dur"));
        table.setPlayingPosition(6.5); // D minor
        QCOMPARE(table.highlighted(), 0);
        QCOMPARE(table.accessibleDescription(), QString("Ingen dur-treklang klinger nu"));
        // The highlight stays with its triad when the rows are put in the other order.
        table.setPlayingPosition(2.0);
        table.setFifthsOrder(false);
        QVERIFY(table.item(C, TriadTable::nameColumn)->font().bold());
        QVERIFY(!table.item(1, TriadTable::nameColumn)->font().bold());
    }

    void theSwitchListsMinorTriadsAndHighlightsThem() {
        TuningModel model; // equal: every minor third 15.6 narrower than 6:5
        TriadTable table(model);
        table.setPiece(cadenceWithRest());
        table.setPlayingPosition(6.5); // D minor
        table.setChoice(klangora::music::TriadChoice::minor);
        QCOMPARE(table.rowCount(), 12);
        const int d = table.rowOf(2, klangora::music::TriadKind::minor);
        QCOMPARE(table.item(d, TriadTable::nameColumn)->text(), QString("D-mol"));
        QCOMPARE(table.item(d, TriadTable::secondsColumn)->text(), QString("1.0 s"));
        QCOMPARE(table.item(d, TriadTable::thirdColumn)->text(), QString("-15.6 cent"));
        QVERIFY(table.item(d, TriadTable::nameColumn)->font().bold());
        QCOMPARE(table.accessibleDescription(), QString("Klinger nu: D-mol"));
        QCOMPARE(table.rowOf(C), -1);
        // Both kinds: the majors' twelve rows, then the minors'; the highlight moves along.
        table.setChoice(klangora::music::TriadChoice::both);
        QCOMPARE(table.rowCount(), 24);
        QCOMPARE(table.rowOf(2, klangora::music::TriadKind::minor), 12 + 2);
        QVERIFY(table.item(14, TriadTable::nameColumn)->font().bold());
        table.setPlayingPosition(3.5); // F major
        QCOMPARE(table.accessibleDescription(), QString("Klinger nu: F-dur"));
        QVERIFY(!table.item(14, TriadTable::nameColumn)->font().bold());
    }

    void aNewPieceClearsTheHighlight() {
        TuningModel model;
        TriadTable table(model);
        table.setPiece(cadenceWithRest());
        table.setPlayingPosition(0.5);
        table.setPiece({});
        QCOMPARE(table.highlighted(), 0);
        QCOMPARE(table.item(table.rowOf(C), TriadTable::secondsColumn)->text(), QString("0.0 s"));
    }
};

QTEST_MAIN(TriadTableTest)
#include "triad_table_test.moc"
