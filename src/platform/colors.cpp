#include "platform/colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace qor::platform {

namespace {

QColor systemColor(int index)
{
    const QPalette pal = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                             ? QGuiApplication::palette()
                             : QPalette();
    switch (index) {
    case 1: case 12: return pal.color(QPalette::Mid);            // desktop, workspace
    case 5: return pal.color(QPalette::Base);                     // window
    case 6: return pal.color(QPalette::Shadow);                   // window frame
    case 7: case 8: return pal.color(QPalette::Text);             // menu and window text
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 4: case 15: return pal.color(QPalette::Button);          // menu, button face
    case 16: return pal.color(QPalette::Dark);
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 20: return pal.color(QPalette::Light);
    case 21: return pal.color(QPalette::Shadow);
    case 22: return pal.color(QPalette::Midlight);
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

TColor ColorToRGB(TColor color)
{
    if (color >= 0)
        return color & 0x00FFFFFF;
    return FromQColor(systemColor(int(uint32_t(color) & 0xFF)));
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor FromQColor(const QColor &color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

} // namespace qor::platform
