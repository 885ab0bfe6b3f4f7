#include "ui/session/piece_transport.h"

#include "core/music/midi_file_reader.h"
#include "sound/music/piece_player.h"
#include "ui/music/midi_file_reason_text.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <filesystem>

PieceTransport::PieceTransport(klangora::PiecePlayer& player, std::function<void()> wake,
                               QObject* parent)
    : QObject(parent), m_player(player), m_wake(std::move(wake)) {}

std::optional<QString> PieceTransport::open(const QString& path) {
    const auto result = klangora::readMidiFile(std::filesystem::path(path.toStdString()));
    if (const auto* error = std::get_if<klangora::MidiFileError>(&result)) {
        return QCoreApplication::translate("MusicWindow", "Musikken »%1« kan ikke åbnes: %2")
            .arg(QFileInfo(path).fileName(), midiFileReasonText(*error));
    }
    auto piece = std::make_shared<klangora::Piece>(std::get<klangora::Piece>(result));
    piece->name = QFileInfo(path).completeBaseName().toStdString();
    m_piece = piece;
    m_player.load(piece);
    if (m_playing) {
        m_playing = false;
        emit playingChanged(false);
    }
    emit opened(QString::fromStdString(piece->name));
    return std::nullopt;
}

void PieceTransport::playOrPause() {
    if (!m_piece) {
        return;
    }
    m_playing = !m_playing;
    if (m_playing) {
        if (m_wake) {
            m_wake();
        }
        m_player.play();
    } else {
        m_player.pause();
    }
    emit playingChanged(m_playing);
}

void PieceTransport::endIfFinished() {
    if (m_playing && m_piece && !m_player.isPlaying() && !m_player.seekPending() &&
        m_player.positionSeconds() >= m_piece->lengthSeconds) {
        m_playing = false;
        emit playingChanged(false);
    }
}
