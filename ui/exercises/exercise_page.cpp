#include "ui/exercises/exercise_page.h"

#include "ui/exercises/exercise_tuning.h"
#include "ui/exercises/exercise_voices.h"
#include "ui/exercises/schedule_player.h"

#include <QLabel>
#include <QVBoxLayout>

ExercisePage::ExercisePage(ExerciseContext context, QWidget* parent)
    : QWidget(parent), m_context(context), m_status(new QLabel(this)), m_score(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    m_status->setObjectName("exerciseStatus");
    m_status->setWordWrap(true);
    m_status->setAccessibleName(tr("Øvelsens besked"));
    m_score->setObjectName("exerciseScore");
    m_score->setAccessibleName(tr("Point"));
    layout->addWidget(m_status);
    layout->addWidget(m_score);
    layout->addStretch();
}

// Above the status, the score and the stretch that keeps them all at the top.
void ExercisePage::addToTop(QWidget* widget) {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertWidget(layout->count() - 3, widget);
}

void ExercisePage::begin() {
    if (!m_learnersTuning) {
        m_learnersTuning = m_context.tuning.positions();
        m_context.tuning.exerciseBegins();
    }
}

void ExercisePage::leave() {
    stopSound();
    if (!m_learnersTuning) {
        return;
    }
    ended();
    m_context.tuning.setPositions(*m_learnersTuning);
    m_learnersTuning.reset();
    m_context.tuning.exerciseEnds();
}

void ExercisePage::finish(const QString& summary) {
    leave();
    setStatus(summary);
    m_context.tuning.showSummary(summary);
    emit finished(summary);
}

void ExercisePage::stopSound() {
    m_context.player.stop();
    m_context.voices.stopAll();
}

QString ExercisePage::statusText() const {
    return m_status->text();
}

QString ExercisePage::scoreText() const {
    return m_score->text();
}

void ExercisePage::setStatus(const QString& text) {
    m_status->setText(text);
    m_status->setAccessibleDescription(text);
}

void ExercisePage::setScore(const QString& text) {
    m_score->setText(text);
    m_score->setAccessibleDescription(text);
}
