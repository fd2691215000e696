#include "data/outline_p.h"

#include <algorithm>
#include <vector>
#include "core/grid_p.h"
#include "core/view/grid_pictures_p.h"

namespace qor {

namespace {
constexpr int kHeader = 1, kFooter = 2;
} // namespace

Outline::Outline(GridPrivate &d) : m_d(d)
{
    if (d.misc.grouped && d.rows > 0) {
        m_first = std::max(d.misc.firstGroupedRow, 0);
        m_last = std::min(d.misc.lastGroupedRow, d.rows - 1);
        if (m_last < m_first)
            m_first = m_last = -1;
    }
}

bool Outline::header(int r) const { return m_d.rowInfo[size_t(r)].group2 == kHeader; }
int Outline::level(int r) const { return m_d.rowInfo[size_t(r)].group3; }
bool Outline::expanded(int r) const { return m_d.rowInfo[size_t(r)].state & 1u; }

bool Outline::endsGroup(int r, int l) const
{
    const RowInfo &i = m_d.rowInfo[size_t(r)];
    return (i.group2 == kHeader || i.group2 == kFooter) && i.group3 <= l;
}

bool Outline::footerOf(int r, int l) const
{
    return r <= m_last && m_d.rowInfo[size_t(r)].group2 == kFooter && m_d.rowInfo[size_t(r)].group3 == l;
}

void Outline::show(int r, bool visible)
{
    if (m_d.rowAxis.Entry(r).visible == visible)
        return;
    m_d.rowAxis.SetVisibleNoEdges(r, visible, m_d.layout.unitType);
    if (m_changedFrom < 0 || r < m_changedFrom)
        m_changedFrom = r;
}

void Outline::SetButton(GridPrivate &d, int header, bool expanded)
{
    const int col = d.rowInfo[size_t(header)].group3 - 1;
    if (col < 0 || col >= d.cols)
        return;
    TQorPicture picture;
    picture.Image = GridPicture(expanded ? kOpenPicture : kClosedPicture);
    d.q->Cells(header, col)->SetGraphic(picture);
}

void Outline::Close(int row)
{
    if (!valid() || row < m_first || row > m_last || !header(row) || !expanded(row))
        return;
    const int l = level(row);
    int r = row + 1;
    // The walk ends at the grouped range's end: the grand total and the rows below stay.
    for (; r <= m_last && !endsGroup(r, l); ++r)
        show(r, false);
    if (footerOf(r, l))
        show(r, false);
    m_d.rowInfo[size_t(row)].state &= ~1u;
    SetButton(m_d, row, false);
    markersAround(row);
    finish(row);
}

int Outline::skipContent(int headerRow, int l) const
{
    int r = headerRow + 1;
    while (r <= m_last && !endsGroup(r, l))
        ++r;
    return r;
}

int Outline::openContent(int headerRow, int l)
{
    int r = headerRow + 1;
    while (r <= m_last && !endsGroup(r, l)) {
        if (!header(r)) {
            show(r, true);
            ++r;
            continue;
        }
        // A nested header shows; its group opens only when it is open itself.
        const int m = level(r);
        show(r, true);
        const bool open = expanded(r);
        r = open ? openContent(r, m) : skipContent(r, m);
        if (footerOf(r, m)) {
            if (open)
                show(r, true);
            ++r;
        }
    }
    return r;
}

void Outline::Expand(int row)
{
    if (!valid() || row < m_first || row > m_last || !header(row) || expanded(row))
        return;
    const int l = level(row);
    m_d.rowInfo[size_t(row)].state |= 1u;
    show(row, true);
    const int r = openContent(row, l);
    if (footerOf(r, l))
        show(r, true);
    SetButton(m_d, row, true);
    markersAround(row);
    finish(row);
}

void Outline::ExpandAll()
{
    if (!valid())
        return;
    for (int r = m_first; r <= m_last; ++r) {
        if (header(r) && !expanded(r)) {
            m_d.rowInfo[size_t(r)].state |= 1u;
            SetButton(m_d, r, true);
        }
        show(r, true);
    }
    RecomputeAllMarkers();
    finish(m_first);
}

void Outline::CloseAll()
{
    if (!valid())
        return;
    for (int r = m_first; r <= m_last; ++r) {
        if (header(r) && expanded(r)) {
            m_d.rowInfo[size_t(r)].state &= ~1u;
            SetButton(m_d, r, false);
        }
        show(r, header(r) && level(r) == 1);
    }
    RecomputeAllMarkers();
    finish(m_first);
}

void Outline::markersAround(int row)
{
    int top = row;
    while (top > m_first && !(header(top) && level(top) == 1))
        --top;
    int bottom = row + 1;
    while (bottom <= m_last && !(header(bottom) && level(bottom) == 1))
        ++bottom;
    RecomputeMarkers(top, bottom - 1);
}

void Outline::RecomputeAllMarkers()
{
    if (valid())
        RecomputeMarkers(m_first, m_last);
}

void Outline::RecomputeMarkers(int first, int last)
{
    if (!valid())
        return;
    first = std::max(first, m_first);
    last = std::min(last, m_last);
    struct Node {
        int level, header;
        bool open;
    };
    std::vector<Node> nodes;
    int lastVisible = -1;
    // A node ends on the last row shown since its header; nodes ending on the same row leave
    // the outermost level there, and the painter closes every deeper one with it.
    auto close = [&] {
        const Node n = nodes.back();
        nodes.pop_back();
        if (!n.open || lastVisible <= n.header)
            return;
        int32_t &marker = m_d.rowInfo[size_t(lastVisible)].group4;
        marker = marker ? std::min(marker, n.level) : n.level;
    };
    for (int r = first; r <= last; ++r)
        m_d.rowInfo[size_t(r)].group4 = 0;
    for (int r = first; r <= last; ++r) {
        const RowInfo &i = m_d.rowInfo[size_t(r)];
        const bool visible = m_d.rowAxis.CurrentSize(r) > 0;
        if (i.group2 == kHeader) {
            while (!nodes.empty() && nodes.back().level >= i.group3)
                close();
            nodes.push_back({i.group3, r, visible && (i.state & 1u)});
        } else if (i.group2 == kFooter) {
            while (!nodes.empty() && nodes.back().level > i.group3)
                close();
        }
        if (visible)
            lastVisible = r;
        if (i.group2 == kFooter && !nodes.empty() && nodes.back().level == i.group3)
            close();
    }
    while (!nodes.empty())
        close();
}

void Outline::finish(int from)
{
    m_d.rowAxis.Recalc(std::max(m_changedFrom >= 0 ? std::min(from, m_changedFrom) : from, 0));
    m_changedFrom = -1;
    m_d.batch.MarkHeightsChanged();
    if (!m_d.batch.Locked()) {
        m_d.batch.TakeHeightsChanged();
        m_d.layoutChanged();
    }
}

} // namespace qor
