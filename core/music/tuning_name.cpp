#include "core/music/tuning_name.h"

#include "core/file_check.h"
#include "core/historical_temperaments.h"
#include "core/music/temperament_names.h"
#include "core/presets.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

namespace klangora {

namespace {

bool isScalaFileName(std::string_view name) {
    if (name.size() < 4) {
        return false;
    }
    std::string ending(name.substr(name.size() - 4));
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending == ".scl";
}

NamedTuning namedTuning(std::string_view caption, const SliderPositions& positions,
                        TuningIdentity identity) {
    return {std::string(caption), Tuning(positions, std::move(identity))};
}

TuningNameResult tuningFromScalaFile(std::string_view name) {
    const std::string path(name);
    // Before the file is opened: opening a FIFO would wait for a writer.
    if (fileProblem(path, FileKind::tuning) != FileProblem::none) {
        return TuningNameError{TuningNameError::Kind::unreadableFile, path, {}};
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    std::string text(error ? 0 : static_cast<std::size_t>(size), '\0');
    if (error || size > maxFileBytes(FileKind::tuning) || !in ||
        !in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        return TuningNameError{TuningNameError::Kind::unreadableFile, path, {}};
    }
    const ScalaReadResult scale = readScala(text);
    if (const auto* error = std::get_if<ScalaError>(&scale)) {
        return TuningNameError{TuningNameError::Kind::notAScale, path, *error};
    }
    const auto& read = std::get<ScalaScale>(scale);
    return NamedTuning{read.description, read.tuning};
}

std::string scalaFaultText(const ScalaError& error) {
    switch (error.fault) {
    case ScalaFault::wrongPitchCount:
        return "den har " + std::to_string(error.pitchCount) +
               " toner, men Klangora kan kun bruge stemninger med 12 toner";
    case ScalaFault::lastNotOctave:
        return "dens sidste tone er ikke oktaven 2/1";
    case ScalaFault::toneTooFar:
        return "en tone ligger mere end 30 cent fra den ligesvævende stemning";
    default:
        return "det er ikke en Scala-stemning (linje " + std::to_string(error.line) + ")";
    }
}

} // namespace

TuningNameResult resolveTuningName(std::string_view name) {
    if (const auto id = presetNamed(name)) {
        return namedTuning(presetInfo(*id).caption, presetPositions(*id),
                           TuningIdentity::preset(*id));
    }
    for (const HistoricalTemperament& temperament : kHistoricalTemperaments) {
        if (sameName(temperament.id, name)) {
            return namedTuning(temperament.caption, temperamentPositions(temperament.fifths),
                               TuningIdentity::temperament(std::string(temperament.id)));
        }
    }
    if (isScalaFileName(name)) {
        return tuningFromScalaFile(name);
    }
    return TuningNameError{TuningNameError::Kind::unknown, std::string(name), {}};
}

std::string tuningNameReason(const TuningNameError& error) {
    switch (error.kind) {
    case TuningNameError::Kind::unreadableFile:
        return "Stemningen »" + error.name + "« kan ikke læses.";
    case TuningNameError::Kind::notAScale:
        return "Stemningen »" + error.name + "« kan ikke bruges: " + scalaFaultText(error.scala) +
               ".";
    case TuningNameError::Kind::unknown:
        break;
    }
    return "Ukendt stemning »" + error.name + "«. Brug en af " + presetNamesText() +
           ", et id fra temperamentbiblioteket (" + libraryIdsText() + ") eller en .scl-fil.";
}

} // namespace klangora
