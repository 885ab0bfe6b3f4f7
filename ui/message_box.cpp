#include "ui/message_box.h"

#include <QMessageBox>

void showMessage(const QString& text) {
    // Without a parent the box is centred on the screen rather than on the window.
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok);
    box.setObjectName("messageBox");
    box.exec();
}
