#include "sound/pulse_player.h"
#include "ui/form1.h"
#include "ui/message_box.h"
#include "ui/responsive_player.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    PulseAudioPlayer pulse;
    ResponsivePlayer player(pulse);
    TForm1 form(player);
    form.show();
    return QApplication::exec();
}
