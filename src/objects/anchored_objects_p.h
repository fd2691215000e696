#pragma once
// The grid's three lists of objects floating above its cells: user controls (the host's),
// charts and embedded documents (the grid's own), each with its anchor record. Installed into
// every grid behind the core's seam; also reads and writes their records of the grid stream.
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>
#include "core/grid_seams_p.h"
#include "objects/inner_control.h"

namespace qor {

class TQorChart;
class TQorOleContainer;

class QOR_AUTOTEST_EXPORT AnchoredObjects final : public IAnchoredObjects {
public:
    enum Kind { UserControls, Charts, Documents };

    explicit AnchoredObjects(TCustomQorGrid &grid) : m_grid(grid) {}
    ~AnchoredObjects() override;
    static void Install(TCustomQorGrid &grid);
    // The layer of a grid (installed into every grid).
    static AnchoredObjects &Of(const TCustomQorGrid &grid);

    void Reposition() override;
    void LinesChanged(bool rows, int index, int count, bool inserted) override;
    void RemoveAll() override;
    void CellChanged(int row, int col) override;
    void Print(QPainter &canvas, const QRect &source, const std::function<bool(QWidget *)> &mayPrint) override;
    AnchoredObjects *Objects() override { return this; }

    // Records of a list, without those whose object is gone.
    const std::vector<std::unique_ptr<TInnerControl>> &List(Kind kind) const;
    int Count(Kind kind) const { return int(List(kind).size()); }
    QWidget *At(Kind kind, int index) const;
    int IndexOf(Kind kind, const QWidget *object) const;
    // By object name, without regard to case.
    int IndexOf(Kind kind, const QString &name) const;
    TInnerControl *Record(Kind kind, int index) const;
    // The record of a widget in any list, with its list.
    TInnerControl *RecordOf(const QWidget *object, Kind *kind = nullptr) const;

    // Wraps object at a cell (-1, -1: where it stands), or moves a listed one there.
    TInnerControl *Insert(Kind kind, QWidget *object, int row, int col, bool fixed);
    // The same anchored by a client point.
    TInnerControl *InsertByPos(Kind kind, QWidget *object, QPoint p, bool fixed);
    // Drops the record; the grid's own objects are freed with it, user controls stay.
    void Remove(Kind kind, int index);
    void Clear(Kind kind);
    // A name taken by one of the grid's objects or by an object under the grid's owners.
    bool NameTaken(const QString &name) const;
    // The listed object that has the focus (or holds it in a child); -1 when none.
    int Focused(Kind kind) const;
    // Redraws the objects whose rectangles meet the current cell's.
    void UpdateOverCurrent(Kind kind);
    void EndUpdate(Kind kind);

private:
    std::vector<std::unique_ptr<TInnerControl>> &list(Kind kind) const;
    void prune() const;

    TCustomQorGrid &m_grid;
    mutable std::vector<std::unique_ptr<TInnerControl>> m_lists[3];
};

// Installs the readers and writers of the "OleD" and "ChtD" records (once).
void InstallObjectRecordHooks();

} // namespace qor
