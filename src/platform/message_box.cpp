#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace qor::platform {

namespace {
MessageBoxHandler &handlerSlot()
{
    static MessageBoxHandler handler;
    return handler;
}

int showDialog(QWidget *parent, const MessageBoxRequest &req)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (req.icon()) {
    case MB_ICONERROR: icon = QMessageBox::Critical; break;
    case MB_ICONQUESTION: icon = QMessageBox::Question; break;
    case MB_ICONWARNING: icon = QMessageBox::Warning; break;
    case MB_ICONINFORMATION: icon = QMessageBox::Information; break;
    default: break;
    }
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (req.buttons()) {
    case MB_OKCANCEL: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MB_YESNOCANCEL: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case MB_YESNO: buttons = QMessageBox::Yes | QMessageBox::No; break;
    default: break;
    }
    QMessageBox box(icon, req.caption, req.text, buttons, parent);
    switch (box.exec()) {
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDOK;
    }
}
} // namespace

int MessageBox(QWidget *parent, const QString &text, const QString &caption, int flags)
{
    const MessageBoxRequest req{text, caption, flags};
    if (handlerSlot())
        return handlerSlot()(req);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return req.buttons() == MB_YESNO || req.buttons() == MB_YESNOCANCEL ? IDNO : IDCANCEL;
    return showDialog(parent, req);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

} // namespace qor::platform
