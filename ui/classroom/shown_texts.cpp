#include "ui/classroom/shown_texts.h"

#include "ui/classroom/interface_language.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
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

// Where a text may have been translated: the program's own context, then the classes of the
// object and of its parents, whose tr() takes their class's name (a tool window's labels were
// made by the window's class).
QList<QByteArray> contextsOf(const QObject& object) {
    QList<QByteArray> contexts{kTextContext};
    for (const QObject* o = &object; o != nullptr; o = o->parent()) {
        for (const QMetaObject* meta = o->metaObject(); meta != nullptr;
             meta = meta->superClass()) {
            const QByteArray name(meta->className());
            if (!name.startsWith('Q') && !contexts.contains(name)) {
                contexts << name;
            }
        }
    }
    return contexts;
}

// The Danish of the text a property shows now, remembered from before where it still shows it
// (in either language).
QString danishOf(QObject& object, const char* property, const QString& shown,
                 const InterfaceLanguageScope& language, const QList<QByteArray>& contexts) {
    const QString remembered = object.property(memoryName(property)).toString();
    if (!remembered.isEmpty() &&
        (shown == remembered || shown == language.english(remembered, contexts))) {
        return remembered;
    }
    return shown;
}

void showTexts(QObject& object, const InterfaceLanguageScope& language) {
    const QList<QByteArray> contexts = contextsOf(object);
    auto* label = qobject_cast<QLabel*>(&object);
    const bool sizedToText = label != nullptr && label->size() == label->sizeHint();
    for (const char* property : kTextProperties) {
        const QVariant value = object.property(property);
        if (!value.isValid() || value.toString().isEmpty()) {
            continue;
        }
        const QString shown = value.toString();
        const QString danish = danishOf(object, property, shown, language, contexts);
        object.setProperty(memoryName(property), danish);
        const QString wanted = language.language() == InterfaceLanguage::english
                                   ? language.english(danish, contexts)
                                   : danish;
        if (wanted != shown) {
            object.setProperty(property, wanted);
        }
    }
    if (sizedToText) {
        label->adjustSize();
    }
}

// Qt names a tab bar's scroll buttons for the screen reader once, in the language of the day;
// they are named anew, from Qt's own translation (Danish) or its source texts (English).
void renameTabScrollButtons(QWidget& root) {
    for (QTabBar* bar : root.findChildren<QTabBar*>()) {
        if (auto* left = bar->findChild<QWidget*>("ScrollLeftButton")) {
            left->setAccessibleName(QTabBar::tr("Scroll Left"));
        }
        if (auto* right = bar->findChild<QWidget*>("ScrollRightButton")) {
            right->setAccessibleName(QTabBar::tr("Scroll Right"));
        }
    }
}

} // namespace

void showTextsIn(QWidget& root, const InterfaceLanguageScope& language) {
    renameTabScrollButtons(root);
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
