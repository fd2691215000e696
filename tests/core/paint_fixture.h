#pragma once
// Paints a grid's client area into a picture the way the viewport would, for pixel checks.
#include <QImage>
#include <QPainter>
#include <QRgb>
#include "core/grid.h"
#include "platform/colors.h"

namespace qor::test {

inline QImage paintGrid(TCustomQorGrid &g, QSize size = QSize(400, 300), QPoint scroll = QPoint())
{
    g.setFrameShape(QFrame::NoFrame);
    g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    g.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    g.setAttribute(Qt::WA_DontShowOnScreen);
    g.resize(size);
    g.show();
    g.resize(size + (size - g.viewport()->size()));
    g.UpdateScrollRange();
    g.SetPosition(scroll.x(), scroll.y());
    QImage image(g.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    g.Paint(&p);
    return image;
}

// The pixel as a stored colour value (0x00BBGGRR), to compare with TColor constants.
inline TColor pixelColor(const QImage &image, int x, int y)
{
    return platform::FromQColor(QColor(image.pixel(x, y)));
}

// Whether any pixel of the square of half-size r around (x, y) has the colour.
inline bool colorNear(const QImage &image, int x, int y, TColor color, int r = 1)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (image.valid(x + dx, y + dy) && pixelColor(image, x + dx, y + dy) == color)
                return true;
    return false;
}

// Whether the rectangle holds a dark pixel (text ink).
inline bool hasInk(const QImage &image, const QRect &r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

} // namespace qor::test
