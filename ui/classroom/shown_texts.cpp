#include "ui/classroom/shown_texts.h"

#include "ui/classroom/interface_language.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include <array>

namespace {

// The properties that hold text the user sees or hears.
constexpr std::array<const char*, 7> kTextProperties = {
    "text",       "toolTip", "statusTip", "whatsThis", "accessibleName", "accessibleDescription",
    "windowTitle"};

QByteArray memoryName(const char* property) {
    return QByteArray("klangoraDanish_") + property;
}

// The Danish of the text a property shows now, remembered from before where it still shows it
// (in either language).
QString danishOf(QObject& object, const char* property, const QString& shown,
                 const InterfaceLanguageScope& language) {
    const QString remembered = object.property(memoryName(property)).toString();
    if (!remembered.isEmpty() && (shown == remembered || shown == language.english(remembered))) {
        return remembered;
    }
    return shown;
}

void showTexts(QObject& object, const InterfaceLanguageScope& language) {
    auto* label = qobject_cast<QLabel*>(&object);
    const bool sizedToText = label != nullptr && label->size() == label->sizeHint();
    for (const char* property : kTextProperties) {
        const QVariant value = object.property(property);
        if (!value.isValid() || value.toString().isEmpty()) {
            continue;
        }
        const QString shown = value.toString();
        const QString danish = danishOf(object, property, shown, language);
        object.setProperty(memoryName(property), danish);
        const QString wanted =
            language.language() == InterfaceLanguage::english ? language.english(danish) : danish;
        if (wanted != shown) {
            object.setProperty(property, wanted);
        }
    }
    if (sizedToText) {
        label->adjustSize();
    }
}

} // namespace

void showTextsIn(QWidget& root, const InterfaceLanguageScope& language) {
    showTexts(root, language);
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        showTexts(*widget, language);
    }
    for (QAction* action : root.findChildren<QAction*>()) {
        showTexts(*action, language);
    }
    for (QMenu* menu : root.findChildren<QMenu*>()) {
        // A menu's title is its menu action's text.
        showTexts(*menu->menuAction(), language);
    }
}
