#include "ui/exercises/pure_or_tempered_page.h"

#include "core/readings.h"
#include "core/tuning.h"
#include "ui/exercises/exercise_tuning.h"
#include "ui/exercises/schedule_player.h"
#include "ui/texts/number_format.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <cmath>

using klangora::IntervalChoice;
using klangora::IntervalKind;

namespace {}

PureOrTemperedPage::PureOrTemperedPage(ExerciseContext context, QWidget* parent)
    : ExercisePage(context, parent) {
    auto* explanation = new QLabel(
        tr("To intervaller lyder efter hinanden, det ene rent, det andet tempereret. Hvilket var "
           "rent? Tryk 1 for det første, 2 for det andet; mellemrum spiller dem igen. Tyve "
           "spørgsmål, og de bliver sværere, jo flere du svarer rigtigt på."),
        this);
    explanation->setWordWrap(true);
    addToTop(explanation);

    auto* box = new QGroupBox(tr("Interval"), this);
    auto* row = new QHBoxLayout(box);
    m_thirds = new QRadioButton(tr("Store tertser"), box);
    m_fifths = new QRadioButton(tr("Kvinter"), box);
    m_both = new QRadioButton(tr("Begge"), box);
    m_both->setChecked(true);
    for (QRadioButton* button : {m_thirds, m_fifths, m_both}) {
        row->addWidget(button);
    }
    addToTop(box);

    auto* startButton = new QPushButton(tr("Start (Enter)"), this);
    startButton->setObjectName("startPureOrTempered");
    connect(startButton, &QPushButton::clicked, this, &PureOrTemperedPage::start);
    addToTop(startButton);
    addKeyButton(tr("1: det første"), Qt::Key_1, "answerFirst");
    addKeyButton(tr("2: det andet"), Qt::Key_2, "answerSecond");
    addKeyButton(tr("Spil igen (mellemrum)"), Qt::Key_Space, "playAgain");
    addKeyButton(tr("Næste (Enter)"), Qt::Key_Return, "nextQuestion");
    setStatus(tr("Vælg interval, og tryk Enter for at begynde."));
}

IntervalChoice PureOrTemperedPage::choice() const {
    if (m_thirds->isChecked()) {
        return IntervalChoice::thirds;
    }
    return m_fifths->isChecked() ? IntervalChoice::fifths : IntervalChoice::both;
}

void PureOrTemperedPage::start() {
    leave();
    begin();
    m_exercise.emplace(choice(), m_context.random, rounds());
    setScore(tr("Rigtige: 0 af 0"));
    ask();
}

void PureOrTemperedPage::ask() {
    m_exercise->nextQuestion(klangora::Tuning(m_context.tuning.positions()).centsAboveC());
    m_awaitsAnswer = true;
    setStatus(tr("Spørgsmål %1 af %2: hvilket interval var rent? Tryk 1 for det første, 2 "
                 "for det andet.")
                  .arg(m_exercise->staircase().answers() + 1)
                  .arg(m_exercise->staircase().answersAsked()));
    playQuestion();
}

void PureOrTemperedPage::playQuestion() {
    m_context.player.play(scheduleOf(m_exercise->question()));
}

bool PureOrTemperedPage::keyPressed(QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_1:
    case Qt::Key_2:
        if (m_awaitsAnswer) {
            answer(event.key() == Qt::Key_1 ? 1 : 2);
        }
        return true;
    case Qt::Key_Space:
        if (!event.isAutoRepeat()) {
            playQuestion();
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_awaitsAnswer) {
            ask();
        }
        return true;
    default:
        return false;
    }
}

void PureOrTemperedPage::answer(int firstOrSecond) {
    stopSound();
    m_awaitsAnswer = false;
    const double tempering = m_exercise->question().temperingCents;
    const int pure = m_exercise->question().pureAnswer();
    const bool right = m_exercise->answer(firstOrSecond);
    m_outcome.answers.push_back({.right = right, .cents = tempering, .played = {}, .chosen = {}});
    setScore(tr("Rigtige: %1 af %2")
                 .arg(m_exercise->rightAnswers())
                 .arg(m_exercise->staircase().answers()));
    if (m_exercise->finished()) {
        m_outcome.thresholdCents = m_exercise->staircase().thresholdCents();
        finish(summary());
        return;
    }
    const QString verdict =
        right ? tr("Rigtigt!") : tr("Forkert: det rene var nummer %1.").arg(pure);
    setStatus(tr("%1 Det tempererede var %2 cent for %3. Tryk Enter for næste spørgsmål.")
                  .arg(verdict, formatTenths(std::fabs(tempering)),
                       tempering > 0 ? tr("bredt") : tr("smalt")));
}

QString PureOrTemperedPage::summary() const {
    const auto& staircase = m_exercise->staircase();
    const double threshold = staircase.thresholdCents().value_or(staircase.temperingCents());
    const IntervalChoice chosen = m_exercise->choice();
    QStringList beats;
    if (chosen != IntervalChoice::fifths) {
        beats << tr("%1 svævninger i sekundet i en stor terts på C")
                     .arg(formatTenths(temperedBeatsPerSecond(
                         IntervalKind::third, static_cast<double>(klangora::kFixedCHz),
                         threshold)));
    }
    if (chosen != IntervalChoice::thirds) {
        const QString perSecond = beats.isEmpty() ? tr(" svævninger i sekundet") : QString();
        beats << tr("%1%2 i en kvint på C")
                     .arg(formatTenths(temperedBeatsPerSecond(
                              IntervalKind::fifth, static_cast<double>(klangora::kFixedCHz),
                              threshold)),
                          perSecond);
    }
    return tr("Ren eller tempereret: %1 af %2 rigtige. Du hører forskel ned til %3 cent; det "
              "svarer til %4.")
        .arg(m_exercise->rightAnswers())
        .arg(staircase.answers())
        .arg(formatTenths(threshold), beats.join(tr(" og ")));
}
