#pragma once

// The one tuning of the window: the eleven slider positions, the tone table derived from them, and
// the news of which tones a retuning moved.
#include "core/tone_table.h"

#include <QObject>

#include <cstdint>

// Bit i stands for tone index i (0 = the fixed c .. 12 = c'); a retuning names the tones whose
// cents it moved.
using ToneMask = std::uint16_t;

constexpr ToneMask toneBit(int toneIndex) {
    return static_cast<ToneMask>(1u << toneIndex);
}

// Every retuning is written here and nowhere else. The views (diagram, readouts, caption, the live
// instrument) listen to tonesChanged instead of being called one after the other, so a new view
// needs no change to whoever retunes.
class TuningModel : public QObject {
    Q_OBJECT

public:
    explicit TuningModel(QObject* parent = nullptr);

    const klangora::ToneTable& tones() const { return m_tones; }
    const klangora::SliderPositions& positions() const { return m_positions; }
    int position(int sliderNumber) const;

    // Moves the tone of slider 2..12 to a position; the upper octave, the thirds and the fifths
    // follow before anyone hears of it. A position the tone already has changes nothing.
    void setPosition(int sliderNumber, int position);

    // freqTable from the cents (whole hertz, as the chords are played); the sound sequence may
    // then put a pure third and fifth into it for one chord.
    void IndlaesFrek();
    void setFrequency(int slot, double hz) {
        m_tones.freqTable[static_cast<std::size_t>(slot)] = hz;
    }

signals:
    // The tones whose cents moved; their upper-octave twins (index + 12) moved with them.
    void tonesChanged(ToneMask changed);

private:
    klangora::ToneTable m_tones;
    klangora::SliderPositions m_positions{};
};
