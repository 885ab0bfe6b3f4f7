#pragma once

#include <QColor>
#include <QWidget>

// An ellipse or rectangle drawn inside its own geometry, as the diagram's marks and bars are.
// The outline is drawn inside the bounds, so a wider pen makes the shape look bolder without
// growing it.
class Shape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int penWidth READ penWidth WRITE setPenWidth)
    Q_PROPERTY(QColor brushColor READ brushColor WRITE setBrushColor)
    Q_PROPERTY(QColor penColor READ penColor WRITE setPenColor)

public:
    enum class Kind { Ellipse, Rectangle };

    Shape(Kind kind, QWidget* parent);

    int penWidth() const { return m_penWidth; }
    QColor brushColor() const { return m_brushColor; }
    QColor penColor() const { return m_penColor; }

    void setPenWidth(int width);
    void setBrushColor(const QColor& color);
    void setPenColor(const QColor& color);

signals:
    // Any mouse button pressed inside the shape's rectangle.
    void pressed(Qt::MouseButton button);
    void contextMenuRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Kind m_kind;
    int m_penWidth = 1;
    QColor m_brushColor = Qt::white;
    QColor m_penColor = Qt::black;
};
