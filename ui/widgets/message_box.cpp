#include "ui/widgets/message_box.h"

#include <QMessageBox>
#include <QPushButton>

void showMessage(const QString& text) {
    // Without a parent the box is centred on the screen rather than on the window.
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok);
    box.setObjectName("messageBox");
    box.exec();
}

bool askQuestion(const QString& text, const QString& yesText, const QString& noText) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle, text);
    box.setObjectName("questionBox");
    QPushButton* yes = box.addButton(yesText, QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(noText, QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == yes;
}
