// Hostile bytes through the stream envelope and the record readers: every input must end in a
// value or a StreamFormatError.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "io/byte_stream.h"
#include "io/font_record.h"
#include "io/picture_kind.h"
#include "io/stream_envelope.h"
#include "io/text_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const QByteArray body = qor::UnwrapStreamBody(bytes);
        qor::ByteReader in(body);
        while (!in.atEnd()) {
            switch (in.readU8() % 4) {
            case 0: qor::LoadTextFromStream(in); break;
            case 1: qor::LoadTextFromStream2(in, 8); break;
            case 2: qor::LoadFontFromStream(in); break;
            default: qor::LoadWideFontFromStream(in, 14); break;
            }
        }
    } catch (const qor::StreamFormatError &) {
    }
    qor::DetectPictureKind(bytes);
    return 0;
}
