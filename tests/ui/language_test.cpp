// The interface in English and back: every text the window shows, its menus' included, follows
// the language at once, Danish comes back exactly, no Danish word is left in the English
// window, and the English texts fit their places as the Danish do.
#include "support/window_test_support.h"

#include "ui/classroom/classroom.h"
#include "ui/classroom/interface_language.h"
#include "ui/music/music_session.h"
#include "ui/music/music_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// The texts the user reads on the window itself: its title and what its controls show.
QStringList visibleTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isVisible()) {
            const QString text = widget->property("text").toString();
            if (!text.isEmpty()) {
                texts << text;
            }
        }
    }
    return texts;
}

// Words only Danish has, which an English window must not show: its three letters, and words
// of the window, its messages and tooltips that English spells otherwise.
const QStringList kDanishWords = {
    "æ",       "ø",          "å",          "Æ",       "Ø",       "Å",          "Vælg",
    "Hør",     "stemning",   "Stemning",   "terts",   "kvint",   "Grundtonen", "grundtone",
    "toneart", "Klik",       "opstilling", "Oktav",   "Ren ",    "Egen",       "afvigelse",
    "Vis ",    "kromatik",   "lille",      "Prætor",  "Ligesv",  "akkord",     "tonen",
    "Tonen",   " og ",       " eller ",    " til ",   " med ",   " fra ",      " den ",
    " det ",   " en ",       " et ",       " er ",    " ikke ",  "Spil",       "Gem ",
    "Musik",   "Øvelse",     "Lydstyrke",  "Klang ",  "Tryk",    "svævning",   "Billede",
    "Knap",    "Pil",        "mellemrum",  "Skift",   "Cembalo", "Kirkeorgel", "Klaver",
    "komma",   "middeltone", "Historiske", "Kadence", "Koral",   "-dur",       "kvintcirkl"};

QString danishWordIn(const QString& text) {
    for (const QString& word : kDanishWords) {
        // The part after the object's name and property is the text itself.
        if (text.section(": ", 1).contains(word)) {
            return word;
        }
    }
    return {};
}

// The tool windows as they open: the music window, the exercises (Ctrl+E), the help (F1).
void openToolWindows(TForm1& form) {
    form.music().window().show();
    QTest::keyClick(form.windowHandle(), Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(form.windowHandle(), Qt::Key_F1);
}

// Every text of the window and its open tool windows that holds a Danish-only word.
QStringList danishLeft(const TForm1& form) {
    QStringList shown = shownTexts(form);
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != &form && window->isVisible()) {
            shown << shownTexts(*window);
        }
    }
    QStringList danish;
    for (const QString& text : shown) {
        if (const QString word = danishWordIn(text); !word.isEmpty()) {
            danish << QString("»%1« in %2").arg(word, text);
        }
    }
    return danish;
}

// The texts of a menu's entries and of its submenus', entry by entry.
QStringList menuTexts(const QMenu& menu) {
    QStringList texts{"menu: " + menu.title()};
    for (const QAction* action : menu.actions()) {
        texts << "entry: " + action->text() << "entry tip: " + action->toolTip();
        if (action->menu() != nullptr) {
            texts << menuTexts(*action->menu());
        }
    }
    return texts;
}

// The window's whole context menu, read while it is open.
QStringList contextMenuTexts(TForm1& form) {
    QStringList texts;
    QTimer::singleShot(0, &form, [&texts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu != nullptr) {
            texts = menuTexts(*menu);
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, {20, 20},
                            form.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&form, &event);
    return texts;
}

void showMenus(TForm1& form) {
    // The context menu is made when asked for; one made once brings its actions along.
    QMenu menu(&form);
    form.classroom().addToMenu(menu);
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void englishAndBackRestoresTheDanishExactly();
    void noDanishWordIsLeftInEnglish();
    void textsFitTheirPlaces_data();
    void textsFitTheirPlaces();
    void theLanguageMenuSwitchesAndIsRemembered();

private:
    QTemporaryDir m_configHome;
};

void LanguageTest::initTestCase() {
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", m_configHome.path().toUtf8());
}

void LanguageTest::englishAndBackRestoresTheDanishExactly() {
    InterfaceLanguageScope language(InterfaceLanguage::danish);
    TestWindow window;
    auto& [player, form] = window;
    QVERIFY(settle(form));
    // Tool windows made before the switch follow it as the main window does, and so does the
    // chorale's message.
    openToolWindows(form);
    form.BitBtn2Click();
    const QStringList danish = shownTexts(form);
    const QStringList danishVisible = visibleTexts(form);
    form.classroom().setLanguage(InterfaceLanguage::english);
    const QStringList englishVisible = visibleTexts(form);
    QCOMPARE(englishVisible.size(), danishVisible.size());
    for (qsizetype i = 0; i < danishVisible.size(); ++i) {
        // Note names, numbers and the temperaments' own names read alike in both languages.
        if (language.english(danishVisible[i]) != danishVisible[i]) {
            QCOMPARE(englishVisible[i], language.english(danishVisible[i]));
        }
    }
    QVERIFY(englishVisible.contains("B"));
    // Tooltips, screen-reader texts and the tool windows changed at once as well.
    const QStringList left = danishLeft(form);
    QVERIFY2(left.isEmpty(), qPrintable(left.join('\n')));
    form.classroom().setLanguage(InterfaceLanguage::danish);
    QCOMPARE(shownTexts(form), danish);
}

void LanguageTest::noDanishWordIsLeftInEnglish() {
    InterfaceLanguageScope language(InterfaceLanguage::english);
    TestWindow window;
    auto& [player, form] = window;
    QVERIFY(settle(form));
    // Selecting a mark and letting it go changes the hint twice.
    form.knapMouseDown(5, 1);
    form.knapMouseDown(5, 1);
    showMenus(form);
    openToolWindows(form);
    QStringList danish = danishLeft(form);
    // The context menu with its library of temperaments and its examples, read as it shows;
    // the caption a library temperament gives the window, too.
    const QStringList menu = contextMenuTexts(form);
    QVERIFY(menu.contains("entry: Examples") && menu.contains("entry: Historical temperaments"));
    child<QAction>(form, "temperament_meantone6")->trigger();
    for (const QString& text : menu + QStringList{"caption: " + labelText(form, "lbStemning")}) {
        if (const QString word = danishWordIn(text); !word.isEmpty()) {
            danish << QString("»%1« in %2").arg(word, text);
        }
    }
    QVERIFY2(danish.isEmpty(), qPrintable(danish.join('\n')));
}

void LanguageTest::textsFitTheirPlaces_data() {
    QTest::addColumn<int>("language");
    QTest::addRow("Danish") << static_cast<int>(InterfaceLanguage::danish);
    QTest::addRow("English") << static_cast<int>(InterfaceLanguage::english);
}

void LanguageTest::textsFitTheirPlaces() {
    QFETCH(int, language);
    InterfaceLanguageScope scope(static_cast<InterfaceLanguage>(language));
    TestWindow window;
    auto& [player, form] = window;
    QVERIFY(settle(form));
    // A button's or choice's text fits its width.
    for (const QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && !button->text().isEmpty()) {
            QVERIFY2(button->sizeHint().width() <= button->width() + 1,
                     qPrintable(QString("%1: %2 > %3")
                                    .arg(button->text())
                                    .arg(button->sizeHint().width())
                                    .arg(button->width())));
        }
    }
    // A label shows its whole text, inside its parent and clear of every button.
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->objectName().isEmpty()) {
            continue;
        }
        const QRect place = label->geometry();
        const QStringList lines = label->text().split('\n');
        for (const QString& line : lines) {
            QVERIFY2(label->fontMetrics().horizontalAdvance(line) <= place.width() + 1,
                     qPrintable(label->objectName() + ": " + line));
        }
        QVERIFY2(label->parentWidget()->rect().contains(place), qPrintable(label->objectName()));
        for (const QPushButton* button : label->parentWidget()->findChildren<QPushButton*>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            QVERIFY2(!button->isVisible() || !button->geometry().intersects(place),
                     qPrintable(label->objectName() + " runs into " + button->objectName()));
        }
    }
}

void LanguageTest::theLanguageMenuSwitchesAndIsRemembered() {
    InterfaceLanguageScope language(InterfaceLanguage::danish);
    TestWindow window;
    auto& [player, form] = window;
    QMenu menu(&form);
    form.classroom().addToMenu(menu);
    QMenu* languages = menu.findChild<QMenu*>("languageMenu");
    QVERIFY(languages != nullptr);
    QCOMPARE(languages->title(), QString("Sprog"));
    const QList<QAction*> choices = languages->actions();
    QCOMPARE(choices.size(), 2);
    QVERIFY(choices[0]->isChecked());
    choices[1]->trigger();
    QCOMPARE(language.language(), InterfaceLanguage::english);
    QCOMPARE(Settings().language(), InterfaceLanguage::english);
    QCOMPARE(form.windowTitle(), QString("Klangora: Listen to major triads in different tunings!"));
    QMenu english(&form);
    form.classroom().addToMenu(english);
    QCOMPARE(english.findChild<QMenu*>("languageMenu")->title(), QString("Language"));
    english.findChild<QMenu*>("languageMenu")->actions()[0]->trigger();
    QCOMPARE(Settings().language(), InterfaceLanguage::danish);
    QCOMPARE(form.windowTitle(),
             QString("Klangora: Lyt til dur-treklange i forskellige stemninger!"));
}

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
