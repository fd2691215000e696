#pragma once
// One worksheet read from a workbook file, in plain values: the whole read ends here before
// anything touches a grid, so a refused file leaves the grid as it was.
#include <QByteArray>
#include <QHash>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>
#include "platform/colors.h"
#include "platform/qor_global.h"

namespace qor::xlsx {

// Edge styles as the workbook names them.
enum class Edge : uint8_t {
    None, Thin, Medium, Dashed, Dotted, Thick, Double, Hair, MediumDashed, DashDot, MediumDashDot,
    DashDotDot, MediumDashDotDot, SlantDashDot
};

struct BorderEdge {
    Edge style = Edge::None;
    TColor color = clBlack;
};

enum class HAlign : uint8_t { General, Left, Center, Right };
enum class VAlign : uint8_t { Bottom, Top, Center };

struct CellStyle {
    QString fontName;
    double fontSize = 11;
    bool bold = false, italic = false, strike = false, underline = false;
    TColor fontColor = clBlack;
    bool filled = false;
    TColor fill = clWhite;
    HAlign hAlign = HAlign::General;
    VAlign vAlign = VAlign::Bottom;
    bool wrap = false, shrink = false;
    BorderEdge edges[4]; // left, top, right, bottom
    QString numberFormat; // the format code; empty for General
};

struct SheetCell {
    enum Kind : uint8_t { Blank, Number, Text, Boolean, Error };
    int row = 0, col = 0;    // in the imported rectangle
    Kind kind = Blank;       // of the value (a formula's cached result)
    double number = 0;
    QString text;            // text value, or the text of an error
    QString formula;         // in our own syntax with "=", empty when none or not ours
    QString foreignFormula;  // a formula we could not take over (then the value stands)
    int style = 0;           // index into Sheet::styles
};

struct SheetPicture {
    int row = 0, col = 0;
    QByteArray bytes;
};

struct Sheet {
    QString name;
    bool ods = false;
    // The used range of the sheet, in sheet coordinates, and the rectangle taken from it.
    QRect used;
    QRect rect;
    QString defaultFontName = QStringLiteral("Calibri");
    double defaultFontSize = 11;
    std::vector<CellStyle> styles; // [0] is the default
    std::vector<SheetCell> cells;  // row by row
    std::vector<QRect> merges;     // in the rectangle's coordinates (x = column)
    std::vector<int> colWidths;    // pixels, one per column of the rectangle
    std::vector<int> rowHeights;   // pixels, one per row of the rectangle
    std::vector<uint8_t> hiddenCols, hiddenRows;
    QHash<quint64, QString> comments; // key: row << 32 | column, in the rectangle
    std::vector<SheetPicture> pictures;
    QStringList notes;             // what could not be taken over
};

inline quint64 CellKey(int row, int col) { return quint64(uint32_t(row)) << 32 | uint32_t(col); }

// What ImportFromExcel was asked for; negative ends mean the last used row or column.
struct ImportRequest {
    int startRow = 0, startCol = 0, endRow = -1, endCol = -1;
    int sheetIndex = 0;
};

// The rectangle the request names on a sheet whose used range is `used` (never empty: an
// empty sheet uses A1), by the rules of ImportFromExcel.
QOR_AUTOTEST_EXPORT QRect ImportRectangle(const QRect &used, const ImportRequest &request);

// The most cells one import takes; a larger rectangle is refused before it is read.
constexpr qint64 kMaxImportCells = qint64(1) << 24;

// Reads one sheet of an .xlsx or .ods file held in memory. False with a user-facing reason
// when the bytes are no workbook, break the package limits, or a part cannot be parsed.
QOR_AUTOTEST_EXPORT bool ReadSheet(const QByteArray &bytes, const ImportRequest &request, Sheet &out,
                                   QString *error);

} // namespace qor::xlsx
