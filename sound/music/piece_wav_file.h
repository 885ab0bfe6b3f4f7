#pragma once

// A piece saved as sound: a WAV file of 16-bit mono samples at 48 kHz, rendered through the
// live voices. The samples go to a temporary file beside the chosen one, which takes the chosen
// name only when all is written: a cancelled or failed save leaves no partial file, and a file
// already there untouched.
#include "core/music/piece.h"
#include "core/tuning.h"
#include "sound/instrument/extra_renderer.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace klangora {

enum class SaveOutcome { saved, cancelled, failed };

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::failed;
    std::string reason; // failed: why, one Danish sentence (UTF-8)
};

// Called now and then with the share done, 0..1; returning false cancels the save.
using SaveProgress = std::function<bool(double fraction)>;

// `sound`, when given, renders beside (or in place of) the own voices, as in the live output.
SaveResult savePieceAsWav(const Piece& piece, const Tuning& tuning,
                          const std::filesystem::path& path, const SaveProgress& progress = {},
                          ExtraRenderer* sound = nullptr);

} // namespace klangora
