#include "ui/exercises/exercise_page.h"

#include "ui/exercises/exercise_tuning.h"
#include "ui/exercises/exercise_voices.h"
#include "ui/exercises/schedule_player.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ExercisePage::ExercisePage(ExerciseContext context, QWidget* parent)
    : QWidget(parent), m_context(context), m_keyButtons(new QHBoxLayout),
      m_status(new QLabel(this)), m_score(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    m_status->setObjectName("exerciseStatus");
    m_status->setWordWrap(true);
    m_status->setAccessibleName(tr("Øvelsens besked"));
    m_score->setObjectName("exerciseScore");
    m_score->setAccessibleName(tr("Point"));
    layout->addWidget(m_status);
    layout->addLayout(m_keyButtons);
    layout->addWidget(m_score);
    layout->addStretch();
}

// Above the status, the key buttons, the score and the stretch that keeps them all at the top.
void ExercisePage::addToTop(QWidget* widget) {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertWidget(layout->count() - 4, widget);
}

QPushButton* ExercisePage::addKeyButton(const QString& text, Qt::Key key, const char* objectName) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    // The keys stay with the exercise: a click leaves the focus where it was.
    button->setFocusPolicy(Qt::NoFocus);
    if (key == Qt::Key_Space) {
        connect(button, &QPushButton::pressed, this, [this] { pressKey(Qt::Key_Space, true); });
        connect(button, &QPushButton::released, this, [this] { pressKey(Qt::Key_Space, false); });
    } else {
        connect(button, &QPushButton::clicked, this, [this, key] {
            pressKey(key, true);
            pressKey(key, false);
        });
    }
    m_keyButtons->addWidget(button);
    return button;
}

// As the window passes its keys on: to a running exercise, and Enter to start one.
void ExercisePage::pressKey(Qt::Key key, bool pressed) {
    QKeyEvent event(pressed ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
    if (isRunning()) {
        pressed ? keyPressed(event) : keyReleased(event);
    } else if (pressed && key == Qt::Key_Return) {
        start();
    }
}

void ExercisePage::begin() {
    m_outcome = klangora::ExerciseOutcome{};
    m_outcome.kind = kind();
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
    m_outcome.summary = summary.toStdString();
    emit finished(summary);
    emit outcomeReady(m_outcome);
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
