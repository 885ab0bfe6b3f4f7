#include "ui/music/examples_menu.h"

#include "sound/examples/example_pieces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

#include <array>

namespace {

constexpr const char* kInstalledFolder = "klangora/examples";

bool hasExamples(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

// The note names of the key buttons, which the translations know (H is B in English).
constexpr std::array<const char*, 12> kKeyNames = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                   "F#", "G",  "G#", "A",  "Bb", "H"};

// A piece's title in the interface's language; the file keeps its Danish title.
QString titleOf(const klangora::music::ExamplePiece& piece) {
    using klangora::music::ExampleGroup;
    if (piece.group == ExampleGroup::cadence) {
        return ExamplesMenu::tr("Kadence I–IV–V–I i alle dur-tonearter, rundt i kvintcirklen");
    }
    const QString name = piece.group == ExampleGroup::chorale ? ExamplesMenu::tr("Koral")
                                                              : ExamplesMenu::tr("Jazz-koral");
    const QString key = QCoreApplication::translate(
        "klangora", kKeyNames[static_cast<std::size_t>(piece.keyButton - 1)]);
    return ExamplesMenu::tr("%1 i %2-dur").arg(name, key);
}

} // namespace

QString examplesFolder() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {programDir.filePath("examples"),
          programDir.filePath(QString("../share/") + kInstalledFolder),
          QStandardPaths::locate(QStandardPaths::GenericDataLocation, kInstalledFolder,
                                 QStandardPaths::LocateDirectory)}) {
        if (hasExamples(candidate)) {
            return QDir::cleanPath(candidate);
        }
    }
    return {};
}

ExamplesMenu::ExamplesMenu(QObject* parent, QString folder)
    : QObject(parent), m_folder(std::move(folder)) {}

void ExamplesMenu::addToMenu(QMenu& menu) {
    using klangora::music::ExampleGroup;
    QMenu* examples = menu.addMenu(tr("Eksempler"));
    examples->setObjectName("examplesMenu");
    QMenu* chorales = nullptr;
    QMenu* jazzChorales = nullptr;
    for (const klangora::music::ExamplePiece& piece : klangora::music::allExamplePieces()) {
        const QString path = QDir(m_folder).filePath(QString::fromStdString(piece.fileName));
        if (m_folder.isEmpty() || !QFileInfo::exists(path)) {
            continue;
        }
        // The chorales, twelve keys each, in submenus of their own named as the buttons' texts.
        QMenu* into = examples;
        if (piece.group == ExampleGroup::chorale) {
            into = chorales ? chorales : (chorales = examples->addMenu(tr("Koral")));
        } else if (piece.group == ExampleGroup::jazzChorale) {
            into =
                jazzChorales ? jazzChorales : (jazzChorales = examples->addMenu(tr("Jazz-koral")));
        }
        QAction* action = into->addAction(titleOf(piece));
        connect(action, &QAction::triggered, this, [this, path] { emit exampleChosen(path); });
    }
    examples->setEnabled(!examples->isEmpty());
}
