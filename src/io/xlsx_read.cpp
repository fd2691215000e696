// Reading one worksheet: liborcus parses the cells, values, formulas, shared strings, fonts,
// fills, borders, merges and sizes; what its import interface drops (inline strings, number
// format codes, wrap and shrink, comments, pictures) is read here from the package parts.
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <cstring>
#include <ixion/cell.hpp>
#include <ixion/formula.hpp>
#include <ixion/formula_name_resolver.hpp>
#include <ixion/formula_result.hpp>
#include <ixion/model_context.hpp>
#include <ixion/model_iterator.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <orcus/spreadsheet/sheet.hpp>
#include <orcus/spreadsheet/styles.hpp>

#include "io/xlsx_formats_p.h"
#include "io/xlsx_formula_p.h"
#include "io/xlsx_package_p.h"
#include "io/xlsx_sheet_p.h"

namespace qor::xlsx {

namespace ss = orcus::spreadsheet;

QRect ImportRectangle(const QRect &used, const ImportRequest &q)
{
    const int lastRow = used.bottom(), lastCol = used.right();
    const auto end = [](int v, int last) { return v < 0 || v > last ? last : v; };
    const int r1 = std::min(std::max(q.startRow, 0), lastRow);
    const int c1 = std::min(std::max(q.startCol, 0), lastCol);
    const int r2 = std::max(end(q.endRow, lastRow), r1);
    const int c2 = std::max(end(q.endCol, lastCol), c1);
    return QRect(QPoint(c1, r1), QPoint(c2, r2));
}

namespace {

QString tr(const char *text) { return QString::fromUtf8(text); }

constexpr int kSheetRows = 1048576, kSheetCols = 16384;

struct Refusal {
    QString text;
};

[[noreturn]] void refuse(const QString &text) { throw Refusal{text}; }

QByteArray readPart(const Package &pkg, const QString &name)
{
    QByteArray bytes;
    QString error;
    if (!pkg.Read(name, bytes, &error))
        refuse(error);
    return bytes;
}

void checkXml(const QXmlStreamReader &xml, const QString &part)
{
    if (xml.hasError())
        refuse(tr("部件 %1 不是有效的 XML（第 %2 行：%3）").arg(part).arg(xml.lineNumber()).arg(xml.errorString()));
}

// Relationship id -> target part, for the relationships of one part.
QHash<QString, QString> readRels(const Package &pkg, const QString &part, QHash<QString, QString> *types = nullptr)
{
    QHash<QString, QString> out;
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    const QString rels = part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
    if (!pkg.Has(rels))
        return out;
    QXmlStreamReader xml(readPart(pkg, rels));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("Relationship"))
            continue;
        const auto a = xml.attributes();
        if (a.value(QLatin1String("TargetMode")) == QLatin1String("External"))
            continue;
        const QString id = a.value(QLatin1String("Id")).toString();
        out.insert(id, ResolvePartPath(part, a.value(QLatin1String("Target")).toString()));
        if (types)
            types->insert(id, a.value(QLatin1String("Type")).toString());
    }
    checkXml(xml, rels);
    return out;
}

// Reads start elements one after another through the whole document.
template <class F>
void forEachElement(QXmlStreamReader &xml, const QString &part, F &&f)
{
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement())
            f();
    }
    checkXml(xml, part);
}

// "B12" -> row 11, col 1; false for anything else.
bool parseCellRef(QStringView s, int &row, int &col)
{
    qsizetype i = 0;
    col = 0;
    while (i < s.size() && s[i].isLetter() && s[i].unicode() < 128 && i < 3)
        col = col * 26 + (s[i++].toUpper().unicode() - 'A' + 1);
    if (i == 0 || i == s.size())
        return false;
    bool ok = false;
    row = s.mid(i).toInt(&ok);
    --col;
    --row;
    return ok && row >= 0 && row < kSheetRows && col >= 0 && col < kSheetCols;
}

struct XfExtra {
    int numFmtId = 0;
    int fontId = 0;
    bool wrap = false, shrink = false;
};

struct StylesExtra {
    std::vector<XfExtra> xfs;
    // Per font: the reader takes neither <u/> nor <strike/> without a value.
    std::vector<uint8_t> underlined, struck;
    QHash<int, QString> formats;
};

QString builtinFormat(int id)
{
    switch (id) {
    case 1: return QStringLiteral("0");
    case 2: return QStringLiteral("0.00");
    case 3: return QStringLiteral("#,##0");
    case 4: return QStringLiteral("#,##0.00");
    case 9: return QStringLiteral("0%");
    case 10: return QStringLiteral("0.00%");
    case 14: return QStringLiteral("yyyy-mm-dd");
    case 15: return QStringLiteral("d-mmm-yy");
    case 16: return QStringLiteral("d-mmm");
    case 17: return QStringLiteral("mmm-yy");
    case 22: return QStringLiteral("yyyy-mm-dd hh:mm");
    case 49: return QStringLiteral("@");
    default: return QString();
    }
}

StylesExtra readStylesExtra(const Package &pkg, const QString &part)
{
    StylesExtra out;
    if (part.isEmpty() || !pkg.Has(part))
        return out;
    QXmlStreamReader xml(readPart(pkg, part));
    bool inCellXfs = false, inFonts = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (xml.isEndElement() && xml.name() == QLatin1String("fonts"))
            inFonts = false;
        if (!xml.isStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("fonts")) {
            inFonts = true;
        } else if (inFonts && xml.name() == QLatin1String("font")) {
            if (out.underlined.size() >= 65536)
                refuse(tr("部件 %1 的字体过多").arg(part));
            out.underlined.push_back(0);
            out.struck.push_back(0);
        } else if (inFonts && xml.name() == QLatin1String("u") && !out.underlined.empty()) {
            out.underlined.back() = a.value(QLatin1String("val")) != QLatin1String("none");
        } else if (inFonts && xml.name() == QLatin1String("strike") && !out.struck.empty()) {
            const auto v = a.value(QLatin1String("val"));
            out.struck.back() = v.isEmpty() || v == QLatin1String("1") || v == QLatin1String("true");
        } else if (xml.name() == QLatin1String("numFmt")) {
            out.formats.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == QLatin1String("xf")) {
            if (out.xfs.size() >= 65536)
                refuse(tr("部件 %1 的单元格格式过多").arg(part));
            out.xfs.push_back(XfExtra{a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("fontId")).toInt(), false, false});
        } else if (inCellXfs && xml.name() == QLatin1String("alignment") && !out.xfs.empty()) {
            const auto on = [&](const char *n) {
                const auto v = a.value(QLatin1String(n));
                return v == QLatin1String("1") || v == QLatin1String("true");
            };
            out.xfs.back().wrap = on("wrapText");
            out.xfs.back().shrink = on("shrinkToFit");
        }
    }
    checkXml(xml, part);
    return out;
}

TColor fromOrcus(const ss::color_t &c) { return TColor(c.red) | TColor(c.green) << 8 | TColor(c.blue) << 16; }

Edge edgeFromOrcus(ss::border_style_t s)
{
    using B = ss::border_style_t;
    switch (s) {
    case B::solid:
    case B::thin: return Edge::Thin;
    case B::medium: return Edge::Medium;
    case B::thick: return Edge::Thick;
    case B::dashed:
    case B::fine_dashed: return Edge::Dashed;
    case B::dotted: return Edge::Dotted;
    case B::hair: return Edge::Hair;
    case B::double_border:
    case B::double_thin: return Edge::Double;
    case B::dash_dot: return Edge::DashDot;
    case B::dash_dot_dot: return Edge::DashDotDot;
    case B::medium_dashed: return Edge::MediumDashed;
    case B::medium_dash_dot: return Edge::MediumDashDot;
    case B::medium_dash_dot_dot: return Edge::MediumDashDotDot;
    case B::slant_dash_dot: return Edge::SlantDashDot;
    default: return Edge::None;
    }
}

CellStyle styleFromOrcus(const ss::styles &st, size_t xf, const StylesExtra &extra, const Sheet &sheet)
{
    CellStyle s;
    s.fontName = sheet.defaultFontName;
    s.fontSize = sheet.defaultFontSize;
    const ss::cell_format_t *cf = st.get_cell_format(xf);
    if (!cf)
        return s;
    if (const ss::font_t *f = st.get_font(cf->font)) {
        if (!f->name.empty())
            s.fontName = QString::fromUtf8(f->name.data(), qsizetype(f->name.size()));
        if (f->size > 0 && f->size < 500)
            s.fontSize = f->size;
        s.bold = f->bold;
        s.italic = f->italic;
        s.underline = f->underline_style != ss::underline_t::none;
        s.strike = f->strikethrough_style != ss::strikethrough_style_t::none;
        s.fontColor = fromOrcus(f->color);
    }
    if (const ss::fill_t *f = st.get_fill(cf->fill)) {
        if (f->pattern_type == ss::fill_pattern_t::solid) {
            s.filled = true;
            s.fill = fromOrcus(f->fg_color);
        }
    }
    if (const ss::border_t *b = st.get_border(cf->border)) {
        const ss::border_attrs_t *edges[4] = {&b->left, &b->top, &b->right, &b->bottom};
        for (int e = 0; e < 4; ++e) {
            s.edges[e].style = edgeFromOrcus(edges[e]->style);
            s.edges[e].color = fromOrcus(edges[e]->border_color);
        }
    }
    using H = ss::hor_alignment_t;
    using V = ss::ver_alignment_t;
    s.hAlign = cf->hor_align == H::left ? HAlign::Left
             : cf->hor_align == H::center || cf->hor_align == H::distributed ? HAlign::Center
             : cf->hor_align == H::right ? HAlign::Right : HAlign::General;
    s.vAlign = cf->ver_align == V::top ? VAlign::Top
             : cf->ver_align == V::middle || cf->ver_align == V::distributed || cf->ver_align == V::justified
                 ? VAlign::Center : VAlign::Bottom;
    if (xf < extra.xfs.size()) {
        const XfExtra &x = extra.xfs[xf];
        s.wrap = x.wrap;
        s.shrink = x.shrink;
        s.numberFormat = extra.formats.value(x.numFmtId, builtinFormat(x.numFmtId));
        if (x.fontId >= 0 && size_t(x.fontId) < extra.underlined.size())
            s.underline = s.underline || extra.underlined[size_t(x.fontId)];
        if (x.fontId >= 0 && size_t(x.fontId) < extra.struck.size())
            s.strike = s.strike || extra.struck[size_t(x.fontId)];
    }
    return s;
}

// Width of the widest digit of the workbook's default font, the unit of column widths.
double maxDigitWidth(const QString &name, double points)
{
    const double px = points * 96.0 / 72.0;
    const QString n = name.toLower();
    if (n == QLatin1String("calibri") || n == QLatin1String("carlito"))
        return std::max(1.0, std::floor(px * 0.507));
    if (n == QLatin1String("arial") || n == QLatin1String("liberation sans"))
        return std::max(1.0, std::floor(px * 0.556));
    return std::max(1.0, std::floor(px * 0.55));
}

struct SheetParts {
    QString sheetPart, stylesPart;
    QStringList names;
};

SheetParts readWorkbook(const Package &pkg, int index)
{
    SheetParts out;
    QString workbook = QStringLiteral("xl/workbook.xml");
    QHash<QString, QString> types;
    const QHash<QString, QString> rootRels = readRels(pkg, QString());
    for (const QString &t : rootRels)
        if (t.endsWith(QLatin1String("workbook.xml")))
            workbook = t;
    if (!pkg.Has(workbook))
        refuse(tr("不是电子表格文件（缺少工作簿部件）"));
    const QHash<QString, QString> rels = readRels(pkg, workbook, &types);
    QStringList ids;
    QXmlStreamReader xml(readPart(pkg, workbook));
    forEachElement(xml, workbook, [&] {
        if (xml.name() == QLatin1String("sheet")) {
            out.names.append(xml.attributes().value(QLatin1String("name")).toString());
            QString id;
            for (const auto &a : xml.attributes())
                if (a.name() == QLatin1String("id"))
                    id = a.value().toString();
            ids.append(id);
        }
    });
    if (index < ids.size())
        out.sheetPart = rels.value(ids[index]);
    for (auto it = types.cbegin(); it != types.cend(); ++it)
        if (it.value().endsWith(QLatin1String("/styles")))
            out.stylesPart = rels.value(it.key());
    return out;
}

// liborcus 0.17 stops the whole program (an assertion) on some ranges it does not check: a
// column entry without a valid min and max, a merged range that is no range. Each sheet's
// parts outside its cell data are checked here first, for every sheet it will read.
void checkSheetFrame(const QByteArray &bytes, const QString &part)
{
    qsizetype data = bytes.indexOf("<sheetData");
    if (data < 0)
        data = bytes.size();
    const QByteArray head = bytes.left(data);
    static const QRegularExpression colTag(QStringLiteral("<(?:\\w+:)?col\\b([^>]*)>"));
    static const QRegularExpression attr(QStringLiteral("\\b(min|max)\\s*=\\s*[\"']\\s*([0-9]{1,9})\\s*[\"']"));
    const QString headText = QString::fromUtf8(head);
    for (auto it = colTag.globalMatch(headText); it.hasNext();) {
        const QString attrs = it.next().captured(1);
        int min = -1, max = -1, seen = 0;
        for (auto a = attr.globalMatch(attrs); a.hasNext();) {
            const auto m = a.next();
            (m.captured(1) == QLatin1String("min") ? min : max) = m.captured(2).toInt();
            ++seen;
        }
        if (seen != 2 || min < 1 || max < min || max > kSheetCols)
            refuse(tr("部件 %1 的列定义无效（%2）").arg(part, attrs.trimmed().left(80)));
    }
    const qsizetype tailAt = bytes.lastIndexOf("<mergeCells");
    if (tailAt < 0)
        return;
    const QString tail = QString::fromUtf8(bytes.mid(tailAt));
    static const QRegularExpression mergeTag(QStringLiteral("<(?:\\w+:)?mergeCell\\b([^>]*)>"));
    static const QRegularExpression ref(QStringLiteral("\\bref\\s*=\\s*[\"']([^\"']*)[\"']"));
    for (auto it = mergeTag.globalMatch(tail); it.hasNext();) {
        const QString attrs = it.next().captured(1);
        const QStringList ends = ref.match(attrs).captured(1).split(QLatin1Char(':'));
        int r1, c1, r2, c2;
        if (ends.size() != 2 || !parseCellRef(ends[0], r1, c1) || !parseCellRef(ends[1], r2, c2) || r2 < r1 || c2 < c1)
            refuse(tr("部件 %1 的合并区域无效（%2）").arg(part, attrs.trimmed().left(80)));
    }
}

// Inline strings, which the cell parser leaves empty, and the merged ranges.
void scanSheetXml(const QByteArray &bytes, const QString &part, QHash<quint64, QString> &inlineStrings,
                  std::vector<QRect> &merges)
{
    const bool hasInline = bytes.contains("inlineStr");
    const qsizetype mergeAt = bytes.lastIndexOf("<mergeCells");
    if (hasInline) {
        QXmlStreamReader xml(bytes);
        quint64 key = 0;
        bool inInline = false, inPhonetic = false;
        QString text;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("c")) {
                    int r, c;
                    inInline = xml.attributes().value(QLatin1String("t")) == QLatin1String("inlineStr") &&
                               parseCellRef(xml.attributes().value(QLatin1String("r")), r, c);
                    if (inInline)
                        key = CellKey(r, c);
                    text.clear();
                } else if (xml.name() == QLatin1String("rPh")) {
                    inPhonetic = true;
                } else if (inInline && !inPhonetic && xml.name() == QLatin1String("t")) {
                    text += xml.readElementText();
                }
            } else if (xml.isEndElement()) {
                if (xml.name() == QLatin1String("rPh"))
                    inPhonetic = false;
                else if (xml.name() == QLatin1String("c") && inInline) {
                    inlineStrings.insert(key, UnescapeWorkbookText(text));
                    inInline = false;
                }
            }
        }
        checkXml(xml, part);
    }
    if (mergeAt >= 0) {
        const qsizetype end = bytes.indexOf("</mergeCells>", mergeAt);
        QXmlStreamReader xml(bytes.mid(mergeAt, end < 0 ? -1 : end - mergeAt + 13));
        forEachElement(xml, part, [&] {
            if (xml.name() != QLatin1String("mergeCell"))
                return;
            const QStringList ends = xml.attributes().value(QLatin1String("ref")).toString().split(QLatin1Char(':'));
            int r1, c1, r2, c2;
            if (ends.size() == 2 && parseCellRef(ends[0], r1, c1) && parseCellRef(ends[1], r2, c2))
                merges.push_back(QRect(QPoint(std::min(c1, c2), std::min(r1, r2)), QPoint(std::max(c1, c2), std::max(r1, r2))));
        });
    }
}

void readComments(const Package &pkg, const QString &part, const QRect &rect, Sheet &out)
{
    QXmlStreamReader xml(readPart(pkg, part));
    int row = -1, col = -1;
    bool inText = false, inPhonetic = false;
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("comment")) {
                if (!parseCellRef(xml.attributes().value(QLatin1String("ref")), row, col))
                    row = col = -1;
                text.clear();
            } else if (xml.name() == QLatin1String("text")) {
                inText = true;
            } else if (xml.name() == QLatin1String("rPh")) {
                inPhonetic = true;
            } else if (inText && !inPhonetic && xml.name() == QLatin1String("t")) {
                text += xml.readElementText();
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("text"))
                inText = false;
            else if (xml.name() == QLatin1String("rPh"))
                inPhonetic = false;
            else if (xml.name() == QLatin1String("comment") && rect.contains(col, row))
                out.comments.insert(CellKey(row - rect.top(), col - rect.left()), UnescapeWorkbookText(text));
        }
    }
    checkXml(xml, part);
}

void readDrawing(const Package &pkg, const QString &part, const QRect &rect, Sheet &out)
{
    const QHash<QString, QString> rels = readRels(pkg, part);
    QXmlStreamReader xml(readPart(pkg, part));
    int row = -1, col = -1;
    bool inFrom = false;
    QString what;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto n = xml.name();
            if (n == QLatin1String("twoCellAnchor") || n == QLatin1String("oneCellAnchor"))
                row = col = -1;
            else if (n == QLatin1String("from"))
                inFrom = true;
            else if (inFrom && n == QLatin1String("col"))
                col = xml.readElementText().toInt();
            else if (inFrom && n == QLatin1String("row"))
                row = xml.readElementText().toInt();
            else if (n == QLatin1String("blip")) {
                QString id;
                for (const auto &a : xml.attributes())
                    if (a.name() == QLatin1String("embed"))
                        id = a.value().toString();
                const QString target = rels.value(id);
                if (rect.contains(col, row) && pkg.Has(target))
                    out.pictures.push_back(SheetPicture{row - rect.top(), col - rect.left(), readPart(pkg, target)});
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("from")) {
            inFrom = false;
        }
    }
    checkXml(xml, part);
}

// Merged areas and annotations of one table of an OpenDocument spreadsheet, which liborcus
// does not take over.
void readOdsExtras(const QByteArray &content, int sheetIndex, const QRect &rect, std::vector<QRect> &merges, Sheet &out)
{
    QXmlStreamReader xml(content);
    int table = -1;
    qint64 row = -1, col = 0;
    int depthInCell = 0;
    bool inAnnotation = false;
    QString note;
    qint64 noteRow = 0, noteCol = 0;
    const auto number = [&](const char *name) {
        qint64 v = 1;
        for (const auto &a : xml.attributes())
            if (a.name() == QLatin1String(name))
                v = a.value().toLongLong();
        return std::clamp<qint64>(v, 1, kSheetRows);
    };
    while (!xml.atEnd()) {
        xml.readNext();
        const auto n = xml.name();
        if (xml.isStartElement()) {
            if (n == QLatin1String("table") && xml.namespaceUri().contains(QLatin1String("table"))) {
                ++table;
                row = -1;
            } else if (table != sheetIndex) {
                continue;
            } else if (n == QLatin1String("table-row")) {
                ++row;
                col = 0;
            } else if (n == QLatin1String("table-cell") || n == QLatin1String("covered-table-cell")) {
                const qint64 spanCols = number("number-columns-spanned"), spanRows = number("number-rows-spanned");
                if ((spanCols > 1 || spanRows > 1) && row < kSheetRows && col < kSheetCols)
                    merges.push_back(QRect(int(col), int(row), int(std::min<qint64>(spanCols, kSheetCols - col)),
                                           int(std::min<qint64>(spanRows, kSheetRows - row))));
                noteRow = row;
                noteCol = col;
                ++depthInCell;
            } else if (depthInCell && n == QLatin1String("annotation")) {
                inAnnotation = true;
                note.clear();
            } else if (inAnnotation && n == QLatin1String("p")) {
                if (!note.isEmpty())
                    note += QLatin1Char('\n');
                note += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && table == sheetIndex) {
            if (n == QLatin1String("annotation")) {
                inAnnotation = false;
                if (rect.contains(int(noteCol), int(noteRow)))
                    out.comments.insert(CellKey(int(noteRow) - rect.top(), int(noteCol) - rect.left()), note);
            } else if (n == QLatin1String("table-cell") || n == QLatin1String("covered-table-cell")) {
                --depthInCell;
            }
        }
        if (xml.isStartElement() && table == sheetIndex &&
            (n == QLatin1String("table-cell") || n == QLatin1String("covered-table-cell")))
            col += number("number-columns-repeated");
        if (xml.isStartElement() && table == sheetIndex && n == QLatin1String("table-row"))
            row += number("number-rows-repeated") - 1;
    }
    checkXml(xml, QStringLiteral("content.xml"));
}

QString fromStd(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

void readCells(const ss::document &doc, int sheetIndex, const StylesExtra &extra,
               const QHash<quint64, QString> &inlineStrings, Sheet &out)
{
    const ixion::model_context &cxt = doc.get_model_context();
    const ss::sheet *sh = doc.get_sheet(sheetIndex);
    const QRect &rect = out.rect;
    std::vector<int> styleOfXf;
    const auto styleIndex = [&](size_t xf) {
        if (xf == 0 && !out.styles.empty())
            return 0;
        if (xf >= 65536)
            return 0;
        if (xf >= styleOfXf.size())
            styleOfXf.resize(xf + 1, -1);
        if (styleOfXf[xf] < 0) {
            styleOfXf[xf] = int(out.styles.size());
            out.styles.push_back(styleFromOrcus(doc.get_styles(), xf, extra, out));
        }
        return styleOfXf[xf];
    };
    styleIndex(0);
    const auto resolver = ixion::formula_name_resolver::get(ixion::formula_name_resolver_t::excel_a1, &cxt);
    const RefMapper toRect = [&](int &row, int &col, RefSide) {
        if (!rect.contains(col, row))
            return false;
        row -= rect.top();
        col -= rect.left();
        return true;
    };
    ixion::abs_rc_range_t range;
    range.first.row = rect.top();
    range.first.column = rect.left();
    range.last.row = rect.bottom();
    range.last.column = rect.right();
    out.cells.reserve(size_t(std::min<qint64>(qint64(rect.width()) * rect.height(), 1 << 22)));
    std::vector<QString> strings;
    for (ixion::model_iterator it = cxt.get_model_iterator(sheetIndex, ixion::rc_direction_t::horizontal, range);
         it.has(); it.next()) {
        const ixion::model_iterator::cell &c = it.get();
        SheetCell cell;
        cell.row = int(c.row) - rect.top();
        cell.col = int(c.col) - rect.left();
        const size_t xf = sh->get_cell_format(c.row, c.col);
        switch (c.type) {
        case ixion::celltype_t::string: {
            // Shared strings repeat: each is converted once and then shared.
            const ixion::string_id_t id = std::get<ixion::string_id_t>(c.value);
            cell.kind = SheetCell::Text;
            if (id < 1u << 24) {
                if (id >= strings.size())
                    strings.resize(size_t(id) + 1);
                if (strings[id].isNull()) {
                    const std::string *s = cxt.get_string(id);
                    strings[id] = !s ? QString(QLatin1String("")) : out.ods ? fromStd(*s) : UnescapeWorkbookText(fromStd(*s));
                }
                cell.text = strings[id];
            } else if (const std::string *s = cxt.get_string(id)) {
                cell.text = out.ods ? fromStd(*s) : UnescapeWorkbookText(fromStd(*s));
            }
            break;
        }
        case ixion::celltype_t::numeric:
            cell.kind = SheetCell::Number;
            cell.number = std::get<double>(c.value);
            break;
        case ixion::celltype_t::boolean:
            cell.kind = SheetCell::Boolean;
            cell.number = std::get<bool>(c.value) ? 1 : 0;
            break;
        case ixion::celltype_t::formula: {
            const ixion::formula_cell *fc = std::get<const ixion::formula_cell *>(c.value);
            const ixion::abs_address_t pos(sheetIndex, c.row, c.col);
            const std::string text = ixion::print_formula_tokens(cxt, pos, *resolver, fc->get_tokens()->get());
            try {
                const ixion::formula_result r = fc->get_result_cache(ixion::formula_result_wait_policy_t::throw_exception);
                if (r.get_type() == ixion::formula_result::result_type::value) {
                    cell.kind = SheetCell::Number;
                    cell.number = r.get_value();
                } else if (r.get_type() == ixion::formula_result::result_type::string) {
                    cell.kind = SheetCell::Text;
                    cell.text = UnescapeWorkbookText(fromStd(r.get_string()));
                } else if (r.get_type() == ixion::formula_result::result_type::error) {
                    cell.kind = SheetCell::Error;
                    cell.text = fromStd(ixion::get_formula_error_name(r.get_error()));
                }
            } catch (const std::exception &) {
                cell.kind = SheetCell::Number; // no cached result: what an empty result reads as
            }
            QString ours, why;
            if (FormulaFromWorkbook(fromStd(text), toRect, ours, &why))
                cell.formula = QLatin1Char('=') + ours;
            else
                cell.foreignFormula = QLatin1Char('=') + fromStd(text);
            break;
        }
        default: {
            const auto inl = inlineStrings.constFind(CellKey(int(c.row), int(c.col)));
            if (inl != inlineStrings.cend()) {
                cell.kind = SheetCell::Text;
                cell.text = *inl;
            } else if (xf == 0) {
                continue;
            }
        }
        }
        cell.style = styleIndex(xf);
        out.cells.push_back(std::move(cell));
    }
}

void readSizes(const ss::sheet &sh, Sheet &out)
{
    const QRect &rect = out.rect;
    const double digit = maxDigitWidth(out.defaultFontName, out.defaultFontSize);
    // Columns of a workbook are in widths of its default font's widest digit; the reader
    // reports them as 0.19 cm each.
    const double twipsPerChar = 0.19 / 2.54 * 1440.0;
    out.colWidths.resize(size_t(rect.width()));
    out.hiddenCols.resize(size_t(rect.width()));
    for (int c = 0; c < rect.width(); ++c) {
        ss::col_t a, b;
        const ss::col_width_t w = sh.get_col_width(rect.left() + c, &a, &b);
        int px = int(std::lround(8.43 * digit + 5));
        if (w != ss::col_width_t(-1) && w != 65535)
            px = out.ods ? int(std::lround(w / 15.0)) : int(std::lround(double(w) / twipsPerChar * digit));
        out.colWidths[size_t(c)] = std::clamp(px, 0, 4000);
        out.hiddenCols[size_t(c)] = sh.is_col_hidden(rect.left() + c, &a, &b);
    }
    out.rowHeights.resize(size_t(rect.height()));
    out.hiddenRows.resize(size_t(rect.height()));
    for (int r = 0; r < rect.height(); ++r) {
        ss::row_t a, b;
        const ss::row_height_t h = sh.get_row_height(rect.top() + r, &a, &b);
        out.rowHeights[size_t(r)] = h != ss::row_height_t(-1) && h != 65535 ? std::clamp(int(std::lround(h / 15.0)), 0, 4000) : 20;
        out.hiddenRows[size_t(r)] = sh.is_row_hidden(rect.top() + r, &a, &b);
    }
}

QRect usedRange(const ss::sheet &sh, const std::vector<QRect> &merges)
{
    const ixion::abs_range_t data = sh.get_data_range();
    QRect used;
    if (data.valid() && data.first.row >= 0 && data.first.column >= 0)
        used = QRect(QPoint(data.first.column, data.first.row), QPoint(data.last.column, data.last.row));
    for (const QRect &m : merges)
        used = used.isNull() ? m : used.united(m);
    return used.isNull() ? QRect(0, 0, 1, 1) : used;
}

} // namespace

bool ReadSheet(const QByteArray &bytes, const ImportRequest &request, Sheet &out, QString *error)
{
    out = Sheet();
    try {
        Package pkg;
        if (!pkg.Open(bytes, error))
            return false;
        const bool ods = pkg.Has(QStringLiteral("mimetype")) && pkg.Has(QStringLiteral("content.xml"));
        out.ods = ods;
        const int index = std::max(request.sheetIndex, 0);
        SheetParts parts;
        QByteArray sheetXml;
        QHash<quint64, QString> inlineStrings;
        std::vector<QRect> merges;
        StylesExtra extra;
        if (!ods) {
            parts = readWorkbook(pkg, index);
            if (parts.sheetPart.isEmpty() || !pkg.Has(parts.sheetPart))
                refuse(index >= parts.names.size() ? tr("工作簿中没有第 %1 个工作表（共 %2 个）").arg(index + 1).arg(parts.names.size())
                                                   : tr("工作表 %1 的部件缺失").arg(parts.names.value(index)));
            sheetXml = readPart(pkg, parts.sheetPart);
            scanSheetXml(sheetXml, parts.sheetPart, inlineStrings, merges);
            extra = readStylesExtra(pkg, parts.stylesPart);
            // Every other part liborcus parses: inflated (size and checksum) before it sees them.
            checkSheetFrame(sheetXml, parts.sheetPart);
            for (const QString &name : pkg.Names()) {
                if (name.endsWith(QLatin1String(".xml")) && name != parts.sheetPart) {
                    QByteArray probe;
                    if (!pkg.Read(name, probe, error))
                        return false;
                    if (probe.contains("<sheetData"))
                        checkSheetFrame(probe, name);
                }
            }
        } else {
            for (const QString &name : {QStringLiteral("content.xml"), QStringLiteral("styles.xml")}) {
                QByteArray probe;
                if (pkg.Has(name) && !pkg.Read(name, probe, error))
                    return false;
            }
        }

        ss::document doc(ss::range_size_t{kSheetRows, kSheetCols});
        ss::import_factory factory(doc);
        try {
            const std::string_view view(bytes.constData(), size_t(bytes.size()));
            if (ods)
                orcus::orcus_ods(&factory).read_stream(view);
            else
                orcus::orcus_xlsx(&factory).read_stream(view);
        } catch (const std::exception &e) {
            refuse(tr("文件内容已损坏，无法读取：%1").arg(QString::fromUtf8(e.what())));
        }
        if (ods) {
            for (size_t i = 0; i < doc.get_sheet_count(); ++i)
                parts.names.append(fromStd(doc.get_sheet_name(ss::sheet_t(i))));
        }
        if (index >= int(doc.get_sheet_count()))
            refuse(tr("工作簿中没有第 %1 个工作表（共 %2 个）").arg(index + 1).arg(doc.get_sheet_count()));
        const ss::sheet *sh = doc.get_sheet(ss::sheet_t(index));
        out.name = parts.names.value(index);
        if (const ss::font_t *f = doc.get_styles().get_font(0)) {
            if (!f->name.empty())
                out.defaultFontName = fromStd(f->name);
            if (f->size > 0 && f->size < 500)
                out.defaultFontSize = f->size;
        }
        if (ods && pkg.Has(QStringLiteral("content.xml")))
            readOdsExtras(readPart(pkg, QStringLiteral("content.xml")), index, QRect(0, 0, kSheetCols, kSheetRows), merges, out);
        const QRect wholeSheet(0, 0, kSheetCols, kSheetRows);
        if (!ods) { // comments and pictures, in sheet coordinates until the rectangle is known
            QHash<QString, QString> types;
            const QHash<QString, QString> rels = readRels(pkg, parts.sheetPart, &types);
            for (auto it = types.cbegin(); it != types.cend(); ++it) {
                const QString target = rels.value(it.key());
                if (!pkg.Has(target))
                    continue;
                if (it.value().endsWith(QLatin1String("/comments")))
                    readComments(pkg, target, wholeSheet, out);
                else if (it.value().endsWith(QLatin1String("/drawing")))
                    readDrawing(pkg, target, wholeSheet, out);
            }
        }
        // The used range holds every cell with something the grid takes: values (also those
        // the cell parser dropped), merged areas, comments and pictures.
        out.used = usedRange(*sh, merges);
        for (auto it = inlineStrings.cbegin(); it != inlineStrings.cend(); ++it)
            out.used = out.used.united(QRect(int(uint32_t(it.key())), int(it.key() >> 32), 1, 1));
        for (auto it = out.comments.cbegin(); it != out.comments.cend(); ++it)
            out.used = out.used.united(QRect(int(uint32_t(it.key())), int(it.key() >> 32), 1, 1));
        for (const SheetPicture &p : out.pictures)
            out.used = out.used.united(QRect(p.col, p.row, 1, 1));
        out.rect = ImportRectangle(out.used, request);
        if (qint64(out.rect.width()) * out.rect.height() > kMaxImportCells)
            refuse(tr("工作表范围过大（%1 行 × %2 列），已拒绝导入").arg(out.rect.height()).arg(out.rect.width()));
        {
            QHash<quint64, QString> inRect;
            for (auto it = out.comments.cbegin(); it != out.comments.cend(); ++it) {
                const int r = int(it.key() >> 32), c = int(uint32_t(it.key()));
                if (out.rect.contains(c, r))
                    inRect.insert(CellKey(r - out.rect.top(), c - out.rect.left()), it.value());
            }
            out.comments = inRect;
            std::vector<SheetPicture> pictures;
            for (SheetPicture &p : out.pictures)
                if (out.rect.contains(p.col, p.row))
                    pictures.push_back(SheetPicture{p.row - out.rect.top(), p.col - out.rect.left(), std::move(p.bytes)});
            out.pictures = std::move(pictures);
        }
        readCells(doc, index, extra, inlineStrings, out);
        readSizes(*sh, out);
        for (const QRect &m : merges) {
            const QRect in = m.intersected(out.rect);
            if (in.width() * qint64(in.height()) > 1)
                out.merges.push_back(in.translated(-out.rect.topLeft()));
        }
        return true;
    } catch (const Refusal &r) {
        *error = r.text;
    } catch (const std::bad_alloc &) {
        *error = tr("文件过大，内存不足，无法读取");
    } catch (const std::exception &e) {
        *error = tr("文件内容已损坏，无法读取：%1").arg(QString::fromUtf8(e.what()));
    }
    out = Sheet();
    return false;
}

} // namespace qor::xlsx
