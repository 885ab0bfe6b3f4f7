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
    Q_PROPERTY(bool checked READ isChecked WRITE setChecked)

public:
    enum class Kind { Ellipse, Rectangle };

    Shape(Kind kind, QWidget* parent);

    int penWidth() const { return m_penWidth; }
    QColor brushColor() const { return m_brushColor; }
    QColor penColor() const { return m_penColor; }
    Kind kind() const { return m_kind; }
    // A diagram mark is checked while it is the selected one; assistive technology reads it as
    // the state of a checkable button.
    bool isChecked() const { return m_checked; }

    void setPenWidth(int width);
    void setBrushColor(const QColor& color);
    void setPenColor(const QColor& color);
    void setChecked(bool checked);
    // What a press does, for assistive technology that activates the mark instead of a mouse.
    void activate();

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
    bool m_checked = false;
};
