#include "format/mask_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include "format/edit_mask.h"
#include "format/masked_edit.h"

namespace qor {

namespace {

enum : int { SampleRole = Qt::UserRole + 1, MaskRole };

// Draws an entry as its description on the left and the sample, formatted by its mask, on the
// right, as the user will see it typed.
class SampleDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString formatted = TEditMask::Parse(index.data(MaskRole).toString())
                                      .FormatInput(index.data(SampleRole).toString());
        opt.text.clear();
        QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, p, opt.widget);
        const QRect r = opt.rect.adjusted(4, 0, -4, 0);
        const QPalette::ColorRole role = (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                               : QPalette::Text;
        p->save();
        p->setPen(opt.palette.color(role));
        p->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
        p->drawText(r, Qt::AlignRight | Qt::AlignVCenter, formatted);
        p->restore();
    }
};

} // namespace

TMaskSample TMaskSample::FromLine(const QString &line)
{
    const QStringList parts = line.split(QStringLiteral(" | "));
    if (parts.size() < 3)
        return {};
    return {parts[0].trimmed(), parts[1].trimmed(), parts.mid(2).join(QStringLiteral(" | ")).trimmed()};
}

QStringList TfrmMasks::DefaultSamples()
{
    return {
        QStringLiteral("Phone | 075512345678 | !\\(9999\\)000-00000;1;_"),
        QStringLiteral("Mobile Phone | 13512345678 | 00000000000;1;_"),
        QStringLiteral("Extension | 15450 | !99999;1;_"),
        QStringLiteral("Social Security | 555555555 | 000\\-00\\-0000;1;_"),
        QStringLiteral("Short Zip Code | 90504 | 00000;1;_"),
        QStringLiteral("Long Zip Code | 905040000 | 00000\\-9999;1;_"),
        QStringLiteral("Date | 20050526 | !9999/99/00;1;_"),
        QStringLiteral("Long Time | 090515PM | !90:00:00>LL;1;_"),
        QStringLiteral("Number | 1345 | 9999;0;_"),
    };
}

TfrmMasks::TfrmMasks(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Input Mask Editor"));
    m_mask = new QLineEdit(this);
    m_blank = new QLineEdit(QStringLiteral("_"), this);
    m_blank->setMaxLength(1);
    m_saveLiterals = new QCheckBox(QStringLiteral("Save &Literal Characters"), this);
    m_saveLiterals->setChecked(true);
    m_test = new TQorMaskEdit(this);
    m_samples = new QListWidget(this);
    m_samples->setItemDelegate(new SampleDelegate(m_samples));
    for (const QString &line : DefaultSamples()) {
        const TMaskSample s = TMaskSample::FromLine(line);
        if (s.mask.isEmpty())
            continue;
        auto *item = new QListWidgetItem(s.description, m_samples);
        item->setData(SampleRole, s.sample);
        item->setData(MaskRole, s.mask);
    }
    m_buttons = new QDialogButtonBox(this);
    m_buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);

    auto *maskLabel = new QLabel(QStringLiteral("&Input Mask:"), this);
    maskLabel->setBuddy(m_mask);
    auto *blankLabel = new QLabel(QStringLiteral("Character For &Blanks:"), this);
    blankLabel->setBuddy(m_blank);
    auto *testLabel = new QLabel(QStringLiteral("&Test Input:"), this);
    testLabel->setBuddy(m_test);
    auto *samplesLabel = new QLabel(QStringLiteral("&Sample Masks:"), this);
    samplesLabel->setBuddy(m_samples);

    auto *grid = new QGridLayout(this);
    grid->addWidget(maskLabel, 0, 0);
    grid->addWidget(samplesLabel, 0, 1);
    grid->addWidget(m_mask, 1, 0);
    grid->addWidget(m_samples, 1, 1, 6, 1);
    grid->addWidget(blankLabel, 2, 0);
    grid->addWidget(m_blank, 3, 0);
    grid->addWidget(m_saveLiterals, 4, 0);
    grid->addWidget(testLabel, 5, 0);
    grid->addWidget(m_test, 6, 0);
    grid->addWidget(m_buttons, 7, 0, 1, 2);

    connect(m_samples, &QListWidget::currentRowChanged, this, &TfrmMasks::sampleChosen);
    connect(m_saveLiterals, &QCheckBox::toggled, this, &TfrmMasks::optionsChanged);
    connect(m_blank, &QLineEdit::textChanged, this, &TfrmMasks::optionsChanged);
    connect(m_mask, &QLineEdit::textChanged, this, &TfrmMasks::maskTextChanged);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TfrmMasks::SetEditMask(const QString &mask)
{
    const TEditMask m = TEditMask::Parse(mask);
    m_syncing = true;
    m_saveLiterals->setChecked(m.SaveLiterals());
    m_blank->setText(QString(m.Blank()));
    m_syncing = false;
    m_mask->setText(mask);
    maskTextChanged(mask);
}

QString TfrmMasks::EditMask() const
{
    return m_mask->text();
}

void TfrmMasks::sampleChosen(int row)
{
    QListWidgetItem *item = m_samples->item(row);
    if (!item)
        return;
    SetEditMask(item->data(MaskRole).toString());
}

void TfrmMasks::optionsChanged()
{
    if (m_syncing)
        return;
    const QString part = TEditMask::Parse(m_mask->text()).MaskPart();
    if (part.isEmpty())
        return;
    const QString blank = m_blank->text();
    const QString mask = TEditMask::Compose(part,
                                            m_saveLiterals->isChecked(),
                                            blank.isEmpty() ? QChar(u'_') : blank[0]);
    m_mask->setText(mask);
}

void TfrmMasks::maskTextChanged(const QString &text)
{
    m_test->SetEditMask(text);
}

bool TfrmMasks::Execute(QWidget *parent, QString &mask)
{
    TfrmMasks dlg(parent);
    dlg.SetEditMask(mask);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    mask = dlg.EditMask();
    return true;
}

} // namespace qor
