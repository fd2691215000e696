#pragma once
// The two dialogs of the title drop-down: the top-10 filter and the custom filter of a column.
// Each shows the column's filter when it already is of its kind, and writes it back on Accept.
#include <QDialog>
#include "core/model/column.h"
#include "platform/qor_global.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace qor {

class QOR_EXPORT TTop10FilterDialog : public QDialog {
    Q_OBJECT
public:
    explicit TTop10FilterDialog(const TColumnDataState &state, QWidget *parent = nullptr);
    // The controls' values into the top-10 fields.
    void Store(TQorColumn &column) const;

    QComboBox *LargestBox;   // "最大", "最小"
    QSpinBox *CountEdit;
    QComboBox *ItemsBox;     // "项", "百分比"
};

class QOR_EXPORT TCustomFilterDialog : public QDialog {
    Q_OBJECT
public:
    explicit TCustomFilterDialog(const TColumnDataState &state, QWidget *parent = nullptr);
    void Store(TQorColumn &column) const;

    QComboBox *Condition1Box;  // entry index = TFilterCondition ordinal
    QLineEdit *Value1Edit;
    QRadioButton *AndButton;
    QRadioButton *OrButton;
    QComboBox *Condition2Box;
    QLineEdit *Value2Edit;
    QCheckBox *NumericBox;
};

} // namespace qor
