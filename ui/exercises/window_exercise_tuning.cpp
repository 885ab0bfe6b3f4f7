#include "ui/exercises/window_exercise_tuning.h"

#include "ui/messages/message_panel.h"
#include "ui/model/concealed_tone.h"
#include "ui/model/descriptions.h"
#include "ui/model/tuning_model.h"
#include "ui/texts/palette.h"
#include "ui/widgets/shape.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

namespace {
const QColor kMarkedTriad(220, 0, 0);
}

using Priority = MessagePanel::Priority;

WindowExerciseTuning::WindowExerciseTuning(const Controls& controls, TuningModel& model,
                                           MessagePanel* messages)
    : m_controls(controls), m_model(model), m_tuning(model), m_messages(messages) {}

WindowExerciseTuning::~WindowExerciseTuning() {
    uncoverInterval();
    markTriads({});
    if (m_messages != nullptr) {
        m_messages->release(Priority::exercise);
    }
}

klangora::SliderPositions WindowExerciseTuning::positions() const {
    return m_tuning.positions();
}

void WindowExerciseTuning::setPositions(const klangora::SliderPositions& positions) {
    m_tuning.setPositions(positions);
}

void WindowExerciseTuning::exerciseBegins() {
    m_learnersIdentity = m_model.identity();
}

// The learner's tones are back; so is the name of the tuning, which the exercise's moves had made
// the learner's own.
void WindowExerciseTuning::exerciseEnds() {
    if (m_model.identity() != m_learnersIdentity) {
        m_model.setTuning(m_model.positions(), m_learnersIdentity);
    }
}

void WindowExerciseTuning::showSummary(const QString& text) {
    if (m_messages == nullptr) {
        return;
    }
    m_messages->request(Priority::exercise, {text}, colours::green);
    // Released after a while unless the exercises have said something since.
    const int said = ++*m_said;
    QTimer::singleShot(kSummaryMs, m_messages, [messages = m_messages, count = m_said, said] {
        if (*count == said) {
            messages->release(Priority::exercise);
        }
    });
}

void WindowExerciseTuning::hideIntervalsWith(int toneIndex) {
    uncoverInterval();
    for (int row = 0; row <= 2; ++row) {
        for (const int column : concealment::columnsTelling(toneIndex, row)) {
            const auto at = static_cast<std::size_t>(column);
            // The root mark stands where it stands whatever the tuning; only its text tells.
            hide(m_controls.marks[at][static_cast<std::size_t>(row)], column, row);
            if (row > 0) {
                hide(m_controls.bars[at][static_cast<std::size_t>(row)], column, -1);
            }
        }
    }
    const int slider = toneIndex + 1; // c has none: it is fixed
    if (slider >= 2 && slider <= 12) {
        hide(m_controls.sliders[static_cast<std::size_t>(slider)], slider, -1);
    }
    if (m_controls.concealed != nullptr) {
        m_controls.concealed->conceal(toneIndex);
    }
    keepSilent();
    if (m_messages != nullptr) {
        // Over the live instrument's lines, which count the beats of whatever sounds.
        ++*m_said;
        m_messages->request(
            Priority::exercise,
            {QCoreApplication::translate(
                "WindowExerciseTuning", "Stem rent: lyt, og flyt tonen, til svævningerne er væk.")},
            colours::green);
    }
    // The diagram writes the mark's text anew at every retuning; it is silenced again after.
    m_silencer =
        QObject::connect(&m_model, &TuningModel::tonesChanged, &m_model, [this] { keepSilent(); });
}

void WindowExerciseTuning::hide(QWidget* widget, int column, int row) {
    // A control the window keeps hidden of itself (F's fifth bar, under the fixed c) stays so.
    if (widget != nullptr && !widget->isHidden()) {
        m_hidden.push_back({widget, column, row});
        widget->setHidden(row != 0);
    }
}

void WindowExerciseTuning::keepSilent() {
    for (const Hidden& hidden : m_hidden) {
        if (hidden.widget != nullptr && hidden.row >= 0) {
            hidden.widget->setToolTip({});
            hidden.widget->setAccessibleDescription({});
        }
    }
}

void WindowExerciseTuning::uncoverInterval() {
    QObject::disconnect(m_silencer);
    if (m_messages != nullptr && !m_hidden.empty()) {
        m_messages->release(Priority::exercise);
    }
    if (m_controls.concealed != nullptr) {
        m_controls.concealed->reveal();
    }
    for (const Hidden& hidden : m_hidden) {
        if (hidden.widget == nullptr) {
            continue;
        }
        if (hidden.row >= 0) {
            const QString text =
                descriptions::markDescription(m_model.tones(), hidden.column, hidden.row);
            hidden.widget->setAccessibleDescription(text);
            hidden.widget->setToolTip(text);
        }
        hidden.widget->show();
    }
    m_hidden.clear();
}

void WindowExerciseTuning::markTriads(const std::vector<int>& roots) {
    for (auto& [mark, colour] : m_marked) {
        if (mark != nullptr) {
            mark->setPenColor(colour);
        }
    }
    m_marked.clear();
    for (const int root : roots) {
        for (int row = 0; row <= 2; ++row) {
            Shape* mark =
                m_controls.marks[static_cast<std::size_t>(root + 1)][static_cast<std::size_t>(row)];
            if (mark != nullptr) {
                m_marked.emplace_back(mark, mark->penColor());
                mark->setPenColor(kMarkedTriad);
            }
        }
    }
}
