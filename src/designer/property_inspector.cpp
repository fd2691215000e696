#include "designer/property_inspector.h"

#include <algorithm>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QTreeView>
#include "core/grid.h"
#include "platform/modal.h"

namespace qor {

namespace {

using P = TDesignProperty;

P intProperty(const char *name, const char *caption, int min, int max, int (TCustomQorGrid::*get)() const,
              void (TCustomQorGrid::*set)(int))
{
    P p;
    p.Name = QLatin1String(name);
    p.Caption = QString::fromUtf8(caption);
    p.Type = P::Int;
    p.Min = min;
    p.Max = max;
    p.Get = [get](const TCustomQorGrid &g) { return QVariant((g.*get)()); };
    p.Set = [set](TCustomQorGrid &g, const QVariant &v) { (g.*set)(v.toInt()); };
    return p;
}

P boolProperty(const char *name, const char *caption, bool (TCustomQorGrid::*get)() const,
               void (TCustomQorGrid::*set)(bool))
{
    P p;
    p.Name = QLatin1String(name);
    p.Caption = QString::fromUtf8(caption);
    p.Type = P::Bool;
    p.Get = [get](const TCustomQorGrid &g) { return QVariant((g.*get)()); };
    p.Set = [set](TCustomQorGrid &g, const QVariant &v) { (g.*set)(v.toBool()); };
    return p;
}

P optionProperty(const char *name, const char *caption, TQorGridOption o)
{
    P p;
    p.Name = QLatin1String(name);
    p.Caption = QString::fromUtf8(caption);
    p.Type = P::Bool;
    p.Get = [o](const TCustomQorGrid &g) { return QVariant(g.HasOption(o)); };
    p.Set = [o](TCustomQorGrid &g, const QVariant &v) {
        const TQorGridOptions now = g.GetOptions();
        g.SetOptions(v.toBool() ? now.With(o) : now.Without(o));
    };
    return p;
}

P colorProperty(const char *name, const char *caption, TColor (TCustomQorGrid::*get)() const,
                void (TCustomQorGrid::*set)(TColor))
{
    P p;
    p.Name = QLatin1String(name);
    p.Caption = QString::fromUtf8(caption);
    p.Type = P::Color;
    p.Get = [get](const TCustomQorGrid &g) { return QVariant(int((g.*get)())); };
    p.Set = [set](TCustomQorGrid &g, const QVariant &v) { (g.*set)(TColor(v.toInt())); };
    return p;
}

template <class E>
P enumProperty(const char *name, const char *caption, QStringList choices, E (TCustomQorGrid::*get)() const,
               void (TCustomQorGrid::*set)(E))
{
    P p;
    p.Name = QLatin1String(name);
    p.Caption = QString::fromUtf8(caption);
    p.Type = P::Enum;
    p.Choices = std::move(choices);
    const int last = int(p.Choices.size()) - 1;
    p.Get = [get](const TCustomQorGrid &g) { return QVariant(int((g.*get)())); };
    p.Set = [set, last](TCustomQorGrid &g, const QVariant &v) { (g.*set)(E(std::clamp(v.toInt(), 0, last))); };
    return p;
}

std::vector<P> makeProperties()
{
    using G = TCustomQorGrid;
    std::vector<P> list;
    P rows = intProperty("Rows", "行数", 0, 10000000, &G::GetRows, &G::SetRows);
    rows.Reshapes = true;
    list.push_back(rows);
    P cols = intProperty("Cols", "列数", 0, 100000, &G::GetCols, &G::SetCols);
    cols.Reshapes = true;
    list.push_back(cols);
    list.push_back(enumProperty<TGridType>("GridType", "表格类型", {QStringLiteral("电子表格"), QStringLiteral("票据"), QStringLiteral("数据表格")},
                                           &G::GetGridType, &G::SetGridType));
    list.push_back(intProperty("FixRowCount", "固定行数", 0, 10000, &G::GetFixRowCount, &G::SetFixRowCount));
    list.push_back(intProperty("FixColCount", "固定列数", 0, 1000, &G::GetFixColCount, &G::SetFixColCount));
    list.push_back(intProperty("TitleRows", "标题行数", 0, 10000, &G::GetTitleRows, &G::SetTitleRows));
    list.push_back(intProperty("FooterRows", "表尾行数", 0, 10000, &G::GetFooterRows, &G::SetFooterRows));
    list.push_back(intProperty("DefaultRowHeight", "缺省行高", 0, 2000, &G::GetDefaultRowHeight, &G::SetDefaultRowHeight));
    list.push_back(intProperty("DefaultColWidth", "缺省列宽", 0, 2000, &G::GetDefaultColWidth, &G::SetDefaultColWidth));
    list.push_back(intProperty("LeftMargin", "左边距", 0, 2000, &G::GetLeftMargin, &G::SetLeftMargin));
    list.push_back(intProperty("TopMargin", "上边距", 0, 2000, &G::GetTopMargin, &G::SetTopMargin));
    list.push_back(intProperty("RightMargin", "右边距", 0, 2000, &G::GetRightMargin, &G::SetRightMargin));
    list.push_back(intProperty("BottomMargin", "下边距", 0, 2000, &G::GetBottomMargin, &G::SetBottomMargin));
    list.push_back(intProperty("TitleWidth", "行标题宽度", 0, 500, &G::GetTitleWidth, &G::SetTitleWidth));
    list.push_back(intProperty("TitleHeight", "列标题高度", 0, 500, &G::GetTitleHeight, &G::SetTitleHeight));
    list.push_back(intProperty("Zoom", "显示比例(%)", 10, 400, &G::GetZoom, &G::SetZoom));
    list.push_back(enumProperty<TUnitType>("UnitType", "度量单位", {QStringLiteral("像素"), QStringLiteral("毫米"), QStringLiteral("英寸")},
                                           &G::GetUnitType, &G::SetUnitType));
    list.push_back(colorProperty("Color", "表格颜色", &G::GetColor, &G::SetColor));
    list.push_back(colorProperty("BackColor", "背景颜色", &G::GetBackColor, &G::SetBackColor));
    list.push_back(colorProperty("LineColor", "网格线颜色", &G::GetLineColor, &G::SetLineColor));
    list.push_back(colorProperty("TitleColor", "标题颜色", &G::GetTitleColor, &G::SetTitleColor));
    list.push_back(colorProperty("FocusColor", "焦点颜色", &G::GetFocusColor, &G::SetFocusColor));
    P font;
    font.Name = QStringLiteral("Font");
    font.Caption = QStringLiteral("字体");
    font.Type = P::Font;
    font.Get = [](const G &g) { return QVariant(g.GetFont().Font); };
    font.Set = [](G &g, const QVariant &v) {
        TQorFont f = g.GetFont();
        f.Font = v.value<QFont>();
        g.SetFont(f);
    };
    list.push_back(font);
    list.push_back(optionProperty("qgoEditing", "允许编辑", qgoEditing));
    list.push_back(optionProperty("qgoShadow", "显示阴影", qgoShadow));
    list.push_back(optionProperty("qgoRowSizing", "允许调整行高", qgoRowSizing));
    list.push_back(optionProperty("qgoColSizing", "允许调整列宽", qgoColSizing));
    list.push_back(optionProperty("qgoMultiSelect", "允许多选", qgoMultiSelect));
    list.push_back(optionProperty("qgoAutoCalFormula", "自动计算公式", qgoAutoCalFormula));
    list.push_back(boolProperty("ShowPagesLine", "显示分页线", &G::GetShowPagesLine, &G::SetShowPagesLine));
    list.push_back(boolProperty("ShowGroupFooter", "显示分组合计", &G::GetShowGroupFooter, &G::SetShowGroupFooter));
    list.push_back(enumProperty<TMoveDirectory>("MoveDirEnter", "回车移动方向",
                                                {QStringLiteral("不移动"), QStringLiteral("向左"), QStringLiteral("向上"),
                                                 QStringLiteral("向右"), QStringLiteral("向下")},
                                                &G::GetMoveDirEnter, &G::SetMoveDirEnter));
    P symbol;
    symbol.Name = QStringLiteral("CurrencySymbol");
    symbol.Caption = QStringLiteral("货币符号");
    symbol.Type = P::Text;
    symbol.Get = [](const G &g) { return QVariant(g.GetCurrencySymbol()); };
    symbol.Set = [](G &g, const QVariant &v) { g.SetCurrencySymbol(v.toString()); };
    list.push_back(symbol);
    list.push_back(intProperty("CurrencyDigits", "货币小数位数", 0, 10, &G::GetCurrencyDigits, &G::SetCurrencyDigits));
    return list;
}

QString colorText(TColor c)
{
    if (c < 0)
        return QStringLiteral("系统颜色 %1").arg(int(uint32_t(c) & 0xFF));
    return platform::ToQColor(c).name(QColor::HexRgb).toUpper();
}

} // namespace

const std::vector<TDesignProperty> &DesignProperties()
{
    static const std::vector<TDesignProperty> list = makeProperties();
    return list;
}

QString PropertyValueText(const TDesignProperty &p, const QVariant &v)
{
    switch (p.Type) {
    case P::Bool: return v.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    case P::Color: return colorText(TColor(v.toInt()));
    case P::Font: {
        const QFont f = v.value<QFont>();
        QString s = f.family() + QStringLiteral(", ") + QString::number(f.pointSize() > 0 ? f.pointSize() : f.pixelSize());
        if (f.bold())
            s += QStringLiteral(", 粗体");
        if (f.italic())
            s += QStringLiteral(", 斜体");
        return s;
    }
    case P::Enum: return p.Choices.value(v.toInt(), QString::number(v.toInt()));
    default: return v.toString();
    }
}

// ---------------------------------------------------------------------------------------------
// The model

TPropertyModel::TPropertyModel(QObject *parent) : QAbstractTableModel(parent) {}

void TPropertyModel::SetGrid(TCustomQorGrid *grid)
{
    beginResetModel();
    m_grid = grid;
    endResetModel();
}

void TPropertyModel::Refresh()
{
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 1), index(rowCount() - 1, 1));
}

int TPropertyModel::RowOf(const QString &name) const
{
    const auto &list = DesignProperties();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].Name == name)
            return int(i);
    return -1;
}

int TPropertyModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_grid ? 0 : int(DesignProperties().size());
}

int TPropertyModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 2; }

QVariant TPropertyModel::data(const QModelIndex &index, int role) const
{
    if (!m_grid || !index.isValid())
        return {};
    const TDesignProperty &p = Property(index.row());
    if (index.column() == 0)
        return role == Qt::DisplayRole ? QVariant(p.Caption) : role == Qt::ToolTipRole ? QVariant(p.Name) : QVariant();
    const QVariant v = p.Get(*m_grid);
    switch (role) {
    case Qt::DisplayRole: return PropertyValueText(p, v);
    case Qt::EditRole: return v;
    case Qt::DecorationRole:
        if (p.Type == P::Color)
            return platform::ToQColor(TColor(v.toInt()));
        return {};
    default: return {};
    }
}

bool TPropertyModel::Commit(int row, const QVariant &value)
{
    if (!m_grid || row < 0 || row >= rowCount())
        return false;
    const TDesignProperty &p = Property(row);
    QVariant after = value;
    if (p.Type == P::Int) {
        bool ok = false;
        const int n = value.toInt(&ok);
        if (!ok)
            return false;
        after = std::clamp(n, p.Min, p.Max);
    }
    const QVariant before = p.Get(*m_grid);
    if (before == after)
        return false;
    if (m_commit)
        m_commit(p, before, after);
    else
        p.Set(*m_grid, after);
    Refresh();
    return true;
}

bool TPropertyModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || index.column() != 1)
        return false;
    return Commit(index.row(), value);
}

Qt::ItemFlags TPropertyModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 1)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TPropertyModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("属性") : QStringLiteral("值");
}

// ---------------------------------------------------------------------------------------------
// The delegate

namespace {
const TDesignProperty *propertyAt(const QModelIndex &index)
{
    const auto *model = qobject_cast<const TPropertyModel *>(index.model());
    return model && index.isValid() && index.column() == 1 ? &model->Property(index.row()) : nullptr;
}
} // namespace

QWidget *TPropertyDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const TDesignProperty *p = propertyAt(index);
    if (!p)
        return nullptr;
    switch (p->Type) {
    case P::Int: {
        auto *box = new QSpinBox(parent);
        box->setRange(p->Min, p->Max);
        box->setFrame(false);
        return box;
    }
    case P::Bool:
    case P::Enum: {
        auto *box = new QComboBox(parent);
        if (p->Type == P::Bool)
            box->addItems({QStringLiteral("否"), QStringLiteral("是")});
        else
            box->addItems(p->Choices);
        return box;
    }
    case P::Text: return new QLineEdit(parent);
    case P::Color:
    case P::Font: return nullptr;   // their dialogs, from editorEvent
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void TPropertyDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QVariant v = index.data(Qt::EditRole);
    if (auto *box = qobject_cast<QSpinBox *>(editor))
        box->setValue(v.toInt());
    else if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentIndex(v.toInt());
    else if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(v.toString());
}

void TPropertyDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    const TDesignProperty *p = propertyAt(index);
    if (!p)
        return;
    if (auto *box = qobject_cast<QSpinBox *>(editor)) {
        box->interpretText();
        model->setData(index, box->value(), Qt::EditRole);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, p->Type == P::Bool ? QVariant(combo->currentIndex() == 1) : QVariant(combo->currentIndex()),
                       Qt::EditRole);
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        model->setData(index, line->text(), Qt::EditRole);
    }
}

bool TPropertyDelegate::EditWithDialog(QWidget *parent, QAbstractItemModel *model, const QModelIndex &index)
{
    const TDesignProperty *p = propertyAt(index);
    if (!p)
        return false;
    const QVariant v = index.data(Qt::EditRole);
    if (p->Type == P::Color) {
        QColorDialog dialog(platform::ToQColor(TColor(v.toInt())), parent);
        dialog.setWindowTitle(p->Caption);
        if (platform::ExecDialog(dialog) != QDialog::Accepted)
            return false;
        return model->setData(index, int(platform::FromQColor(dialog.currentColor())), Qt::EditRole);
    }
    if (p->Type == P::Font) {
        QFontDialog dialog(v.value<QFont>(), parent);
        dialog.setWindowTitle(p->Caption);
        if (platform::ExecDialog(dialog) != QDialog::Accepted)
            return false;
        return model->setData(index, dialog.currentFont(), Qt::EditRole);
    }
    return false;
}

bool TPropertyDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                    const QModelIndex &index)
{
    const TDesignProperty *p = propertyAt(index);
    if (p && (p->Type == P::Color || p->Type == P::Font) && event->type() == QEvent::MouseButtonDblClick) {
        EditWithDialog(qobject_cast<QWidget *>(parent()), model, index);
        return true;
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

// ---------------------------------------------------------------------------------------------
// The dock

TPropertyInspector::TPropertyInspector(QWidget *parent) : QDockWidget(QStringLiteral("属性编辑器"), parent)
{
    setObjectName(QStringLiteral("propertyInspector"));
    m_model = new TPropertyModel(this);
    m_view = new QTreeView(this);
    m_view->setRootIsDecorated(false);
    m_view->setAlternatingRowColors(true);
    m_view->setUniformRowHeights(true);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new TPropertyDelegate(m_view));
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed);
    m_view->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_view->header()->setStretchLastSection(true);
    setWidget(m_view);
}

QString TPropertyInspector::ValueText(const QString &name) const
{
    const int row = m_model->RowOf(name);
    return row < 0 ? QString() : m_model->index(row, 1).data(Qt::DisplayRole).toString();
}

} // namespace qor
