// The Danish sentences for files the reader refuses: what is wrong, in the words a teacher
// who chose the file can act on.
#include "core/music/midi_file_reader.h"

namespace klangora {

namespace {

std::string inTrack(const MidiFileError& error) {
    return error.track > 0 ? " (spor " + std::to_string(error.track) + ")" : std::string();
}

} // namespace

std::string midiFileReason(const MidiFileError& error) {
    switch (error.fault) {
    case MidiFileFault::empty:
        return "Filen er tom.";
    case MidiFileFault::notMidi:
        return "Filen er ikke en MIDI-fil: den begynder ikke med »MThd«.";
    case MidiFileFault::badHeader:
        return "MIDI-filens hoved er for kort.";
    case MidiFileFault::formatTwo:
        return "MIDI-filen har format 2 (uafhængige mønstre), som ikke kan spilles som ét "
               "stykke.";
    case MidiFileFault::unknownFormat:
        return "MIDI-filen har det ukendte format " + std::to_string(error.format) + ".";
    case MidiFileFault::zeroDivision:
        return "MIDI-filen angiver nul tik pr. fjerdedelsnode, så tiden kan ikke regnes ud.";
    case MidiFileFault::badFrameRate:
        return "MIDI-filen regner tiden i SMPTE-billeder med en ukendt billedhastighed.";
    case MidiFileFault::truncated:
        return "MIDI-filen er afkortet: den slutter før alle sporene" + inTrack(error) + ".";
    case MidiFileFault::lyingLength:
        return "Et spor i MIDI-filen angiver en længde, der går ud over filens slutning" +
               inTrack(error) + ".";
    case MidiFileFault::badEvent:
        return "MIDI-filen har en ugyldig hændelse ved byte " + std::to_string(error.byteOffset) +
               inTrack(error) + ".";
    case MidiFileFault::eventPastTrack:
        return "En hændelse går ud over sporets slutning" + inTrack(error) + ".";
    case MidiFileFault::absurdTempo:
        return "MIDI-filen har et umuligt tempo (over 1000 fjerdedele i minuttet)" +
               inTrack(error) + ".";
    case MidiFileFault::tooLong:
        return "Stykket varer over seks timer; filens tider må være forkerte.";
    case MidiFileFault::noNotes:
        return "MIDI-filen har ingen toner at spille (kanal 10, slagtøjet, spilles ikke).";
    case MidiFileFault::tooLarge:
        return "Filen er over 16 MiB, for stor til en MIDI-fil.";
    case MidiFileFault::unreadable:
        return "Filen kan ikke læses.";
    }
    return "MIDI-filen kan ikke læses.";
}

} // namespace klangora
