#pragma once

// A piece of music as the session plays it: the file read into the player, stopped at its start,
// played and paused. The music window shows it and its controls send here; a lesson or the
// command line plays a piece the same way with no window.
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace klangora {
class PiecePlayer;
struct Piece;
} // namespace klangora

class PieceTransport : public QObject {
    Q_OBJECT

public:
    // `wake` is called as a piece starts: a sleeping output must run before its first tone.
    PieceTransport(klangora::PiecePlayer& player, std::function<void()> wake,
                   QObject* parent = nullptr);

    // Reads a MIDI file and puts it in the player, stopped at its start; on failure the reason in
    // words, and the piece that was loaded, or plays, stays.
    std::optional<QString> open(const QString& path);
    void playOrPause();
    // Playing ends by itself at the piece's end; the transport notices when asked.
    void endIfFinished();

    bool playing() const { return m_playing; }
    const klangora::Piece* piece() const { return m_piece.get(); }
    std::shared_ptr<const klangora::Piece> sharedPiece() const { return m_piece; }
    klangora::PiecePlayer& player() { return m_player; }

signals:
    void opened(const QString& name);
    void playingChanged(bool playing);

private:
    klangora::PiecePlayer& m_player;
    std::function<void()> m_wake;
    std::shared_ptr<const klangora::Piece> m_piece;
    bool m_playing = false;
};
