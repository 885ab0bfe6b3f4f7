#include "ui/lessons/lessons_menu.h"

#include "ui/classroom/interface_language.h"
#include "ui/lessons/lesson_files.h"

#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QUrl>

LessonsMenu::LessonsMenu(QObject* parent) : QObject(parent) {}

void LessonsMenu::addToMenu(QMenu& menu) {
    QMenu* lessons = menu.addMenu(tr("Lektioner"));
    lessons->setObjectName("lessonsMenu");
    const QString own = ownLessonsFolder();
    for (const QString& folder : {shippedLessonsFolder(), own}) {
        if (folder.isEmpty() || !QDir(folder).exists()) {
            continue;
        }
        if (folder == own && !lessons->isEmpty()) {
            lessons->addSeparator();
        }
        const QDir dir(folder);
        // The program's lessons in the interface's language; the user's own, all of them.
        const QString spoken = InterfaceLanguageScope::speaksDanish() ? "da" : "en";
        for (const QString& name : dir.entryList({"*.lektion"}, QDir::Files, QDir::Name)) {
            const QString path = dir.filePath(name);
            const QString language = lessonLanguage(path);
            if (folder != own && !language.isEmpty() && language != spoken) {
                continue;
            }
            const QString title = lessonTitle(path);
            QAction* action = lessons->addAction(title.isEmpty() ? name : title);
            connect(action, &QAction::triggered, this, [this, path] { emit lessonChosen(path); });
        }
    }
    lessons->addSeparator();
    lessons->addAction(tr("Mine lektioner …"), this, [own] {
        QDir().mkpath(own);
        QDesktopServices::openUrl(QUrl::fromLocalFile(own));
    });
}
