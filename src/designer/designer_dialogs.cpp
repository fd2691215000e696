#include "designer/designer_dialogs.h"

#include <algorithm>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qor {

namespace {
// A new table's size; larger ones are made with the row and column commands.
constexpr int MaxNewRows = 1000000;
constexpr int MaxNewCols = 10000;
// One insertion at most; the grid itself refuses sizes it cannot hold.
constexpr int MaxCount = 1000000;

QDialogButtonBox *okCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
} // namespace

TRowColDialog::TRowColDialog(int rows, int cols, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("表格行列设置"));
    m_rows = new QSpinBox(this);
    m_rows->setRange(1, MaxNewRows);
    m_rows->setValue(std::clamp(rows, 1, MaxNewRows));
    m_cols = new QSpinBox(this);
    m_cols->setRange(1, MaxNewCols);
    m_cols->setValue(std::clamp(cols, 1, MaxNewCols));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("行数(&R)："), m_rows);
    form->addRow(QStringLiteral("列数(&C)："), m_cols);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

int TRowColDialog::Rows() const { return m_rows->value(); }
int TRowColDialog::Cols() const { return m_cols->value(); }

TCountDialog::TCountDialog(const QString &caption, const QString &label, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(caption);
    m_edit = new QLineEdit(QStringLiteral("1"), this);
    m_edit->setValidator(new QIntValidator(1, MaxCount, m_edit));
    m_edit->selectAll();
    auto *form = new QFormLayout;
    form->addRow(label, m_edit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

int TCountDialog::Count() const
{
    bool ok = false;
    const int n = m_edit->text().trimmed().toInt(&ok);
    return ok && n >= 1 && n <= MaxCount ? n : 1;
}

} // namespace qor
