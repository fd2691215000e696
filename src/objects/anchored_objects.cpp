#include "objects/anchored_objects_p.h"

#include <QApplication>
#include <QPainter>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include "core/grid.h"
#include "core/grid_p.h"
#include "objects/ole_container.h"
#include "objects/qor_chart.h"

namespace qor {

AnchoredObjects::~AnchoredObjects() = default;

void AnchoredObjects::Install(TCustomQorGrid &grid)
{
    GridPrivate::get(grid).seams.objects = std::make_unique<AnchoredObjects>(grid);
    InstallObjectRecordHooks();
}

AnchoredObjects &AnchoredObjects::Of(const TCustomQorGrid &grid)
{
    return *GridPrivate::get(grid).seams.objects->Objects();
}

std::vector<std::unique_ptr<TInnerControl>> &AnchoredObjects::list(Kind kind) const { return m_lists[kind]; }

// A control its host destroyed leaves no record behind.
void AnchoredObjects::prune() const
{
    for (auto &l : m_lists)
        std::erase_if(l, [](const std::unique_ptr<TInnerControl> &r) { return !r->GetControl(); });
}

const std::vector<std::unique_ptr<TInnerControl>> &AnchoredObjects::List(Kind kind) const
{
    prune();
    return list(kind);
}

TInnerControl *AnchoredObjects::Record(Kind kind, int index) const
{
    const auto &l = List(kind);
    return index >= 0 && index < int(l.size()) ? l[size_t(index)].get() : nullptr;
}

QWidget *AnchoredObjects::At(Kind kind, int index) const
{
    TInnerControl *r = Record(kind, index);
    return r ? r->GetControl() : nullptr;
}

int AnchoredObjects::IndexOf(Kind kind, const QWidget *object) const
{
    const auto &l = List(kind);
    for (size_t i = 0; i < l.size(); ++i)
        if (object && l[i]->GetControl() == object)
            return int(i);
    return -1;
}

int AnchoredObjects::IndexOf(Kind kind, const QString &name) const
{
    const auto &l = List(kind);
    for (size_t i = 0; i < l.size(); ++i)
        if (!name.isEmpty() && l[i]->GetControl()->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

TInnerControl *AnchoredObjects::RecordOf(const QWidget *object, Kind *kind) const
{
    for (Kind k : {UserControls, Charts, Documents})
        if (const int i = IndexOf(k, object); i >= 0) {
            if (kind)
                *kind = k;
            return list(k)[size_t(i)].get();
        }
    return nullptr;
}

TInnerControl *AnchoredObjects::Insert(Kind kind, QWidget *object, int row, int col, bool fixed)
{
    if (!object)
        return nullptr;
    const bool valid = row >= 0 && col >= 0 && row < m_grid.GetRows() && col < m_grid.GetCols();
    if (const int i = IndexOf(kind, object); i >= 0) {
        TInnerControl *r = list(kind)[size_t(i)].get();
        r->Fixed = fixed;
        if (valid) {
            r->Row = row;
            r->Col = col;
            r->OffsetX = r->OffsetY = 0;
            r->SetPosition();
        } else {
            r->MoveTo(QPoint(0, 0));
        }
        return r;
    }
    auto record = std::make_unique<TInnerControl>(&m_grid, object, valid ? row : -1, valid ? col : -1, fixed);
    TInnerControl *r = record.get();
    list(kind).push_back(std::move(record));
    if (!valid)
        r->MoveTo(object->pos());
    r->SetPosition();
    return r;
}

TInnerControl *AnchoredObjects::InsertByPos(Kind kind, QWidget *object, QPoint p, bool fixed)
{
    TInnerControl *r = Insert(kind, object, -1, -1, fixed);
    if (r)
        r->MoveTo(p);
    return r;
}

void AnchoredObjects::Remove(Kind kind, int index)
{
    auto &l = list(kind);
    prune();
    if (index < 0 || index >= int(l.size()))
        return;
    QWidget *object = l[size_t(index)]->GetControl();
    const bool hadFocus = object && object->isAncestorOf(QApplication::focusWidget());
    l.erase(l.begin() + index);
    if (kind != UserControls)
        delete object;
    if (hadFocus)
        m_grid.setFocus();
}

void AnchoredObjects::Clear(Kind kind)
{
    while (Count(kind) > 0)
        Remove(kind, Count(kind) - 1);
}

bool AnchoredObjects::NameTaken(const QString &name) const
{
    for (Kind k : {Charts, Documents})
        if (IndexOf(k, name) >= 0)
            return true;
    // Components under the grid's owners, each owner's own children and the owners themselves.
    for (QObject *owner = m_grid.parent(); owner; owner = owner->parent()) {
        if (owner->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return true;
        for (QObject *child : owner->children())
            if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

int AnchoredObjects::Focused(Kind kind) const
{
    QWidget *focus = QApplication::focusWidget();
    const auto &l = List(kind);
    for (size_t i = 0; i < l.size(); ++i)
        if (focus && (l[i]->GetControl() == focus || l[i]->GetControl()->isAncestorOf(focus)))
            return int(i);
    return -1;
}

void AnchoredObjects::UpdateOverCurrent(Kind kind)
{
    const QRect current = m_grid.CellRect(m_grid.GetRow(), m_grid.GetCol());
    for (const auto &r : List(kind))
        if (r->GetControl()->geometry().intersects(current))
            r->GetControl()->update();
}

void AnchoredObjects::EndUpdate(Kind kind)
{
    for (const auto &r : List(kind)) {
        r->GetControl()->setUpdatesEnabled(true);
        r->GetControl()->update();
    }
}

void AnchoredObjects::Reposition()
{
    prune();
    for (auto &l : m_lists)
        for (auto &r : l)
            r->SetPosition();
}

void AnchoredObjects::LinesChanged(bool rows, int index, int count, bool inserted)
{
    prune();
    for (auto &l : m_lists)
        for (auto &r : l)
            r->LinesChanged(rows, index, count, inserted);
}

void AnchoredObjects::RemoveAll()
{
    Clear(Charts);
    Clear(Documents);
}

void AnchoredObjects::CellChanged(int row, int col)
{
    if (m_lists[Charts].empty())
        return;
    // A formula in the range may read the changed cell: such charts look again as well.
    for (const auto &r : List(Charts))
        if (auto *chart = static_cast<TQorChart *>(r->GetControl()); chart->Covers(row, col) || chart->ReadsFormulas())
            chart->RefreshLater();
}

void AnchoredObjects::Print(QPainter &canvas, const QRect &source, const std::function<bool(QWidget *)> &mayPrint)
{
    const double zoom = m_grid.GetZoom() / 100.0;
    for (Kind k : {UserControls, Charts, Documents}) {
        for (const auto &r : List(k)) {
            QWidget *w = r->GetControl();
            if (r->Row < 0 || r->Col < 0 || r->Row >= m_grid.GetRows() || r->Col >= m_grid.GetCols())
                continue;
            if (k == UserControls && mayPrint && !mayPrint(w))
                continue;
            // The cell's print rectangle, and the offset and size at the print zoom.
            const QRect cell = m_grid.GetCellPrintRect(r->Row, r->Col);
            const QRectF at(cell.left() + r->OffsetX * zoom, cell.top() + r->OffsetY * zoom, w->width() * zoom,
                            w->height() * zoom);
            if (!at.intersects(QRectF(source)))
                continue;
            canvas.save();
            canvas.translate(at.topLeft());
            canvas.scale(zoom, zoom);
            // A picture at the device's resolution (at most four times the screen's): a widget
            // paints with clips of its own, which a replayed vector picture would let escape the
            // page's clip.
            const double f = std::clamp(canvas.transform().m11(), 1.0, 4.0);
            QImage image((QSizeF(w->size()) * f).toSize(), QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(f);
            image.fill(Qt::white);
            if (k == Charts)
                static_cast<TQorChart *>(w)->PaintInto(image);
            else
                w->render(&image);
            canvas.drawImage(QRectF(QPointF(0, 0), QSizeF(w->size())), image);
            canvas.restore();
        }
    }
}

} // namespace qor
