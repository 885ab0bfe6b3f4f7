#include "ui/music/midi_file_reason_text.h"

#include <QCoreApplication>

namespace {

QString text(const char* danish) {
    return QCoreApplication::translate("klangora", danish);
}

// The track named where the fault lies in one.
QString withTrack(const char* danish, const klangora::MidiFileError& error) {
    const QString track = error.track > 0 ? text(" (spor %1)").arg(error.track) : QString();
    return text(danish).arg(track);
}

} // namespace

QString midiFileReasonText(const klangora::MidiFileError& error) {
    using klangora::MidiFileFault;
    switch (error.fault) {
    case MidiFileFault::empty:
        return text("Filen er tom.");
    case MidiFileFault::notMidi:
        return text("Filen er ikke en MIDI-fil: den begynder ikke med »MThd«.");
    case MidiFileFault::badHeader:
        return text("MIDI-filens hoved er for kort.");
    case MidiFileFault::formatTwo:
        return text("MIDI-filen har format 2 (uafhængige mønstre), som ikke kan spilles som ét "
                    "stykke.");
    case MidiFileFault::unknownFormat:
        return text("MIDI-filen har det ukendte format %1.").arg(error.format);
    case MidiFileFault::zeroDivision:
        return text("MIDI-filen angiver nul tik pr. fjerdedelsnode, så tiden kan ikke regnes ud.");
    case MidiFileFault::badFrameRate:
        return text("MIDI-filen regner tiden i SMPTE-billeder med en ukendt billedhastighed.");
    case MidiFileFault::truncated:
        return withTrack("MIDI-filen er afkortet: den slutter før alle sporene%1.", error);
    case MidiFileFault::lyingLength:
        return withTrack(
            "Et spor i MIDI-filen angiver en længde, der går ud over filens slutning%1.", error);
    case MidiFileFault::badEvent:
        return withTrack("MIDI-filen har en ugyldig hændelse ved byte %2%1.", error)
            .arg(error.byteOffset);
    case MidiFileFault::eventPastTrack:
        return withTrack("En hændelse går ud over sporets slutning%1.", error);
    case MidiFileFault::absurdTempo:
        return withTrack("MIDI-filen har et umuligt tempo (over 1000 fjerdedele i minuttet)%1.",
                         error);
    case MidiFileFault::tooLong:
        return text("Stykket varer over seks timer; filens tider må være forkerte.");
    case MidiFileFault::noNotes:
        return text("MIDI-filen har ingen toner at spille (kanal 10, slagtøjet, spilles ikke).");
    case MidiFileFault::tooLarge:
        return text("Filen er over 16 MiB, for stor til en MIDI-fil.");
    case MidiFileFault::unreadable:
        return text("Filen kan ikke læses.");
    }
    return text("MIDI-filen kan ikke læses.");
}
