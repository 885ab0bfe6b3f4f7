#pragma once

// The "Eksempler" submenu: the example pieces the program brings, the cadence round the circle
// of fifths and the two chorales in every key, found next to the program in the build tree or
// in the installed data folder.
#include <QObject>
#include <QString>

class QMenu;

// The folder of the example pieces: "examples" beside the program (the build tree), else
// share/klangora/examples above it (installed), else wherever the system's data folders hold
// klangora/examples; empty when none exists.
QString examplesFolder();

class ExamplesMenu : public QObject {
    Q_OBJECT

public:
    explicit ExamplesMenu(QObject* parent = nullptr, QString folder = examplesFolder());

    // Adds the submenu; pieces whose files are missing are left out, and with none at all the
    // submenu is there but disabled.
    void addToMenu(QMenu& menu);

signals:
    // The full path of the piece chosen.
    void exampleChosen(const QString& path);

private:
    QString m_folder;
};
