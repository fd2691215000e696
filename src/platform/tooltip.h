#pragma once
// Tooltips beside the pointer. The library shows them through here, so that tests (and hosts
// without a display) can read what would be shown.
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include "platform/qor_global.h"

class QWidget;

namespace qor::platform {

struct ToolTipRequest {
    QPoint globalPos;
    QString text;             // empty: hide the tooltip
    QWidget *widget = nullptr;
    QRect rect;               // widget coordinates; the tooltip goes when the pointer leaves it
};

using ToolTipHandler = std::function<void(const ToolTipRequest &)>;

// Shows text at a global position; an empty rect keeps it up wherever the pointer goes over the
// widget. An empty text hides it.
QOR_EXPORT void ShowToolTip(const QPoint &globalPos, const QString &text, QWidget *widget, const QRect &rect = QRect());
QOR_EXPORT void HideToolTip();

// Replaces the real tooltip; an empty handler restores it. Returns the previous handler.
QOR_EXPORT ToolTipHandler SetToolTipHandler(ToolTipHandler handler);

} // namespace qor::platform
