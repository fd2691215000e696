#pragma once
// Modal dialogs and popup menus. The library shows them through here, so that tests (and hosts
// without a display) can answer them: a handler receives the dialog or menu instead of the user.
#include <QPoint>
#include <functional>
#include "platform/qor_global.h"

class QAction;
class QDialog;
class QMenu;

namespace qor::platform {

// Runs the dialog modally; returns its result (QDialog::Accepted or Rejected).
QOR_EXPORT int ExecDialog(QDialog &dialog);
// The handler sets the dialog's controls and answers for the user; an empty one restores the
// real dialog. Returns the previous handler.
using DialogHandler = std::function<int(QDialog &)>;
QOR_EXPORT DialogHandler SetDialogHandler(DialogHandler handler);

// Pops the menu up at a global position; returns the chosen action, or nothing.
QOR_EXPORT QAction *ExecMenu(QMenu &menu, const QPoint &globalPos);
using MenuHandler = std::function<QAction *(QMenu &)>;
QOR_EXPORT MenuHandler SetMenuHandler(MenuHandler handler);

} // namespace qor::platform
