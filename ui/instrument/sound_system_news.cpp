#include "ui/instrument/sound_system_news.h"

#include "sound/output/audio_output.h"
#include "ui/classroom/settings.h"
#include "ui/messages/message_board.h"
#include "ui/texts/number_format.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

constexpr int kLookMs = 250;
// The news of a move stays this long, unless something else is said meanwhile.
constexpr int kMovedShownMs = 10'000;

} // namespace

SoundSystemNews::SoundSystemNews(QObject* parent, klangora::AudioOutput& output,
                                 MessageBoard& board)
    : QObject(parent), m_output(output), m_board(board) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &SoundSystemNews::look);
    timer->start(kLookMs);
    QTimer::singleShot(0, this, &SoundSystemNews::look);
}

QString SoundSystemNews::movedText() {
    return QCoreApplication::translate("klangora",
                                       "Ingen JACK-server; lyden går nu gennem PulseAudio.");
}

std::uint32_t SoundSystemNews::rememberedPulseLatencyMs() {
    return static_cast<std::uint32_t>(Settings().pulseLatencyMs().value_or(0));
}

QString SoundSystemNews::line() const {
    const QString system = QString::fromUtf8(m_output.systemName());
    if (m_output.rate() <= 0 || m_output.periodFrames() <= 0) {
        return QCoreApplication::translate("klangora", "Lyd: %1.").arg(system);
    }
    return QCoreApplication::translate("klangora",
                                       "Lyd: %1, %2 Hz, %3 rammer pr. periode, %4 ms forsinkelse.")
        .arg(system)
        .arg(m_output.rate())
        .arg(m_output.periodFrames())
        .arg(formatTenths(static_cast<double>(m_output.latencyUs()) / 1000.0));
}

// Also after a change of language: the line is built anew each time and told when it differs.
void SoundSystemNews::look() {
    if (const QString now = line(); now != m_line) {
        m_line = now;
        emit described(m_line);
    }
    // The smallest target this machine ever held is where the next run begins; a busy day
    // grows it within that run only.
    if (const int held = m_output.heldLatencyMs(); held > 0 && held != m_heldLatencyMs) {
        m_heldLatencyMs = held;
        Settings settings;
        if (held < settings.pulseLatencyMs().value_or(held + 1)) {
            settings.setPulseLatencyMs(held);
        }
    }
    if (const int moves = m_output.moves(); moves != m_moves) {
        m_moves = moves;
        const QString text = movedText();
        m_board.tell(MessageBoard::Priority::instrumentLoading, text);
        QTimer::singleShot(kMovedShownMs, this, [this, text] {
            const MessageBoard::Message* shown = m_board.shown();
            if (shown != nullptr && m_board.shows(MessageBoard::Priority::instrumentLoading) &&
                shown->lines == QStringList{text}) {
                m_board.tell(MessageBoard::Priority::instrumentLoading, {});
            }
        });
    }
}
