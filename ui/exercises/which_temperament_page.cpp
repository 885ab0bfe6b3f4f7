#include "ui/exercises/which_temperament_page.h"

#include "ui/exercises/exercise_texts.h"
#include "ui/exercises/exercise_tuning.h"
#include "ui/exercises/schedule_player.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

using klangora::TemperamentRef;

namespace {
constexpr int kMarkedTriads = 3;
constexpr int kBoxesPerColumn = 8;

QString captionOf(const TemperamentRef& temperament) {
    const std::string_view caption = klangora::temperamentCaption(temperament);
    // The core names them in Danish; the translation knows every name.
    return QCoreApplication::translate("klangora", std::string(caption).c_str());
}
} // namespace

WhichTemperamentPage::WhichTemperamentPage(ExerciseContext context, QWidget* parent)
    : ExercisePage(context, parent) {
    auto* explanation = new QLabel(
        tr("Vælg to til fire stemninger. En række kadencer gennem flere tonearter lyder i en af "
           "dem; tryk 1 til 4 for den, du tror, det var. Mellemrum spiller den igen."),
        this);
    explanation->setWordWrap(true);
    addToTop(explanation);

    auto* box = new QGroupBox(tr("Stemninger"), this);
    auto* grid = new QGridLayout(box);
    int n = 0;
    for (const TemperamentRef& temperament : klangora::allTemperaments()) {
        auto* check = new QCheckBox(captionOf(temperament), box);
        grid->addWidget(check, n % kBoxesPerColumn, n / kBoxesPerColumn);
        m_boxes.emplace_back(temperament, check);
        ++n;
    }
    addToTop(box);
    auto* startButton = new QPushButton(tr("Start (Enter)"), this);
    startButton->setObjectName("startWhichTemperament");
    connect(startButton, &QPushButton::clicked, this, &WhichTemperamentPage::start);
    addToTop(startButton);
    for (int number = 1; number <= klangora::kMostTemperaments; ++number) {
        QPushButton* answer =
            addKeyButton(QString::number(number), Qt::Key(Qt::Key_0 + number), "answer");
        answer->setObjectName(QStringLiteral("answer%1").arg(number));
        answer->hide();
        m_answerButtons.push_back(answer);
    }
    addKeyButton(tr("Spil igen (mellemrum)"), Qt::Key_Space, "playAgain");
    addKeyButton(tr("Næste (Enter)"), Qt::Key_Return, "nextQuestion");
    setStatus(tr("Vælg to til fire stemninger, og tryk Enter for at begynde."));
}

void WhichTemperamentPage::choose(const TemperamentRef& temperament, bool chosen) {
    for (auto& [ref, check] : m_boxes) {
        if (ref == temperament) {
            check->setChecked(chosen);
        }
    }
}

std::vector<TemperamentRef> WhichTemperamentPage::chosen() const {
    std::vector<TemperamentRef> refs;
    for (const auto& [ref, check] : m_boxes) {
        if (check->isChecked()) {
            refs.push_back(ref);
        }
    }
    return refs;
}

void WhichTemperamentPage::start() {
    leave();
    const std::vector<TemperamentRef> refs = chosen();
    if (refs.size() < klangora::kFewestTemperaments || refs.size() > klangora::kMostTemperaments) {
        setStatus(tr("Vælg mindst to og højst fire stemninger."));
        return;
    }
    begin();
    m_choices = refs;
    showAnswerButtons();
    m_asked = 0;
    m_right = 0;
    setScore(tr("Rigtige: 0 af 0"));
    ask();
}

// One button for each temperament chosen, named as the question names it.
void WhichTemperamentPage::showAnswerButtons() {
    for (std::size_t n = 0; n < m_answerButtons.size(); ++n) {
        QPushButton* button = m_answerButtons[n];
        button->setVisible(n < m_choices.size());
        if (n < m_choices.size()) {
            button->setText(tr("%1: %2").arg(n + 1).arg(captionOf(m_choices[n])));
        }
    }
}

QString WhichTemperamentPage::choicesText() const {
    QStringList texts;
    for (std::size_t n = 0; n < m_choices.size(); ++n) {
        texts << tr("%1: %2").arg(n + 1).arg(captionOf(m_choices[n]));
    }
    return texts.join(", ");
}

void WhichTemperamentPage::ask() {
    m_question = klangora::makeWhichTemperamentQuestion(m_choices, m_context.random);
    m_awaitsAnswer = true;
    setStatus(tr("Spørgsmål %1 af %2: hvilken stemning hørte du? %3.")
                  .arg(m_asked + 1)
                  .arg(rounds())
                  .arg(choicesText()));
    play();
}

void WhichTemperamentPage::play() {
    m_context.player.play(
        klangora::cadencePassage(klangora::temperamentSliderPositions(m_question->played())));
}

bool WhichTemperamentPage::keyPressed(QKeyEvent& event) {
    const int number = event.key() - Qt::Key_0;
    if (number >= 1 && number <= klangora::kMostTemperaments) {
        if (m_awaitsAnswer && number <= static_cast<int>(m_choices.size())) {
            answer(number);
        }
        return true;
    }
    switch (event.key()) {
    case Qt::Key_Space:
        if (!event.isAutoRepeat()) {
            play();
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_awaitsAnswer) {
            return true;
        }
        if (m_asked >= rounds()) {
            finish(tr("Hvilken stemning: %1 af %2 rigtige.").arg(m_right).arg(rounds()));
        } else {
            ask();
        }
        return true;
    default:
        return false;
    }
}

void WhichTemperamentPage::answer(int number) {
    stopSound();
    m_awaitsAnswer = false;
    ++m_asked;
    const bool right = number == m_question->rightAnswer();
    m_right += right ? 1 : 0;
    const QString played = captionOf(m_question->played());
    noteAnswer(right, played, captionOf(m_choices[static_cast<std::size_t>(number - 1)]));
    std::vector<klangora::SliderPositions> tunings;
    for (const TemperamentRef& ref : m_choices) {
        tunings.push_back(klangora::temperamentSliderPositions(ref));
    }
    const std::vector<int> roots = klangora::mostDifferentTriads(tunings, kMarkedTriads);
    m_context.tuning.setPositions(klangora::temperamentSliderPositions(m_question->played()));
    m_context.tuning.markTriads(roots);
    QStringList rootNames;
    for (const int root : roots) {
        rootNames << exerciseNoteName(root);
    }
    const QString verdict =
        right ? tr("Rigtigt: det var %1.").arg(played)
              : tr("Forkert: det var %1, ikke %2.")
                    .arg(played, captionOf(m_choices[static_cast<std::size_t>(number - 1)]));
    const QString next = m_asked >= rounds() ? tr("Tryk Enter for at slutte.")
                                             : tr("Tryk Enter for næste spørgsmål.");
    setStatus(tr("%1 Diagrammet viser %2; de valgte stemninger er mest forskellige i "
                 "dur-treklangene på %3. %4")
                  .arg(verdict, played, rootNames.join(", "), next));
    setScore(tr("Rigtige: %1 af %2").arg(m_right).arg(m_asked));
}

void WhichTemperamentPage::ended() {
    m_awaitsAnswer = false;
    m_context.tuning.markTriads({});
}

void WhichTemperamentPage::noteAnswer(bool right, const QString& played, const QString& chosen) {
    m_outcome.answers.push_back({.right = right,
                                 .cents = {},
                                 .played = played.toStdString(),
                                 .chosen = chosen.toStdString()});
    auto& asked = m_outcome.temperaments;
    if (std::find(asked.begin(), asked.end(), played.toStdString()) == asked.end()) {
        asked.push_back(played.toStdString());
    }
}
