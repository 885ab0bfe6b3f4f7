#pragma once

// The music window's table of the piece's major or minor triads or both: one row per triad in
// the order of the diagram's columns (its two C columns share one row), the major triads before
// the minor, how long and what share of the piece the triad sounds, with a bar for the share,
// and how far its third and fifth lie from pure in the current tuning. The triads sounding at
// the playing position are highlighted. Every cell is text, so a screen reader reads the table
// as it stands.
#include "core/music/piece.h"
#include "core/music/piece_notes.h"
#include "core/music/triad_analysis.h"
#include "core/music/triad_report.h"

#include <QFutureWatcher>
#include <QTableWidget>

#include <array>
#include <memory>
#include <vector>

class ConcealedTone;
class TuningModel;

class TriadTable : public QTableWidget {
    Q_OBJECT

public:
    enum Column { nameColumn, secondsColumn, shareColumn, thirdColumn, fifthColumn };

    explicit TriadTable(const TuningModel& model, QWidget* parent = nullptr);

    // The piece whose triads the table shows; an empty piece shows no time for any triad.
    void setPiece(const klangora::Piece& piece);
    // The same, with the piece analysed on a worker thread: a long piece keeps the window
    // answering meanwhile, the table showing no time for any triad until the figures arrive.
    // The analysis of an earlier piece still running is cancelled and its figures never shown.
    void analysePiece(std::shared_ptr<const klangora::Piece> piece);
    bool analysing() const { return m_analysis != nullptr; }
    // Highlights the triads sounding at this moment of the piece.
    void setPlayingPosition(double seconds);
    // The diagram's arrangement: round the fifths (C G D ...) or chromatic (C C# D ...).
    void setFifthsOrder(bool fifths);
    // Which triads the rows list: twelve major, twelve minor, or both.
    void setChoice(klangora::music::TriadChoice choice);
    klangora::music::TriadChoice choice() const { return m_choice; }

    // While a tone is concealed, the rows of the triads that sound it are out of sight.
    void followConcealment(const ConcealedTone& concealed);

    // The row of the triad on a root 0..11 (tone index) in the present order; -1 when the
    // triads of its kind are not listed.
    int rowOf(int root, klangora::music::TriadKind kind = klangora::music::TriadKind::major) const;
    klangora::music::TriadMask highlighted() const { return m_highlighted; }
    klangora::music::TriadMask highlightedMinor() const { return m_highlightedMinor; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void showTriads(klangora::music::PieceTriads triads);
    // Every text of the table in the interface's language.
    void tellTexts();
    void describeSounding();
    void makeRows();
    void fillNames();
    void fillTimes();
    void fillDeviations();
    void highlight(klangora::music::TriadMask roots, klangora::music::TriadMask minorRoots);
    void hideConcealed();
    bool concealedIn(int root, klangora::music::TriadKind kind) const;
    // The kinds listed, in the order of the rows.
    std::vector<klangora::music::TriadKind> kinds() const;
    QTableWidgetItem* cell(int root, klangora::music::TriadKind kind, Column column) const;
    const std::array<int, 12>& order() const;

    const TuningModel& m_model;
    const ConcealedTone* m_concealed = nullptr;
    std::vector<klangora::music::TriadSpan> m_spans;
    klangora::music::TriadTimes m_times;
    klangora::music::TriadMask m_highlighted = 0;
    klangora::music::TriadMask m_highlightedMinor = 0;
    bool m_fifths = true;
    klangora::music::TriadChoice m_choice = klangora::music::TriadChoice::major;
    QFutureWatcher<klangora::music::PieceTriads>* m_analysis = nullptr;
};
