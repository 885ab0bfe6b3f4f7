// The help documents are embedded as resources (docs/help.da.md and docs/help.en.md and the
// screenshots they show), so the help works from the build folder and the package alike.
#include "ui/classroom/help_window.h"

#include <QFile>
#include <QUrl>

namespace {

constexpr int kWidthPx = 640;
constexpr int kHeightPx = 600;

QString readResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setObjectName("helpWindow");
    setWindowFlag(Qt::Window);
    setOpenExternalLinks(true);
    // The screenshots are named in the document relative to the folder it lies in.
    setSearchPaths({":/help"});
    resize(kWidthPx, kHeightPx);
}

QString HelpWindow::documentPath(InterfaceLanguage language) {
    return language == InterfaceLanguage::english ? ":/help/help.en.md" : ":/help/help.da.md";
}

void HelpWindow::showDocument(InterfaceLanguage language) {
    const QString markdown = readResource(documentPath(language));
    setWindowTitle(language == InterfaceLanguage::english ? "Klangora help" : "Klangora hjælp");
    document()->setBaseUrl(QUrl("qrc:/help/"));
    setMarkdown(markdown);
}
