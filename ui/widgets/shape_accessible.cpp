#include "ui/widgets/shape_accessible.h"

#include "ui/widgets/shape.h"

namespace {

QAccessible::Role roleOf(const Shape* shape) {
    return shape->kind() == Shape::Kind::Ellipse ? QAccessible::Button : QAccessible::Graphic;
}

QAccessibleInterface* shapeInterface(const QString& className, QObject* object) {
    auto* shape = qobject_cast<Shape*>(object);
    if (className != QLatin1String("Shape") || shape == nullptr) {
        return nullptr;
    }
    return new ShapeAccessible(shape);
}

} // namespace

ShapeAccessible::ShapeAccessible(Shape* shape) : QAccessibleWidget(shape, roleOf(shape)) {}

Shape* ShapeAccessible::shape() const {
    return static_cast<Shape*>(widget());
}

QAccessible::State ShapeAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (role() == QAccessible::Button) {
        state.checkable = true;
        state.checked = shape()->isChecked();
    }
    return state;
}

QStringList ShapeAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (role() == QAccessible::Button) {
        names.prepend(pressAction());
    }
    return names;
}

void ShapeAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && role() == QAccessible::Button) {
        shape()->activate();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

void installShapeAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(shapeInterface);
        return true;
    }();
    static_cast<void>(installed);
}
