#pragma once
// Workbook packages put together part by part, for files no spreadsheet program would write:
// a zip of the given parts, stored or deflated, with correct checksums.
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>
#include <zlib.h>

namespace qor::test {

using Parts = std::vector<std::pair<QString, QByteArray>>;

inline void put16(QByteArray &b, uint32_t v) { b.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF)); }
inline void put32(QByteArray &b, uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }

inline QByteArray RawDeflate(const QByteArray &in)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(in.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(int(z.total_out));
    deflateEnd(&z);
    return out;
}

// declaredSize, when not negative, replaces the true size in the headers (a lying entry).
inline QByteArray MakeZip(const Parts &parts, bool deflated = true, qint64 declaredSize = -1)
{
    QByteArray zip, central;
    for (const auto &[name, data] : parts) {
        const QByteArray n = name.toUtf8();
        const QByteArray body = deflated ? RawDeflate(data) : data;
        const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
        const uint32_t size = declaredSize >= 0 ? uint32_t(declaredSize) : uint32_t(data.size());
        const uint32_t offset = uint32_t(zip.size());
        put32(zip, 0x04034b50); put16(zip, 20); put16(zip, 0); put16(zip, deflated ? 8 : 0);
        put16(zip, 0); put16(zip, 0x21); put32(zip, crc); put32(zip, uint32_t(body.size())); put32(zip, size);
        put16(zip, uint16_t(n.size())); put16(zip, 0);
        zip += n;
        zip += body;
        put32(central, 0x02014b50); put16(central, 20); put16(central, 20); put16(central, 0);
        put16(central, deflated ? 8 : 0); put16(central, 0); put16(central, 0x21); put32(central, crc);
        put32(central, uint32_t(body.size())); put32(central, size); put16(central, uint16_t(n.size()));
        put16(central, 0); put16(central, 0); put16(central, 0); put16(central, 0); put32(central, 0);
        put32(central, offset);
        central += n;
    }
    const uint32_t at = uint32_t(zip.size());
    zip += central;
    put32(zip, 0x06054b50); put16(zip, 0); put16(zip, 0); put16(zip, uint16_t(parts.size()));
    put16(zip, uint16_t(parts.size())); put32(zip, uint32_t(central.size())); put32(zip, at); put16(zip, 0);
    return zip;
}

// The smallest workbook of one sheet around the given sheet XML body (what goes inside
// <worksheet>), with optional extra parts.
inline Parts MinimalWorkbook(const QByteArray &sheetBody, const QByteArray &sheetRels = QByteArray(),
                             const QByteArray &styles = QByteArray())
{
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
    Parts p;
    p.emplace_back(QStringLiteral("[Content_Types].xml"),
                   "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                   "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                   "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                   "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                   "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
                   "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
                   "<Override PartName=\"/xl/comments1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.comments+xml\"/>"
                   "</Types>");
    p.emplace_back(QStringLiteral("_rels/.rels"),
                   "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                   "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
                   "</Relationships>");
    p.emplace_back(QStringLiteral("xl/workbook.xml"),
                   "<?xml version=\"1.0\"?><workbook " + ns + "><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    p.emplace_back(QStringLiteral("xl/_rels/workbook.xml.rels"),
                   "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                   "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                   "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                   "</Relationships>");
    p.emplace_back(QStringLiteral("xl/styles.xml"),
                   styles.isEmpty() ? "<?xml version=\"1.0\"?><styleSheet " + ns + "><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
                                      "<fills count=\"1\"><fill><patternFill patternType=\"none\"/></fill></fills>"
                                      "<borders count=\"1\"><border/></borders><cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellXfs></styleSheet>"
                                    : styles);
    p.emplace_back(QStringLiteral("xl/worksheets/sheet1.xml"), "<?xml version=\"1.0\"?><worksheet " + ns + ">" + sheetBody + "</worksheet>");
    if (!sheetRels.isEmpty())
        p.emplace_back(QStringLiteral("xl/worksheets/_rels/sheet1.xml.rels"),
                       "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" + sheetRels + "</Relationships>");
    return p;
}

} // namespace qor::test
