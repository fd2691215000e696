// The grid's cells-block operations on devices and files.
#include <QFile>
#include <QSaveFile>
#include "core/grid.h"
#include "core/grid_p.h"
#include "io/cells_block.h"
#include "io/grid_stream_device_p.h"
#include "platform/clipboard.h"

namespace qor {

namespace {

void putBlock(QIODevice &stream, const QByteArray &block)
{
    if (ReplaceDeviceContent(stream, block) && !stream.isSequential())
        stream.seek(0);
}

bool writeFile(const QString &fileName, const QByteArray &block)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(block) != block.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// The selection, or the current cell alone.
QRect selectionRect(const TCustomQorGrid &grid)
{
    const GridPrivate &d = GridPrivate::get(grid);
    if (!d.selection.isEmpty())
        return d.selection;
    if (grid.GetRow() < 0)
        return {};
    return QRect(grid.GetCol(), grid.GetRow(), 1, 1);
}

} // namespace

void TCustomQorGrid::SaveCellsToStream(int TopRow, int LeftCol, int RowCount, int ColCount, QIODevice &Stream)
{
    putBlock(Stream, SaveCellsBlock(*this, TopRow, LeftCol, RowCount, ColCount));
}

void TCustomQorGrid::LoadCellsFromStream(QIODevice &Stream, int TopRow, int LeftCol, bool ApplySizes, bool SkipHidden)
{
    LoadCellsBlock(*this, ReadWholeDevice(Stream), TopRow, LeftCol, {ApplySizes, SkipHidden, false});
}

void TCustomQorGrid::LoadCellsFromStream_OnlyText(QIODevice &Stream, int TopRow, int LeftCol)
{
    LoadCellsBlock(*this, ReadWholeDevice(Stream), TopRow, LeftCol, {false, false, true});
}

void TCustomQorGrid::SaveSelectionToStream(QIODevice &Stream)
{
    if (d->selection.isEmpty() && d->editorOpen()) {
        // An open editor hands its text over as plain text instead.
        platform::CurrentClipboard().SetText(d->editorText());
        return;
    }
    const QRect r = selectionRect(*this);
    if (r.isEmpty())
        return;
    SaveCellsToStream(r.top(), r.left(), r.height(), r.width(), Stream);
}

bool TCustomQorGrid::SaveCellsToFile(int TopRow, int LeftCol, int RowCount, int ColCount, const QString &FileName)
{
    return writeFile(FileName, SaveCellsBlock(*this, TopRow, LeftCol, RowCount, ColCount));
}

bool TCustomQorGrid::SaveSelectionToFile(const QString &FileName)
{
    const QRect r = selectionRect(*this);
    return writeFile(FileName, r.isEmpty() ? QByteArray() : SaveCellsBlock(*this, r.top(), r.left(), r.height(), r.width()));
}

bool TCustomQorGrid::LoadCellsFromFile(const QString &FileName, int TopRow, int LeftCol, bool ApplySizes)
{
    d->hideEditor();
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return LoadCellsBlock(*this, file.readAll(), TopRow, LeftCol, {ApplySizes, false, false});
}

} // namespace qor
