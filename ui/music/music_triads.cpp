#include "ui/music/music_triads.h"

#include "sound/music/piece_player.h"
#include "ui/music/music_window.h"
#include "ui/music/triad_table.h"

#include <QGridLayout>
#include <QTimer>

namespace {

// As often as the window shows the time: a chord's change is seen within a tenth of a second.
constexpr int kFollowMs = 100;

} // namespace

TriadTable& addTriadTable(MusicWindow& window, const MusicTriadsSources& sources) {
    auto* table = new TriadTable(sources.model, &window);
    if (auto* grid = qobject_cast<QGridLayout*>(window.layout())) {
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
