#include "platform/modal.h"

#include <QDialog>
#include <QMenu>
#include <utility>

namespace qor::platform {

namespace {
DialogHandler &dialogHandler()
{
    static DialogHandler h;
    return h;
}
MenuHandler &menuHandler()
{
    static MenuHandler h;
    return h;
}
} // namespace

int ExecDialog(QDialog &dialog)
{
    if (const DialogHandler &h = dialogHandler())
        return h(dialog);
    return dialog.exec();
}

DialogHandler SetDialogHandler(DialogHandler handler) { return std::exchange(dialogHandler(), std::move(handler)); }

QAction *ExecMenu(QMenu &menu, const QPoint &globalPos)
{
    if (const MenuHandler &h = menuHandler())
        return h(menu);
    return menu.exec(globalPos);
}

MenuHandler SetMenuHandler(MenuHandler handler) { return std::exchange(menuHandler(), std::move(handler)); }

} // namespace qor::platform
