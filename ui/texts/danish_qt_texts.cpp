#include "ui/texts/danish_qt_texts.h"

#include <QHash>

namespace {

struct Text {
    const char* context;
    const char* english;
    const char* danish;
};

// Only texts of Qt's own that this program can show.
constexpr Text kTexts[] = {
    {"QCommandLineParser", "Usage: %1", "Brug: %1"},
    {"QCommandLineParser", "[options]", "[tilvalg]"},
    {"QCommandLineParser", "Options:", "Tilvalg:"},
    {"QCommandLineParser", "Arguments:", "Argumenter:"},
    {"QFileDialog", "Look in:", "Kig i:"},
    {"QFileDialog", "Back", "Tilbage"},
    {"QFileDialog", "Go back", "Gå tilbage"},
    {"QFileDialog", "Forward", "Frem"},
    {"QFileDialog", "Go forward", "Gå frem"},
    {"QFileDialog", "Parent Directory", "Overordnet mappe"},
    {"QFileDialog", "Go to the parent directory", "Gå til den overordnede mappe"},
    {"QFileDialog", "Create New Folder", "Opret ny mappe"},
    {"QFileDialog", "Create a New Folder", "Opret en ny mappe"},
    {"QFileDialog", "List View", "Liste"},
    {"QFileDialog", "Change to list view mode", "Vis som liste"},
    {"QFileDialog", "Detail View", "Detaljer"},
    {"QFileDialog", "Change to detail view mode", "Vis med detaljer"},
    {"QFileDialog", "Sidebar", "Sidepanel"},
    {"QFileDialog", "List of places and bookmarks", "Steder og bogmærker"},
    {"QFileDialog", "Files", "Filer"},
    {"QFileDialog", "Files of type:", "Filtype:"},
    {"QFileDialog", "File &name:", "Fil&navn:"},
    {"QFileDialog", "Directory:", "Mappe:"},
    {"QFileDialog", "Recent Places", "Seneste steder"},
    {"QFileDialog", "&Rename", "&Omdøb"},
    {"QFileDialog", "&Delete", "&Slet"},
    {"QFileDialog", "Delete", "Slet"},
    {"QFileDialog", "Show &hidden files", "Vis s&kjulte filer"},
    {"QFileDialog", "&New Folder", "&Ny mappe"},
    {"QFileDialog", "New Folder", "Ny mappe"},
    {"QFileDialog", "Open", "Åbn"},
    {"QFileDialog", "&Open", "&Åbn"},
    {"QFileDialog", "Save", "Gem"},
    {"QFileDialog", "&Save", "&Gem"},
    {"QFileDialog", "&Choose", "&Vælg"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Vil du virkelig slette »%1«?"},
    {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
     "»%1« er skrivebeskyttet.\nVil du slette den alligevel?"},
    {"QFileDialog", "Could not delete directory.", "Mappen kunne ikke slettes."},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nFilen findes ikke.\nSe efter, om filnavnet er skrevet rigtigt."},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nMappen findes ikke.\nSe efter, om mappens navn er skrevet rigtigt."},
    {"QFileSystemModel", "Name", "Navn"},
    {"QFileSystemModel", "Size", "Størrelse"},
    {"QFileSystemModel", "Type", "Type"},
    {"QFileSystemModel", "Date Modified", "Ændret"},
    {"QFileSystemModel", "Invalid filename", "Ugyldigt filnavn"},
    {"QAbstractFileIconProvider", "Folder", "Mappe"},
    {"QAbstractFileIconProvider", "File", "Fil"},
    {"QAbstractFileIconProvider", "Drive", "Drev"},
    {"QAbstractFileIconProvider", "%1 File", "%1-fil"},
    {"QLineEdit", "&Undo", "&Fortryd"},
    {"QLineEdit", "&Redo", "&Gentag"},
    {"QLineEdit", "Cu&t", "&Klip"},
    {"QLineEdit", "&Copy", "K&opiér"},
    {"QLineEdit", "&Paste", "&Indsæt"},
    {"QLineEdit", "Delete", "Slet"},
    {"QLineEdit", "Select All", "Markér alt"},
};

QString key(const char* context, const char* english) {
    return QString::fromUtf8(context) + QChar(0) + QString::fromUtf8(english);
}

const QHash<QString, QString>& danishTexts() {
    static const QHash<QString, QString> texts = [] {
        QHash<QString, QString> table;
        for (const Text& text : kTexts) {
            table.insert(key(text.context, text.english), QString::fromUtf8(text.danish));
        }
        return table;
    }();
    return texts;
}

} // namespace

QString DanishQtTexts::translate(const char* context, const char* sourceText,
                                 const char* /*disambiguation*/, int /*n*/) const {
    if (context == nullptr || sourceText == nullptr) {
        return {};
    }
    return danishTexts().value(key(context, sourceText));
}
