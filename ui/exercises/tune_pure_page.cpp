#include "ui/exercises/tune_pure_page.h"

#include "ui/exercises/exercise_texts.h"
#include "ui/exercises/exercise_tuning.h"
#include "ui/exercises/exercise_voices.h"
#include "ui/texts/number_format.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kLowerVoice = 0;
constexpr int kUpperVoice = 1;
constexpr float kVelocity = 0.8f;
} // namespace

TunePurePage::TunePurePage(ExerciseContext context, QWidget* parent)
    : ExercisePage(context, parent) {
    auto* explanation = new QLabel(
        tr("En stor terts eller en kvint i din stemning er gjort uren. Hold mellemrum nede for at "
           "høre den, og flyt tonen med pil op og pil ned (med Shift en hel cent ad gangen), til "
           "svævningerne er væk; tryk så Enter. Fem runder; din stemning kommer tilbage bagefter."),
        this);
    explanation->setWordWrap(true);
    addToTop(explanation);
    auto* startButton = new QPushButton(tr("Start (Enter)"), this);
    startButton->setObjectName("startTunePure");
    connect(startButton, &QPushButton::clicked, this, &TunePurePage::start);
    addToTop(startButton);
    addKeyButton(tr("Hør (mellemrum)"), Qt::Key_Space, "listen");
    addKeyButton(tr("Hæv (pil op)"), Qt::Key_Up, "raiseTone");
    addKeyButton(tr("Sænk (pil ned)"), Qt::Key_Down, "lowerTone");
    addKeyButton(tr("Ren nu (Enter)"), Qt::Key_Return, "tunedPure");
    setStatus(tr("Tryk Enter for at begynde."));
}

void TunePurePage::start() {
    leave();
    begin();
    m_exercise.emplace(m_context.tuning.positions(), m_context.random, rounds());
    startRound();
}

int TunePurePage::roundNumber() const {
    return static_cast<int>(m_exercise->results().size()) + 1;
}

void TunePurePage::startRound() {
    const klangora::TunePureRound& round = m_exercise->nextRound();
    // The moving tone may lie in the octave above (the third on a moves c#'), and is hidden in
    // every octave.
    m_context.tuning.hideIntervalsWith(round.movingToneIndex % 12);
    m_context.tuning.setPositions(m_exercise->roundStart());
    m_roundRuns = true;
    setScore(tr("Runde %1 af %2").arg(roundNumber()).arg(m_exercise->rounds()));
    setStatus(tr("Stem %1 ren. Tonen %2 flyttes. Hold mellemrum nede for at høre den; tryk "
                 "Enter, når den er ren.")
                  .arg(intervalName(round.kind, round.lowerToneIndex),
                       exerciseNoteName(round.movingToneIndex)));
}

bool TunePurePage::keyPressed(QKeyEvent& event) {
    const int step = event.modifiers().testFlag(Qt::ShiftModifier) ? kShiftStep : 1;
    switch (event.key()) {
    case Qt::Key_Space:
        if (!event.isAutoRepeat()) {
            m_sounding = true;
            sound();
        }
        return true;
    case Qt::Key_Up:
    case Qt::Key_Left:
        move(-step);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
        move(step);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_roundRuns) {
            endRound();
        } else if (m_exercise->finished()) {
            m_outcome.thresholdCents = m_exercise->meanResult().centsFromPure;
            m_outcome.beatsPerSecond = m_exercise->meanResult().beatsPerSecond;
            finish(tr("Stem rent: i gennemsnit %1 cent fra rent, %2 svævninger i sekundet.")
                       .arg(formatTenths(m_exercise->meanResult().centsFromPure),
                            formatTenths(m_exercise->meanResult().beatsPerSecond)));
        } else {
            startRound();
        }
        return true;
    default:
        return false;
    }
}

bool TunePurePage::keyReleased(QKeyEvent& event) {
    if (event.key() != Qt::Key_Space) {
        return false;
    }
    if (!event.isAutoRepeat()) {
        m_sounding = false;
        m_context.voices.off(kLowerVoice);
        m_context.voices.off(kUpperVoice);
    }
    return true;
}

void TunePurePage::move(int positions) {
    if (!m_roundRuns) {
        return;
    }
    const int slider = m_exercise->round().sliderNumber;
    klangora::SliderPositions tuning = m_context.tuning.positions();
    int& position = tuning[static_cast<std::size_t>(slider - klangora::kFirstSlider)];
    position = std::clamp(position + positions, klangora::kSliderMin, klangora::kSliderMax);
    m_context.tuning.setPositions(tuning);
    if (m_sounding) {
        sound();
    }
}

void TunePurePage::sound() {
    const klangora::IntervalPitches pitches =
        klangora::pitchesOf(m_exercise->round(), m_context.tuning.positions());
    m_context.voices.on(kLowerVoice, pitches.lowerHz, kVelocity);
    m_context.voices.on(kUpperVoice, pitches.upperHz, kVelocity);
}

void TunePurePage::endRound() {
    const klangora::TunePureResult result = m_exercise->finishRound(m_context.tuning.positions());
    m_roundRuns = false;
    m_context.tuning.uncoverInterval();
    m_outcome.answers.push_back(
        {.right = std::fabs(result.centsFromPure) <= klangora::kTunedPureCents,
         .cents = result.centsFromPure,
         .played = {},
         .chosen = {}});
    const QString direction = result.centsFromPure > 0 ? tr("for bred") : tr("for smal");
    const QString next = m_exercise->finished() ? tr("Tryk Enter for at slutte.")
                                                : tr("Tryk Enter for næste runde.");
    setStatus(tr("Den endte %1 cent %2, med %3 svævninger i sekundet. %4")
                  .arg(formatTenths(std::fabs(result.centsFromPure)), direction,
                       formatTenths(result.beatsPerSecond), next));
    setScore(tr("Runde %1 af %2 · i gennemsnit %3 cent fra rent")
                 .arg(roundNumber() - 1)
                 .arg(m_exercise->rounds())
                 .arg(formatTenths(m_exercise->meanResult().centsFromPure)));
}

void TunePurePage::stopSound() {
    m_sounding = false;
    ExercisePage::stopSound();
}

void TunePurePage::ended() {
    if (m_roundRuns) {
        m_roundRuns = false;
        m_context.tuning.uncoverInterval();
    }
}
