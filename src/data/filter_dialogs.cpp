#include "data/filter_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

namespace qor {

namespace {

void useDialogFont(QDialog &dialog)
{
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    dialog.setFont(font);
}

// "确定" accepts, "取消" rejects.
QDialogButtonBox *okCancel(QDialog &dialog)
{
    auto *box = new QDialogButtonBox(&dialog);
    QPushButton *ok = box->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    box->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return box;
}

QComboBox *conditionBox(QWidget *parent, TFilterCondition current)
{
    auto *box = new QComboBox(parent);
    box->addItem(QString());
    for (const QString &t : QStringLiteral("等于;不等于;大于;大于或等于;小于;小于或等于;始于;并非起始于;止于;并非结束于;包含;不包含").split(u';'))
        box->addItem(t);
    box->setCurrentIndex(int(current));
    return box;
}

} // namespace

TTop10FilterDialog::TTop10FilterDialog(const TColumnDataState &state, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("自动筛选前 10 个"));
    useDialogFont(*this);
    const bool shown = state.FilterType == ftTop10;
    LargestBox = new QComboBox(this);
    LargestBox->addItems({QStringLiteral("最大"), QStringLiteral("最小")});
    CountEdit = new QSpinBox(this);
    CountEdit->setRange(0, INT_MAX);
    CountEdit->setValue(10);
    ItemsBox = new QComboBox(this);
    ItemsBox->addItems({QStringLiteral("项"), QStringLiteral("百分比")});
    if (shown) {
        LargestBox->setCurrentIndex(state.Top10First ? 0 : 1);
        CountEdit->setValue(std::max(state.Top10Count, 0));
        ItemsBox->setCurrentIndex(state.Top10Second ? 0 : 1);
    }
    auto *row = new QHBoxLayout;
    row->addWidget(LargestBox);
    row->addWidget(CountEdit);
    row->addWidget(ItemsBox);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("显示"), this));
    layout->addLayout(row);
    layout->addWidget(okCancel(*this));
}

void TTop10FilterDialog::Store(TQorColumn &column) const
{
    column.SetTop10Filter(LargestBox->currentIndex() == 0, CountEdit->value(), ItemsBox->currentIndex() == 0);
}

TCustomFilterDialog::TCustomFilterDialog(const TColumnDataState &state, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("自定义自动筛选方式"));
    useDialogFont(*this);
    const bool shown = state.FilterType == ftCustom;
    Condition1Box = conditionBox(this, shown ? state.Condition1 : fcNone);
    Value1Edit = new QLineEdit(shown ? state.Value1 : QString(), this);
    AndButton = new QRadioButton(QStringLiteral("与(&A)"), this);
    OrButton = new QRadioButton(QStringLiteral("或(&O)"), this);
    (shown && !state.AndCombined ? OrButton : AndButton)->setChecked(true);
    Condition2Box = conditionBox(this, shown ? state.Condition2 : fcNone);
    Value2Edit = new QLineEdit(shown ? state.Value2 : QString(), this);
    NumericBox = new QCheckBox(QStringLiteral("按数值匹配"), this);
    NumericBox->setChecked(shown && state.Numeric);

    auto *grid = new QGridLayout;
    grid->addWidget(Condition1Box, 0, 0);
    grid->addWidget(Value1Edit, 0, 1);
    auto *combine = new QHBoxLayout;
    combine->addWidget(AndButton);
    combine->addWidget(OrButton);
    combine->addStretch();
    grid->addLayout(combine, 1, 0, 1, 2);
    grid->addWidget(Condition2Box, 2, 0);
    grid->addWidget(Value2Edit, 2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("显示行:"), this));
    layout->addLayout(grid);
    layout->addWidget(NumericBox);
    layout->addWidget(okCancel(*this));
}

void TCustomFilterDialog::Store(TQorColumn &column) const
{
    column.SetCustomFilter(TFilterCondition(Condition1Box->currentIndex()), Value1Edit->text(), AndButton->isChecked(),
                           TFilterCondition(Condition2Box->currentIndex()), Value2Edit->text(),
                           NumericBox->isChecked());
}

} // namespace qor
