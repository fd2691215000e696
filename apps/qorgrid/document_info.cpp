#include "document_info.h"

#include <QFile>
#include <QStringList>
#include <cstdio>
#include "core/grid.h"
#include "demo.h"
#include "io/byte_stream.h"
#include "io/grid_stream.h"

namespace qor::app {

namespace {

void print(const QString &text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

QString formName(GridStreamForm form)
{
    switch (form) {
    case GridStreamForm::Plain: return QStringLiteral("plain (\"Decrypt\" trailer)");
    case GridStreamForm::Compressed: return QStringLiteral("compressed (zlib, \"Encrypt\" trailer)");
    case GridStreamForm::BarePlain: return QStringLiteral("plain, without trailer (earlier release)");
    case GridStreamForm::BareCompressed: return QStringLiteral("compressed, without trailer (earlier release)");
    }
    return {};
}

QString colour(TColor c) { return QStringLiteral("0x%1").arg(uint32_t(c), 8, 16, QLatin1Char('0')); }

QString font(const TFontRecord &f)
{
    QString style;
    if (f.bold)
        style += QStringLiteral(" bold");
    if (f.italic)
        style += QStringLiteral(" italic");
    return QStringLiteral("\"%1\" %2pt%3, colour %4").arg(f.name).arg(f.size).arg(style, colour(f.color));
}

void printSettings(const GridSettings &s)
{
    const char *types[] = {"gtExcel", "gtInvoice", "gtGrid"};
    const char *units[] = {"utPixel", "utMillimeter", "utInch"};
    print(QStringLiteral("settings:"));
    print(QStringLiteral("  GridType %1, UnitType %2")
              .arg(s.GridType <= gtGrid ? types[s.GridType] : "?")
              .arg(s.UnitType <= utInch ? units[s.UnitType] : "?"));
    print(QStringLiteral("  DefaultRowHeight %1, DefaultColWidth %2").arg(s.DefaultRowHeight).arg(s.DefaultColWidth));
    print(QStringLiteral("  TitleRows %1, FooterRows %2, FixRowCount %3, FixColCount %4")
              .arg(s.TitleRows).arg(s.FooterRows).arg(s.FixRowCount).arg(s.FixColCount));
    print(QStringLiteral("  margins %1 %2 %3 %4 px, spaces %5 %6 %7 %8")
              .arg(s.Margins[0]).arg(s.Margins[1]).arg(s.Margins[2]).arg(s.Margins[3])
              .arg(s.Spaces[0]).arg(s.Spaces[1]).arg(s.Spaces[2]).arg(s.Spaces[3]));
    print(QStringLiteral("  Options 0x%1").arg(s.Options, 8, 16, QLatin1Char('0')));
    print(QStringLiteral("  Color %1, BackColor %2, LineColor %3, FocusColor %4")
              .arg(colour(s.Color), colour(s.BackColor), colour(s.LineColor), colour(s.FocusColor)));
    print(QStringLiteral("  Font %1").arg(font(s.Font)));
    print(QStringLiteral("  ColumnTitleFont %1").arg(font(s.ColumnTitleFont)));
    print(QStringLiteral("  CurrencySymbol \"%1\", CurrencyDigits %2").arg(s.CurrencySymbol).arg(s.CurrencyDigits));
    print(QStringLiteral("  background picture %1 bytes").arg(s.BackGround.size()));
}

} // namespace

int PrintDocumentInfo(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qorgrid: cannot open %s\n", qPrintable(fileName));
        return 1;
    }
    const QByteArray stored = file.readAll();
    ParsedGridStream p;
    try {
        p = ParseGridStream(stored);
    } catch (const StreamFormatError &e) {
        std::fprintf(stderr, "qorgrid: %s: %s (%s)\n", qPrintable(fileName), qPrintable(InvalidDataFormatText()),
                     e.what());
        return 1;
    }
    int other = 0;
    for (const StoredObjectRecord &o : p.Objects)
        other += !o.IsCell();
    print(QStringLiteral("file: %1").arg(fileName));
    print(QStringLiteral("version: %1").arg(p.Version));
    print(QStringLiteral("form: %1").arg(formName(p.Form)));
    print(QStringLiteral("size: %1 bytes stored, %2 bytes of body").arg(stored.size()).arg(p.Body.size()));
    print(QStringLiteral("dimensions: %1 rows x %2 columns").arg(p.RowCount).arg(p.ColCount));
    print(QStringLiteral("row records: %1").arg(p.Rows.size()));
    print(QStringLiteral("cells: %1").arg(p.CellRecordCount()));
    print(QStringLiteral("other records: %1").arg(other));
    printSettings(p.Settings);
    return 0;
}

int SaveAndReadBack(TCustomQorGrid &grid, const QString &fileName)
{
    if (!grid.SaveToFile(fileName)) {
        std::fprintf(stderr, "qorgrid: cannot write %s\n", qPrintable(fileName));
        return 1;
    }
    TQorGrid copy;
    if (!copy.LoadFromFile(fileName))
        return 1;
    const bool same = SaveGridToBytes(copy, false, true) == SaveGridToBytes(grid, false, true) &&
                      SummarizeGrid(copy) == SummarizeGrid(grid);
    print(QStringLiteral("document: %1 (%2 bytes), read back %3")
              .arg(fileName)
              .arg(QFile(fileName).size())
              .arg(same ? QStringLiteral("identical") : QStringLiteral("DIFFERENT")));
    return same ? 0 : 1;
}

} // namespace qor::app
