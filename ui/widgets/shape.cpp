#include "ui/widgets/shape.h"

#include "ui/widgets/shape_accessible.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

Shape::Shape(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    installShapeAccessibility();
}

void Shape::setPenWidth(int width) {
    if (width == m_penWidth) {
        return;
    }
    m_penWidth = width;
    update();
}

void Shape::setBrushColor(const QColor& color) {
    m_brushColor = color;
    update();
}

void Shape::setPenColor(const QColor& color) {
    m_penColor = color;
    update();
}

void Shape::setChecked(bool checked) {
    if (checked == m_checked) {
        return;
    }
    m_checked = checked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void Shape::activate() {
    emit pressed(Qt::NoButton);
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, m_kind == Kind::Ellipse);
    // The pen is centred on the path, so inset the path by half the pen to keep the whole
    // outline inside the widget.
    const qreal inset = m_penWidth / 2.0;
    const QRectF frame = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(m_penWidth > 0 ? QPen(m_penColor, m_penWidth) : QPen(Qt::NoPen));
    painter.setBrush(m_brushColor);
    if (m_kind == Kind::Ellipse) {
        painter.drawEllipse(frame);
    } else {
        painter.drawRect(frame);
    }
}

void Shape::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed(event->button());
}

void Shape::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    emit contextMenuRequested();
}
