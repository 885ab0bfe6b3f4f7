#include "ui/export/handout.h"

#include "core/tone_sheet.h"
#include "ui/export/diagram_sheet.h"
#include "ui/model/musical_facts.h"
#include "ui/texts/number_format.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

QString text(const char* danish) {
    return QCoreApplication::translate("Handout", danish);
}

constexpr int kMargin = 20;
constexpr int kTitleHeight = 40;
constexpr int kRowHeight = 20;
constexpr int kGap = 24;

std::array<const char*, 7> headingTexts() {
    return {QT_TRANSLATE_NOOP("Handout", "Tone"),
            QT_TRANSLATE_NOOP("Handout", "Cent"),
            QT_TRANSLATE_NOOP("Handout", "Frekvens (Hz)"),
            QT_TRANSLATE_NOOP("Handout", "Terts fra ren (cent)"),
            QT_TRANSLATE_NOOP("Handout", "Tertsens svævninger pr. s"),
            QT_TRANSLATE_NOOP("Handout", "Kvint fra ren (cent)"),
            QT_TRANSLATE_NOOP("Handout", "Kvintens svævninger pr. s")};
}

// The tone table exactly as the window's model derives it from the sliders' positions, so that
// every number is the readout panel's.
klangora::ToneTable toneTableOf(const klangora::Tuning& tuning) {
    klangora::ToneTable table;
    klangora::scrolTILcent(table, tuning.positions());
    klangora::deriveThirdsAndFifths(table);
    return table;
}

// A note's name as the readout panel gives it: English says B where Danish says H.
QString noteText(std::size_t toneIndex) {
    return QCoreApplication::translate("klangora",
                                       music::noteName(static_cast<int>(toneIndex) + 1));
}

// The tones' table as rows of text, headings first, in the user's number format.
QList<QStringList> toneRows(const klangora::Tuning& tuning) {
    QList<QStringList> rows;
    QStringList headings;
    for (const char* heading : headingTexts()) {
        headings << text(heading);
    }
    rows << headings;
    const klangora::ToneSheet sheet = klangora::toneSheet(toneTableOf(tuning));
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        const klangora::ToneSheetRow& row = sheet[i];
        rows << QStringList{noteText(i),
                            formatReadout(row.cents),
                            formatReadout(row.frequencyHz),
                            formatReadout(row.thirdDeviationCents),
                            formatTenths(row.thirdBeatsPerSecond),
                            formatReadout(row.fifthDeviationCents),
                            formatTenths(row.fifthBeatsPerSecond)};
    }
    return rows;
}

// A table drawn as text in columns as wide as their widest cell, headings in bold.
class TextTable {
public:
    TextTable(QList<QStringList> rows, const QFont& font) : m_rows(std::move(rows)), m_font(font) {
        QFont bold = font;
        bold.setBold(true);
        for (qsizetype r = 0; r < m_rows.size(); ++r) {
            const QFontMetrics metrics(r == 0 ? bold : font);
            for (qsizetype c = 0; c < m_rows[r].size(); ++c) {
                if (m_widths.size() <= c) {
                    m_widths.append(0);
                }
                m_widths[c] = std::max(m_widths[c], metrics.horizontalAdvance(m_rows[r][c]) + 14);
            }
        }
    }

    QSize size() const {
        int width = 0;
        for (int w : m_widths) {
            width += w;
        }
        return {width, static_cast<int>(m_rows.size()) * kRowHeight};
    }

    void paint(QPainter& painter, QPoint topLeft) const {
        QFont bold = m_font;
        bold.setBold(true);
        painter.setPen(Qt::black);
        for (qsizetype r = 0; r < m_rows.size(); ++r) {
            painter.setFont(r == 0 ? bold : m_font);
            int x = topLeft.x();
            const int y = topLeft.y() + static_cast<int>(r) * kRowHeight;
            for (qsizetype c = 0; c < m_rows[r].size(); ++c) {
                // Names left, numbers right, as a table of figures is read.
                const Qt::Alignment alignment = c == 0 ? Qt::AlignLeft : Qt::AlignRight;
                painter.drawText(QRect(x, y, m_widths[c] - 7, kRowHeight),
                                 alignment | Qt::AlignVCenter, m_rows[r][c]);
                x += m_widths[c];
            }
            if (r == 0) {
                painter.drawLine(topLeft.x(), y + kRowHeight, x, y + kRowHeight);
            }
        }
    }

private:
    QList<QStringList> m_rows;
    QFont m_font;
    QList<int> m_widths;
};

QFont tableFont() {
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    return font;
}

// The first page: the tuning's name, the diagram with its readouts, the tones' table.
class FirstPage {
public:
    explicit FirstPage(const Handout& handout)
        : m_handout(handout), m_sheet(handout.tuning, handout.fifths),
          m_tones(toneRows(handout.tuning), tableFont()) {}

    QSize size() const {
        const int width = std::max(m_sheet.width(), m_tones.size().width()) + 2 * kMargin;
        return {width, kMargin + kTitleHeight + m_sheet.height() + kGap + m_tones.size().height() +
                           kMargin};
    }

    void paint(QPainter& painter) {
        QFont title("DejaVu Sans");
        title.setPixelSize(20);
        title.setBold(true);
        painter.setFont(title);
        painter.setPen(Qt::black);
        painter.drawText(QRect(kMargin, kMargin, size().width() - 2 * kMargin, kTitleHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, m_handout.tuningName);
        // The widgets paint themselves with the painter, so a PDF or SVG keeps their shapes
        // and words as such and a larger picture draws them larger.
        const int sheetTop = kMargin + kTitleHeight;
        painter.save();
        painter.translate(kMargin, sheetTop);
        m_sheet.render(&painter, QPoint(), QRegion(),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter.restore();
        m_tones.paint(painter, {kMargin, sheetTop + m_sheet.height() + kGap});
    }

private:
    const Handout& m_handout;
    DiagramSheet m_sheet;
    TextTable m_tones;
};

class TriadPage {
public:
    explicit TriadPage(const Handout& handout) : m_triads(handout.triadRows, tableFont()) {}

    bool empty() const { return m_triads.size().height() == 0; }
    QSize size() const {
        return empty() ? QSize() : m_triads.size() + QSize(2 * kMargin, 2 * kMargin);
    }
    void paint(QPainter& painter) const { m_triads.paint(painter, {kMargin, kMargin}); }

private:
    TextTable m_triads;
};

QString cannotSave() {
    return text(QT_TRANSLATE_NOOP("Handout", "Filen kunne ikke gemmes."));
}

// Everything below each other on one sheet, zoom times the window's size.
bool paintCanvas(const Handout& handout, QPaintDevice& device, double zoom) {
    FirstPage first(handout);
    const TriadPage triads(handout);
    QPainter painter(&device);
    if (!painter.isActive()) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(zoom, zoom);
    first.paint(painter);
    if (!triads.empty()) {
        painter.translate(0, first.size().height());
        triads.paint(painter);
    }
    return true;
}

QSize canvasSize(const Handout& handout) {
    const FirstPage first(handout);
    const TriadPage triads(handout);
    return {std::max(first.size().width(), triads.size().width()),
            first.size().height() + triads.size().height()};
}

QString writeSvg(const Handout& handout, const QString& fileName) {
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(canvasSize(handout));
    svg.setViewBox(QRect(QPoint(), canvasSize(handout)));
    svg.setTitle(handout.tuningName);
    return paintCanvas(handout, svg, 1.0) ? QString() : cannotSave();
}

QString writePng(const Handout& handout, const QString& fileName, double zoom) {
    const QSize size = canvasSize(handout);
    QImage image(static_cast<int>(std::ceil(size.width() * zoom)),
                 static_cast<int>(std::ceil(size.height() * zoom)), QImage::Format_RGB32);
    image.fill(Qt::white);
    paintCanvas(handout, image, zoom);
    return image.save(fileName, "PNG")
               ? QString()
               : text(QT_TRANSLATE_NOOP("Handout", "Billedet kunne ikke gemmes."));
}

QString writePdf(const Handout& handout, const QString& fileName) {
    QPdfWriter pdf(fileName);
    pdf.setTitle(handout.tuningName);
    pdf.setCreator(QStringLiteral("Klangora"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(300);
    return paintHandoutPages(handout, pdf) ? QString() : cannotSave();
}

// Scaled to fill the page's width, or its height if that is the narrower fit.
void fitToPage(QPainter& painter, QSize content, const QPagedPaintDevice& pages) {
    const double scale = std::min(static_cast<double>(pages.width()) / content.width(),
                                  static_cast<double>(pages.height()) / content.height());
    painter.resetTransform();
    painter.scale(scale, scale);
}

} // namespace

std::optional<HandoutFormat> handoutFormat(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "pdf") {
        return HandoutFormat::pdf;
    }
    if (suffix == "svg") {
        return HandoutFormat::svg;
    }
    if (suffix == "png") {
        return HandoutFormat::png;
    }
    if (suffix == "csv") {
        return HandoutFormat::csv;
    }
    return std::nullopt;
}

bool paintHandoutPages(const Handout& handout, QPagedPaintDevice& pages) {
    FirstPage first(handout);
    const TriadPage triads(handout);
    QPainter painter(&pages);
    if (!painter.isActive()) {
        return false; // the file cannot be written, or the printer not reached
    }
    painter.setRenderHint(QPainter::Antialiasing);
    fitToPage(painter, first.size(), pages);
    first.paint(painter);
    if (!triads.empty()) {
        pages.newPage();
        fitToPage(painter, QSize(first.size().width(), triads.size().height()), pages);
        triads.paint(painter);
    }
    return true;
}

QByteArray toneSheetCsvText(const klangora::Tuning& tuning) {
    klangora::ToneSheetWords words;
    const auto headings = headingTexts();
    for (std::size_t h = 0; h < headings.size(); ++h) {
        words.headings[h] = text(headings[h]).toStdString();
    }
    for (std::size_t i = 0; i < words.noteNames.size(); ++i) {
        words.noteNames[i] = noteText(i).toStdString();
    }
    return QByteArray::fromStdString(
        klangora::toneSheetCsv(klangora::toneSheet(toneTableOf(tuning)), words));
}

QString writeHandout(const Handout& handout, const QString& fileName, double zoom) {
    const auto format = handoutFormat(fileName);
    if (!format) {
        return text(
            QT_TRANSLATE_NOOP("Handout", "Filen skal ende på .pdf, .svg, .png eller .csv."));
    }
    switch (*format) {
    case HandoutFormat::pdf:
        return writePdf(handout, fileName);
    case HandoutFormat::svg:
        return writeSvg(handout, fileName);
    case HandoutFormat::png:
        return writePng(handout, fileName, zoom);
    case HandoutFormat::csv:
        break;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(toneSheetCsvText(handout.tuning)) < 0) {
        return cannotSave();
    }
    return {};
}
