#pragma once

// A tuning as a value: the twelve tones of the octave in cents above the fixed c, exact from
// the sliders' positions in twentieths of a cent, what the tuning is, and the pitch of any MIDI
// note in it. Everything that sounds, sends, saves or analyses a tuning takes one of these; the
// sliders' positions are one view of it.
#include "core/musical_facts.h"
#include "core/tone_table.h"
#include "core/tuning_identity.h"

#include <array>

namespace klangora {

class Tuning {
public:
    // Equal temperament, as every slider at its middle gives it.
    Tuning() = default;
    explicit Tuning(const SliderPositions& positions, TuningIdentity identity = {});

    // A preset's tuning, named after its button.
    static Tuning preset(PresetId id);

    const SliderPositions& positions() const { return m_positions; }
    int position(int sliderNumber) const;
    const TuningIdentity& identity() const { return m_identity; }

    // Cents above the fixed c of c, c#, ..., h (c at 0).
    const std::array<double, 12>& centsAboveC() const { return m_cents; }
    double cents(int toneIndex) const;

    // The pitch of a MIDI note: the fixed c (note 60) at 261.6 Hz, octaves exactly 2:1.
    double frequencyHz(int midiNote) const;

    // The same tones under another name.
    Tuning named(TuningIdentity identity) const;
    // The tone of slider 2..12 moved by hand: the tuning becomes the learner's own.
    Tuning withPosition(int sliderNumber, int position) const;

    bool operator==(const Tuning&) const = default;

private:
    SliderPositions m_positions{};
    std::array<double, 12> m_cents{0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100};
    TuningIdentity m_identity;
};

// The pitch of a MIDI note in a tuning given as the cents of c .. h above the fixed c: octaves
// exactly 2:1, nothing rounded.
double noteFrequencyHz(int midiNote, const std::array<double, 12>& centsAboveC);

} // namespace klangora
