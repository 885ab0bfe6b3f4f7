#pragma once

// The computer keyboard as a piano: A W S E D F T G Y H U J K play c .. c' by the keys'
// places (so every layout plays the same), Z and X move the octave, and Space sounds the
// selected mark of the diagram: its interval, or the triad on a root.
#include "sound/instrument/voice_source.h"

#include <QObject>

#include <map>
#include <vector>

class QKeyEvent;
class QTimer;
class QWidget;
class ToneSelection;

class ComputerKeyboard : public QObject {
    Q_OBJECT

public:
    static constexpr int kLowestOctave = -2;
    static constexpr int kHighestOctave = 2;

    ComputerKeyboard(QWidget& window, const ToneSelection& selection);

    int octave() const { return m_octave; }
    // Lets go of every held key at once.
    void releaseAll();

signals:
    // A tone key's notes come from the computer keys, Space's from the mark.
    void notePressed(klangora::VoiceSource source, int note);
    void noteReleased(klangora::VoiceSource source, int note);
    void octaveChanged(int octave);
    // Esc: every sound of the instrument is to stop, whoever plays it.
    void stopAllRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a key on the keyboard stands for, by its place.
    enum class Role { none, tone, octaveDown, octaveUp, selectedMark };
    struct Key {
        Role role = Role::none;
        int semitone = 0; // above the octave's c, for a tone key
    };
    Key keyOf(const QKeyEvent& event) const;
    bool keyPress(const QKeyEvent& event);
    bool keyRelease(const QKeyEvent& event, bool inWindow);
    std::vector<int> notesOf(const Key& key) const;
    void letGo(int id);
    bool belongsToWindow(QObject* watched) const;
    bool opensOverWindow(QObject* watched) const;

    QWidget& m_window;
    const ToneSelection& m_selection;
    int m_octave = 0;
    // The notes each held key started, by the key's identity (its scan code or Qt key).
    struct Held {
        klangora::VoiceSource source;
        std::vector<int> notes;
    };
    std::map<int, Held> m_held;
    // A release waits this long for the press that X11's auto-repeat sends right after it.
    std::map<int, QTimer*> m_pendingReleases;
};
