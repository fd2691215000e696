// Byte-level records: texts, fonts, extended floats, the stream envelope, picture kinds.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cmath>
#include <limits>
#include <random>

#include "io/byte_stream.h"
#include "io/extended80.h"
#include "io/font_record.h"
#include "io/legacy_text.h"
#include "io/picture_kind.h"
#include "io/stream_envelope.h"
#include "io/text_record.h"

using namespace qor;

namespace {
QByteArray hex(const char *h) { return QByteArray::fromHex(h); }
} // namespace

TEST(TextRecord, BytesOfEmptyAndShortTexts)
{
    ByteWriter w;
    SaveTextToStream(w, QString());
    SaveTextToStream(w, "abc");
    SaveTextToStream(w, QString::fromUtf8("零"));
    EXPECT_EQ(w.bytes(), hex("00000000" "06000000610062006300" "02000000f696"));

    ByteReader r(w.bytes());
    EXPECT_EQ(LoadTextFromStream(r), QString());
    EXPECT_EQ(LoadTextFromStream(r), QString("abc"));
    EXPECT_EQ(LoadTextFromStream(r), QString::fromUtf8("零"));
    EXPECT_TRUE(r.atEnd());
}

TEST(TextRecord, NegativeCountIsEmptyAndOverlongCountIsRefused)
{
    const QByteArray negBytes = hex("ebffffff");
    ByteReader neg(negBytes);
    EXPECT_EQ(LoadTextFromStream(neg), QString());

    const QByteArray longerBytes = hex("ffffff7f6100");
    ByteReader longer(longerBytes);
    EXPECT_THROW(LoadTextFromStream(longer), StreamFormatError);
    const QByteArray cutBytes = hex("0400");
    ByteReader cut(cutBytes);
    EXPECT_THROW(LoadTextFromStream(cut), StreamFormatError);
}

TEST(TextRecord, OldVersionsStoreEightBitTexts)
{
    const QByteArray rBytes = hex("03000000616263" "0600000061006200630000");
    ByteReader r(rBytes);
    EXPECT_EQ(LoadTextFromStream2(r, 8), QString("abc"));
    EXPECT_EQ(LoadTextFromStream2(r, 9), QString("abc"));

    SetLegacyCodePage(LegacyCodePage::Latin1);
    const QByteArray latinBytes = hex("01000000e9");
    ByteReader latin(latinBytes);
    EXPECT_EQ(LoadTextFromStream2(latin, 5), QString(QChar(0xE9)));
    SetLegacyCodePage(LegacyCodePage::Utf8);
}

TEST(FontRecord, NarrowAndWideRoundTripWithTheirLayouts)
{
    TFontRecord f;
    f.name = "Tahoma";
    f.size = 9;
    f.charset = 134;
    f.color = 0x0000FF;
    f.bold = true;
    f.strikeOut = true;

    ByteWriter w;
    SaveFontToStream(w, f);
    EXPECT_EQ(w.bytes(), hex("06000000" "5461686f6d61" "09000000" "86" "ff000000" "01000001"));
    ByteReader r(w.bytes());
    EXPECT_EQ(LoadFontFromStream(r), f);

    ByteWriter ww;
    SaveWideFontToStream(ww, f);
    EXPECT_EQ(ww.size(), 4 + 12 + 4 + 1 + 4 + 4);
    ByteReader rr(ww.bytes());
    EXPECT_EQ(LoadWideFontFromStream(rr, 14), f);
}

TEST(Extended80, KnownBytesAndExactRoundTrips)
{
    const Extended80 one = DoubleToExtended(1.0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(one.data()), 10), hex("0000000000000080ff3f"));
    const Extended80 minusTwo = DoubleToExtended(-2.0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(minusTwo.data()), 10), hex("000000000000008000c0"));
    EXPECT_EQ(DoubleToExtended(0.0), Extended80{});

    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = rng();
        double d;
        std::memcpy(&d, &bits, 8);
        if (std::isnan(d))
            continue;
        EXPECT_EQ(ExtendedToDouble(DoubleToExtended(d)), d);
    }
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
    EXPECT_EQ(ExtendedToDouble(DoubleToExtended(5e-324)), 5e-324);
}

TEST(Extended80, ValuesBeyondDoubleSaturate)
{
    Extended80 huge{};
    huge[7] = 0x80;
    huge[8] = 0xFE;
    huge[9] = 0x7F; // 2^16383
    EXPECT_TRUE(std::isinf(ExtendedToDouble(huge)));
    Extended80 tiny{};
    tiny[7] = 0x80;
    tiny[8] = 0x01; // 2^-16382
    EXPECT_EQ(ExtendedToDouble(tiny), 0.0);
}

TEST(StreamEnvelope, BothFormsRoundTripWithTheirTrailers)
{
    QByteArray body;
    for (int i = 0; i < 5000; ++i)
        body.append(char(i % 7));
    const QByteArray plain = WrapStreamBody(body, false);
    EXPECT_TRUE(plain.endsWith("Decrypt"));
    EXPECT_EQ(UnwrapStreamBody(plain), body);

    const QByteArray packed = WrapStreamBody(body, true);
    EXPECT_TRUE(packed.endsWith("Encrypt"));
    ByteReader r(packed);
    EXPECT_EQ(r.readI32(), 5000);
    EXPECT_EQ(uint8_t(packed[4]), 0x78); // zlib header
    EXPECT_EQ(UnwrapStreamBody(packed), body);
}

TEST(StreamEnvelope, StreamsWithoutTrailerAreJudgedByTheirFirstWord)
{
    const QByteArray plain = hex("09000000") + "QGRD";
    EXPECT_EQ(UnwrapStreamBody(plain), plain);

    QByteArray body(5000, 'x');
    QByteArray bare = WrapStreamBody(body, true);
    bare.chop(7);
    EXPECT_EQ(UnwrapStreamBody(bare), body);
}

TEST(StreamEnvelope, CorruptedOrLyingStreamsAreRefused)
{
    QByteArray body(20000, 'q');
    const QByteArray packed = WrapStreamBody(body, true);

    QByteArray flipped = packed;
    flipped[20] = char(flipped[20] ^ 0x55);
    EXPECT_THROW(UnwrapStreamBody(flipped), StreamFormatError);

    QByteArray truncated = packed.left(packed.size() / 2) + "Encrypt";
    EXPECT_THROW(UnwrapStreamBody(truncated), StreamFormatError);

    QByteArray shortClaim = packed;
    shortClaim[0] = char(0x10); // claims fewer bytes than the stream inflates to
    shortClaim[1] = 0;
    EXPECT_THROW(UnwrapStreamBody(shortClaim), StreamFormatError);

    // A claim of 2 GB behind a few bytes is refused before anything is allocated.
    QByteArray huge = hex("ffffff7f") + packed.mid(4);
    EXPECT_THROW(UnwrapStreamBody(huge), StreamFormatError);
    EXPECT_THROW(UnwrapStreamBody(hex("0000")), StreamFormatError);
}

TEST(PictureKind, RecognisedInTheStatedOrder)
{
    EXPECT_EQ(DetectPictureKind(QByteArray("BM") + QByteArray(13, 0)), PictureKind::Bitmap);
    EXPECT_EQ(DetectPictureKind(QByteArray("BM") + QByteArray(12, 0)), PictureKind::Icon);
    EXPECT_EQ(DetectPictureKind(hex("ffd8ff")), PictureKind::Jpeg);
    EXPECT_EQ(DetectPictureKind(QByteArray("gif89a!")), PictureKind::Gif);
    EXPECT_EQ(DetectPictureKind(QByteArray("GIF89a")), PictureKind::Unknown); // 6 bytes are not enough

    QByteArray emf(101, 0);
    emf[0] = 1;
    emf.replace(40, 4, hex("20454d46"));
    EXPECT_EQ(DetectPictureKind(emf), PictureKind::EnhancedMetafile);

    QByteArray wmf(23, 0);
    wmf.replace(0, 4, hex("d7cdc69a"));
    wmf[4] = 0x12;
    uint16_t x = 0;
    for (int i = 0; i < 10; ++i)
        x ^= uint16_t(uint8_t(wmf[2 * i]) | (uint8_t(wmf[2 * i + 1]) << 8));
    wmf[20] = char(x & 0xFF);
    wmf[21] = char(x >> 8);
    EXPECT_EQ(DetectPictureKind(wmf), PictureKind::PlaceableMetafile);
    wmf[21] = char(wmf[21] ^ 1);
    EXPECT_NE(DetectPictureKind(wmf), PictureKind::PlaceableMetafile);

    EXPECT_EQ(DetectPictureKind(hex("ffff0500")), PictureKind::Unknown);
    EXPECT_EQ(DetectPictureKind(QByteArray()), PictureKind::Unknown);
}

TEST(PictureKind, DecodesRealImagesAndExplainsFailures)
{
    QImage img(7, 5, QImage::Format_RGB32);
    img.fill(Qt::red);
    for (const char *fmt : {"BMP", "JPG"}) {
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        ASSERT_TRUE(img.save(&buf, fmt)) << fmt;
        const DecodedPicture pic = DecodePicture(bytes);
        ASSERT_FALSE(pic.image.isNull()) << fmt << " " << pic.error.toStdString();
        EXPECT_EQ(pic.image.size(), QSize(7, 5));
    }
    // Qt writes no GIF; a hand-made 1x1 one.
    const QByteArray gif = QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");
    EXPECT_EQ(DecodePicture(gif).image.size(), QSize(1, 1));

    QByteArray broken = hex("ffd8ff") + QByteArray(40, 'z');
    const DecodedPicture bad = DecodePicture(broken);
    EXPECT_TRUE(bad.image.isNull());
    EXPECT_FALSE(bad.error.isEmpty());
}

TEST(ByteReader, EveryReadPastTheEndIsRefused)
{
    const QByteArray bytes = hex("0102030405");
    for (int cut = 0; cut < 5; ++cut) {
        ByteReader r(bytes.constData(), cut);
        EXPECT_THROW({ r.readI32(); r.readI16(); }, StreamFormatError) << cut;
    }
    ByteReader r(bytes);
    EXPECT_THROW(r.readBytes(-1), StreamFormatError);
    EXPECT_THROW(r.seek(6), StreamFormatError);
    EXPECT_FALSE(r.peekTag("QGRDX"));
}
