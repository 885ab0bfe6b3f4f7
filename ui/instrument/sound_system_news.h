#pragma once

// What the window says of the sound system: where the sound goes and how late it is heard (the
// hint's last line), and, in the message panel, that the sound moved to PulseAudio when the JACK
// server went away. The output is looked at a few times a second; nothing waits for it. The
// PulseAudio latency the machine held is remembered for the next run.
#include <QObject>
#include <QString>

#include <cstdint>

namespace klangora {
class AudioOutput;
}
class MessageBoard;

class SoundSystemNews : public QObject {
    Q_OBJECT

public:
    SoundSystemNews(QObject* parent, klangora::AudioOutput& output, MessageBoard& board);

    // The line as it reads now, e.g. "Lyd: JACK, 48000 Hz, 256 rammer pr. periode, 5,3 ms.".
    QString line() const;
    // The message shown when the sound moved.
    static QString movedText();
    // The PulseAudio latency this machine held in an earlier run, in ms (0: none known).
    static std::uint32_t rememberedPulseLatencyMs();

signals:
    void described(const QString& line);

private:
    void look();

    klangora::AudioOutput& m_output;
    MessageBoard& m_board;
    QString m_line;
    int m_moves = 0;
    int m_heldLatencyMs = 0;
};
