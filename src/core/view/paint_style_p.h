#pragma once
// Everything the painter needs of one cell, resolved once per paint: the override event, then
// the cell, then its column (or the fixed defaults and the grid font where there is no cell).
#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include "core/model/enums.h"
#include "platform/colors.h"
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
class TCellInfo;

struct QOR_AUTOTEST_EXPORT CellPaintStyle {
    QString text;            // display text
    QByteArray richText;     // ctRichEdit cells: their RTF, drawn instead of text
    QString leftText, rightText;
    QFont font;
    TColor fontColor = clWindowText;
    TColor backColor = clWhite;   // after GetCellDrawColor, before the selection tint
    TBrushStyle brushStyle = bsSolid;
    bool selected = false;

    TAlignment alignment = taLeftJustify;
    TVerAlignment verAlignment = vtaCenter;
    bool wordWrap = false;
    bool verticalText = false;
    int verticalTextSpace = 0;
    int fontAngle = 0;
    bool shrinkToFit = false;
    int textMargin[4] = {3, 2, 4, 2};      // left, top, right, bottom

    TCellType cellType = ctEdit;
    TValueType valueType = vtString;
    bool showCurrencyLine = true;
    bool printCurrencyLine = true;   // printing: the ledger digit lines
    bool printable = true;           // printing: background and contents
    QChar passwordChar;
    bool checked = false;
    int itemIndex = -1;
    QStringList items;
    bool ctl3D = false;
    bool hasHint = false;

    bool line[4] = {true, true, true, true};
    bool frame[4] = {false, false, false, false};
    int frameWidth[4] = {1, 1, 1, 1};
    TColor frameColor[4] = {clBlack, clBlack, clBlack, clBlack};
    TPenStyle frameStyle[4] = {psSolid, psSolid, psSolid, psSolid};

    TColor biasColor = clBlack;
    TPenStyle biasStyle = psSolid;
    int biasWidth = 1;
    TBiasDirection biasDirection = bdDown;

    QImage graphic;
    int imageIndex = -1;
    int graphicMargin[4] = {4, 2, 4, 2};
    TAlignment graphicHorAlignment = taCenter;
    TVerAlignment graphicVerAlignment = vtaCenter;
    bool stretch = false;
    bool stretchFine = false;
    bool tileGraphic = false;
    bool transparent = false;
    TColor transparentColor = clBlack;

    // A diagonal header cell: either side text is set.
    bool IsDiagonal() const { return !leftText.isEmpty() || !rightText.isEmpty(); }
    // Drawn digit by digit in ruled columns.
    bool IsLedger() const
    {
        return fontAngle % 360 == 0 &&
               (valueType == vtChineseCurrency || (valueType == vtCurrency && showCurrencyLine));
    }
};

// Resolves the style of a position; cell is the object there or nothing (never created).
QOR_AUTOTEST_EXPORT void ResolveCellPaintStyle(TCustomQorGrid &grid, int row, int col, const TCellInfo *cell,
                                               CellPaintStyle &style);

} // namespace qor
