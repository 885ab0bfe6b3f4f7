#pragma once

// A sink for the notes MIDI input plays: it counts holds per note as the instrument does, keeps
// the last velocity of each, and notices a stop without a start.
#include "sound/midi/midi_notes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace klangora::test_support {

class CountingSink : public NoteSink {
public:
    void noteOn(int note, float velocity) override {
        ++holds[note];
        velocities[note] = velocity;
    }
    void noteOff(int note) override {
        if (--holds[note] < 0) {
            ADD_FAILURE() << "note " << note << " stopped without a start";
        }
    }
    std::set<int> sounding() const {
        std::set<int> notes;
        for (const auto& [note, count] : holds) {
            if (count > 0) {
                notes.insert(note);
            }
        }
        return notes;
    }
    std::map<int, int> holds;
    std::map<int, float> velocities;
};

} // namespace klangora::test_support
