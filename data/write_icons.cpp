// Writes the program's icon into a hicolor icon theme folder at every side the window icon is
// made of, using the very drawing code of the window icon, so the desktop's menu and the
// window's title bar always show the same picture.
#include "ui/texts/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>

namespace {

// <theme>/<side>x<side>/apps/<id>.png, the layout the freedesktop icon theme lookup expects.
bool writeIcon(const QString& themeDir, const QString& iconName, int side) {
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(themeDir).arg(side);
    const QString file = QStringLiteral("%1/%2.png").arg(dir, iconName);
    const QImage image = pictures::appIcon(side).toImage();
    if (image.size() != QSize(side, side)) {
        std::fprintf(stderr, "icon for side %d is drawn %dx%d\n", side, image.width(),
                     image.height());
        return false;
    }
    if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: %s THEME_DIR ICON_NAME\n", qPrintable(args.value(0)));
        return 2;
    }
    for (int side : pictures::kAppIconSides) {
        if (!writeIcon(args[1], args[2], side)) {
            return 1;
        }
    }
    return 0;
}
