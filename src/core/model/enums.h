#pragma once
// Enumerations shared by the whole library. Ordinals are stored in streams: never reorder.
#include <cstdint>
#include <initializer_list>

namespace qor {

// Attribute types of the window system.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
using TCursor = int16_t;
constexpr TCursor crDefault = 0;

enum TCellType : uint8_t {
    ctEdit, ctCombo, ctButton, ctCheckBox, ctDate, ctRichEdit, ctRadioButton, ctSpinEdit, ctHyperLink, ctMemo
};
enum TValueType : uint8_t {
    vtString, vtWord, vtInteger, vtFloat, vtNegInt, vtPosFloat, vtNegFloat, vtCurrency, vtPercent,
    vtChineseCurrency, vtChineseLongCurr, vtChineseShortCurr, vtChineseDate
};
enum TVerAlignment : uint8_t { vtaTop, vtaBottom, vtaCenter };
enum TBiasDirection : uint8_t { bdDown, bdUp };
enum TUnitType : uint8_t { utPixel, utMillimeter, utInch };
enum TFormulaType : uint8_t { ftNone, ftSum, ftCount, ftMin, ftMax, ftAvg };
enum TGridType : uint8_t { gtExcel, gtInvoice, gtGrid };
enum TState : uint8_t { gsNormal, gsRowSizing, gsColSizing, gsSelecting, gsSelection };
enum TMoveDirectory : uint8_t { mdNone, mdLeft, mdTop, mdRight, mdBottom };
enum TEditControlType : uint8_t { ectEdit, ectRichEdit, ectMemo };
enum TLocation : uint8_t { slRegistry, slIniFile };
enum TFilterType : uint8_t { ftAll, ftTop10, ftCustom, ftBlanks, ftNonBlanks };
enum TFilterCondition : uint8_t {
    fcNone, fcEquals, fcDoesNotEqual, fcIsGreaterThan, fcIsGreaterThanOrEqual, fcIsLessThan,
    fcIsLessThanOrEqual, fcBeginsWith, fcDoesNotBeginWith, fcEndsWith, fcDoesNotEndWith, fcContains,
    fcDoesNotContain
};

// The grid's option set: bit n of a 32-bit value.
enum TQorGridOption : uint8_t {
    qgoShadow, qgoAlwaysShowEditor, qgoRowSizing, qgoColSizing, qgoHiddenSizing, qgoMultiSelect,
    qgoShowColIndex, qgoShowExcelTitle, qgoEditing, qgoRowMoving, qgoColMoving, qgoSorting,
    qgoShowFilter, qgoRowSelect, qgoCanCopy, qgoCanPaste, qgoCanSelectAll, qgoCanInsert,
    qgoCanAppend, qgoCanDelete, qgoConfirmDelete, qgoCanCut, qgoAutoCalFormula, qgoAutoSelectRow,
    qgoAutoSelectCol, qgoSelAllOnEdit, qgoShowHintSymbol, qgoQuickShowHint, qgoShowSizeInfo,
    qgoAutoNextRowCol, qgoAutoMerge, qgoAlwaysShowButton
};

class TQorGridOptions {
public:
    constexpr TQorGridOptions() = default;
    constexpr explicit TQorGridOptions(uint32_t bits) : m_bits(bits) {}
    constexpr TQorGridOptions(std::initializer_list<TQorGridOption> list)
    {
        for (TQorGridOption o : list)
            m_bits |= bit(o);
    }
    static constexpr uint32_t bit(TQorGridOption o) { return uint32_t(1) << unsigned(o); }
    constexpr bool Contains(TQorGridOption o) const { return (m_bits & bit(o)) != 0; }
    constexpr TQorGridOptions With(TQorGridOption o) const { return TQorGridOptions(m_bits | bit(o)); }
    constexpr TQorGridOptions Without(TQorGridOption o) const { return TQorGridOptions(m_bits & ~bit(o)); }
    constexpr uint32_t Bits() const { return m_bits; }
    constexpr bool operator==(const TQorGridOptions &) const = default;

private:
    uint32_t m_bits = 0;
};

// The option set of a new grid.
constexpr TQorGridOptions DefaultGridOptions{0x35FFC1FCu};

} // namespace qor
