#pragma once

// The tuning the window shows and plays, and everything about it the parts share: the eleven
// slider positions, the tone table derived from them, what the tuning is, and the chosen key;
// each with the news of its change.
#include "core/tone_table.h"
#include "core/tuning.h"
#include "ui/model/tuning_identity.h"

#include <QObject>

#include <cstdint>

// Bit i stands for tone index i (0 = the fixed c .. 12 = c'); a retuning names the tones whose
// cents it moved.
using ToneMask = std::uint16_t;

constexpr ToneMask toneBit(int toneIndex) {
    return static_cast<ToneMask>(1u << toneIndex);
}

// Every retuning is written here and nowhere else. The views (diagram, readouts, caption, the live
// instrument) listen to its signals instead of being called one after the other, so a new view
// needs no change to whoever retunes.
class TuningModel : public QObject {
    Q_OBJECT

public:
    explicit TuningModel(QObject* parent = nullptr);

    const klangora::ToneTable& tones() const { return m_tones; }
    // The whole tuning, as everything outside the window's tables takes it.
    const klangora::Tuning& tuning() const { return m_tuning; }
    const klangora::SliderPositions& positions() const { return m_tuning.positions(); }
    int position(int sliderNumber) const { return m_tuning.position(sliderNumber); }
    const TuningIdentity& identity() const { return m_tuning.identity(); }
    // The tone number (1..13) of the chosen key; 0 before one is chosen.
    int key() const { return m_key; }

    // Moves the tone of slider 2..12 by hand: the tuning becomes the learner's own. The upper
    // octave, the thirds and the fifths follow before anyone hears of it. A position the tone
    // already has changes nothing.
    void setPosition(int sliderNumber, int position);
    // Several tones by hand at once (an exercise's tuning), each as setPosition moves it.
    void setPositions(const klangora::SliderPositions& positions);
    // A whole tuning (a temperament button, the library, a file), tone after tone, then named.
    void setTuning(const klangora::Tuning& tuning);
    void setTuning(const klangora::SliderPositions& positions, const TuningIdentity& identity) {
        setTuning(klangora::Tuning(positions, identity));
    }
    void setKey(int key);

    // freqTable from the cents (whole hertz, as the chords are played).
    void IndlaesFrek();

signals:
    // The tones whose cents moved; their upper-octave twins (index + 12) moved with them.
    void tonesChanged(ToneMask changed);
    // What the tuning is; a whole tuning announces itself each time it is set, also the one
    // already shown, as its button always names it.
    void identityChanged(const TuningIdentity& identity);
    // A whole tuning has been set, after its tones and its name.
    void tuningSet();
    // Once for every change a user makes (a button, a library entry, a file, an arrow key),
    // after the tables and the name: the whole tuning, for what sounds, sends or analyses it.
    void tuningChanged(const klangora::Tuning& tuning);
    void keyChanged(int key);

private:
    bool moveTone(int sliderNumber, int position);

    klangora::ToneTable m_tones;
    klangora::Tuning m_tuning;
    int m_key = 0;
};
