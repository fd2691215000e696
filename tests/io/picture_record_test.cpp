// Pictures inside cell and column records: the stored bytes come back unchanged, known kinds
// are decoded, and bytes no loader understands are kept and reported.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "io/cell_record.h"
#include "io/column_record.h"
#include "record_test_support.h"

using namespace qor;
using namespace qor::recordtest;

namespace {

struct Loaded {
    QByteArray data;
    QImage image;
    QString problem;
    QByteArray savedAgain;
};

Loaded throughCell(const QByteArray &picture)
{
    TQorGrid source;
    source.Cells(0, 0)->SetGraphic(TQorPicture{picture, QImage()});
    ByteWriter out;
    SaveCellToStream(out, *source.Cells(0, 0));
    const QByteArray bytes = out.take();

    TQorGrid target;
    TCellInfo &cell = *target.Cells(0, 0);
    ByteReader in(bytes);
    Loaded l;
    l.problem = LoadCellFromStream(in, cell, 14);
    l.data = cell.PeekGraphic() ? cell.PeekGraphic()->Data : QByteArray();
    l.image = cell.PeekGraphic() ? cell.PeekGraphic()->Image : QImage();
    ByteWriter again;
    SaveCellToStream(again, cell);
    l.savedAgain = again.take();
    EXPECT_EQ(l.savedAgain, bytes);
    return l;
}

} // namespace

TEST(PictureRecord, UndecodableBytesAreKeptAndReported)
{
    // A PNG is none of the stored kinds; a JPEG signature followed by nothing of a JPEG fails
    // in the JPEG loader; a metafile has no loader here.
    QByteArray metafile(120, '\0');
    metafile[0] = 1;
    metafile.replace(40, 4, QByteArray::fromHex("20454d46"));
    for (const QByteArray &bytes : {imageBytes(Qt::blue, "PNG"), QByteArray::fromHex("ffd8") + QByteArray(40, 'z'), metafile}) {
        const Loaded l = throughCell(bytes);
        EXPECT_EQ(l.data, bytes);
        EXPECT_TRUE(l.image.isNull());
        EXPECT_FALSE(l.problem.isEmpty());
    }
}

TEST(PictureRecord, ColumnPictureAndImageWithoutBytes)
{
    TQorGrid source, target;
    const QByteArray bytes = gifBytes();
    source.Columns(1)->SetGraphic(TQorPicture{bytes, QImage()});
    ByteWriter column;
    SaveColumnToStream(column, *source.Columns(1));
    ByteReader columnIn(column.bytes());
    LoadColumnFromStream(columnIn, *target.Columns(1), 14);
    EXPECT_EQ(target.Columns(1)->GetGraphic().Data, bytes);
    EXPECT_EQ(target.Columns(1)->GetGraphic().Image.size(), QSize(1, 1));

    // An image without bytes is stored as a bitmap.
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    source.Cells(0, 0)->SetGraphic(TQorPicture{QByteArray(), image});
    source.Cells(0, 1)->SetGraphic(TQorPicture{QByteArray(), QImage()});
    ByteWriter cell;
    SaveCellToStream(cell, *source.Cells(0, 0));
    ByteReader cellIn(cell.bytes());
    LoadCellFromStream(cellIn, *target.Cells(0, 0), 14);
    EXPECT_TRUE(target.Cells(0, 0)->PeekGraphic()->Data.startsWith("BM"));
    EXPECT_EQ(target.Cells(0, 0)->PeekGraphic()->Image.pixel(1, 1), image.pixel(1, 1));
}
