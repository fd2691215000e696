#pragma once
// The property inspector: a dock listing the design grid's properties under Chinese captions,
// each editable in place (numbers, yes/no, choices, texts) or through the colour and font
// dialogs. Edits go through a commit handler, so that the designer can make them undoable.
#include <QAbstractTableModel>
#include <QDockWidget>
#include <QStyledItemDelegate>
#include <functional>
#include <vector>
#include "platform/qor_global.h"

class QTreeView;

namespace qor {

class TCustomQorGrid;

struct TDesignProperty {
    enum Kind { Int, Bool, Color, Font, Enum, Text };
    QString Name;      // the property's name in the library, "Rows"
    QString Caption;   // what the inspector shows, "行数"
    Kind Type = Int;
    QStringList Choices;   // Enum: the captions of the ordinals
    int Min = 0, Max = 0;  // Int
    // Rows and columns discard and rebuild cells: their undo needs the whole document.
    bool Reshapes = false;
    std::function<QVariant(const TCustomQorGrid &)> Get;
    std::function<void(TCustomQorGrid &, const QVariant &)> Set;
};

// Every property the inspector lists, in its order.
QOR_AUTOTEST_EXPORT const std::vector<TDesignProperty> &DesignProperties();
// A value as the inspector writes it ("是", "#FF0000", "宋体, 9").
QOR_AUTOTEST_EXPORT QString PropertyValueText(const TDesignProperty &p, const QVariant &value);

class QOR_AUTOTEST_EXPORT TPropertyModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using CommitHandler = std::function<void(const TDesignProperty &, const QVariant &before, const QVariant &after)>;
    explicit TPropertyModel(QObject *parent = nullptr);
    void SetGrid(TCustomQorGrid *grid);
    TCustomQorGrid *Grid() const { return m_grid; }
    void SetCommitHandler(CommitHandler h) { m_commit = std::move(h); }
    // Reads every value again.
    void Refresh();
    const TDesignProperty &Property(int row) const { return DesignProperties()[size_t(row)]; }
    // The row of a property name; -1 when there is none.
    int RowOf(const QString &name) const;
    // Commits a value as an edit in the inspector would.
    bool Commit(int row, const QVariant &value);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    TCustomQorGrid *m_grid = nullptr;
    CommitHandler m_commit;
};

// Spin boxes, choice boxes and line edits in place; colours and fonts through their dialogs.
class QOR_AUTOTEST_EXPORT TPropertyDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
    // Runs the colour or font dialog of a value row; true when a value was chosen.
    static bool EditWithDialog(QWidget *parent, QAbstractItemModel *model, const QModelIndex &index);
};

class QOR_EXPORT TPropertyInspector : public QDockWidget {
    Q_OBJECT
public:
    explicit TPropertyInspector(QWidget *parent = nullptr);
    TPropertyModel *Model() const { return m_model; }
    QTreeView *View() const { return m_view; }
    void SetGrid(TCustomQorGrid *grid) { m_model->SetGrid(grid); }
    void Refresh() { m_model->Refresh(); }
    // The value text a property shows now; empty for an unknown name.
    QString ValueText(const QString &name) const;

private:
    TPropertyModel *m_model;
    QTreeView *m_view;
};

} // namespace qor
