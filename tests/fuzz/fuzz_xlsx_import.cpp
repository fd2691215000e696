// The workbook reader on hostile input. The first byte picks the rectangle and the form: with
// its top bit set the rest is taken as the file itself (the zip layer); otherwise the rest
// is the sheet XML, the styles and the comments (split at 0xFF bytes), packed into a valid
// zip so that mutations reach the XML parsers instead of failing the checksums.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "io/xlsx_sheet_p.h"
#include "../io/xlsx_test_package.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    qor::xlsx::ImportRequest request;
    request.startRow = (mode & 0x3) - 1;
    request.startCol = (mode >> 2 & 0x3) - 1;
    request.endRow = (mode & 0x10) ? 3 : -1;
    request.sheetIndex = (mode >> 5) & 0x1;
    QByteArray file;
    if (mode & 0x80) {
        file = rest;
    } else {
        const QList<QByteArray> pieces = rest.split('\xFF');
        const QByteArray sheet = pieces.value(0), styles = pieces.value(1), comments = pieces.value(2);
        const QByteArray rels = comments.isEmpty() ? QByteArray()
            : QByteArray("<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/comments\" Target=\"../comments1.xml\"/>");
        qor::test::Parts parts = qor::test::MinimalWorkbook(sheet, rels, styles);
        if (!comments.isEmpty())
            parts.emplace_back(QStringLiteral("xl/comments1.xml"), comments);
        file = qor::test::MakeZip(parts, false);
    }
    qor::xlsx::Sheet out;
    QString error;
    qor::xlsx::ReadSheet(file, request, out, &error);
    return 0;
}
