#include "io/picture_kind.h"

#include <QBuffer>
#include <QImageReader>

namespace qor {

namespace {
uint16_t u16(const QByteArray &b, qsizetype at)
{
    return uint16_t(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8));
}
uint32_t u32(const QByteArray &b, qsizetype at) { return uint32_t(u16(b, at)) | (uint32_t(u16(b, at + 2)) << 16); }
} // namespace

PictureKind DetectPictureKind(const QByteArray &b)
{
    const qsizetype n = b.size();
    if (n >= 15 && u16(b, 0) == 19778)
        return PictureKind::Bitmap;
    if (n >= 3 && uint8_t(b[0]) == 255 && uint8_t(b[1]) == 216)
        return PictureKind::Jpeg;
    if (n > 6 && b.left(3).toUpper() == "GIF")
        return PictureKind::Gif;
    if (n > 100 && u32(b, 0) == 1 && u32(b, 40) == 1179469088u)
        return PictureKind::EnhancedMetafile;
    if (n > 22 && u32(b, 0) == 2596720087u) {
        uint16_t x = 0;
        for (int i = 0; i < 10; ++i)
            x ^= u16(b, 2 * i);
        if (u16(b, 20) == x)
            return PictureKind::PlaceableMetafile;
    }
    // Too short to hold the word at offset 2 cannot be an icon.
    if (n >= 4 && u16(b, 2) < 2)
        return PictureKind::Icon;
    return PictureKind::Unknown;
}

QString PictureKindExtension(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Bitmap: return QStringLiteral(".bmp");
    case PictureKind::Jpeg: return QStringLiteral(".jpg");
    case PictureKind::Gif: return QStringLiteral(".gif");
    case PictureKind::EnhancedMetafile: return QStringLiteral(".emf");
    case PictureKind::PlaceableMetafile: return QStringLiteral(".wmf");
    case PictureKind::Icon: return QStringLiteral(".ico");
    case PictureKind::Unknown: break;
    }
    return QString();
}

DecodedPicture DecodePicture(const QByteArray &bytes)
{
    DecodedPicture out;
    const PictureKind kind = DetectPictureKind(bytes);
    if (kind == PictureKind::EnhancedMetafile || kind == PictureKind::PlaceableMetafile) {
        out.error = QStringLiteral("metafile pictures cannot be shown on this platform");
        return out;
    }
    if (kind == PictureKind::Unknown) {
        out.error = QStringLiteral("unknown picture format");
        return out;
    }
    // Decoding from memory; the extension picks the loader as a temporary file's name would.
    QBuffer buf(const_cast<QByteArray *>(&bytes));
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, PictureKindExtension(kind).mid(1).toLatin1());
    reader.setDecideFormatFromContent(false);
    if (!reader.read(&out.image)) {
        out.image = QImage();
        out.error = QStringLiteral("picture could not be decoded: %1").arg(reader.errorString());
    }
    return out;
}

} // namespace qor
