#pragma once
// The designer's small dialogs: the size of a new table and the count of rows or columns.
#include <QDialog>
#include "platform/qor_global.h"

class QLineEdit;
class QSpinBox;

namespace qor {

// "表格行列设置": rows and columns of a new table.
class QOR_EXPORT TRowColDialog : public QDialog {
    Q_OBJECT
public:
    TRowColDialog(int rows, int cols, QWidget *parent = nullptr);
    QSpinBox *RowsBox() const { return m_rows; }
    QSpinBox *ColsBox() const { return m_cols; }
    int Rows() const;
    int Cols() const;

private:
    QSpinBox *m_rows, *m_cols;
};

// How many rows or columns to insert or append.
class QOR_EXPORT TCountDialog : public QDialog {
    Q_OBJECT
public:
    TCountDialog(const QString &caption, const QString &label, QWidget *parent = nullptr);
    QLineEdit *CountEdit() const { return m_edit; }
    // The entered count; 1 when the entry is no positive whole number.
    int Count() const;

private:
    QLineEdit *m_edit;
};

} // namespace qor
