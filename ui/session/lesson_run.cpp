#include "ui/session/lesson_run.h"

#include "core/music/piece.h"
#include "core/musical_facts.h"
#include "sound/music/piece_player.h"
#include "ui/session/piece_transport.h"
#include "ui/session/session.h"

#include <QTimer>

#include <algorithm>

namespace {

// How often a passage played once is looked at, to pause it at its end.
constexpr int kPassageViewMs = 20;

} // namespace

LessonRun::LessonRun(Session& session, klangora::Lesson lesson, QObject* parent)
    : QObject(parent), m_session(session), m_lesson(std::move(lesson)),
      m_answers(m_lesson.steps.size()), m_outcomes(m_lesson.steps.size()),
      m_release(new QTimer(this)), m_passage(new QTimer(this)) {
    m_release->setSingleShot(true);
    connect(m_release, &QTimer::timeout, this, [this] { sound({}, 0); });
    m_passage->setInterval(kPassageViewMs);
    connect(m_passage, &QTimer::timeout, this, &LessonRun::followPassage);
    connect(&session, &Session::exerciseFinished, this, &LessonRun::exerciseFinished);
}

LessonRun::~LessonRun() {
    leave();
}

const klangora::LessonStep& LessonRun::step() const {
    return m_lesson.steps.at(static_cast<std::size_t>(m_index));
}

void LessonRun::start() {
    leave();
    m_index = 0;
    enter();
}

bool LessonRun::next() {
    if (m_index + 1 >= stepCount()) {
        return false;
    }
    leave();
    ++m_index;
    enter();
    return true;
}

bool LessonRun::back() {
    if (m_index <= 0) {
        return false;
    }
    leave();
    --m_index;
    enter();
    return true;
}

bool LessonRun::answer(int index) {
    const klangora::LessonStep& question = step();
    if (question.kind != klangora::LessonStepKind::question || index < 0 ||
        index >= static_cast<int>(question.answers.size())) {
        return false;
    }
    m_answers[static_cast<std::size_t>(m_index)] = index;
    const bool right = question.answers[static_cast<std::size_t>(index)].right;
    if (question.askForTuning) {
        // Answered: the tuning that sounded is named now.
        m_session.chooseTuning(QString::fromStdString(
            std::find_if(question.answers.begin(), question.answers.end(),
                         [](const klangora::LessonAnswer& a) { return a.right; })
                ->text));
    }
    emit answered(index, right);
    emit completedChanged();
    return right;
}

int LessonRun::questionCount() const {
    return static_cast<int>(std::count_if(m_lesson.steps.begin(), m_lesson.steps.end(),
                                          [](const klangora::LessonStep& s) {
                                              return s.kind == klangora::LessonStepKind::question;
                                          }));
}

int LessonRun::rightAnswers() const {
    int right = 0;
    for (std::size_t n = 0; n < m_answers.size(); ++n) {
        if (m_answers[n] &&
            m_lesson.steps[n].answers[static_cast<std::size_t>(*m_answers[n])].right) {
            ++right;
        }
    }
    return right;
}

bool LessonRun::completed() const {
    for (std::size_t n = 0; n < m_lesson.steps.size(); ++n) {
        const klangora::LessonStepKind kind = m_lesson.steps[n].kind;
        if ((kind == klangora::LessonStepKind::question && !m_answers[n]) ||
            (kind == klangora::LessonStepKind::exercise && !m_outcomes[n])) {
            return false;
        }
    }
    return m_reachedEnd;
}

bool LessonRun::passed() const {
    if (!completed()) {
        return false;
    }
    for (std::size_t n = 0; n < m_lesson.steps.size(); ++n) {
        if (m_outcomes[n] && !klangora::passes(*m_outcomes[n], m_lesson.steps[n].passPercent)) {
            return false;
        }
    }
    return true;
}

// An exercise ended: it counts for the step shown if it is that step's exercise, begun there.
void LessonRun::exerciseFinished(const klangora::ExerciseOutcome& outcome) {
    if (m_index < 0 || step().kind != klangora::LessonStepKind::exercise ||
        outcome.kind != step().exercise) {
        return;
    }
    m_outcomes[static_cast<std::size_t>(m_index)] = outcome;
    emit exerciseJudged(klangora::passes(outcome, step().passPercent));
    emit completedChanged();
}

// The notes a mark sounds, as Space sounds them: a root its triad, a third or fifth with its
// root, in the octave of the fixed c.
std::vector<int> LessonRun::markNotes(const klangora::LessonStep& mark) const {
    const int root = klangora::kFixedCNote + mark.toneNumber - 1;
    switch (mark.row) {
    case klangora::MarkRow::root:
        return {root, root + klangora::kMajorThirdSemitones, root + klangora::kFifthSemitones};
    case klangora::MarkRow::third:
        return {root, root + klangora::kMajorThirdSemitones};
    case klangora::MarkRow::fifth:
        return {root, root + klangora::kFifthSemitones};
    }
    return {};
}

void LessonRun::enter() {
    using Kind = klangora::LessonStepKind;
    const klangora::LessonStep& now = step();
    switch (now.kind) {
    case Kind::text:
        break;
    case Kind::tuning:
        m_session.chooseTuning(QString::fromStdString(now.tuningName));
        break;
    case Kind::key:
        m_session.setKey(now.toneNumber);
        break;
    case Kind::arrangement:
        m_session.arrange(now.fifths);
        break;
    case Kind::mark:
        m_session.selectMark(now.toneNumber, static_cast<int>(now.row));
        sound(markNotes(now), now.seconds);
        break;
    case Kind::notes:
        sound(now.notes, now.seconds);
        break;
    case Kind::piece:
        playPassage(now);
        break;
    case Kind::question:
        if (now.askForTuning && !m_answers[static_cast<std::size_t>(m_index)]) {
            // The right tuning sounds as the learner's own, so that no caption names it.
            const auto right =
                std::find_if(now.answers.begin(), now.answers.end(),
                             [](const klangora::LessonAnswer& a) { return a.right; });
            m_session.chooseTuning(QString::fromStdString(right->text));
            m_session.setTuning(klangora::Tuning(m_session.tuning().positions(), {}));
            klangora::LessonStep triadOnC;
            triadOnC.toneNumber = 1;
            sound(markNotes(triadOnC), triadOnC.seconds);
        }
        break;
    case Kind::exercise:
        m_session.startExercise(now.exercise, now.rounds);
        break;
    }
    if (m_index + 1 == stepCount() && !m_reachedEnd) {
        m_reachedEnd = true;
        emit completedChanged();
    }
    emit stepEntered(m_index);
}

void LessonRun::leave() {
    sound({}, 0);
    m_passage->stop();
    if (m_index >= 0 && step().kind == klangora::LessonStepKind::piece && step().repeat) {
        m_session.piecePlayer().stopRepeating();
    }
    if (m_session.piece().playing()) {
        m_session.playOrPause();
    }
}

// Holds the notes for a while, as the mark's Space would; an empty list lets go.
void LessonRun::sound(const std::vector<int>& notes, double seconds) {
    for (int note : m_held) {
        m_session.release(klangora::VoiceSource::mark, note);
    }
    m_held = notes;
    for (int note : m_held) {
        m_session.press(klangora::VoiceSource::mark, note);
    }
    if (!m_held.empty()) {
        m_release->start(static_cast<int>(seconds * 1000));
    }
}

void LessonRun::playPassage(const klangora::LessonStep& passage) {
    if (m_session.openPiece(QString::fromStdString(passage.pieceFile))) {
        return; // checked when the lesson was read; gone since
    }
    if (!passage.sound.empty()) {
        emit soundAsked(QString::fromStdString(passage.sound));
    }
    klangora::PiecePlayer& player = m_session.piecePlayer();
    const double end = passage.toSeconds.value_or(m_session.piece().piece()->lengthSeconds);
    if (passage.repeat) {
        // The player goes back to A at B's very sample, until the lesson leaves the step.
        player.repeatPassage(passage.fromSeconds, end);
    }
    player.seek(passage.fromSeconds);
    m_session.playOrPause();
    if (!passage.repeat) {
        m_passage->start();
    }
}

// Played once, the passage pauses at its end.
void LessonRun::followPassage() {
    klangora::PiecePlayer& player = m_session.piecePlayer();
    player.flush();
    if (player.seekPending()) {
        return;
    }
    const double end = step().toSeconds.value_or(m_session.piece().piece()->lengthSeconds);
    if (player.positionSeconds() >= end || !m_session.piece().playing()) {
        if (m_session.piece().playing()) {
            m_session.playOrPause();
        }
        m_passage->stop();
    }
}
