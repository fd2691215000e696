#include "designer/cell_format_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include "core/grid.h"
#include "platform/modal.h"

namespace qor {

namespace {

const char *const ColorProperty = "qorColor";

QStringList valueTypeNames()
{
    return {QStringLiteral("文本"), QStringLiteral("无符号整数"), QStringLiteral("整数"), QStringLiteral("小数"),
            QStringLiteral("负整数"), QStringLiteral("正小数"), QStringLiteral("负小数"), QStringLiteral("货币"),
            QStringLiteral("百分比"), QStringLiteral("金额（格式）"), QStringLiteral("中文大写金额"),
            QStringLiteral("中文大写金额（简）"), QStringLiteral("中文日期")};
}

QStringList cellTypeNames()
{
    return {QStringLiteral("文本框"), QStringLiteral("下拉框"), QStringLiteral("按钮"), QStringLiteral("复选框"),
            QStringLiteral("日期"), QStringLiteral("RTF 文本"), QStringLiteral("单选按钮"), QStringLiteral("数值调节框"),
            QStringLiteral("超链接"), QStringLiteral("多行文本")};
}

QStringList penStyleNames()
{
    return {QStringLiteral("实线"), QStringLiteral("虚线"), QStringLiteral("点线"), QStringLiteral("点划线"),
            QStringLiteral("双点划线"), QStringLiteral("无"), QStringLiteral("内框线")};
}

const QString EdgeNames[4] = {QStringLiteral("左"), QStringLiteral("上"), QStringLiteral("右"), QStringLiteral("下")};

QComboBox *combo(QWidget *parent, const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    return box;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The format record

TCellFormat TCellFormat::Of(const TCellInfo &cell)
{
    TCellFormat f;
    f.ValueType = cell.GetValueType();
    f.Digits = cell.GetDigits();
    f.Thousands = cell.GetThousandSeparators();
    f.TrimZero = cell.GetTrimZero();
    f.Alignment = cell.GetAlignment();
    f.VerAlignment = cell.GetVerAlignment();
    f.WordWrap = cell.GetWordWrap();
    if (const TQorFont *font = cell.PeekFont())
        f.Font = *font;
    else if (cell.GetGrid())
        f.Font = cell.GetGrid()->GetFont();
    f.BackColor = cell.GetBackColor();
    for (int e = 0; e < 4; ++e) {
        const auto edge = TCellEdge(e);
        f.Frame[e] = cell.GetFrame(edge);
        f.Line[e] = cell.GetLine(edge);
        f.FrameWidth[e] = cell.GetFrameWidth(edge);
        f.FrameStyle[e] = cell.GetFrameStyle(edge);
        f.FrameColor[e] = cell.GetFrameColor(edge);
    }
    f.CellType = cell.GetCellType();
    if (const TQorStrings *items = cell.PeekItems())
        f.Items = items->Items();
    else if (const TQorColumn *column = cell.GetColumn())
        f.Items = column->GetItems().Items();
    f.Mask = cell.GetMask();
    f.ReadOnly = cell.GetReadOnly();
    f.MaxLength = cell.GetMaxLength();
    return f;
}

TCellFormat TCellFormat::Of(const TQorColumn &column)
{
    TCellFormat f;
    f.ValueType = column.GetValueType();
    f.Digits = column.GetDigits();
    f.Thousands = column.GetThousandSeparators();
    f.TrimZero = column.GetTrimZero();
    f.Alignment = column.GetAlignment();
    f.VerAlignment = column.GetVerAlignment();
    f.WordWrap = column.GetWordWrap();
    if (column.GetGrid())
        f.Font = column.GetGrid()->GetFont();
    f.BackColor = column.GetBackColor();
    f.CellType = column.GetCellType();
    f.Items = column.GetItems().Items();
    f.Mask = column.GetMask();
    f.ReadOnly = column.GetReadOnly();
    f.MaxLength = column.GetMaxLength();
    return f;
}

// The style fields cells and columns share, written where they differ from what was shown.
template <class Target>
static void applyStyle(const TCellFormat &f, Target &t, const TCellFormat &i)
{
    if (f.ValueType != i.ValueType)
        t.SetValueType(f.ValueType);
    if (f.Digits != i.Digits)
        t.SetDigits(f.Digits);
    if (f.Thousands != i.Thousands)
        t.SetThousandSeparators(f.Thousands);
    if (f.TrimZero != i.TrimZero)
        t.SetTrimZero(f.TrimZero);
    if (f.Alignment != i.Alignment)
        t.SetAlignment(f.Alignment);
    if (f.VerAlignment != i.VerAlignment)
        t.SetVerAlignment(f.VerAlignment);
    if (f.WordWrap != i.WordWrap)
        t.SetWordWrap(f.WordWrap);
    if (f.BackColor != i.BackColor)
        t.SetBackColor(f.BackColor);
    if (f.CellType != i.CellType)
        t.SetCellType(f.CellType);
    if (f.Mask != i.Mask)
        t.SetMask(f.Mask);
    if (f.ReadOnly != i.ReadOnly)
        t.SetReadOnly(f.ReadOnly);
    if (f.MaxLength != i.MaxLength)
        t.SetMaxLength(f.MaxLength);
    if (f.Items != i.Items)
        t.SetItems(TQorStrings(f.Items));
}

void TCellFormat::ApplyTo(TCellInfo &cell, const TCellFormat &i) const
{
    applyStyle(*this, cell, i);
    if (!(Font == i.Font))
        cell.SetFont(Font);
    for (int e = 0; e < 4; ++e) {
        const auto edge = TCellEdge(e);
        if (FrameWidth[e] != i.FrameWidth[e])
            cell.SetFrameWidth(edge, FrameWidth[e]);
        if (FrameStyle[e] != i.FrameStyle[e])
            cell.SetFrameStyle(edge, FrameStyle[e]);
        if (FrameColor[e] != i.FrameColor[e])
            cell.SetFrameColor(edge, FrameColor[e]);
        if (Frame[e] != i.Frame[e])
            cell.SetFrame(edge, Frame[e]);
        if (Line[e] != i.Line[e])
            cell.SetLine(edge, Line[e]);
    }
}

void TCellFormat::ApplyTo(TQorColumn &column, const TCellFormat &i) const { applyStyle(*this, column, i); }

// ---------------------------------------------------------------------------------------------
// The dialog

TCellFormatDialog::TCellFormatDialog(const TCellFormat &format, bool column, QWidget *parent)
    : QDialog(parent), m_initial(format), m_column(column), m_font(format.Font)
{
    setWindowTitle(column ? QStringLiteral("列格式") : QStringLiteral("单元格格式"));
    m_pages = new QTabWidget(this);
    m_pages->addTab(numberPage(), QStringLiteral("数字"));
    m_pages->addTab(alignmentPage(), QStringLiteral("对齐"));
    m_pages->addTab(fontPage(), QStringLiteral("字体"));
    m_pages->addTab(borderPage(), QStringLiteral("边框"));
    m_pages->addTab(patternPage(), QStringLiteral("图案"));
    m_pages->addTab(editorPage(), QStringLiteral("编辑"));
    if (column) {
        // A column's cells take their font, frames and lines one by one.
        m_pages->setTabEnabled(pgFont, false);
        m_pages->setTabEnabled(pgBorder, false);
        m_pages->setTabToolTip(pgFont, QStringLiteral("列没有自己的字体，请设置单元格格式"));
        m_pages->setTabToolTip(pgBorder, QStringLiteral("列没有自己的框线，请设置单元格格式"));
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    updateSample();
    updateEnabled();
}

QWidget *TCellFormatDialog::numberPage()
{
    auto *page = new QWidget;
    m_valueType = combo(page, valueTypeNames());
    m_valueType->setCurrentIndex(m_initial.ValueType);
    m_digits = new QSpinBox(page);
    m_digits->setRange(0, 10);
    m_digits->setValue(std::clamp(m_initial.Digits, 0, 10));
    m_thousands = new QCheckBox(QStringLiteral("使用千位分隔符(&T)"), page);
    m_thousands->setChecked(m_initial.Thousands);
    m_trimZero = new QCheckBox(QStringLiteral("去掉小数末尾的零(&Z)"), page);
    m_trimZero->setChecked(m_initial.TrimZero);
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("数据类型(&V)："), m_valueType);
    form->addRow(QStringLiteral("小数位数(&D)："), m_digits);
    form->addRow(m_thousands);
    form->addRow(m_trimZero);
    connect(m_valueType, &QComboBox::currentIndexChanged, this, &TCellFormatDialog::updateEnabled);
    return page;
}

QWidget *TCellFormatDialog::alignmentPage()
{
    auto *page = new QWidget;
    m_align = combo(page, {QStringLiteral("左对齐"), QStringLiteral("右对齐"), QStringLiteral("居中")});
    m_align->setCurrentIndex(m_initial.Alignment);
    m_valign = combo(page, {QStringLiteral("靠上"), QStringLiteral("靠下"), QStringLiteral("居中")});
    m_valign->setCurrentIndex(m_initial.VerAlignment);
    m_wordWrap = new QCheckBox(QStringLiteral("自动换行(&W)"), page);
    m_wordWrap->setChecked(m_initial.WordWrap);
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("水平对齐(&H)："), m_align);
    form->addRow(QStringLiteral("垂直对齐(&V)："), m_valign);
    form->addRow(m_wordWrap);
    return page;
}

QWidget *TCellFormatDialog::fontPage()
{
    auto *page = new QWidget;
    m_fontButton = new QPushButton(QStringLiteral("字体(&F)..."), page);
    m_fontColor = new QPushButton(QStringLiteral("字体颜色(&C)..."), page);
    setButtonColor(m_fontColor, m_font.Color);
    m_sample = new QLabel(QStringLiteral("中文 AaBbCc 123.45"), page);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(60);
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout;
    row->addWidget(m_fontButton);
    row->addWidget(m_fontColor);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(m_sample, 1);
    connect(m_fontButton, &QPushButton::clicked, this, &TCellFormatDialog::ChooseFont);
    connect(m_fontColor, &QPushButton::clicked, this, [this] {
        ChooseColor(m_fontColor);
        m_font.Color = TColor(m_fontColor->property(ColorProperty).toInt());
        updateSample();
    });
    return page;
}

QWidget *TCellFormatDialog::borderPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("边"), page), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("框线"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("线宽"), page), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("线型"), page), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("颜色"), page), 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("网格线"), page), 0, 5);
    for (int e = 0; e < 4; ++e) {
        grid->addWidget(new QLabel(EdgeNames[e], page), e + 1, 0);
        m_frame[e] = new QCheckBox(page);
        m_frame[e]->setChecked(m_initial.Frame[e]);
        m_frameWidth[e] = new QSpinBox(page);
        m_frameWidth[e]->setRange(1, 10);
        m_frameWidth[e]->setValue(std::clamp(m_initial.FrameWidth[e], 1, 10));
        m_frameStyle[e] = combo(page, penStyleNames());
        m_frameStyle[e]->setCurrentIndex(m_initial.FrameStyle[e]);
        m_frameColor[e] = new QPushButton(page);
        setButtonColor(m_frameColor[e], m_initial.FrameColor[e]);
        m_line[e] = new QCheckBox(page);
        m_line[e]->setChecked(m_initial.Line[e]);
        grid->addWidget(m_frame[e], e + 1, 1);
        grid->addWidget(m_frameWidth[e], e + 1, 2);
        grid->addWidget(m_frameStyle[e], e + 1, 3);
        grid->addWidget(m_frameColor[e], e + 1, 4);
        grid->addWidget(m_line[e], e + 1, 5);
        QPushButton *button = m_frameColor[e];
        connect(button, &QPushButton::clicked, this, [this, button] { ChooseColor(button); });
        connect(m_frame[e], &QCheckBox::toggled, this, &TCellFormatDialog::updateEnabled);
    }
    grid->setRowStretch(5, 1);
    return page;
}

QWidget *TCellFormatDialog::patternPage()
{
    auto *page = new QWidget;
    m_backColor = new QPushButton(QStringLiteral("背景颜色(&B)..."), page);
    setButtonColor(m_backColor, m_initial.BackColor);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_backColor, 0, Qt::AlignLeft);
    layout->addStretch();
    connect(m_backColor, &QPushButton::clicked, this, [this] {
        ChooseColor(m_backColor);
        updateSample();
    });
    return page;
}

QWidget *TCellFormatDialog::editorPage()
{
    auto *page = new QWidget;
    m_cellType = combo(page, cellTypeNames());
    m_cellType->setCurrentIndex(m_initial.CellType);
    m_items = new QPlainTextEdit(m_initial.Items.join(u'\n'), page);
    m_items->setPlaceholderText(QStringLiteral("每行一项"));
    m_mask = new QLineEdit(m_initial.Mask, page);
    m_readOnly = new QCheckBox(QStringLiteral("只读(&R)"), page);
    m_readOnly->setChecked(m_initial.ReadOnly);
    m_maxLength = new QSpinBox(page);
    m_maxLength->setRange(0, 1000000);
    m_maxLength->setSpecialValueText(QStringLiteral("不限"));
    m_maxLength->setValue(std::max(m_initial.MaxLength, 0));
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("编辑方式(&E)："), m_cellType);
    form->addRow(QStringLiteral("下拉项(&I)："), m_items);
    form->addRow(QStringLiteral("输入掩码(&M)："), m_mask);
    form->addRow(QStringLiteral("最大长度(&L)："), m_maxLength);
    form->addRow(m_readOnly);
    connect(m_cellType, &QComboBox::currentIndexChanged, this, &TCellFormatDialog::updateEnabled);
    return page;
}

void TCellFormatDialog::setButtonColor(QPushButton *button, TColor color)
{
    button->setProperty(ColorProperty, int(color));
    QPixmap swatch(16, 16);
    swatch.fill(platform::ToQColor(color));
    QPainter(&swatch).drawRect(0, 0, 15, 15);
    button->setIcon(QIcon(swatch));
}

void TCellFormatDialog::ChooseColor(QPushButton *button)
{
    QColorDialog dialog(platform::ToQColor(TColor(button->property(ColorProperty).toInt())), this);
    if (platform::ExecDialog(dialog) == QDialog::Accepted)
        setButtonColor(button, platform::FromQColor(dialog.currentColor()));
}

void TCellFormatDialog::ChooseFont()
{
    QFontDialog dialog(m_font.Font, this);
    if (platform::ExecDialog(dialog) != QDialog::Accepted)
        return;
    m_font.Font = dialog.currentFont();
    updateSample();
}

void TCellFormatDialog::updateSample()
{
    if (!m_sample)
        return;
    QFont f = m_font.Font;
    m_sample->setFont(f);
    QPalette pal = m_sample->palette();
    pal.setColor(QPalette::WindowText, platform::ToQColor(m_font.Color));
    if (m_backColor)
        pal.setColor(QPalette::Window, platform::ToQColor(TColor(m_backColor->property(ColorProperty).toInt())));
    m_sample->setAutoFillBackground(true);
    m_sample->setPalette(pal);
}

void TCellFormatDialog::updateEnabled()
{
    const auto vt = TValueType(m_valueType->currentIndex());
    const bool number = vt != vtString && vt != vtChineseDate;
    m_digits->setEnabled(number);
    m_thousands->setEnabled(number);
    m_trimZero->setEnabled(number);
    if (m_items) {
        const auto ct = TCellType(m_cellType->currentIndex());
        m_items->setEnabled(ct == ctCombo || ct == ctRadioButton);
    }
    for (int e = 0; e < 4; ++e) {
        if (!m_frame[e])
            continue;
        const bool on = m_frame[e]->isChecked();
        m_frameWidth[e]->setEnabled(on);
        m_frameStyle[e]->setEnabled(on);
        m_frameColor[e]->setEnabled(on);
    }
}

TCellFormat TCellFormatDialog::Format() const
{
    TCellFormat f = m_initial;
    f.ValueType = TValueType(m_valueType->currentIndex());
    f.Digits = m_digits->value();
    f.Thousands = m_thousands->isChecked();
    f.TrimZero = m_trimZero->isChecked();
    f.Alignment = TAlignment(m_align->currentIndex());
    f.VerAlignment = TVerAlignment(m_valign->currentIndex());
    f.WordWrap = m_wordWrap->isChecked();
    f.BackColor = TColor(m_backColor->property(ColorProperty).toInt());
    f.CellType = TCellType(m_cellType->currentIndex());
    f.Items = m_items->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    f.Mask = m_mask->text();
    f.ReadOnly = m_readOnly->isChecked();
    f.MaxLength = m_maxLength->value();
    if (!m_column) {
        f.Font = m_font;
        for (int e = 0; e < 4; ++e) {
            f.Frame[e] = m_frame[e]->isChecked();
            f.Line[e] = m_line[e]->isChecked();
            f.FrameWidth[e] = m_frameWidth[e]->value();
            f.FrameStyle[e] = TPenStyle(m_frameStyle[e]->currentIndex());
            f.FrameColor[e] = TColor(m_frameColor[e]->property(ColorProperty).toInt());
        }
    }
    return f;
}

} // namespace qor
