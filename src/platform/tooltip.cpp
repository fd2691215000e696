#include "platform/tooltip.h"

#include <QToolTip>

namespace qor::platform {

namespace {
ToolTipHandler &handlerSlot()
{
    static ToolTipHandler handler;
    return handler;
}
} // namespace

void ShowToolTip(const QPoint &globalPos, const QString &text, QWidget *widget, const QRect &rect)
{
    if (handlerSlot()) {
        handlerSlot()(ToolTipRequest{globalPos, text, widget, rect});
        return;
    }
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(globalPos, text, widget, rect);
}

void HideToolTip() { ShowToolTip(QPoint(), QString(), nullptr); }

ToolTipHandler SetToolTipHandler(ToolTipHandler handler)
{
    ToolTipHandler old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

} // namespace qor::platform
