#include "core/view/grid_pictures_p.h"

#include <QPainter>
#include <cstring>
#include <map>
#include <string>

namespace qor {

namespace {

// A solid triangle of 9 x 5 pixels pointing up or down, in the button-text grey.
QImage arrow(bool up)
{
    QImage img(9, 5, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    const QRgb ink = qRgb(0x40, 0x40, 0x40);
    for (int line = 0; line < 5; ++line) {
        const int y = up ? line : 4 - line;
        for (int x = 4 - line; x <= 4 + line; ++x)
            img.setPixel(x, y, ink);
    }
    return img;
}

// A 9 x 9 box with a plus (a closed group, "GroupClose") or a minus ("GroupExpand").
QImage groupButton(bool closed)
{
    QImage img(9, 9, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    const QRgb frame = qRgb(0x80, 0x80, 0x80), ink = qRgb(0, 0, 0);
    for (int i = 0; i < 9; ++i) {
        img.setPixel(i, 0, frame);
        img.setPixel(i, 8, frame);
        img.setPixel(0, i, frame);
        img.setPixel(8, i, frame);
    }
    for (int x = 2; x <= 6; ++x)
        img.setPixel(x, 4, ink);
    if (closed)
        for (int y = 2; y <= 6; ++y)
            img.setPixel(4, y, ink);
    return img;
}

} // namespace

QImage GridPicture(const char *name)
{
    static std::map<std::string, QImage> pictures;
    auto it = pictures.find(name);
    if (it != pictures.end())
        return it->second;
    QImage img;
    if (std::strcmp(name, "SortUp") == 0)
        img = arrow(true);
    else if (std::strcmp(name, "SortDown") == 0)
        img = arrow(false);
    else if (std::strcmp(name, "GroupClose") == 0)
        img = groupButton(true);
    else if (std::strcmp(name, "GroupExpand") == 0)
        img = groupButton(false);
    else
        return QImage();
    return pictures.emplace(name, img).first->second;
}

} // namespace qor
