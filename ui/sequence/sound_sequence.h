#pragma once

// The sound buttons' sequences: a pure triad beside the tempered one, and two four-part
// chorales, one step per tick of Timer3, with what is heard written in the message panel.
#include "core/tone_table.h"

#include <QObject>

#include <array>

class MessageBoard;
class QTimer;
class SoundPlayer;
class TuningModel;

class SoundSequence : public QObject {
    Q_OBJECT

public:
    // Its step timer, Timer3, is its own.
    SoundSequence(SoundPlayer& player, TuningModel& model, MessageBoard& messages,
                  QObject* parent = nullptr);

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    // Performs the step sequenceStep() names, then counts on to the next.
    void Timer3Timer();
    // All sound stopped: the chord that sounds fades out at once, the rest of the sequence is
    // skipped, and the sequence ends as its last step ends it.
    void stop();

    int sequenceStep() const { return m_step; }
    // The tones the sequence plays: the model's, taken at the start, with the pure third and
    // fifth written in while the pure triad sounds.
    const klangora::ToneTable& playedTones() const { return m_played; }
    // The frequencies as the tempered triad plays them, kept while the pure one is played.
    const std::array<double, 61>& savedFreqTable() const { return m_savedFreqTable; }
    // While a chord sounds the window holds back other input.
    bool isPlaying() const { return m_playing; }
    // The message the sequence shows, written anew in the interface's language.
    void retellMessage();

signals:
    // The triad needs a key, and none is marked: the reason, for a message box.
    void refused(const QString& reason);

public:
    // One entry of the table of steps.
    struct Step;

private:
    void perform(const Step& step);
    void end();
    void startSequence(int firstStep);
    void showMessage(const Step& step);
    void playTriad(int root);
    void playChorale(bool jazz, int root);
    template <typename Sound> void playSound(const Sound& sound);

    SoundPlayer& m_player;
    TuningModel& m_model;
    MessageBoard& m_messages;
    QTimer* m_timer;
    klangora::ToneTable m_played;
    std::array<double, 61> m_savedFreqTable{};
    int m_step = 0;
    const Step* m_shownMessage = nullptr;
    bool m_playing = false;
};
