#pragma once
// Shared by the grid stream suites: random grids and an attribute-by-attribute comparison.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <random>

#include "core/grid.h"
#include "core/grid_p.h"
#include "io/byte_stream.h"
#include "io/grid_stream.h"

namespace qor::test {

inline QByteArray bmpBytes(QColor color, int w = 3, int h = 2)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

inline TQorPicture bmpPicture(QColor color)
{
    TQorPicture p;
    p.Data = bmpBytes(color);
    p.Image = QImage::fromData(p.Data, "BMP");
    return p;
}

inline void hideRow(TCustomQorGrid &grid, int row)
{
    GridPrivate::get(grid).rowAxis.SetVisible(row, false);
}

// A grid with something different in every corner of what a document stores.
void FillRandomGrid(TCustomQorGrid &grid, unsigned seed);

// Compares everything a document carries; failures name the attribute and position.
void ExpectSameGrid(TCustomQorGrid &expected, TCustomQorGrid &actual);

inline QByteArray plainBytes(const TCustomQorGrid &grid) { return SaveGridToBytes(grid, false, true); }

} // namespace qor::test
