#pragma once

// Saving a piece as sound on a thread of its own, so the window stays live (and a piece that
// plays keeps playing) while the samples are rendered. Progress and the end arrive as signals
// on the window's thread; cancel() stops the work, and the file is then not written.
#include "core/music/piece.h"
#include "sound/fluid/offline_instrument_sound.h"
#include "sound/music/piece_wav_file.h"

#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <memory>
#include <thread>

class PieceSaver : public QObject {
    Q_OBJECT

public:
    explicit PieceSaver(QObject* parent = nullptr) : QObject(parent) {}
    ~PieceSaver() override;

    // False while a save is running. The piece sounds in the sound given, its font loaded first.
    bool start(std::shared_ptr<const klangora::Piece> piece, const klangora::Tuning& tuning,
               const QString& path, klangora::SoundToRender sound = {});
    void cancel() { m_cancelled = true; }
    bool running() const { return m_thread.joinable() && !m_finished; }

signals:
    void progressed(int permille);
    void finished(klangora::SaveOutcome outcome, const QString& reason);

private:
    void join();

    std::thread m_thread;
    std::atomic<bool> m_cancelled{false};
    bool m_finished = true;
};
