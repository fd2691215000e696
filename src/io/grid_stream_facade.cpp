// The grid's whole-document operations: streams and files.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include "core/grid.h"
#include "io/grid_stream.h"
#include "io/grid_stream_device_p.h"

namespace qor {

bool TCustomQorGrid::SaveToStream(QIODevice &Stream, bool Compress, bool AllRows)
{
    QByteArray bytes;
    try {
        bytes = SaveGridToBytes(*this, Compress, AllRows);
    } catch (const std::exception &) {
        return false;
    }
    return ReplaceDeviceContent(Stream, bytes);
}

bool TCustomQorGrid::LoadFromStream(QIODevice &Stream)
{
    return LoadGridFromBytes(*this, ReadWholeDevice(Stream));
}

// Written beside the old file and renamed over it: a failing write never costs the document
// that was there.
bool TCustomQorGrid::SaveToFile(const QString &FileName, bool AllRows)
{
    QByteArray bytes;
    try {
        bytes = SaveGridToBytes(*this, true, AllRows);
    } catch (const std::exception &) {
        return false;
    }
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool TCustomQorGrid::LoadFromFile(const QString &FileName)
{
    QFile file(FileName);
    if (!QFileInfo::exists(FileName) || !file.open(QIODevice::ReadOnly))
        return false;
    return LoadFromStream(file);
}

} // namespace qor
