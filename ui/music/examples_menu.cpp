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
        QAction* action = into->addAction(QString::fromStdString(piece.title));
        connect(action, &QAction::triggered, this, [this, path] { emit exampleChosen(path); });
    }
    examples->setEnabled(!examples->isEmpty());
}
