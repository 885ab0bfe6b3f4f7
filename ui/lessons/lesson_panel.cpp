#include "ui/lessons/lesson_panel.h"

#include "core/music/tuning_name.h"
#include "ui/classroom/interface_language.h"
#include "ui/lessons/lesson_files.h"
#include "ui/model/descriptions.h"
#include "ui/model/musical_facts.h"
#include "ui/session/lesson_run.h"
#include "ui/session/session.h"
#include "ui/texts/language_follower.h"
#include "ui/tuning/tuning_name.h"
#include "ui/widgets/message_box.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QString timeText(double seconds) {
    const int whole = static_cast<int>(std::lround(seconds));
    return QString("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QChar('0'));
}

// A tuning answer as the caption would name it: "Werckmeister III", not "werckmeister3".
QString shownTuningName(const std::string& name) {
    const auto tuning = klangora::resolveTuningName(name);
    if (const auto* named = std::get_if<klangora::NamedTuning>(&tuning)) {
        return tuningName(named->tuning.identity());
    }
    return QString::fromStdString(name);
}

QLabel* wrappingLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

LessonPanel::LessonPanel(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_session(session) {
    setObjectName("lessonPanel");
    auto* layout = new QVBoxLayout(this);
    m_title = wrappingLabel(this, "lessonTitle");
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_title->setFont(bold);
    m_position = new QLabel(this);
    m_position->setObjectName("lessonPosition");
    m_body = wrappingLabel(this, "lessonStep");
    m_body->setMinimumWidth(420);
    m_answers = new QWidget(this);
    m_answerRows = new QVBoxLayout(m_answers);
    m_answerRows->setContentsMargins(0, 0, 0, 0);
    m_explanation = wrappingLabel(this, "lessonExplanation");
    m_back = new QPushButton(this);
    m_back->setObjectName("lessonBack");
    m_next = new QPushButton(this);
    m_next->setObjectName("lessonNext");
    nameControls();
    followLanguage(*this, *this, [this] {
        nameControls();
        if (m_run) {
            showStep();
        }
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addStretch();
    buttons->addWidget(m_next);
    layout->addWidget(m_title);
    layout->addWidget(m_position);
    layout->addWidget(m_body, 1);
    layout->addWidget(m_answers);
    layout->addWidget(m_explanation);
    layout->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, [this] {
        if (m_run) {
            m_run->back();
        }
    });
    connect(m_next, &QPushButton::clicked, this, [this] {
        if (m_run) {
            m_run->next();
        }
    });
}

LessonPanel::~LessonPanel() = default;

void LessonPanel::nameControls() {
    m_back->setText(tr("Tilbage"));
    m_next->setText(tr("Næste"));
    m_back->setToolTip(tr("Forrige trin (Page Up)"));
    m_next->setToolTip(tr("Næste trin (Page Down)"));
    setWindowTitle(m_run ? tr("Lektion: %1").arg(m_title->text()) : tr("Lektion"));
}

bool LessonPanel::open(const QString& path) {
    auto result = klangora::readLesson(QFile::encodeName(path).toStdString(), lessonContext());
    if (const auto* errors = std::get_if<std::vector<klangora::LessonError>>(&result)) {
        QStringList lines;
        for (const klangora::LessonError& error : *errors) {
            lines << QString::fromStdString(
                klangora::lessonErrorText(error, !InterfaceLanguageScope::speaksDanish()));
        }
        showMessage(tr("Lektionen »%1« kan ikke åbnes:\n%2")
                        .arg(QFileInfo(path).fileName(), lines.join('\n')));
        return false;
    }
    m_run = std::make_unique<LessonRun>(m_session, std::get<klangora::Lesson>(std::move(result)));
    connect(m_run.get(), &LessonRun::stepEntered, this, &LessonPanel::showStep);
    connect(m_run.get(), &LessonRun::answered, this, &LessonPanel::showAnswer);
    connect(m_run.get(), &LessonRun::exerciseJudged, this, &LessonPanel::showExerciseResult);
    connect(m_run.get(), &LessonRun::completedChanged, this, &LessonPanel::showPosition);
    // A piece step plays in the sound it names, for this run, as the user's choice would.
    connect(m_run.get(), &LessonRun::soundAsked, &m_session,
            qOverload<const QString&>(&Session::chooseSound));
    emit lessonOpened(*m_run, path);
    m_title->setText(QString::fromStdString(m_run->lesson().title));
    nameControls();
    show();
    raise();
    activateWindow();
    m_run->start();
    setFocus();
    return true;
}

// What a step that is no text or question does, in words.
QString LessonPanel::stepText() const {
    using Kind = klangora::LessonStepKind;
    const klangora::LessonStep& step = m_run->step();
    switch (step.kind) {
    case Kind::text:
        return QString::fromStdString(step.text);
    case Kind::tuning:
        return tr("Stemning: %1").arg(tuningName(m_session.model().identity()));
    case Kind::key:
        return tr("Toneart: %1")
            .arg(QCoreApplication::translate("klangora", music::noteName(step.toneNumber)));
    case Kind::arrangement:
        return step.fifths ? tr("Diagrammet i kvinter.") : tr("Diagrammet kromatisk.");
    case Kind::mark:
        return tr("Lyt: %1.")
            .arg(descriptions::markName(step.toneNumber, static_cast<int>(step.row)));
    case Kind::notes:
        return tr("Lyt til tonerne.");
    case Kind::piece: {
        const QString name = QFileInfo(QString::fromStdString(step.pieceFile)).completeBaseName();
        QString text = step.toSeconds
                           ? tr("Lyt: %1, %2–%3.")
                                 .arg(name, timeText(step.fromSeconds), timeText(*step.toSeconds))
                           : tr("Lyt: %1 fra %2.").arg(name, timeText(step.fromSeconds));
        return step.repeat ? text + " " + tr("Stedet gentages.") : text;
    }
    case Kind::question:
        return QString::fromStdString(step.question);
    case Kind::exercise:
        return tr("Øvelse i vinduet »Øvelser«: bestået med %1 % rigtige.").arg(step.passPercent);
    }
    return {};
}

void LessonPanel::showStep() {
    const klangora::LessonStep& step = m_run->step();
    showPosition();
    m_body->setTextFormat(step.kind == klangora::LessonStepKind::text ? Qt::MarkdownText
                                                                      : Qt::PlainText);
    m_body->setText(stepText());
    m_explanation->clear();
    m_explanation->hide();
    showQuestion();
    if (m_run->exerciseOutcome()) {
        showExerciseResult();
    }
    m_back->setEnabled(m_run->stepIndex() > 0);
    m_next->setEnabled(m_run->stepIndex() + 1 < m_run->stepCount());
}

void LessonPanel::showQuestion() {
    while (QLayoutItem* item = m_answerRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const klangora::LessonStep& step = m_run->step();
    m_answers->setVisible(step.kind == klangora::LessonStepKind::question);
    for (std::size_t n = 0; n < step.answers.size(); ++n) {
        const std::string& text = step.answers[n].text;
        auto* button = new QPushButton(
            step.askForTuning ? shownTuningName(text) : QString::fromStdString(text), m_answers);
        button->setObjectName(QString("lessonAnswer%1").arg(n + 1));
        connect(button, &QPushButton::clicked, this,
                [this, n] { m_run->answer(static_cast<int>(n)); });
        m_answerRows->addWidget(button);
    }
    if (const auto given = m_run->answerGiven()) {
        showAnswer(*given, step.answers[static_cast<std::size_t>(*given)].right);
    }
}

void LessonPanel::showAnswer(int, bool right) {
    const QString verdict = right ? tr("Rigtigt.") : tr("Ikke rigtigt.");
    m_explanation->setText(verdict + " " + QString::fromStdString(m_run->step().explanation));
    m_explanation->show();
}

// Where the lesson stands, and once it is done whether it was passed.
void LessonPanel::showPosition() {
    QString text = tr("Trin %1 af %2").arg(m_run->stepIndex() + 1).arg(m_run->stepCount());
    if (m_run->completed()) {
        text += " · " + (m_run->passed() ? tr("Lektionen er bestået.")
                                         : tr("Lektionen er gennemført, men ikke bestået."));
    }
    m_position->setText(text);
}

void LessonPanel::showExerciseResult() {
    const klangora::ExerciseOutcome& outcome = *m_run->exerciseOutcome();
    const int mark = m_run->step().passPercent;
    const QString score = tr("%1 af %2 rigtige (%3 %)")
                              .arg(outcome.rightAnswers())
                              .arg(outcome.rounds())
                              .arg(qRound(outcome.percentRight()));
    m_explanation->setText(klangora::passes(outcome, mark)
                               ? tr("Bestået: %1.").arg(score)
                               : tr("Ikke bestået: %1; der skal %2 % til. Prøv igen i vinduet "
                                    "»Øvelser«.")
                                     .arg(score)
                                     .arg(mark));
    m_explanation->show();
}

void LessonPanel::keyPressEvent(QKeyEvent* event) {
    if (m_run && event->key() == Qt::Key_PageDown) {
        m_run->next();
    } else if (m_run && event->key() == Qt::Key_PageUp) {
        m_run->back();
    } else {
        QWidget::keyPressEvent(event);
    }
}

// Closing the panel ends the lesson and its sound.
void LessonPanel::closeEvent(QCloseEvent* event) {
    m_run.reset();
    QWidget::closeEvent(event);
}
