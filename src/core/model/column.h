#pragma once
// A grid column with the default attributes its cells inherit, and the column's title.
#include <QString>
#include <memory>
#include <optional>
#include "core/model/adapters.h"
#include "core/model/cell_rec.h"
#include "core/model/containers.h"
#include "core/model/enums.h"
#include "core/model/font.h"
#include "core/model/picture.h"

namespace qor {

class TCustomQorGrid;
class TQorColumn;
namespace db {
class TField;
}

class QOR_EXPORT TQorColumnTitle {
public:
    explicit TQorColumnTitle(TQorColumn *Column);

    QString GetCaption() const { return m_caption; }
    void SetCaption(const QString &Value);
    TAlignment GetAlignment() const { return m_alignment; }
    void SetAlignment(TAlignment Value);
    const TQorFont &GetFont() const { return m_font; }
    void SetFont(const TQorFont &Value);
    TColor GetColor() const { return m_color; }
    void SetColor(TColor Value);
    void SetColumnTitleAdapter(std::shared_ptr<IColumnTitleAdapter> Adapter);
    IColumnTitleAdapter *GetColumnTitleAdapter() const { return m_adapter.get(); }
    TQorColumn *GetColumn() const { return m_column; }
    void Assign(const TQorColumnTitle &Source);

private:
    void Changed();

    TQorColumn *m_column;
    QString m_caption;
    TAlignment m_alignment = taCenter;
    TQorFont m_font;
    TColor m_color;
    std::shared_ptr<IColumnTitleAdapter> m_adapter;
};

// The column's filter and grouping state as documents store it; the data layer keeps it.
struct TColumnDataState {
    TFilterType FilterType = ftAll;
    TFilterCondition Condition1 = fcNone;
    QString Value1;
    bool AndCombined = true;
    TFilterCondition Condition2 = fcNone;
    QString Value2;
    bool Numeric = false;
    bool Top10First = true;
    int32_t Top10Count = 10;
    bool Top10Second = true;
    bool Grouped = false;
    bool GroupAscending = true;
    bool GroupFooter = true;   // not stored: a grouping sets it from its specification
    int32_t GroupTag = -1;     // the group level while grouping moves the columns, else -1

    bool operator==(const TColumnDataState &) const = default;
};

// What a filtering run prepares for the length of the run: the deciding entry of a top-10
// filter's sorted list, and the custom values read as numbers once instead of once per row.
struct TFilterRun {
    bool Active = false;   // a run prepared the top-10 entry
    bool Empty = true;     // the count came out below 1: no row passes
    bool Numeric = false;  // the column's texts were all numbers
    QString Text;
    double Value = 0;
    bool CustomRead = false;
    std::optional<double> Number1, Number2;
};

class QOR_EXPORT TQorColumn {
public:
    TQorColumn(TCustomQorGrid *Grid, int Index);
    ~TQorColumn();
    TQorColumn(const TQorColumn &) = delete;
    TQorColumn &operator=(const TQorColumn &) = delete;

    // --- Identity and geometry (the sizes live in the grid's column axis)
    TCustomQorGrid *GetGrid() const { return m_grid; }
    int GetIndex() const { return m_index; }
    // Kept equal to the column's position by the grid.
    void SetIndex(int Value) { m_index = Value; }
    // The width when visible; a hidden column reads its saved width.
    int GetWidth() const;
    // A positive width also shows a hidden column; a negative one stores 0.
    void SetWidth(int Value);
    double GetPhyWidth() const;
    // The width in the grid's unit; negative stores 0. Pixels are derived from it.
    void SetPhyWidth(double Value);
    void SetVisible(bool Value);
    bool GetVisible() const;
    // Cumulative right edge of the column in the sheet.
    int GetRight() const;

    // --- Title, names, binding, summary
    TQorColumnTitle &Title() { return m_title; }
    const TQorColumnTitle &Title() const { return m_title; }
    QString GetName() const { return m_name; }
    // Unique within the grid, compared upper-cased; a duplicate is refused with a message.
    void SetName(const QString &Value);
    QString GetFieldName() const { return m_fieldName; }
    // Resolves the field at once when the grid's data set is open.
    void SetFieldName(const QString &Value);
    // The field FieldName resolved to in the bound data set; none when unbound.
    db::TField *GetField() const { return m_field; }
    void SetField(db::TField *Value) { m_field = Value; }
    TFormulaType GetFormulaType() const { return m_formulaType; }
    void SetFormulaType(TFormulaType Value);

    // --- Default cell attributes. A change is written into the record of every existing cell
    // of the column that has one; cells without a record follow the column anyway.
    QOR_STYLE_ATTRIBUTES(QOR_DECLARE_STYLE_ATTRIBUTE)
    const TCellStyle &Style() const { return m_style; }
    // Every default attribute at once, also written into the record of every existing cell of
    // the column that has one (as setting each attribute would).
    void SetStyle(const TCellStyle &Value);

    // --- Items and picture that new cell copies start from
    TQorStrings &Items() { return m_items; }
    const TQorStrings &GetItems() const { return m_items; }
    void SetItems(const TQorStrings &Value);
    const TQorPicture &GetGraphic() const { return m_graphic; }
    void SetGraphic(const TQorPicture &Value);

    // --- Filter and grouping state (the filter members are defined with filtering, in data/)
    TColumnDataState &DataState() { return m_dataState; }
    const TColumnDataState &DataState() const { return m_dataState; }
    TFilterType GetFilterType() const { return m_dataState.FilterType; }
    // Repaints the title when it changes; applies nothing (DoFilter does).
    void SetFilterType(TFilterType Value);
    // Whether a cell text passes the column's filter; Numeric is the top-10 list's flag.
    bool Filter(const QString &Text, bool Numeric) const;
    // Store the conditions without changing the filter type or applying anything.
    void SetCustomFilter(TFilterCondition Condition1, const QString &Value1, bool AndCombination,
                         TFilterCondition Condition2, const QString &Value2, bool Numeric);
    void SetCustomFilter(TFilterCondition Condition, const QString &Value, bool Numeric);
    void SetTop10Filter(bool Largest, int Count, bool Items);
    TFilterRun &FilterRun() { return m_run; }
    const TFilterRun &FilterRun() const { return m_run; }

    // --- Records (defined with the record readers and writers in io/)
    // Stream := the length-prefixed record of this column.
    void SaveToStream(QByteArray &Stream) const;
    // Reads a length-prefixed column record; false (nothing changed) when it is unreadable.
    bool LoadFromStream(const QByteArray &Stream);

    // --- Whole-column operations
    // Back to the defaults of a new column (the background follows the grid's Color now).
    void SetDefault();
    // Copies attributes, title, items, picture, field name and summary type; not the name.
    void Assign(const TQorColumn &Source);
    void SetColumnAdapter(std::shared_ptr<IColumnAdapter> Adapter);
    IColumnAdapter *GetColumnAdapter() const { return m_adapter.get(); }
    // Closes an in-place editor open on a cell of this column.
    void HideGridEditor() const;

private:
    friend struct ColumnAccess;
    template <class Apply>
    void ChangeAttribute(bool closesEditor, Apply &&apply);

    TCustomQorGrid *m_grid;
    int m_index;
    TCellStyle m_style;
    TQorColumnTitle m_title;
    QString m_name;
    QString m_fieldName;
    db::TField *m_field = nullptr;
    TFormulaType m_formulaType = ftNone;
    TQorStrings m_items;
    TQorPicture m_graphic;
    TColumnDataState m_dataState;
    TFilterRun m_run;
    std::shared_ptr<IColumnAdapter> m_adapter;
};

} // namespace qor
