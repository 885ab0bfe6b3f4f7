#include "ui/music/examples_menu.h"

#include "sound/examples/example_pieces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

namespace {

constexpr const char* kInstalledFolder = "klangora/examples";

bool hasExamples(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(folder).isDir();
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
    QMenu* examples = menu.addMenu("Eksempler");
    examples->setObjectName("examplesMenu");
    QMenu* chorales = nullptr;
    QMenu* jazzChorales = nullptr;
    for (const klangora::music::ExamplePiece& piece : klangora::music::allExamplePieces()) {
        const QString path = QDir(m_folder).filePath(QString::fromStdString(piece.fileName));
        if (m_folder.isEmpty() || !QFileInfo::exists(path)) {
            continue;
        }
        const QString title = QString::fromStdString(piece.title);
        // The chorales, twelve keys each, in submenus of their own named as the buttons' texts.
        QMenu* into = examples;
        if (title.startsWith("Koral ")) {
            into = chorales ? chorales : (chorales = examples->addMenu("Koral"));
        } else if (title.startsWith("Jazz-koral ")) {
            into = jazzChorales ? jazzChorales : (jazzChorales = examples->addMenu("Jazz-koral"));
        }
        QAction* action = into->addAction(title);
        connect(action, &QAction::triggered, this, [this, path] { emit exampleChosen(path); });
    }
    examples->setEnabled(!examples->isEmpty());
}
