#include "ui/progress/progress_plot.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr double kMargin = 12.0;
constexpr double kLabelWidth = 48.0;
constexpr double kPointRadius = 3.5;

QDateTime rowTime(const QAbstractItemModel& model, int row) {
    return model.index(row, 0).data(Qt::UserRole).toDateTime();
}

double rowValue(const QAbstractItemModel& model, int row) {
    return model.index(row, 1).data().toDouble();
}

} // namespace

ProgressPlot::ProgressPlot(QWidget* parent) : QWidget(parent) {
    setObjectName("progressPlot");
    setMinimumSize(240, 160);
}

void ProgressPlot::setModel(QAbstractItemModel* model) {
    if (m_model != nullptr) {
        disconnect(m_model, nullptr, this, nullptr);
    }
    m_model = model;
    const auto repaint = [this] { update(); };
    connect(model, &QAbstractItemModel::modelReset, this, repaint);
    connect(model, &QAbstractItemModel::rowsInserted, this, repaint);
    connect(model, &QAbstractItemModel::rowsRemoved, this, repaint);
    connect(model, &QAbstractItemModel::dataChanged, this, repaint);
    update();
}

void ProgressPlot::setMeasure(const QString& name, std::optional<double> top) {
    m_measure = name;
    m_top = top;
    setAccessibleName(name);
    update();
}

QRectF ProgressPlot::plotArea() const {
    const double line = fontMetrics().height();
    return QRectF(kMargin + kLabelWidth, kMargin + line, width() - 2 * kMargin - kLabelWidth,
                  height() - 2 * kMargin - 2 * line);
}

double ProgressPlot::topValue() const {
    if (m_top) {
        return *m_top;
    }
    double largest = 0.0;
    for (int row = 0; m_model != nullptr && row < m_model->rowCount(); ++row) {
        largest = std::max(largest, rowValue(*m_model, row));
    }
    return largest > 0.0 ? largest * 1.1 : 1.0;
}

QVector<QPointF> ProgressPlot::plottedPoints() const {
    QVector<QPointF> points;
    if (m_model == nullptr || m_model->rowCount() == 0) {
        return points;
    }
    const int rows = m_model->rowCount();
    const qint64 first = rowTime(*m_model, 0).toSecsSinceEpoch();
    const qint64 last = rowTime(*m_model, rows - 1).toSecsSinceEpoch();
    const QRectF area = plotArea();
    const double top = topValue();
    for (int row = 0; row < rows; ++row) {
        // A single run, or several the same second, stand in the middle.
        const double across =
            last > first
                ? double(rowTime(*m_model, row).toSecsSinceEpoch() - first) / double(last - first)
                : 0.5;
        const double up = std::clamp(rowValue(*m_model, row) / top, 0.0, 1.0);
        points << QPointF(area.left() + across * area.width(), area.bottom() - up * area.height());
    }
    return points;
}

void ProgressPlot::paintAxes(QPainter& painter, const QRectF& area) const {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topLeft());
    painter.drawText(QRectF(kMargin, kMargin, width() - 2 * kMargin, area.top() - kMargin),
                     Qt::AlignLeft | Qt::AlignVCenter, m_measure);
    const QLocale locale;
    const QRectF labels(kMargin, area.top(), kLabelWidth - 4, area.height());
    painter.drawText(labels, Qt::AlignRight | Qt::AlignTop, locale.toString(topValue(), 'f', 1));
    painter.drawText(labels, Qt::AlignRight | Qt::AlignBottom, locale.toString(0));
    if (m_model == nullptr || m_model->rowCount() == 0) {
        return;
    }
    const QRectF dates(area.left(), area.bottom(), area.width(), height() - area.bottom());
    painter.drawText(dates, Qt::AlignLeft | Qt::AlignVCenter,
                     m_model->index(0, 0).data().toString());
    painter.drawText(dates, Qt::AlignRight | Qt::AlignVCenter,
                     m_model->index(m_model->rowCount() - 1, 0).data().toString());
}

void ProgressPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = plotArea();
    paintAxes(painter, area);
    const QVector<QPointF> points = plottedPoints();
    if (points.isEmpty()) {
        painter.drawText(area, Qt::AlignCenter, tr("Ingen resultater endnu"));
        return;
    }
    const QColor ink = palette().color(QPalette::Highlight);
    painter.setPen(QPen(ink, 2));
    painter.drawPolyline(points.data(), int(points.size()));
    painter.setBrush(ink);
    for (const QPointF& point : points) {
        painter.drawEllipse(point, kPointRadius, kPointRadius);
    }
}
