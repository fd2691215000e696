#pragma once
// Modal message boxes. Everything in the library asks through here, so that tests (and hosts
// without a display) can record and answer them.
#include <QString>
#include <functional>
#include "platform/qor_global.h"

class QWidget;

namespace qor::platform {

// Flags and answers keep the classic numbering that hosts pass through the grid's MessageBox.
enum MessageBoxFlag : int {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum MessageBoxAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

struct MessageBoxRequest {
    QString text;
    QString caption;
    int flags = MB_OK;
    int buttons() const { return flags & 0x0F; }
    int icon() const { return flags & 0xF0; }
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest &)>;

// Shows the box (or hands it to the installed handler) and returns the answer.
QOR_EXPORT int MessageBox(QWidget *parent, const QString &text, const QString &caption, int flags);

// Replaces the real dialog; an empty handler restores it. Returns the previous handler.
QOR_EXPORT MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace qor::platform
