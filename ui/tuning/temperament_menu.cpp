// One action a historical temperament, made once, so that each can be found by its name.
#include "ui/tuning/temperament_menu.h"

#include "core/historical_temperaments.h"
#include "ui/model/tuning_model.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

QString actionName(const klangora::HistoricalTemperament& temperament) {
    return "temperament_" + QString::fromUtf8(temperament.id);
}

} // namespace

TemperamentMenu::TemperamentMenu(QWidget& window, TuningModel& model) : QObject(&window) {
    for (const klangora::HistoricalTemperament& temperament : klangora::kHistoricalTemperaments) {
        auto* action = new QAction(QString::fromUtf8(temperament.caption), &window);
        action->setObjectName(actionName(temperament));
        const QString description = QString::fromUtf8(temperament.description);
        action->setStatusTip(description);
        action->setToolTip(description);
        const auto positions = klangora::temperamentPositions(temperament.fifths);
        const auto identity = TuningIdentity::temperament(std::string(temperament.id));
        connect(action, &QAction::triggered, &model,
                [&model, positions, identity] { model.setTuning(positions, identity); });
        m_actions << action;
    }
}

void TemperamentMenu::addToMenu(QMenu& menu) const {
    QMenu* library = menu.addMenu(QT_TRANSLATE_NOOP("klangora", "Historiske stemninger"));
    library->setObjectName("temperamentMenu");
    // The descriptions show as tooltips: the window has no status bar.
    library->setToolTipsVisible(true);
    library->addActions(m_actions);
}
