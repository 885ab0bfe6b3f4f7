#include "ui/music/music_triads.h"

#include "sound/music/piece_player.h"
#include "ui/music/music_window.h"
#include "ui/music/triad_table.h"
#include "ui/texts/language_follower.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QTimer>

namespace {

// As often as the window shows the time: a chord's change is seen within a tenth of a second.
constexpr int kFollowMs = 100;

using klangora::music::TriadChoice;

// The switch above the table: major, minor or both kinds of triad in its rows.
QWidget* makeChoiceSwitch(MusicWindow& window, TriadTable& table) {
    auto* row = new QWidget(&window);
    row->setObjectName("triadChoice");
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(row);
    const auto add = [&](const char* name, const char* text, TriadChoice choice) {
        auto* button = new QRadioButton(row);
        button->setObjectName(name);
        const auto tell = [button, text] {
            button->setText(QCoreApplication::translate("TriadTable", text));
        };
        tell();
        followLanguage(window, *button, tell);
        button->setChecked(choice == table.choice());
        group->addButton(button);
        layout->addWidget(button);
        QObject::connect(button, &QRadioButton::toggled, &table, [&table, choice](bool on) {
            if (on) {
                table.setChoice(choice);
            }
        });
    };
    add("triadsMajor", QT_TRANSLATE_NOOP("TriadTable", "&Dur-treklange"), TriadChoice::major);
    add("triadsMinor", QT_TRANSLATE_NOOP("TriadTable", "M&ol-treklange"), TriadChoice::minor);
    add("triadsBoth", QT_TRANSLATE_NOOP("TriadTable", "B&egge"), TriadChoice::both);
    layout->addStretch();
    return row;
}

} // namespace

TriadTable& addTriadTable(MusicWindow& window, const MusicTriadsSources& sources) {
    auto* table = new TriadTable(sources.model, &window);
    if (auto* grid = qobject_cast<QGridLayout*>(window.layout())) {
        grid->addWidget(makeChoiceSwitch(window, *table), grid->rowCount(), 0, 1,
                        grid->columnCount());
        grid->addWidget(table, grid->rowCount(), 0, 1, grid->columnCount());
    }
    table->setFifthsOrder(sources.inFifths());
    if (sources.concealed != nullptr) {
        table->followConcealment(*sources.concealed);
    }
    QObject::connect(&window, &MusicWindow::pieceOpened, table, [&window, table] {
        if (window.piece() != nullptr) {
            table->analysePiece(window.sharedPiece());
        }
    });
    // The arrangement has no news of its own; the table asks with every look at the clock.
    auto* follow = new QTimer(table);
    follow->setInterval(kFollowMs);
    QObject::connect(follow, &QTimer::timeout, table,
                     [&window, table, player = &sources.player, inFifths = sources.inFifths] {
                         table->setFifthsOrder(inFifths());
                         if (window.piece() != nullptr) {
                             table->setPlayingPosition(player->positionSeconds());
                         }
                     });
    follow->start();
    return *table;
}
