#pragma once

#include <QAccessibleWidget>

class Shape;

// How assistive technology sees a diagram mark: a checkable button, checked while it is the
// selected mark, that a press action selects as a mouse press does. The bars are graphics.
class ShapeAccessible : public QAccessibleWidget {
public:
    explicit ShapeAccessible(Shape* shape);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    Shape* shape() const;
};

// Registers the interface above with Qt's accessibility once per program run.
void installShapeAccessibility();
