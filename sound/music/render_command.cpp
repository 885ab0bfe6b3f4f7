#include "sound/music/render_command.h"

#include "core/file_check.h"
#include "core/music/midi_file_reader.h"
#include "core/music/tuning_name.h"
#include "sound/music/piece_wav_file.h"

namespace klangora {

namespace {

constexpr int kFailed = 1;

int refuse(std::ostream& errors, const std::string& reason) {
    errors << "klangora: " << reason << '\n';
    return kFailed;
}

} // namespace

int runRenderCommand(const RenderCommand& command, std::ostream& errors, ExtraRenderer* sound) {
    if (command.outputPath.empty()) {
        return refuse(errors, "Angiv lydfilen med -o UD.wav.");
    }
    // By the file, not the name: a link or another spelling of the path leads to it too.
    if (isSameFile(command.midiPath, command.outputPath)) {
        return refuse(errors, "Lydfilen »" + command.outputPath +
                                  "« er selve stykket; vælg et andet navn til lyden.");
    }
    const TuningNameResult tuning = resolveTuningName(
        command.tuningName.empty() ? kDefaultTuningName : std::string_view(command.tuningName));
    if (const auto* error = std::get_if<TuningNameError>(&tuning)) {
        return refuse(errors, tuningNameReason(*error));
    }
    const MidiFileResult piece = readMidiFile(std::filesystem::path(command.midiPath));
    if (const auto* error = std::get_if<MidiFileError>(&piece)) {
        return refuse(errors,
                      "»" + command.midiPath + "« kan ikke spilles: " + midiFileReason(*error));
    }
    const SaveResult saved =
        savePieceAsWav(std::get<Piece>(piece), std::get<NamedTuning>(tuning).tuning,
                       command.outputPath, {}, sound);
    if (saved.outcome != SaveOutcome::saved) {
        return refuse(errors, saved.reason);
    }
    return 0;
}

} // namespace klangora
