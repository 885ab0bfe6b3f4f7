#include "ui/export/handout_actions.h"

#include "ui/model/tuning_model.h"
#include "ui/music/music_window.h"
#include "ui/texts/key_table.h"
#include "ui/tuning/tuning_name.h"
#include "ui/widgets/message_box.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>
#include <QTableWidget>

namespace {

// A PNG as large as the window may be zoomed, and as small.
constexpr int kSmallestPercent = 50;
constexpr int kLargestPercent = 400;

} // namespace

HandoutActions::HandoutActions(QWidget& window, HandoutSources sources)
    : QObject(&window), m_window(window), m_sources(std::move(sources)) {
    auto* shortcut = new QShortcut(keys::keyOf(keys::Command::printHandout), &window);
    connect(shortcut, &QShortcut::activated, this, &HandoutActions::print);
}

void HandoutActions::addToMenu(QMenu& menu) {
    QAction* print = menu.addAction(tr("Udskriv …"), this, &HandoutActions::print);
    print->setObjectName("printHandout");
    print->setShortcut(keys::keyOf(keys::Command::printHandout));
    menu.addAction(tr("Eksporter …"), this, &HandoutActions::exportToFile)
        ->setObjectName("exportHandout");
}

Handout HandoutActions::handout() const {
    Handout handout;
    handout.tuningName = tuningName(m_sources.model.identity());
    handout.tuning = m_sources.model.tuning();
    handout.fifths = m_sources.inFifths();
    if (const QTableWidget* table = m_sources.triadTable()) {
        handout.triadRows = tableTexts(*table);
    }
    return handout;
}

void HandoutActions::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(tuningName(m_sources.model.identity()));
    QPrintDialog dialog(&printer, &m_window);
    dialog.setWindowTitle(tr("Udskriv diagrammet"));
    if (dialog.exec() == QDialog::Accepted) {
        paintHandoutPages(handout(), printer);
    }
}

void HandoutActions::exportToFile() {
    const QString fileName = QFileDialog::getSaveFileName(
        &m_window, tr("Eksporter diagrammet"), tuningName(m_sources.model.identity()) + ".pdf",
        tr("PDF (*.pdf);;SVG-billede (*.svg);;PNG-billede (*.png);;Stemningens tabel, CSV "
           "(*.csv)"));
    if (fileName.isEmpty()) {
        return;
    }
    double zoom = 1.0;
    if (handoutFormat(fileName) == HandoutFormat::png) {
        bool chosen = false;
        const int percent =
            QInputDialog::getInt(&m_window, tr("Eksporter billede"), tr("Størrelse i procent:"),
                                 200, kSmallestPercent, kLargestPercent, 25, &chosen);
        if (!chosen) {
            return;
        }
        zoom = percent / 100.0;
    }
    const QString problem = writeHandout(handout(), fileName, zoom);
    if (!problem.isEmpty()) {
        showMessage(problem);
    }
}

const QTableWidget* openTriadTable(MusicWindow& window) {
    return window.piece() != nullptr ? window.findChild<const QTableWidget*>("triadTable")
                                     : nullptr;
}

QList<QStringList> tableTexts(const QTableWidget& table) {
    QList<QStringList> rows;
    QStringList headings;
    for (int column = 0; column < table.columnCount(); ++column) {
        const QTableWidgetItem* heading = table.horizontalHeaderItem(column);
        headings << (heading != nullptr ? heading->text() : QString());
    }
    rows << headings;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.isRowHidden(row)) {
            continue;
        }
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* cell = table.item(row, column);
            cells << (cell != nullptr ? cell->text() : QString());
        }
        rows << cells;
    }
    return rows;
}
