#include "platform/messages/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

MessageBoxes::Answer QtMessageBoxes::show(const Message &message)
{
    QMessageBox::Icon icon = QMessageBox::Critical;
    switch (message.icon) {
    case Icon::Critical:
        icon = QMessageBox::Critical;
        break;
    case Icon::Exclamation:
        icon = QMessageBox::Warning;
        break;
    case Icon::Information:
        icon = QMessageBox::Information;
        break;
    case Icon::Question:
        icon = QMessageBox::Question;
        break;
    }
    const QMessageBox::StandardButtons buttons =
        message.buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    QMessageBox box(icon, message.title, message.text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (message.buttons == Buttons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}
