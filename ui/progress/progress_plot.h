#pragma once

// One exercise's measure over time, painted: the runs as points joined by a line, left to right
// in time, the measure upwards from 0 (a threshold falling towards 0 is an ear growing finer).
// The points come from a model's rows (column 0 the time under Qt::UserRole, column 1 the
// value), so that what is painted is what the model holds.
#include <QPointF>
#include <QPointer>
#include <QVector>
#include <QWidget>

class QAbstractItemModel;

class ProgressPlot : public QWidget {
    Q_OBJECT

public:
    explicit ProgressPlot(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return m_model; }
    // What the upward axis measures, and its top (none: the largest value and a little more).
    void setMeasure(const QString& name, std::optional<double> top = std::nullopt);
    // Where each row of the model is painted, in the widget's coordinates.
    QVector<QPointF> plottedPoints() const;

    QSize sizeHint() const override { return {480, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plotArea() const;
    double topValue() const;
    void paintAxes(QPainter& painter, const QRectF& area) const;

    QPointer<QAbstractItemModel> m_model;
    QString m_measure;
    std::optional<double> m_top;
};
