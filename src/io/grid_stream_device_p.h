#pragma once
// Whole-content reads and writes of the devices the grid's stream operations take.
#include <QBuffer>
#include <QFileDevice>
#include <QIODevice>

namespace qor {

// The device's whole content (from its start when it can seek).
inline QByteArray ReadWholeDevice(QIODevice &device)
{
    if (!device.isOpen() || !device.isReadable())
        return {};
    if (!device.isSequential() && !device.seek(0))
        return {};
    return device.readAll();
}

// Makes bytes the device's whole content and leaves it positioned after them. False when
// the device would not take them.
inline bool ReplaceDeviceContent(QIODevice &device, const QByteArray &bytes)
{
    if (!device.isOpen() || !device.isWritable())
        return false;
    if (auto *buffer = qobject_cast<QBuffer *>(&device)) {
        buffer->buffer() = bytes;
        return buffer->seek(bytes.size());
    }
    if (!device.isSequential() && !device.seek(0))
        return false;
    if (device.write(bytes) != bytes.size())
        return false;
    if (auto *file = qobject_cast<QFileDevice *>(&device))
        return file->resize(bytes.size()) && file->seek(bytes.size());
    return true;
}

} // namespace qor
