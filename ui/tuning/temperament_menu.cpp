// One action a historical temperament, made once, so that each can be found by its name.
#include "ui/tuning/temperament_menu.h"

#include "core/historical_temperaments.h"
#include "ui/model/tuning_model.h"
#include "ui/texts/language_follower.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include <string>

namespace {

QString actionName(const klangora::HistoricalTemperament& temperament) {
    return "temperament_" + QString::fromUtf8(temperament.id);
}

// The library's captions and descriptions live in the core, which knows no translation; the
// translations hold them by their Danish text.
QString translated(std::string_view danish) {
    return QCoreApplication::translate("klangora", std::string(danish).c_str());
}

void tellTexts(QAction& action, const klangora::HistoricalTemperament& temperament) {
    action.setText(translated(temperament.caption));
    const QString description = translated(temperament.description);
    action.setStatusTip(description);
    action.setToolTip(description);
}

} // namespace

TemperamentMenu::TemperamentMenu(QWidget& window, TuningModel& model) : QObject(&window) {
    for (const klangora::HistoricalTemperament& temperament : klangora::kHistoricalTemperaments) {
        auto* action = new QAction(&window);
        action->setObjectName(actionName(temperament));
        tellTexts(*action, temperament);
        const auto positions = klangora::temperamentPositions(temperament.fifths);
        const auto identity = TuningIdentity::temperament(std::string(temperament.id));
        connect(action, &QAction::triggered, &model,
                [&model, positions, identity] { model.setTuning(positions, identity); });
        m_actions << action;
    }
    followLanguage(window, *this, [this] {
        for (qsizetype i = 0; i < m_actions.size(); ++i) {
            tellTexts(*m_actions[i],
                      klangora::kHistoricalTemperaments[static_cast<std::size_t>(i)]);
        }
    });
}

void TemperamentMenu::addToMenu(QMenu& menu) const {
    QMenu* library = menu.addMenu(QCoreApplication::translate("klangora", "Historiske stemninger"));
    library->setObjectName("temperamentMenu");
    // The descriptions show as tooltips: the window has no status bar.
    library->setToolTipsVisible(true);
    library->addActions(m_actions);
}
