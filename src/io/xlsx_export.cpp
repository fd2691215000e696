// ExportToExcel: the grid as a worksheet written by libxlsxwriter. Formats are shared: cells
// are reduced to a small key, and each distinct key becomes one workbook format.
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QTemporaryFile>
#include <QBuffer>
#include <QHash>
#include <cstdio>
#include <deque>
#include <unordered_map>
#include <xlsxwriter.h>

#include "core/grid.h"
#include "format/display_text.h"
#include "format/number_text.h"
#include "formula/engine/exp_value.h"
#include "io/xlsx_formula_p.h"
#include "io/xlsx_formats_p.h"
#include "platform/message_box.h"

namespace qor {

namespace {

using namespace xlsx;

QString tr(const char *text) { return QString::fromUtf8(text); }

lxw_color_t rgb(TColor color)
{
    const uint32_t c = uint32_t(platform::ColorToRGB(color));
    const uint32_t v = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
    return v == 0 ? lxw_color_t(LXW_COLOR_BLACK) : v; // 0 means "automatic" to the writer
}

uint8_t lxwEdge(bool on, int width, TPenStyle style)
{
    if (!on || style == psClear)
        return LXW_BORDER_NONE;
    if (width >= 3)
        return LXW_BORDER_THICK;
    const bool wide = width == 2;
    switch (style) {
    case psDash: return wide ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
    case psDot: return wide ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DOTTED;
    case psDashDot: return wide ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
    case psDashDotDot: return wide ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
    default: return wide ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN;
    }
}

struct FontSpec {
    QByteArray name;
    double size = 11;
    bool bold = false, italic = false, underline = false, strike = false;
    lxw_color_t color = LXW_COLOR_BLACK;
    bool operator==(const FontSpec &) const = default;
};

FontSpec fontSpec(const TQorFont &f)
{
    FontSpec s;
    s.name = f.Font.family().toUtf8();
    s.size = f.Font.pointSizeF() > 0 ? f.Font.pointSizeF() : f.Font.pixelSize() > 0 ? f.Font.pixelSize() * 72.0 / 96.0 : 9;
    s.bold = f.Font.bold();
    s.italic = f.Font.italic();
    s.underline = f.Font.underline();
    s.strike = f.Font.strikeOut();
    s.color = rgb(f.Color);
    return s;
}

// Everything that makes a cell's workbook format, as plain numbers.
struct StyleKey {
    int32_t font = 0;
    int32_t numFmt = -1;
    int64_t fill = -1;
    uint8_t h = 0, v = 0, wrap = 0, shrink = 0;
    uint8_t edge[4] = {};
    lxw_color_t edgeColor[4] = {};
    uint8_t diagonal = 0; // a diagonal header cell's line
    lxw_color_t diagonalColor = 0;
    bool operator==(const StyleKey &) const = default;
};

struct StyleKeyHash {
    size_t operator()(const StyleKey &k) const noexcept
    {
        size_t h = size_t(k.font) * 1000003u ^ size_t(k.numFmt) * 7919u ^ size_t(k.fill) * 31u;
        h ^= size_t(k.h | k.v << 4 | k.wrap << 8 | k.shrink << 9 | k.diagonal << 10);
        for (int e = 0; e < 4; ++e)
            h = h * 131u ^ (k.edge[e] | size_t(k.edgeColor[e]) << 8);
        return h;
    }
};

class SheetWriter {
public:
    SheetWriter(TCustomQorGrid &grid, lxw_workbook *wb, lxw_worksheet *ws, bool gridLines)
        : m_grid(grid), m_wb(wb), m_ws(ws), m_gridLines(gridLines)
    {
        m_gridFont = internFont(fontSpec(grid.GetFont()));
        m_lineColor = rgb(grid.GetLineColor());
    }

    int internFont(const FontSpec &f)
    {
        for (size_t i = 0; i < m_fonts.size(); ++i)
            if (m_fonts[i] == f)
                return int(i);
        m_fonts.push_back(f);
        return int(m_fonts.size() - 1);
    }

    int internNumFmt(const QString &code)
    {
        if (code.isEmpty())
            return -1;
        const auto it = m_numFmtIndex.constFind(code);
        if (it != m_numFmtIndex.cend())
            return *it;
        m_numFmts.push_back(code.toUtf8());
        m_numFmtIndex.insert(code, int(m_numFmts.size() - 1));
        return int(m_numFmts.size() - 1);
    }

    lxw_format *format(const StyleKey &k)
    {
        auto it = m_formats.find(k);
        if (it != m_formats.end())
            return it->second;
        lxw_format *f = workbook_add_format(m_wb);
        const FontSpec &font = m_fonts[size_t(k.font)];
        format_set_font_name(f, font.name.constData());
        format_set_font_size(f, font.size);
        if (font.bold)
            format_set_bold(f);
        if (font.italic)
            format_set_italic(f);
        if (font.underline)
            format_set_underline(f, LXW_UNDERLINE_SINGLE);
        if (font.strike)
            format_set_font_strikeout(f);
        format_set_font_color(f, font.color);
        if (k.numFmt >= 0)
            format_set_num_format(f, m_numFmts[size_t(k.numFmt)].constData());
        if (k.fill >= 0) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, lxw_color_t(k.fill));
        }
        if (k.h)
            format_set_align(f, k.h);
        if (k.v)
            format_set_align(f, k.v);
        if (k.wrap)
            format_set_text_wrap(f);
        if (k.shrink)
            format_set_shrink(f);
        void (*const sides[4])(lxw_format *, uint8_t) = {format_set_left, format_set_top, format_set_right, format_set_bottom};
        void (*const colors[4])(lxw_format *, lxw_color_t) = {format_set_left_color, format_set_top_color,
                                                              format_set_right_color, format_set_bottom_color};
        for (int e = 0; e < 4; ++e) {
            if (k.edge[e]) {
                sides[e](f, k.edge[e]);
                colors[e](f, k.edgeColor[e]);
            }
        }
        if (k.diagonal) {
            format_set_diag_type(f, k.diagonal);
            format_set_diag_border(f, LXW_BORDER_THIN);
            format_set_diag_color(f, k.diagonalColor);
        }
        m_formats.emplace(k, f);
        return f;
    }

    // The key of a cell (or, without one, of its column).
    template <class Src>
    StyleKey key(const Src &s, int font, const QString &numFmt)
    {
        StyleKey k;
        k.font = font;
        k.numFmt = internNumFmt(numFmt);
        if (s.GetBrushStyle() != bsClear && uint32_t(platform::ColorToRGB(s.GetBackColor())) != uint32_t(clWhite))
            k.fill = int64_t(rgb(s.GetBackColor()));
        const TAlignment a = s.GetAlignment();
        k.h = a == taCenter ? LXW_ALIGN_CENTER : a == taRightJustify ? LXW_ALIGN_RIGHT : LXW_ALIGN_LEFT;
        const TVerAlignment v = s.GetVerAlignment();
        k.v = v == vtaTop ? LXW_ALIGN_VERTICAL_TOP : v == vtaBottom ? LXW_ALIGN_VERTICAL_BOTTOM : LXW_ALIGN_VERTICAL_CENTER;
        k.wrap = s.GetWordWrap();
        k.shrink = s.GetShrinkToFit();
        return k;
    }

    void edges(StyleKey &k, const TCellInfo *cell)
    {
        for (int e = 0; e < 4; ++e) {
            const auto edge = TCellEdge(e);
            const bool frame = cell && cell->GetFrame(edge);
            if (frame) {
                k.edge[e] = lxwEdge(true, cell->GetFrameWidth(edge), cell->GetFrameStyle(edge));
                k.edgeColor[e] = rgb(cell->GetFrameColor(edge));
            } else if (m_gridLines && (!cell || cell->GetLine(edge))) {
                k.edge[e] = LXW_BORDER_THIN;
                k.edgeColor[e] = m_lineColor;
            }
        }
    }

    int fontOf(const TCellInfo *cell)
    {
        const TQorFont *f = cell ? cell->PeekFont() : nullptr;
        if (!f)
            return m_gridFont;
        if (m_lastFontValid && m_lastFont == *f)
            return m_lastFontIndex;
        m_lastFont = *f;
        m_lastFontValid = true;
        m_lastFontIndex = internFont(fontSpec(*f));
        return m_lastFontIndex;
    }

    TCustomQorGrid &m_grid;
    lxw_workbook *m_wb;
    lxw_worksheet *m_ws;
    bool m_gridLines;
    int m_gridFont = 0;
    lxw_color_t m_lineColor = LXW_COLOR_BLACK;
    std::vector<FontSpec> m_fonts;
    std::vector<QByteArray> m_numFmts;
    QHash<QString, int> m_numFmtIndex;
    std::unordered_map<StyleKey, lxw_format *, StyleKeyHash> m_formats;
    TQorFont m_lastFont;
    bool m_lastFontValid = false;
    int m_lastFontIndex = 0;
};

QString validSheetName(QString name, QStringList &notes)
{
    const QString given = name;
    for (QChar &c : name)
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = QLatin1Char('_');
    name = name.left(31);
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        name.replace(QLatin1Char('\''), QLatin1Char('_'));
    if (name != given)
        notes << tr("工作表名称“%1”含有电子表格不允许的字符或过长，已写为“%2”").arg(given, name);
    return name;
}

// The workbook keeps at most this many characters in a cell.
constexpr int kMaxCellText = 32767;

struct Mapping {
    std::vector<int> rowTo, colTo;   // grid index -> sheet index, -1 when left out
    int titleRows = 0;
    int gridRows = 0, gridCols = 0;

    bool map(int &row, int &col, RefSide side) const
    {
        if (row < 0 || col < 0 || row >= gridRows || col >= gridCols)
            return false;
        const auto move = [side](const std::vector<int> &to, int &i) {
            if (side == RefSide::RangeStart)
                while (i < int(to.size()) && to[size_t(i)] < 0)
                    ++i;
            else if (side == RefSide::RangeEnd)
                while (i >= 0 && to[size_t(i)] < 0)
                    --i;
            if (i < 0 || i >= int(to.size()) || to[size_t(i)] < 0)
                return false;
            i = to[size_t(i)];
            return true;
        };
        if (!move(rowTo, row) || !move(colTo, col))
            return false;
        row += titleRows;
        return true;
    }
};

class NoteList {
public:
    void add(const QString &text)
    {
        if (m_lines.size() < 30)
            m_lines << text;
        ++m_count;
    }
    QStringList lines() const
    {
        QStringList out = m_lines;
        if (m_count > m_lines.size())
            out << tr("……另有 %1 条").arg(m_count - m_lines.size());
        return out;
    }
    QStringList &raw() { return m_lines; }

private:
    QStringList m_lines;
    int m_count = 0;
};

} // namespace

bool TCustomQorGrid::ExportToExcel(const QString &FileName, QProgressBar *ProgressBar)
{
    return ExportToExcel(FileName, QString(), nullptr, false, ProgressBar, true, 0, QString());
}

bool TCustomQorGrid::ExportToExcel(const QString &FileName, const QString &Title, const TQorFont *TitleFont, bool Flag1,
                                   QProgressBar *ProgressBar, bool ExportPictures, int Number,
                                   const QString &SheetName, QString *Notes)
{
    const QString caption = tr("提示");
    const auto refuse = [&](const QString &text) {
        MessageBox(text, caption, platform::MB_OK | platform::MB_ICONWARNING);
        if (Notes)
            *Notes = text;
        return false;
    };
    if (FileName.isEmpty())
        return refuse(tr("没有指定要导出的文件名"));
    HideEditor();
    const QFileInfo target(FileName);
    // Written beside the target and renamed over it: the old file stays whole until then.
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    part.setAutoRemove(true);
    if (!part.open())
        return refuse(tr("无法写入文件 %1：%2").arg(FileName, part.errorString()));
    part.close();
    const QByteArray partName = QFile::encodeName(part.fileName());

    NoteList notes;
    lxw_workbook_options options{};
    const QByteArray tmpdir = QFile::encodeName(QDir::tempPath());
    options.tmpdir = const_cast<char *>(tmpdir.constData());
    lxw_workbook *wb = workbook_new_opt(partName.constData(), &options);
    if (!wb)
        return refuse(tr("无法写入文件 %1").arg(FileName));
    Number = std::max(Number, 0);
    QString name = SheetName.isEmpty() ? QStringLiteral("Sheet%1").arg(Number + 1) : validSheetName(SheetName, notes.raw());
    for (int i = 0; i < Number; ++i) {
        QString blank = QStringLiteral("Sheet%1").arg(i + 1);
        if (blank.compare(name, Qt::CaseInsensitive) == 0)
            blank += QLatin1Char('_');
        workbook_add_worksheet(wb, blank.toUtf8().constData());
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, name.toUtf8().constData());
    if (!ws) {
        workbook_close(wb);
        return refuse(tr("工作表名称“%1”无法使用").arg(name));
    }
    worksheet_activate(ws);

    Mapping m;
    m.gridRows = GetRows();
    m.gridCols = GetCols();
    m.titleRows = Title.isEmpty() ? 0 : 1;
    m.rowTo.assign(size_t(m.gridRows), -1);
    m.colTo.assign(size_t(m.gridCols), -1);
    std::vector<int> rows, cols;
    for (int r = 0; r < m.gridRows; ++r)
        if (GetExportHiddenRow() || GetRowVisible(r)) {
            m.rowTo[size_t(r)] = int(rows.size());
            rows.push_back(r);
        }
    for (int c = 0; c < m.gridCols; ++c)
        if (GetExportHiddenCol() || GetColVisible(c)) {
            m.colTo[size_t(c)] = int(cols.size());
            cols.push_back(c);
        }
    if (rows.size() + size_t(m.titleRows) > 1048576 || cols.size() > 16384) {
        workbook_close(wb);
        return refuse(tr("表格过大（%1 行 × %2 列），超出电子表格的范围").arg(rows.size()).arg(cols.size()));
    }

    SheetWriter w(*this, wb, ws, Flag1);
    for (size_t i = 0; i < cols.size(); ++i) {
        lxw_row_col_options hidden{};
        hidden.hidden = !GetColVisible(cols[i]);
        worksheet_set_column_pixels_opt(ws, lxw_col_t(i), lxw_col_t(i), uint32_t(std::max(GetColWidth(cols[i]), 0)),
                                        nullptr, &hidden);
    }
    if (m.titleRows) {
        const TQorFont font = TitleFont ? *TitleFont : GetFont();
        StyleKey k;
        k.font = w.internFont(fontSpec(font));
        k.numFmt = w.internNumFmt(QStringLiteral("@"));
        k.h = LXW_ALIGN_CENTER;
        k.v = LXW_ALIGN_VERTICAL_CENTER;
        const double points = fontSpec(font).size;
        worksheet_set_row_pixels(ws, 0, uint32_t(std::max(24.0, points * 96.0 / 72.0 * 1.8)), nullptr);
        const QByteArray text = EscapeWorkbookText(Title.left(kMaxCellText)).toUtf8();
        if (cols.size() > 1)
            worksheet_merge_range(ws, 0, 0, 0, lxw_col_t(cols.size() - 1), text.constData(), w.format(k));
        else
            worksheet_write_string(ws, 0, 0, text.constData(), w.format(k));
    }

    // Merged areas first: the cells written afterwards keep their own formats and values.
    for (TCellInfo *owner : MergeCellList()) {
        const QRect a = MergedArea(owner->GetRow(), owner->GetCol());
        int r1 = a.top(), c1 = a.left(), r2 = a.bottom(), c2 = a.right();
        if (!m.map(r1, c1, RefSide::RangeStart) || !m.map(r2, c2, RefSide::RangeEnd) || r2 < r1 || c2 < c1 ||
            (r1 == r2 && c1 == c2))
            continue;
        worksheet_merge_range(ws, lxw_row_t(r1), lxw_col_t(c1), lxw_row_t(r2), lxw_col_t(c2), "", nullptr);
    }

    const QString symbol = GetCurrencySymbol().isEmpty() ? QStringLiteral("¥") : GetCurrencySymbol();
    const RefMapper mapper = [&m](int &row, int &col, RefSide side) { return m.map(row, col, side); };
    std::deque<QByteArray> pictures; // the writer reads picture bytes when the workbook closes
    const int total = int(rows.size());
    if (ProgressBar) {
        ProgressBar->setRange(0, std::max(total, 1));
        ProgressBar->setValue(0);
    }
    QByteArray utf8;
    for (size_t ri = 0; ri < rows.size(); ++ri) {
        const int r = rows[ri];
        const auto sr = lxw_row_t(ri + size_t(m.titleRows));
        lxw_row_col_options rowOpt{};
        rowOpt.hidden = !GetRowVisible(r);
        worksheet_set_row_pixels_opt(ws, sr, uint32_t(std::max(GetRowHeight(r), 0)), nullptr, &rowOpt);
        for (size_t ci = 0; ci < cols.size(); ++ci) {
            const int c = cols[ci];
            const auto sc = lxw_col_t(ci);
            TCellInfo *cell = PeekCell(r, c) ? Cells(r, c) : nullptr;
            QString text = cell ? cell->GetText() : GetCellText(r, c);
            // A diagonal header cell: the text above the line first, then the one below it.
            const bool diagonal = cell && text.isEmpty() && (!cell->GetLeftText().isEmpty() || !cell->GetRightText().isEmpty());
            if (diagonal)
                text = cell->GetRightText() + QLatin1Char('\n') + cell->GetLeftText();
            if (!cell && text.isEmpty() && !Flag1)
                continue;
            const bool formula = IsFormulaText(text);
            ExportValue v;
            if (cell) {
                v = ChooseExportValue(text, *cell, symbol, formula);
                if (!cell->GetPasswordChar().isNull()) {
                    v = ExportValue{};
                    v.kind = ExportValue::Text;
                    v.text = CellDisplayText(r, c);
                    v.numFmt = QStringLiteral("@");
                } else if (cell->GetValueType() == vtChineseLongCurr || cell->GetValueType() == vtChineseShortCurr) {
                    v.text = CellDisplayText(r, c);
                }
            } else if (TQorColumn *column = Columns(c)) {
                v = ChooseExportValue(text, *column, symbol, formula);
            }
            if (OnExportCell && !text.isEmpty()) {
                bool isString = v.kind == ExportValue::Text;
                OnExportCell(this, r, c, isString);
                if (isString && v.kind != ExportValue::Text) {
                    v.kind = ExportValue::Text;
                    v.text = text;
                    v.numFmt = QStringLiteral("@");
                }
            }
            StyleKey k = cell ? w.key(*cell, w.fontOf(cell), v.numFmt)
                              : Columns(c) ? w.key(*Columns(c), w.m_gridFont, v.numFmt) : StyleKey{};
            w.edges(k, cell);
            if (diagonal) {
                k.diagonal = cell->GetBiasDirection() == bdUp ? LXW_DIAGONAL_BORDER_UP : LXW_DIAGONAL_BORDER_DOWN;
                k.diagonalColor = rgb(cell->GetBiasColor());
                k.wrap = 1;
            }
            lxw_format *f = w.format(k);
            if (formula && v.kind != ExportValue::Text) {
                QString body, why;
                const ExpValue result = cell ? cell->GetFormulaValue() : ExpValue();
                if (FormulaToWorkbook(QStringView(text).mid(1), mapper, body, &why)) {
                    utf8 = body.toUtf8();
                    if (result.IsText())
                        worksheet_write_formula_str(ws, sr, sc, utf8.constData(), f, result.AsText().c_str());
                    else
                        worksheet_write_formula_num(ws, sr, sc, utf8.constData(), f, result.AsDouble());
                } else {
                    notes.add(tr("单元格 %1 的公式 %2 电子表格无法计算（%3），已写为其值")
                                  .arg(GetCellLabel(r, c), text, why.isEmpty() ? tr("不支持") : why));
                    if (result.IsText())
                        worksheet_write_string(ws, sr, sc, EscapeWorkbookText(result.ToQString()).toUtf8().constData(), f);
                    else
                        worksheet_write_number(ws, sr, sc, result.AsDouble(), f);
                }
            } else if (v.kind == ExportValue::Number) {
                worksheet_write_number(ws, sr, sc, v.number, f);
            } else if (!v.text.isEmpty()) {
                if (v.text.size() > kMaxCellText)
                    notes.add(tr("单元格 %1 的文本超过 %2 个字符，电子表格只保留前 %2 个").arg(GetCellLabel(r, c)).arg(kMaxCellText));
                utf8 = EscapeWorkbookText(v.text.left(kMaxCellText)).toUtf8();
                worksheet_write_string(ws, sr, sc, utf8.constData(), f);
            } else {
                worksheet_write_blank(ws, sr, sc, f);
            }
            if (!cell)
                continue;
            const QString hint = cell->GetHint();
            if (!hint.isEmpty())
                worksheet_write_comment(ws, sr, sc, EscapeWorkbookText(hint.left(kMaxCellText)).toUtf8().constData());
            if (ExportPictures) {
                if (const TQorPicture *pic = cell->PeekGraphic(); pic && !pic->Image.isNull()) {
                    QByteArray png;
                    QBuffer buffer(&png);
                    buffer.open(QIODevice::WriteOnly);
                    if (pic->Image.save(&buffer, "PNG")) {
                        pictures.push_back(png);
                        const QRect area = CellRect(r, c);
                        lxw_image_options io{};
                        const int iw = pic->Image.width(), ih = pic->Image.height();
                        if (cell->GetStretch() && iw > 0 && ih > 0) {
                            io.x_scale = double(area.width()) / iw;
                            io.y_scale = double(area.height()) / ih;
                        } else {
                            const TAlignment ha = cell->GetGraphicHorAlignment();
                            const TVerAlignment va = cell->GetGraphicVerAlignment();
                            io.x_offset = std::max(0, ha == taCenter ? (area.width() - iw) / 2
                                                      : ha == taRightJustify ? area.width() - iw - cell->GetGraphicRMargin()
                                                                             : int(cell->GetGraphicLMargin()));
                            io.y_offset = std::max(0, va == vtaCenter ? (area.height() - ih) / 2
                                                      : va == vtaBottom ? area.height() - ih - cell->GetGraphicBMargin()
                                                                        : int(cell->GetGraphicTMargin()));
                        }
                        io.object_position = LXW_OBJECT_MOVE_AND_SIZE;
                        worksheet_insert_image_buffer_opt(ws, sr, sc, reinterpret_cast<const unsigned char *>(pictures.back().constData()),
                                                          size_t(pictures.back().size()), &io);
                    } else {
                        notes.add(tr("单元格 %1 的图片无法转换，未导出").arg(GetCellLabel(r, c)));
                    }
                }
            }
        }
        if (OnImportExportProgress)
            OnImportExportProgress(this, total, int(ri) + 1);
        if (ProgressBar)
            ProgressBar->setValue(int(ri) + 1);
    }
    const lxw_error closed = workbook_close(wb);
    if (closed != LXW_NO_ERROR)
        return refuse(tr("无法写入文件 %1：%2").arg(FileName, QString::fromUtf8(lxw_strerror(closed))));
    if (std::rename(partName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return refuse(tr("无法写入文件 %1：%2").arg(FileName, QString::fromLocal8Bit(std::strerror(errno))));
    part.setAutoRemove(false);
    if (Notes)
        *Notes = notes.lines().join(QLatin1Char('\n'));
    return true;
}

} // namespace qor
