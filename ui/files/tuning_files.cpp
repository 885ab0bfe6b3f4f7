// Keeping and exchanging a tuning as a Scala scale file (.scl): the file dialogs, the context
// menu of the window's background, Ctrl+O and Ctrl+S, dropped files, and the message that says
// why a file cannot be used. The format itself is read and written by the core.
#include "ui/files/tuning_files.h"

#include "core/mts/synth_tuning_files.h"
#include "core/scala_scale.h"
#include "ui/files/small_file.h"
#include "ui/model/musical_facts.h"
#include "ui/model/tuning_model.h"
#include "ui/texts/key_table.h"
#include "ui/texts/number_format.h"
#include "ui/tuning/tuning_name.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QTimer>

#include <cmath>
#include <utility>

namespace {

const QString kOpenText = QT_TRANSLATE_NOOP("klangora", "Åbn stemning …");
const QString kSaveText = QT_TRANSLATE_NOOP("klangora", "Gem stemning …");
const QString kFilters = "Scala-stemning (*.scl);;Alle filer (*)";

// Saving offers the files synthesisers read as well; the name's extension picks the format.
const QString kSaveFilters = "Scala-stemning (*.scl);;Scala-tastaturkort (*.kbm);;"
                             "AnaMark-stemning (*.tun);;MTS-dump (*.syx);;Alle filer (*)";

const QString kTuningsAndMusicFilters =
    "Stemninger, musik og lektioner (*.scl *.mid *.midi *.lektion);;Scala-stemning (*.scl);;"
    "MIDI-musik (*.mid *.midi);;Lektion (*.lektion);;Alle filer (*)";

bool isLessonFileName(const QString& path) {
    return path.endsWith(".lektion", Qt::CaseInsensitive);
}

bool isMusicFileName(const QString& path) {
    return path.endsWith(".mid", Qt::CaseInsensitive) ||
           path.endsWith(".midi", Qt::CaseInsensitive);
}

bool isScalaFileName(const QString& path) {
    return path.endsWith(".scl", Qt::CaseInsensitive);
}

QString readProblemText(SmallFile::Problem problem) {
    using Problem = SmallFile::Problem;
    switch (problem) {
    case Problem::missing:
        return "filen findes ikke.";
    case Problem::folder:
        return "det er en mappe, ikke en fil.";
    case Problem::noPermission:
        return "du har ikke lov til at læse den.";
    case Problem::notRegular:
        return "det er ikke en almindelig fil.";
    case Problem::tooLarge:
        return "filen er større end 64 KiB, og så store er stemninger ikke.";
    case Problem::unreadable:
    case Problem::none:
        break;
    }
    return "filen kan ikke læses.";
}

QString pitchCountText(qint64 count) {
    return count == 1 ? "1 tone" : QString("%1 toner").arg(count);
}

QString notAScale(const QString& what) {
    return "det er ikke en Scala-stemning: " + what;
}

QString scaleProblemText(const klangora::ScalaError& error) {
    using klangora::ScalaFault;
    switch (error.fault) {
    case ScalaFault::noPitchCount:
        return notAScale(error.line > 0
                             ? QString("linje %1 skulle give antallet af toner.").arg(error.line)
                             : "der står ikke, hvor mange toner den har.");
    case ScalaFault::missingPitches:
        return notAScale(QString("den lover %1, men har kun %2.")
                             .arg(pitchCountText(error.pitchCount))
                             .arg(error.pitchesFound));
    case ScalaFault::badPitch:
        return notAScale(
            QString("linje %1 er hverken en centværdi eller et positivt forhold.").arg(error.line));
    case ScalaFault::valueTooLarge:
        return notAScale(QString("tallet i linje %1 er for stort.").arg(error.line));
    case ScalaFault::wrongPitchCount:
        return QString("den har %1, men Klangora kan kun vise stemninger med 12 toner.")
            .arg(pitchCountText(error.pitchCount));
    case ScalaFault::lastNotOctave:
        return "dens sidste tone er ikke oktaven 2/1.";
    case ScalaFault::toneTooFar:
        return QString("tonen %1 ligger %2 cent %3 den ligesvævende stemning, men Klangora kan "
                       "højst flytte en tone 30 cent.")
            .arg(music::noteName(error.toneIndex + 1), formatTenths(std::fabs(error.distanceCents)),
                 error.distanceCents > 0 ? "over" : "under");
    }
    return {};
}

void refuseToOpen(const QString& path, const QString& reason) {
    showMessage(
        QString("Stemningen »%1« kan ikke åbnes: %2").arg(QFileInfo(path).fileName(), reason));
}

QString folderText(const QFileInfo& folder) {
    return QDir::toNativeSeparators(folder.filePath());
}

// Why the file could not be opened for writing. Nothing was written yet, so a full disk is never
// the reason; QSaveFile gives only the system's English text here, so the place itself tells
// which it was.
QString openProblemText(const QString& path) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists() || !folder.isDir()) {
        return QString("mappen »%1« findes ikke.").arg(folderText(folder));
    }
    if (target.isDir()) {
        return "der er en mappe med det navn.";
    }
    if (target.exists() && !target.isWritable()) {
        return "du har ikke lov til at ændre den fil, der har det navn.";
    }
    if (!folder.isWritable()) {
        return QString("du har ikke lov til at skrive i mappen »%1«.").arg(folderText(folder));
    }
    return QString("filen kan ikke oprettes i mappen »%1«.").arg(folderText(folder));
}

// Why writing or finishing an opened file failed: QSaveFile says what went wrong.
QString writeProblemText(const QSaveFile& file) {
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return "disken er fuld.";
    case QFileDevice::RenameError:
        // The new text is written beside the target and then given its name.
        return "filen kunne ikke få det navn; måske er navnet for langt.";
    default:
        return "filen kunne ikke skrives færdig; måske er disken fuld.";
    }
}

// A typed name gets .scl unless it already ends in a tuning format's extension: "min.stemning"
// and "Kirnberger ver. 2" have a suffix to the file dialog, but not one that names a format.
QString withTuningSuffix(const QString& path) {
    return klangora::synthTuningFormatOf(path.toStdString()) ? path : path + ".scl";
}

// A file name from the caption: "Ren stemning" becomes "Ren stemning.scl".
QString suggestedFileName(QString caption) {
    caption = caption.trimmed();
    caption.replace('/', '-');
    return (caption.isEmpty() ? "Stemning" : caption) + ".scl";
}

void setUpTuningDialog(QFileDialog& dialog, const QString& accept, const QString& folder) {
    // Qt's own dialog, so that every text on it can be Danish.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(kFilters);
    dialog.setLabelText(QFileDialog::LookIn, "Kig i:");
    dialog.setLabelText(QFileDialog::FileName, "Filnavn:");
    dialog.setLabelText(QFileDialog::FileType, "Filtype:");
    dialog.setLabelText(QFileDialog::Accept, accept);
    dialog.setLabelText(QFileDialog::Reject, "Annuller");
    dialog.setDirectory(folder.isEmpty() ? QDir::homePath() : folder);
}

// The one file the dialog was accepted with, or nothing.
QString chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

TuningFiles::TuningFiles(QWidget& window, TuningModel& model, std::function<bool()> soundPlaying)
    : QObject(&window), m_window(window), m_model(model), m_soundPlaying(std::move(soundPlaying)),
      m_open(new QAction(kOpenText, &window)), m_save(new QAction(kSaveText, &window)) {
    m_open->setObjectName("openTuningAction");
    m_open->setShortcut(QKeySequence(keys::keyOf(keys::Command::openTuning)));
    connect(m_open, &QAction::triggered, this, &TuningFiles::askToOpenTuning);
    m_save->setObjectName("saveTuningAction");
    m_save->setShortcut(QKeySequence(keys::keyOf(keys::Command::saveTuning)));
    connect(m_save, &QAction::triggered, this, &TuningFiles::askToSaveTuning);
    // Actions of the window answer their shortcuts wherever the focus is inside it.
    window.addAction(m_open);
    window.addAction(m_save);
    window.setAcceptDrops(true);
}

void TuningFiles::setMusicOpener(std::function<bool(const QString&)> openMusic) {
    m_openMusic = std::move(openMusic);
}

void TuningFiles::setLessonOpener(std::function<bool(const QString&)> openLesson) {
    m_openLesson = std::move(openLesson);
}

bool TuningFiles::opens(const QString& path) const {
    return isScalaFileName(path) || (m_openMusic && isMusicFileName(path)) ||
           (m_openLesson && isLessonFileName(path));
}

void TuningFiles::openFile(const QString& path) {
    if (m_openLesson && isLessonFileName(path)) {
        m_openLesson(path);
    } else if (m_openMusic && isMusicFileName(path)) {
        m_openMusic(path);
    } else {
        openTuning(path);
    }
}

void TuningFiles::addToMenu(QMenu& menu) const {
    menu.addAction(m_open);
    menu.addAction(m_save);
}

void TuningFiles::dragEnterEvent(QDragEnterEvent* event) {
    // While a chord sounds the window holds back all other input; a drop is refused meanwhile.
    if (m_soundPlaying()) {
        return;
    }
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile() && opens(urls.front().toLocalFile())) {
        event->acceptProposedAction();
    }
}

void TuningFiles::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile() || !opens(urls.front().toLocalFile())) {
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop has finished, so a message box does not hold the drag open.
    const QString path = urls.front().toLocalFile();
    QTimer::singleShot(0, this, [this, path] { openFile(path); });
}

void TuningFiles::askToOpenTuning() {
    QFileDialog dialog(&m_window, "Åbn stemning");
    dialog.setObjectName("openTuningDialog");
    setUpTuningDialog(dialog, "Åbn", m_tuningFolder);
    if (m_openMusic) {
        dialog.setNameFilter(kTuningsAndMusicFilters);
    }
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString path = chosenFile(dialog);
    if (!path.isEmpty()) {
        m_tuningFolder = QFileInfo(path).absolutePath();
        openFile(path);
    }
}

void TuningFiles::askToSaveTuning() {
    QFileDialog dialog(&m_window, "Gem stemning");
    dialog.setObjectName("saveTuningDialog");
    setUpTuningDialog(dialog, "Gem", m_tuningFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(kSaveFilters);
    // Whether to replace an existing file is asked below, in Danish.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(suggestedFileName(tuningName(m_model.identity())));
    const QString chosen = chosenFile(dialog);
    if (chosen.isEmpty()) {
        return;
    }
    // The suffix first, so that the question below is about the file that will be written.
    const QString path = withTuningSuffix(chosen);
    m_tuningFolder = QFileInfo(path).absolutePath();
    const QString question =
        QString("Filen »%1« findes allerede. Vil du erstatte den?").arg(QFileInfo(path).fileName());
    if (!QFileInfo::exists(path) || askQuestion(question, "Erstat", "Annuller")) {
        saveTuning(path);
    }
}

bool TuningFiles::openTuning(const QString& path) {
    const SmallFile file = readSmallFile(path, klangora::FileKind::tuning);
    if (file.problem != SmallFile::Problem::none) {
        refuseToOpen(path, readProblemText(file.problem));
        return false;
    }
    const klangora::ScalaReadResult result =
        klangora::readScala(std::string_view(file.bytes.constData(), file.bytes.size()));
    if (const auto* error = std::get_if<klangora::ScalaError>(&result)) {
        refuseToOpen(path, scaleProblemText(*error));
        return false;
    }
    const auto& scale = std::get<klangora::ScalaScale>(result);
    // Applied as a temperament button applies its tuning: through the sliders, tone by tone.
    // A file without a description is known by its name.
    m_model.setTuning(scale.description.empty()
                          ? scale.tuning.named(TuningIdentity::file(
                                QFileInfo(path).completeBaseName().toStdString()))
                          : scale.tuning);
    return true;
}

bool TuningFiles::saveTuning(const QString& path) {
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    const std::string text = klangora::synthTuningFile(
        klangora::synthTuningFormatOf(fileName).value_or(klangora::SynthTuningFormat::scala),
        fileName, tuningName(m_model.identity()).toStdString(), m_model.tuning());
    // QSaveFile writes beside the target and renames only a complete file, so a failure leaves
    // any existing file of that name as it was.
    QSaveFile file(path);
    QString problem;
    if (!file.open(QIODevice::WriteOnly)) {
        problem = openProblemText(path);
    } else if (file.write(text.data(), static_cast<qint64>(text.size())) !=
                   static_cast<qint64>(text.size()) ||
               !file.commit()) {
        problem = writeProblemText(file);
        file.cancelWriting();
    }
    if (!problem.isEmpty()) {
        showMessage(QString("Stemningen kan ikke gemmes som »%1«: %2")
                        .arg(QFileInfo(path).fileName(), problem));
    }
    return problem.isEmpty();
}
