// One action a historical temperament, made once, so that each can be found by its name.
#include "ui/tuning/temperament_menu.h"

#include "core/historical_temperaments.h"
#include "ui/tuning/tuning_controls.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

QString actionName(const klangora::HistoricalTemperament& temperament) {
    return "temperament_" + QString::fromUtf8(temperament.id);
}

} // namespace

TemperamentMenu::TemperamentMenu(QWidget& window, TuningControls& controls)
    : QObject(&window), m_window(window) {
    for (const klangora::HistoricalTemperament& temperament : klangora::kHistoricalTemperaments) {
        auto* action = new QAction(QString::fromUtf8(temperament.caption), &window);
        action->setObjectName(actionName(temperament));
        const QString description = QString::fromUtf8(temperament.description);
        action->setStatusTip(description);
        action->setToolTip(description);
        const auto positions = klangora::temperamentPositions(temperament.fifths);
        const QString caption = action->text();
        connect(action, &QAction::triggered, &controls,
                [&controls, positions, caption] { controls.applyNamed(positions, caption); });
    }
}

void TemperamentMenu::addToMenu(QMenu& menu) const {
    QMenu* library = menu.addMenu("Historiske stemninger");
    library->setObjectName("temperamentMenu");
    // The descriptions show as tooltips: the window has no status bar.
    library->setToolTipsVisible(true);
    for (const klangora::HistoricalTemperament& temperament : klangora::kHistoricalTemperaments) {
        library->addAction(m_window.findChild<QAction*>(actionName(temperament)));
    }
}
