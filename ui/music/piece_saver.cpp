#include "ui/music/piece_saver.h"

#include <QMetaObject>

PieceSaver::~PieceSaver() {
    m_cancelled = true;
    join();
}

void PieceSaver::join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool PieceSaver::start(std::shared_ptr<const klangora::Piece> piece, const klangora::Tuning& tuning,
                       const QString& path, klangora::SoundToRender sound) {
    if (running()) {
        return false;
    }
    join();
    m_cancelled = false;
    m_finished = false;
    m_thread = std::thread([this, piece = std::move(piece), tuning, target = path.toStdString(),
                            sound = std::move(sound)] {
        klangora::OfflineInstrumentSound instrument(sound, tuning);
        int reported = -1;
        const auto result = klangora::savePieceAsWav(
            *piece, tuning, target,
            [this, &reported](double fraction) {
                const int permille = static_cast<int>(fraction * 1000);
                if (permille != reported) {
                    reported = permille;
                    QMetaObject::invokeMethod(
                        this, [this, permille] { emit progressed(permille); },
                        Qt::QueuedConnection);
                }
                return !m_cancelled.load();
            },
            instrument.renderer());
        QMetaObject::invokeMethod(
            this,
            [this, outcome = result.outcome, reason = QString::fromStdString(result.reason)] {
                m_finished = true;
                join();
                emit finished(outcome, reason);
            },
            Qt::QueuedConnection);
    });
    return true;
}
