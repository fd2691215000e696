// The grid's members for objects anchored to cells: each hands the work to the objects layer.
#include <QWidget>
#include "core/grid.h"
#include "objects/anchored_objects_p.h"
#include "objects/ole_container.h"
#include "objects/qor_chart.h"
#include "platform/message_box.h"

namespace qor {

namespace {

using Kind = AnchoredObjects::Kind;
AnchoredObjects &objects(const TCustomQorGrid *grid) { return AnchoredObjects::Of(*grid); }

// The duplicate-name refusal of charts and documents.
bool refuseName(TCustomQorGrid *grid, const QString &name)
{
    if (!objects(grid).NameTaken(name))
        return false;
    platform::MessageBox(grid, QStringLiteral("名为 %1 的组件已经存在").arg(name), QStringLiteral("提示"),
                         platform::MB_OK | platform::MB_ICONINFORMATION);
    return true;
}

void setPos(TCustomQorGrid *grid, Kind kind, int index, int x, int y)
{
    if (TInnerControl *r = objects(grid).Record(kind, index)) {
        grid->HideEditor();
        r->MoveTo(QPoint(x, y));
    }
}

} // namespace

// --- User controls

void TCustomQorGrid::InsertUserControl(QWidget *Control, int Row, int Col, bool Fixed)
{
    objects(this).Insert(AnchoredObjects::UserControls, Control, Row, Col, Fixed);
}

void TCustomQorGrid::InsertUserControlByPos(QWidget *Control, int X, int Y, bool Fixed)
{
    objects(this).InsertByPos(AnchoredObjects::UserControls, Control, QPoint(X, Y), Fixed);
}

void TCustomQorGrid::SetUserControlPos(QWidget *Control, int X, int Y)
{
    setPos(this, AnchoredObjects::UserControls, FindUserControl(Control), X, Y);
}

void TCustomQorGrid::FixUserControl(QWidget *Control, bool Fixed) { FixUserControl(FindUserControl(Control), Fixed); }

void TCustomQorGrid::FixUserControl(int Index, bool Fixed)
{
    if (TInnerControl *r = objects(this).Record(AnchoredObjects::UserControls, Index))
        r->Fixed = Fixed;
}

void TCustomQorGrid::RemoveUserControl(QWidget *Control)
{
    objects(this).Remove(AnchoredObjects::UserControls, FindUserControl(Control));
}

void TCustomQorGrid::ClearUserControl() { objects(this).Clear(AnchoredObjects::UserControls); }
int TCustomQorGrid::FindUserControl(QWidget *Control) const { return objects(this).IndexOf(AnchoredObjects::UserControls, Control); }
QWidget *TCustomQorGrid::GetUserControl(int Index) const { return objects(this).At(AnchoredObjects::UserControls, Index); }
int TCustomQorGrid::GetUserControlCount() const { return objects(this).Count(AnchoredObjects::UserControls); }
QWidget *TCustomQorGrid::ActivedUserControl() const { return GetUserControl(ActivedUserControl2()); }
int TCustomQorGrid::ActivedUserControl2() const { return objects(this).Focused(AnchoredObjects::UserControls); }
void TCustomQorGrid::EndUpdateUserControl() { objects(this).EndUpdate(AnchoredObjects::UserControls); }

void TCustomQorGrid::UpdateUserControl()
{
    objects(this).UpdateOverCurrent(AnchoredObjects::UserControls);
    objects(this).UpdateOverCurrent(AnchoredObjects::Charts);
}

// --- Charts

TQorChart *TCustomQorGrid::InsertChart(const QString &Name, int Row, int Col, bool Fixed)
{
    if (refuseName(this, Name))
        return nullptr;
    auto *chart = new TQorChart(this, viewport());
    chart->setObjectName(Name);
    objects(this).Insert(AnchoredObjects::Charts, chart, Row, Col, Fixed);
    return chart;
}

TQorChart *TCustomQorGrid::InsertChartByPos(const QString &Name, int X, int Y, bool Fixed)
{
    if (refuseName(this, Name))
        return nullptr;
    auto *chart = new TQorChart(this, viewport());
    chart->setObjectName(Name);
    objects(this).InsertByPos(AnchoredObjects::Charts, chart, QPoint(X, Y), Fixed);
    return chart;
}

void TCustomQorGrid::SetChartPos(TQorChart *Chart, int X, int Y)
{
    setPos(this, AnchoredObjects::Charts, objects(this).IndexOf(AnchoredObjects::Charts, Chart), X, Y);
}

void TCustomQorGrid::SetChartPos(const QString &Name, int X, int Y) { SetChartPos(FindChart(Name), X, Y); }
void TCustomQorGrid::SetChartPos(int Index, int X, int Y) { setPos(this, AnchoredObjects::Charts, Index, X, Y); }

void TCustomQorGrid::FixChart(int Index, bool Fixed)
{
    if (TInnerControl *r = objects(this).Record(AnchoredObjects::Charts, Index))
        r->Fixed = Fixed;
}

void TCustomQorGrid::DeleteChart(const QString &Name) { DeleteChart(FindChart(Name)); }
void TCustomQorGrid::DeleteChart(int Index) { objects(this).Remove(AnchoredObjects::Charts, Index); }
void TCustomQorGrid::DeleteChart(TQorChart *Chart) { DeleteChart(objects(this).IndexOf(AnchoredObjects::Charts, Chart)); }
void TCustomQorGrid::ClearChart() { objects(this).Clear(AnchoredObjects::Charts); }
TQorChart *TCustomQorGrid::GetChart(int Index) const { return static_cast<TQorChart *>(objects(this).At(AnchoredObjects::Charts, Index)); }
int TCustomQorGrid::FindChart(const QString &Name) const { return objects(this).IndexOf(AnchoredObjects::Charts, Name); }
int TCustomQorGrid::GetQorChartCount() const { return objects(this).Count(AnchoredObjects::Charts); }
TQorChart *TCustomQorGrid::ActivedChart() const { return GetChart(ActivedChart2()); }
int TCustomQorGrid::ActivedChart2() const { return objects(this).Focused(AnchoredObjects::Charts); }
void TCustomQorGrid::UpdateChart() { objects(this).UpdateOverCurrent(AnchoredObjects::Charts); }
void TCustomQorGrid::EndUpdateChart() { objects(this).EndUpdate(AnchoredObjects::Charts); }

// --- Embedded documents

namespace {

TQorOleContainer *newContainer(TCustomQorGrid *grid, const QString &name)
{
    auto *c = new TQorOleContainer(grid->viewport());
    c->setObjectName(name);
    return c;
}

void wire(TInnerControl *anchor, TQorOleContainer *c, bool showDialog)
{
    // An empty container asks for its content on a double click, a full one opens it.
    anchor->OnDoubleClick = [c] { c->Activate(); };
    if (showDialog)
        c->Activate();
}

} // namespace

TQorOleContainer *TCustomQorGrid::InsertOleObject(int Row, int Col, const QString &Name, bool ShowDialog)
{
    if (refuseName(this, Name))
        return nullptr;
    TQorOleContainer *c = newContainer(this, Name);
    wire(objects(this).Insert(AnchoredObjects::Documents, c, Row, Col, false), c, ShowDialog);
    return c;
}

TQorOleContainer *TCustomQorGrid::InsertOleObjectByPos(int X, int Y, const QString &Name, bool ShowDialog)
{
    if (refuseName(this, Name))
        return nullptr;
    TQorOleContainer *c = newContainer(this, Name);
    wire(objects(this).InsertByPos(AnchoredObjects::Documents, c, QPoint(X, Y), false), c, ShowDialog);
    return c;
}

void TCustomQorGrid::DeleteOleObject(const QString &Name) { DeleteOleObject(FindOleObject(Name)); }
void TCustomQorGrid::DeleteOleObject(int Index) { objects(this).Remove(AnchoredObjects::Documents, Index); }
void TCustomQorGrid::ClearOleObject() { objects(this).Clear(AnchoredObjects::Documents); }
TQorOleContainer *TCustomQorGrid::GetOleObject(int Index) const
{
    return static_cast<TQorOleContainer *>(objects(this).At(AnchoredObjects::Documents, Index));
}
int TCustomQorGrid::GetOleObjectCount() const { return objects(this).Count(AnchoredObjects::Documents); }
int TCustomQorGrid::FindOleObject(const QString &Name) const { return objects(this).IndexOf(AnchoredObjects::Documents, Name); }
TQorOleContainer *TCustomQorGrid::ActivedOleObject() const { return GetOleObject(ActivedOleObject2()); }
int TCustomQorGrid::ActivedOleObject2() const { return objects(this).Focused(AnchoredObjects::Documents); }
void TCustomQorGrid::UpdateOle() { objects(this).UpdateOverCurrent(AnchoredObjects::Documents); }
void TCustomQorGrid::EndUpdateOle() { objects(this).EndUpdate(AnchoredObjects::Documents); }

bool TCustomQorGrid::GetObjectAnchor(QWidget *Object, int &Row, int &Col, QPoint &Offset) const
{
    const TInnerControl *r = objects(this).RecordOf(Object);
    if (!r)
        return false;
    Row = r->Row;
    Col = r->Col;
    Offset = QPoint(r->OffsetX, r->OffsetY);
    return true;
}

} // namespace qor
