#pragma once

// What the live instrument's callback adds to its own voices: FluidSynth's instruments when one
// is chosen, and then the volume over the whole mix (own voices and FluidSynth alike), all on
// the audio thread, without locks or allocation (a retuning aside, see FluidRenderer).
#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/output_volume.h"
#include "sound/instrument/extra_renderer.h"

namespace klangora {

class InstrumentSoundMix : public ExtraRenderer {
public:
    InstrumentSoundMix(FluidRenderer& fluid, OutputVolume& volume)
        : m_fluid(fluid), m_volume(volume) {}

    void apply(const LiveEvent& event) override { m_fluid.apply(event); }
    void applyPieceEvent(const PieceEvent& event) override { m_fluid.apply(event); }
    void renderAdd(std::span<float> mono, int sampleRate) override {
        m_fluid.renderAdd(mono, sampleRate);
        m_volume.apply(mono, sampleRate);
    }
    // While FluidSynth plays the tuned notes, the own voices only keep their places, silent.
    bool replacesOwnVoices() override { return m_fluid.playsNotes(); }

private:
    FluidRenderer& m_fluid;
    OutputVolume& m_volume;
};

} // namespace klangora
