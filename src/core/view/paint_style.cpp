#include "core/view/paint_style_p.h"

#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "format/display_text.h"
#include "formula/engine/exp_value.h"

namespace qor {

namespace {

// Attributes a cell inherits from its column: read from whichever of the two is there.
template <class Source>
void fromSource(const Source &s, CellPaintStyle &st)
{
    st.alignment = s.GetAlignment();
    st.verAlignment = s.GetVerAlignment();
    st.wordWrap = s.GetWordWrap();
    st.verticalText = s.GetVerticalText();
    st.verticalTextSpace = s.GetVerticalTextSpace();
    st.fontAngle = s.GetFontAngle();
    st.shrinkToFit = s.GetShrinkToFit();
    st.textMargin[0] = s.GetTextLMargin();
    st.textMargin[1] = s.GetTextTMargin();
    st.textMargin[2] = s.GetTextRMargin();
    st.textMargin[3] = s.GetTextBMargin();
    st.cellType = s.GetCellType();
    st.valueType = s.GetValueType();
    st.showCurrencyLine = s.GetShowCurrencyLine();
    st.printCurrencyLine = s.GetPrintCurrencyLine();
    st.printable = s.GetPrintable();
    st.passwordChar = s.GetPasswordChar();
    st.brushStyle = s.GetBrushStyle();
    st.hasHint = !s.GetHint().isEmpty();
    st.biasColor = s.GetBiasColor();
    st.biasStyle = s.GetBiasStyle();
    st.biasWidth = s.GetBiasWidth();
    st.biasDirection = s.GetBiasDirection();
    st.imageIndex = s.GetImageIndex();
    st.graphicMargin[0] = s.GetGraphicLMargin();
    st.graphicMargin[1] = s.GetGraphicTMargin();
    st.graphicMargin[2] = s.GetGraphicRMargin();
    st.graphicMargin[3] = s.GetGraphicBMargin();
    st.graphicHorAlignment = s.GetGraphicHorAlignment();
    st.graphicVerAlignment = s.GetGraphicVerAlignment();
    st.stretch = s.GetStretch();
    st.stretchFine = s.GetStretchFine();
    st.tileGraphic = s.GetTileGraphic();
    st.transparent = s.GetTransparent();
    st.transparentColor = s.GetTransparentColor();
}

// Ledger cells draw their own digits from the amount as entered; every other cell shows the
// grid's display text (which raises OnGetText and applies the TCellData number overrides).
QString cellText(TCustomQorGrid &grid, const TCellInfo &cell, const CellPaintStyle &st)
{
    if (!st.IsLedger())
        return grid.CellDisplayText(cell.GetRow(), cell.GetCol());
    QString text = GridPrivate::get(grid).seams.binding->FieldText(cell.GetRow(), cell.GetCol()).value_or(cell.GetText());
    text = TCustomQorGrid::IsFormulaText(text) ? cell.GetFormulaValue().ToQString() : ConvertCellText(text);
    if (grid.OnGetText)
        grid.OnGetText(&grid, cell.GetRow(), cell.GetCol(), text);
    return text;
}

QString emptyCellText(TCustomQorGrid &grid, int row, int col, const CellPaintStyle &st)
{
    if (!st.IsLedger())
        return grid.CellDisplayText(row, col);
    QString text = grid.GetCellText(row, col);
    if (grid.OnGetText)
        grid.OnGetText(&grid, row, col, text);
    return text;
}

void applyCellData(const TCellData &x, CellPaintStyle &st)
{
    auto on = [&x](int flag) { return x.TestSet(flag); };
    if (on(TCellData::cdAlignment)) st.alignment = x.GetAlignment();
    if (on(TCellData::cdVerAlignment)) st.verAlignment = x.GetVerAlignment();
    if (on(TCellData::cdFontSize)) st.font.setPointSize(std::max(1, x.GetFontSize()));
    if (on(TCellData::cdFontBold)) st.font.setBold(x.GetFontBold());
    if (on(TCellData::cdFontItalic)) st.font.setItalic(x.GetFontItalic());
    if (on(TCellData::cdFontStrikethrough)) st.font.setStrikeOut(x.GetFontStrikethrough());
    if (on(TCellData::cdUnderline)) st.font.setUnderline(x.GetUnderline());
    if (on(TCellData::cdFontName)) st.font.setFamily(x.GetFontName());
    if (on(TCellData::cdFontColor)) st.fontColor = x.GetFontColor();
    if (on(TCellData::cdWordWrap)) st.wordWrap = x.GetWordWrap();
    if (on(TCellData::cdBiasColor)) st.biasColor = x.GetBiasColor();
    if (on(TCellData::cdBiasDirection)) st.biasDirection = x.GetBiasDirection();
    if (on(TCellData::cdBiasWidth)) st.biasWidth = x.GetBiasWidth();
    if (on(TCellData::cdBiasStyle)) st.biasStyle = x.GetBiasStyle();
    if (on(TCellData::cdLeftLine)) st.line[ceLeft] = x.GetLeftLine();
    if (on(TCellData::cdTopLine)) st.line[ceTop] = x.GetTopLine();
    if (on(TCellData::cdRightLine)) st.line[ceRight] = x.GetRightLine();
    if (on(TCellData::cdBottomLine)) st.line[ceBottom] = x.GetBottomLine();
    if (on(TCellData::cdLeftFrame)) st.frame[ceLeft] = x.GetLeftFrame();
    if (on(TCellData::cdTopFrame)) st.frame[ceTop] = x.GetTopFrame();
    if (on(TCellData::cdRightFrame)) st.frame[ceRight] = x.GetRightFrame();
    if (on(TCellData::cdBottomFrame)) st.frame[ceBottom] = x.GetBottomFrame();
    if (on(TCellData::cdLeftFrameWidth)) st.frameWidth[ceLeft] = x.GetLeftFrameWidth();
    if (on(TCellData::cdTopFrameWidth)) st.frameWidth[ceTop] = x.GetTopFrameWidth();
    if (on(TCellData::cdRightFrameWidth)) st.frameWidth[ceRight] = x.GetRightFrameWidth();
    if (on(TCellData::cdBottomFrameWidth)) st.frameWidth[ceBottom] = x.GetBottomFrameWidth();
    if (on(TCellData::cdLeftFrameColor)) st.frameColor[ceLeft] = x.GetLeftFrameColor();
    if (on(TCellData::cdTopFrameColor)) st.frameColor[ceTop] = x.GetTopFrameColor();
    if (on(TCellData::cdRightFrameColor)) st.frameColor[ceRight] = x.GetRightFrameColor();
    if (on(TCellData::cdBottomFrameColor)) st.frameColor[ceBottom] = x.GetBottomFrameColor();
    if (on(TCellData::cdLeftFrameStyle)) st.frameStyle[ceLeft] = x.GetLeftFrameStyle();
    if (on(TCellData::cdTopFrameStyle)) st.frameStyle[ceTop] = x.GetTopFrameStyle();
    if (on(TCellData::cdRightFrameStyle)) st.frameStyle[ceRight] = x.GetRightFrameStyle();
    if (on(TCellData::cdBottomFrameStyle)) st.frameStyle[ceBottom] = x.GetBottomFrameStyle();
    if (on(TCellData::cdTileGraphic)) st.tileGraphic = x.GetTileGraphic();
    if (on(TCellData::cdStretch)) st.stretch = x.GetStretch();
    if (on(TCellData::cdStretchFine)) st.stretchFine = x.GetStretchFine();
    if (on(TCellData::cdVerticalText)) st.verticalText = x.GetVerticalText();
    if (on(TCellData::cdVerticalTextSpace)) st.verticalTextSpace = x.GetVerticalTextSpace();
    if (on(TCellData::cdTransparentColor)) st.transparentColor = x.GetTransparentColor();
    if (on(TCellData::cdTransparent)) st.transparent = x.GetTransparent();
    if (on(TCellData::cdTextLMargin)) st.textMargin[0] = x.GetTextLMargin();
    if (on(TCellData::cdTextTMargin)) st.textMargin[1] = x.GetTextTMargin();
    if (on(TCellData::cdTextRMargin)) st.textMargin[2] = x.GetTextRMargin();
    if (on(TCellData::cdTextBMargin)) st.textMargin[3] = x.GetTextBMargin();
    if (on(TCellData::cdGraphicHorAlignment)) st.graphicHorAlignment = x.GetGraphicHorAlignment();
    if (on(TCellData::cdGraphicVerAlignment)) st.graphicVerAlignment = x.GetGraphicVerAlignment();
    if (on(TCellData::cdGraphicLMargin)) st.graphicMargin[0] = x.GetGraphicLMargin();
    if (on(TCellData::cdGraphicTMargin)) st.graphicMargin[1] = x.GetGraphicTMargin();
    if (on(TCellData::cdGraphicRMargin)) st.graphicMargin[2] = x.GetGraphicRMargin();
    if (on(TCellData::cdGraphicBMargin)) st.graphicMargin[3] = x.GetGraphicBMargin();
    if (on(TCellData::cdCtl3D)) st.ctl3D = x.GetCtl3D();
    if (on(TCellData::cdHint)) st.hasHint = !x.GetHint().isEmpty();
    if (on(TCellData::cdBrushStyle)) st.brushStyle = x.GetBrushStyle();
    if (on(TCellData::cdFontAngle)) st.fontAngle = x.GetFontAngle();
    if (on(TCellData::cdShrinkToFit)) st.shrinkToFit = x.GetShrinkToFit();
    if (on(TCellData::cdShowCurrencyLine)) st.showCurrencyLine = x.GetShowCurrencyLine();
    if (on(TCellData::cdPrintCurrencyLine)) st.printCurrencyLine = x.GetPrintCurrencyLine();
    if (on(TCellData::cdPrintable)) st.printable = x.GetPrintable();
}

} // namespace

void ResolveCellPaintStyle(TCustomQorGrid &grid, int row, int col, const TCellInfo *cell, CellPaintStyle &st)
{
    st = CellPaintStyle();
    GridPrivate &d = GridPrivate::get(grid);
    const TQorFont *font = cell ? cell->PeekFont() : nullptr;
    if (!font)
        font = &d.look.font;
    st.font = font->Font;
    st.fontColor = font->Color;
    const TQorColumn *column = d.column(col);
    if (cell) {
        fromSource(*cell, st);
        for (int e = 0; e < 4; ++e) {
            const auto edge = TCellEdge(e);
            st.line[e] = cell->GetLine(edge);
            st.frame[e] = cell->GetFrame(edge);
            st.frameWidth[e] = cell->GetFrameWidth(edge);
            st.frameColor[e] = cell->GetFrameColor(edge);
            st.frameStyle[e] = cell->GetFrameStyle(edge);
        }
        st.leftText = cell->GetLeftText();
        st.rightText = cell->GetRightText();
        st.checked = cell->GetChecked();
        st.itemIndex = cell->GetItemIndex();
        st.ctl3D = cell->GetCtl3D();
        if (const TQorStrings *items = cell->PeekItems())
            st.items = items->Items();
        else if (column)
            st.items = column->GetItems().Items();
        if (const TQorPicture *picture = cell->PeekGraphic())
            st.graphic = picture->Image;
        else if (column)
            st.graphic = column->GetGraphic().Image;
    } else if (column) {
        fromSource(*column, st);
        st.items = column->GetItems().Items();
        st.graphic = column->GetGraphic().Image;
    }
    if (const IDataBinding &binding = *GridPrivate::get(grid).seams.binding; binding.IsBound(row, col)) {
        if (std::optional<bool> checked = binding.FieldChecked(row, col))
            st.checked = *checked;
        if (st.graphic.isNull())
            if (std::optional<QImage> picture = binding.FieldPicture(row, col))
                st.graphic = *picture;
    }
    TCellData data;
    if (grid.OnGetCellData) {
        grid.OnGetCellData(&grid, row, col, data);
        applyCellData(data, st);
    }
    if (grid.OnGetAlignment)
        grid.OnGetAlignment(&grid, row, col, st.alignment, st.verAlignment);
    st.text = cell ? cellText(grid, *cell, st) : emptyCellText(grid, row, col, st);
    if (cell && st.cellType == ctRichEdit)
        st.richText = cell->GetRichText();
    if (cell) {
        st.backColor = grid.GetCellDrawColor(const_cast<TCellInfo *>(cell));
    } else {
        st.backColor = grid.GetCellBackColor(row, col);
        if (grid.OnDrawCellColor)
            grid.OnDrawCellColor(&grid, row, col, st.backColor);
        if (data.TestSet(TCellData::cdBackColor))
            st.backColor = data.GetBackColor();
    }
    st.selected = d.selection.contains(col, row);
}

} // namespace qor
