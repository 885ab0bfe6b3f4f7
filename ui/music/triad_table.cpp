#include "ui/music/triad_table.h"

#include "core/musical_facts.h"
#include "ui/model/concealed_tone.h"
#include "ui/model/musical_facts.h"
#include "ui/model/tuning_model.h"
#include "ui/texts/number_format.h"
#include "ui/texts/palette.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPromise>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QThreadPool>

#include <algorithm>
#include <cstddef>
#include <utility>

using namespace klangora::music;

namespace {

constexpr int kShareRole = Qt::UserRole; // the share 0..1 that the bar shows

// The share column's cells: the text over a bar as long as the share of the cell's width.
class ShareBarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const double share = index.data(kShareRole).toDouble();
        if (share > 0.0) {
            QRect bar = option.rect.adjusted(2, 3, -2, -3);
            bar.setWidth(qMax(1, static_cast<int>(bar.width() * qMin(share, 1.0))));
            painter->fillRect(bar, option.palette.color(QPalette::Highlight).lighter(160));
        }
        QStyledItemDelegate::paint(painter, option, index);
    }
};

// Cents from pure with their sign: a third wider than pure reads +, narrower -.
QString signedCents(double cents) {
    const QString number = formatTenths(cents);
    return QString("%1%2 cent").arg(cents > 0.0 && number != formatTenths(0.0) ? "+" : "", number);
}

QTableWidgetItem* textItem(Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

TriadTable::TriadTable(const TuningModel& model, QWidget* parent)
    : QTableWidget(0, 5, parent), m_model(model) {
    setObjectName("triadTable");
    verticalHeader()->hide();
    // The corner button selects nothing here (no selection), but a screen reader meets it.
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(shareColumn, QHeaderView::Stretch);
    setItemDelegateForColumn(shareColumn, new ShareBarDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setFocusPolicy(Qt::StrongFocus); // the rows can be read one by one with the arrow keys
    // All rows and five columns in view: the window grows to the table, not the table scrolls
    // in the window.
    setSizeAdjustPolicy(AdjustToContents);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    makeRows();
    tellTexts();
    connect(&model, &TuningModel::tonesChanged, this, [this] { fillDeviations(); });
}

void TriadTable::makeRows() {
    setRowCount(12 * static_cast<int>(kinds().size()));
    for (int row = 0; row < rowCount(); ++row) {
        setItem(row, nameColumn, textItem(Qt::AlignLeft));
        for (int column = secondsColumn; column <= fifthColumn; ++column) {
            setItem(row, column, textItem(Qt::AlignRight));
        }
    }
    m_highlighted = 0;
    m_highlightedMinor = 0;
    fillNames();
    fillTimes();
    fillDeviations();
}

void TriadTable::setChoice(TriadChoice choice) {
    if (choice == m_choice) {
        return;
    }
    const TriadMask major = m_highlighted;
    const TriadMask minor = m_highlightedMinor;
    m_choice = choice;
    makeRows();
    tellTexts();
    highlight(major, minor);
    hideConcealed();
}

std::vector<TriadKind> TriadTable::kinds() const {
    std::vector<TriadKind> listed;
    for (const TriadKind kind : {TriadKind::major, TriadKind::minor}) {
        if (includes(m_choice, kind)) {
            listed.push_back(kind);
        }
    }
    return listed;
}

void TriadTable::tellTexts() {
    setAccessibleName(m_choice == TriadChoice::major   ? tr("Dur-treklange i musikken")
                      : m_choice == TriadChoice::minor ? tr("Mol-treklange i musikken")
                                                       : tr("Dur- og mol-treklange i musikken"));
    setHorizontalHeaderLabels(
        {tr("Treklang"), tr("Klinger"), tr("Andel"), tr("Terts fra ren"), tr("Kvint fra ren")});
    if (auto* corner = findChild<QAbstractButton*>()) {
        corner->setAccessibleName(tr("Tabellens hjørne"));
    }
    // The table's and its headers' scroll bars never show, but a screen reader meets them.
    for (QScrollBar* bar : findChildren<QScrollBar*>()) {
        bar->setAccessibleName(bar->orientation() == Qt::Vertical ? tr("Rul lodret")
                                                                  : tr("Rul vandret"));
    }
    fillNames();
    describeSounding();
}

void TriadTable::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        tellTexts();
    }
    QTableWidget::changeEvent(event);
}

void TriadTable::setPiece(const klangora::Piece& piece) {
    showTriads(pieceTriads(piece));
}

void TriadTable::analysePiece(std::shared_ptr<const klangora::Piece> piece) {
    if (m_analysis != nullptr) {
        m_analysis->cancel(); // not begun: never begins; running: its figures are dropped
        m_analysis->disconnect(this);
        m_analysis->deleteLater();
    }
    showTriads({});
    auto promise = std::make_shared<QPromise<PieceTriads>>();
    auto* analysis = new QFutureWatcher<PieceTriads>(this);
    m_analysis = analysis;
    connect(analysis, &QFutureWatcherBase::finished, this, [this, analysis] {
        if (analysis != m_analysis) {
            return;
        }
        m_analysis = nullptr;
        analysis->deleteLater();
        if (!analysis->isCanceled() && analysis->future().resultCount() > 0) {
            showTriads(analysis->future().takeResult());
        }
    });
    analysis->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, piece = std::move(piece)] {
        promise->start();
        if (!promise->isCanceled()) {
            promise->addResult(pieceTriads(*piece));
        }
        promise->finish();
    });
}

void TriadTable::showTriads(PieceTriads triads) {
    m_spans = std::move(triads.spans);
    m_times = triads.times;
    fillTimes();
    highlight(0, 0);
}

void TriadTable::setPlayingPosition(double seconds) {
    highlight(triadsSoundingAt(m_spans, seconds, TriadKind::major),
              triadsSoundingAt(m_spans, seconds, TriadKind::minor));
}

void TriadTable::setFifthsOrder(bool fifths) {
    if (fifths == m_fifths) {
        return;
    }
    m_fifths = fifths;
    fillNames();
    fillTimes();
    fillDeviations();
    const TriadMask major = std::exchange(m_highlighted, 0);
    const TriadMask minor = std::exchange(m_highlightedMinor, 0);
    highlight(major, minor);
    hideConcealed();
}

void TriadTable::followConcealment(const ConcealedTone& concealed) {
    m_concealed = &concealed;
    connect(&concealed, &ConcealedTone::changed, this, &TriadTable::hideConcealed);
    hideConcealed();
}

void TriadTable::hideConcealed() {
    for (const TriadKind kind : kinds()) {
        for (int root = 0; root < 12; ++root) {
            setRowHidden(rowOf(root, kind), concealedIn(root, kind));
        }
    }
    fillDeviations();
}

bool TriadTable::concealedIn(int root, TriadKind kind) const {
    if (m_concealed == nullptr || !m_concealed->tone()) {
        return false;
    }
    if (kind == TriadKind::major) {
        return m_concealed->inTriad(root);
    }
    const int tone = *m_concealed->tone();
    return tone == root || tone == (root + klangora::kMinorThirdSemitones) % 12 ||
           tone == (root + klangora::kFifthSemitones) % 12;
}

const std::array<int, 12>& TriadTable::order() const {
    return m_fifths ? kFifthsRoots : kChromaticRoots;
}

int TriadTable::rowOf(int root, TriadKind kind) const {
    const std::vector<TriadKind> listed = kinds();
    const auto block = std::find(listed.begin(), listed.end(), kind);
    if (block == listed.end()) {
        return -1;
    }
    const auto inOrder = std::find(order().begin(), order().end(), root);
    return 12 * static_cast<int>(block - listed.begin()) +
           static_cast<int>(inOrder - order().begin());
}

QTableWidgetItem* TriadTable::cell(int root, TriadKind kind, Column column) const {
    return item(rowOf(root, kind), column);
}

void TriadTable::fillNames() {
    for (const TriadKind kind : kinds()) {
        for (int root = 0; root < 12; ++root) {
            // Named as the readout panel names the root: H is B in English.
            const QString note = QCoreApplication::translate("klangora", music::noteName(root + 1));
            cell(root, kind, nameColumn)
                ->setText(kind == TriadKind::major ? tr("%1-dur").arg(note)
                                                   : tr("%1-mol").arg(note));
        }
    }
}

void TriadTable::fillTimes() {
    for (const TriadKind kind : kinds()) {
        for (int root = 0; root < 12; ++root) {
            const double share = m_times.share(root, kind);
            cell(root, kind, secondsColumn)
                ->setText(formatTenths(m_times.secondsOf(root, kind)) + " s");
            QTableWidgetItem* shareCell = cell(root, kind, shareColumn);
            shareCell->setText(formatTenths(100.0 * share) + " %");
            shareCell->setData(kShareRole, share);
        }
    }
}

void TriadTable::fillDeviations() {
    for (const TriadKind kind : kinds()) {
        for (int root = 0; root < 12; ++root) {
            // A hidden row's cells are empty too: a screen reader reads a table's rows all the
            // same.
            const bool concealed = concealedIn(root, kind);
            const TriadDeviation deviation = triadDeviation(m_model.tuning(), root, kind);
            cell(root, kind, thirdColumn)
                ->setText(concealed ? QString() : signedCents(deviation.thirdCents));
            cell(root, kind, fifthColumn)
                ->setText(concealed ? QString() : signedCents(deviation.fifthCents));
        }
    }
}

void TriadTable::highlight(TriadMask roots, TriadMask minorRoots) {
    if (roots == m_highlighted && minorRoots == m_highlightedMinor) {
        return;
    }
    m_highlighted = roots;
    m_highlightedMinor = minorRoots;
    for (const TriadKind kind : kinds()) {
        const TriadMask lit = kind == TriadKind::major ? roots : minorRoots;
        for (int root = 0; root < 12; ++root) {
            const bool on = (lit >> root) & 1u;
            for (int column = nameColumn; column <= fifthColumn; ++column) {
                QTableWidgetItem* c = cell(root, kind, static_cast<Column>(column));
                QFont font = c->font();
                font.setBold(on);
                c->setFont(font);
                c->setBackground(on ? QBrush(colours::yellow) : QBrush());
                c->setForeground(on ? QBrush(Qt::black) : QBrush());
            }
        }
    }
    describeSounding();
}

void TriadTable::describeSounding() {
    QStringList sounding;
    for (const TriadKind kind : kinds()) {
        const TriadMask lit = kind == TriadKind::major ? m_highlighted : m_highlightedMinor;
        for (int root = 0; root < 12; ++root) {
            if ((lit >> root) & 1u) {
                sounding << cell(root, kind, nameColumn)->text();
            }
        }
    }
    // What a screen reader tells when asked about the table.
    const QString none = m_choice == TriadChoice::major   ? tr("Ingen dur-treklang klinger nu")
                         : m_choice == TriadChoice::minor ? tr("Ingen mol-treklang klinger nu")
                                                          : tr("Ingen treklang klinger nu");
    setAccessibleDescription(sounding.isEmpty() ? none
                                                : tr("Klinger nu: %1").arg(sounding.join(", ")));
}
