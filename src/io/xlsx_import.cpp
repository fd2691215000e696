// ImportFromExcel: the sheet is read whole into plain values first (io/xlsx_read.cpp); only a
// read that succeeded replaces the grid's content, inside one update bracket.
#include <QFile>
#include <QImage>
#include <QFileInfo>
#include <QProgressBar>
#include <unordered_map>

#include "core/grid.h"
#include "format/display_text.h"
#include "io/cell_record_p.h"
#include "io/xlsx_formats_p.h"
#include "io/xlsx_sheet_p.h"
#include "platform/message_box.h"

namespace qor {

namespace {

using namespace xlsx;

// The largest file that is read at all; the package limits then cap what it inflates to.
constexpr qint64 kMaxFileSize = qint64(512) << 20;

void edgeToGrid(Edge e, int &width, TPenStyle &style)
{
    width = 1;
    style = psSolid;
    switch (e) {
    case Edge::Dashed: style = psDash; break;
    case Edge::Dotted:
    case Edge::Hair: style = psDot; break;
    case Edge::DashDot: style = psDashDot; break;
    case Edge::DashDotDot: style = psDashDotDot; break;
    case Edge::Medium: width = 2; break;
    case Edge::MediumDashed: width = 2; style = psDash; break;
    case Edge::MediumDashDot:
    case Edge::SlantDashDot: width = 2; style = psDashDot; break;
    case Edge::MediumDashDotDot: width = 2; style = psDashDotDot; break;
    case Edge::Thick:
    case Edge::Double: width = 3; break;
    default: break;
    }
}

TQorFont gridFont(const CellStyle &s, const TQorFont &base)
{
    TQorFont f = base;
    f.Font.setFamily(s.fontName);
    f.Font.setPointSizeF(s.fontSize);
    f.Font.setBold(s.bold);
    f.Font.setItalic(s.italic);
    f.Font.setUnderline(s.underline);
    f.Font.setStrikeOut(s.strike);
    f.Color = s.fontColor;
    return f;
}

// The grid's view of one value: the stored text and the attributes its format implies.
struct ValueView {
    QString text;
    TValueType type = vtString;
    TCellType cellType = ctEdit;
    int digits = 2;
    bool thousands = true, trimZero = false;
    bool typed = false; // the format chose the attributes
    bool isNumber = false;
};

QString padDecimals(QString text, int digits)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const qsizetype have = dot < 0 ? 0 : text.size() - dot - 1;
    if (digits > have)
        text += (dot < 0 ? QStringLiteral(".") : QString()) + QString(digits - have, QLatin1Char('0'));
    return text;
}

ValueView viewOf(const SheetCell &c, const FormatMeaning &m)
{
    ValueView v;
    if (c.kind == SheetCell::Text || c.kind == SheetCell::Error) {
        v.text = c.text;
        return v;
    }
    if (c.kind == SheetCell::Boolean) {
        v.text = BooleanText(c.number != 0);
        return v;
    }
    if (c.kind != SheetCell::Number)
        return v;
    v.text = NumberText(c.number);
    v.thousands = m.thousands;
    v.trimZero = m.trimZero;
    v.typed = m.kind != FormatMeaning::General && m.kind != FormatMeaning::Text;
    switch (m.kind) {
    case FormatMeaning::Integer: v.type = vtInteger; break;
    case FormatMeaning::Decimal:
    case FormatMeaning::Currency:
        v.type = m.kind == FormatMeaning::Currency ? vtCurrency : vtFloat;
        v.digits = m.decimals;
        if (!m.trimZero)
            v.text = padDecimals(v.text, m.decimals);
        break;
    case FormatMeaning::Percent:
        v.type = vtPercent;
        v.digits = m.decimals + 2;
        break;
    case FormatMeaning::Date:
    case FormatMeaning::ChineseDate: {
        const QDate d = QDate(1899, 12, 30).addDays(qint64(std::floor(c.number)));
        v.text = d.toString(QStringLiteral("yyyy-MM-dd"));
        if (m.kind == FormatMeaning::ChineseDate)
            v.type = vtChineseDate;
        else
            v.cellType = ctDate;
        break;
    }
    default: break;
    }
    return v;
}

QVariant variantOf(const SheetCell &c, const ValueView &v)
{
    switch (c.kind) {
    case SheetCell::Number: return v.cellType == ctDate || v.type == vtChineseDate ? QVariant(v.text) : QVariant(c.number);
    case SheetCell::Boolean: return QVariant(c.number != 0);
    case SheetCell::Text:
    case SheetCell::Error: return QVariant(c.text);
    default: return QVariant();
    }
}

} // namespace

bool TCustomQorGrid::ImportFromExcel(const QString &FileName, QProgressBar *ProgressBar)
{
    HideEditor();
    return ImportFromExcel(FileName, 0, 0, -1, -1, 0, ProgressBar);
}

bool TCustomQorGrid::ImportFromExcel(const QString &FileName, int StartRow, int StartCol, int EndRow, int EndCol,
                                     int SheetIndex, QProgressBar *ProgressBar, QString *Notes)
{
    const auto refuse = [&](const QString &text) {
        MessageBox(text, tr("提示"), platform::MB_OK | platform::MB_ICONWARNING);
        if (Notes)
            *Notes = text;
        return false;
    };
    QFile file(FileName);
    if (!file.exists())
        return refuse(tr("找不到文件 %1").arg(FileName));
    if (file.size() > kMaxFileSize)
        return refuse(tr("文件 %1 过大（%2 字节），已拒绝导入").arg(FileName).arg(file.size()));
    if (!file.open(QIODevice::ReadOnly))
        return refuse(tr("无法打开文件 %1：%2").arg(FileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    file.close();

    Sheet sheet;
    QString error;
    const ImportRequest request{StartRow, StartCol, EndRow, EndCol, std::max(SheetIndex, 0)};
    if (!ReadSheet(bytes, request, sheet, &error))
        return refuse(tr("无法导入 %1：%2").arg(QFileInfo(FileName).fileName(), error));
    const int rows = sheet.rect.height(), cols = sheet.rect.width();

    HideEditor();
    BeginUpdate();
    Clear();
    if (!InternalSetCols(cols) || !InternalSetRows(rows)) {
        EndUpdate();
        return refuse(tr("工作表范围过大（%1 行 × %2 列），已拒绝导入").arg(rows).arg(cols));
    }
    CalTotalWH(0, 0);
    if (ProgressBar) {
        ProgressBar->setMinimum(0);
        ProgressBar->setMaximum(std::max(rows, 1));
        ProgressBar->setValue(0);
        ProgressBar->setVisible(true);
    }
    for (int c = 0; c < cols; ++c) {
        SetColWidth(c, sheet.colWidths[size_t(c)]);
        if (sheet.hiddenCols[size_t(c)])
            SetColVisible(c, false);
    }
    for (int r = 0; r < rows; ++r) {
        SetRowHeight(r, sheet.rowHeights[size_t(r)]);
        if (sheet.hiddenRows[size_t(r)])
            SetRowVisible(r, false);
    }

    const TQorFont base = GetFont();
    std::vector<FormatMeaning> meanings;
    for (const CellStyle &s : sheet.styles)
        meanings.push_back(ParseNumberFormat(s.numberFormat));
    std::vector<TQorFont> fonts;
    std::vector<uint8_t> sameFont;
    fonts.reserve(sheet.styles.size());
    for (const CellStyle &s : sheet.styles) {
        fonts.push_back(gridFont(s, base));
        sameFont.push_back(fonts.back() == base);
    }
    // One record per style and column, copied into every cell that has them.
    std::unordered_map<quint64, TCellRec> records;
    const bool dense = qint64(sheet.styles.size()) * cols <= 1 << 20;
    std::vector<TCellRec *> table(dense ? sheet.styles.size() * size_t(cols) : 0, nullptr);
    const auto recordFor = [&](TCellInfo &cell, int style, const ValueView &v) -> TCellRec {
        const quint64 key = quint64(uint32_t(style)) << 24 ^ quint64(uint32_t(cell.GetCol()));
        TCellRec **slot = dense ? &table[size_t(style) * size_t(cols) + size_t(cell.GetCol())] : nullptr;
        auto it = records.end();
        if (!(slot && *slot))
            it = records.find(key);
        if (!(slot && *slot) && it == records.end()) {
            TCellRec rec;
            rec.Style = cell.DefaultStyle();
            const CellStyle &s = sheet.styles[size_t(style)];
            rec.Style.VerAlignment = s.vAlign == VAlign::Top ? vtaTop : s.vAlign == VAlign::Center ? vtaCenter : vtaBottom;
            rec.Style.WordWrap = s.wrap;
            rec.Style.ShrinkToFit = s.shrink;
            rec.Style.BackColor = s.filled ? s.fill : clWhite;
            rec.Style.BrushStyle = bsSolid;
            for (int e = 0; e < 4; ++e) {
                if (s.edges[e].style == Edge::None)
                    continue;
                int width;
                TPenStyle pen;
                edgeToGrid(s.edges[e].style, width, pen);
                rec.Frames |= uint8_t(1u << e);
                rec.FrameWidth[e] = width;
                rec.FrameStyle[e] = pen;
                rec.FrameColor[e] = s.edges[e].color;
            }
            it = records.emplace(key, rec).first;
        }
        if (slot && !*slot)
            *slot = &it->second;
        TCellRec rec = slot ? **slot : it->second;
        const CellStyle &s = sheet.styles[size_t(style)];
        rec.Style.Alignment = s.hAlign == HAlign::Center ? taCenter
                            : s.hAlign == HAlign::Right ? taRightJustify
                            : s.hAlign == HAlign::Left ? taLeftJustify
                            : v.typed || v.isNumber ? taRightJustify : taLeftJustify;
        if (v.typed || v.cellType == ctDate) {
            rec.Style.ValueType = v.type;
            rec.Style.CellType = v.cellType;
            rec.Style.Digits = v.digits;
            rec.Style.ThousandSeparators = v.thousands;
            rec.Style.TrimZero = v.trimZero;
        }
        return rec;
    };

    QStringList notes = sheet.notes;
    int noted = 0;
    int lastRow = -1;
    const auto progress = [&](int row) {
        if (OnImportExportProgress)
            OnImportExportProgress(this, rows, row);
        if (ProgressBar)
            ProgressBar->setValue(row);
    };
    std::vector<std::pair<TCellInfo *, int>> framed;
    for (const SheetCell &sc : sheet.cells) {
        if (sc.row != lastRow) {
            if (lastRow >= 0)
                progress(lastRow + 1);
            lastRow = sc.row;
        }
        TCellInfo *cell = Cells(sc.row, sc.col);
        if (!cell)
            continue;
        ValueView v = viewOf(sc, meanings[size_t(sc.style)]);
        v.isNumber = sc.kind == SheetCell::Number;
        TCellRec rec = recordFor(*cell, sc.style, v);
        const auto hint = sheet.comments.constFind(CellKey(sc.row, sc.col));
        if (hint != sheet.comments.cend())
            rec.Style.Hint = *hint;
        const uint8_t frames = rec.Frames;
        rec.Frames = 0; // set below through the setters, which carry them across to the neighbours
        cell->AdoptRec(std::move(rec));
        if (frames)
            framed.emplace_back(cell, sc.style);
        if (!sameFont[size_t(sc.style)])
            cell->Font() = fonts[size_t(sc.style)]; // a new cell inside the update: nothing to repaint
        QString text = sc.formula.isEmpty() ? v.text : sc.formula;
        if (!sc.foreignFormula.isEmpty() && noted++ < 30)
            notes << tr("单元格 %1 的公式 %2 无法在表格中计算，已导入其值").arg(GetCellLabel(sc.row, sc.col), sc.foreignFormula);
        if (OnImportCell && sc.kind != SheetCell::Blank) {
            QVariant value = sc.formula.isEmpty() ? variantOf(sc, v) : QVariant(sc.formula);
            const QVariant before = value;
            bool handled = false;
            OnImportCell(this, sc.row, sc.col, value, handled);
            if (handled)
                continue;
            if (value != before)
                text = value.toString();
        }
        if (!text.isEmpty()) {
            try {
                cell->SetText(std::move(text));
            } catch (const std::exception &) {
                cell->SetText(v.text);
            }
        }
    }
    if (noted > 30)
        notes << tr("……另有 %1 个公式已导入其值").arg(noted - 30);
    for (const auto &[cell, style] : framed) {
        const CellStyle &s = sheet.styles[size_t(style)];
        for (int e = 0; e < 4; ++e) {
            if (s.edges[e].style == Edge::None)
                continue;
            int width;
            TPenStyle pen;
            edgeToGrid(s.edges[e].style, width, pen);
            const auto edge = TCellEdge(e);
            cell->SetFrame(edge, true);
            cell->SetFrameWidth(edge, width);
            cell->SetFrameStyle(edge, pen);
            cell->SetFrameColor(edge, s.edges[e].color);
        }
    }
    for (auto it = sheet.comments.cbegin(); it != sheet.comments.cend(); ++it) {
        const int r = int(it.key() >> 32), c = int(uint32_t(it.key()));
        if (TCellInfo *cell = Cells(r, c); cell && cell->GetHint() != *it)
            cell->SetHint(*it);
    }
    for (const QRect &m : sheet.merges)
        MergeCells(m.top(), m.left(), m.bottom(), m.right());
    for (const SheetPicture &p : sheet.pictures) {
        QString problem;
        TQorPicture picture = PictureFromImageBytes(p.bytes, &problem);
        if (picture.Image.isNull()) {
            // Workbooks hold PNG pictures, a kind grid documents do not store: the decoded image
            // alone is kept, and documents save it as a bitmap.
            picture = TQorPicture();
            picture.Image = QImage::fromData(p.bytes);
        }
        if (picture.Image.isNull()) {
            notes << tr("单元格 %1 的图片无法识别，未导入").arg(GetCellLabel(p.row, p.col));
            continue;
        }
        if (TCellInfo *cell = Cells(p.row, p.col))
            cell->SetGraphic(picture);
    }
    progress(rows);
    EndUpdate();
    if (Notes)
        *Notes = notes.join(QLatin1Char('\n'));
    return true;
}

} // namespace qor
