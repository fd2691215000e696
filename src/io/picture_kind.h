#pragma once
// Recognising and decoding the picture images stored in cells, columns and backgrounds. No
// kind is stored with the bytes; it is recognised from them.
#include <QByteArray>
#include <QImage>
#include <QString>
#include "platform/qor_global.h"

namespace qor {

enum class PictureKind { Unknown, Bitmap, Jpeg, Gif, EnhancedMetafile, PlaceableMetafile, Icon };

QOR_EXPORT PictureKind DetectPictureKind(const QByteArray &bytes);
// ".bmp", ".jpg", ... or empty for an unknown kind.
QOR_EXPORT QString PictureKindExtension(PictureKind kind);

struct QOR_EXPORT DecodedPicture {
    QImage image;      // null when no loader understood the bytes
    QString error;     // why, in that case
};

// Decodes with the loader of the recognised kind. Metafiles have no loader on this platform:
// their bytes are kept by the caller and the error says so.
QOR_EXPORT DecodedPicture DecodePicture(const QByteArray &bytes);

} // namespace qor
