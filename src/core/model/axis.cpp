#include "core/model/axis_p.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <sstream>
#include "platform/screen.h"

namespace qor {

double PixelsToUnit(int pixels, TUnitType unit)
{
    const double dpi = platform::ScreenDpi();
    switch (unit) {
    case utMillimeter:
        return pixels * 25.4 / dpi;
    case utInch:
        return pixels / dpi;
    case utPixel:
        break;
    }
    return pixels;
}

int UnitToPixels(double value, TUnitType unit)
{
    const double dpi = platform::ScreenDpi();
    double px = value;
    if (unit == utMillimeter)
        px = value * dpi / 25.4;
    else if (unit == utInch)
        px = value * dpi;
    // Halves go to the even neighbour (the default rounding mode).
    return int(std::nearbyint(std::clamp(px, double(INT_MIN), double(INT_MAX))));
}

static AxisEntry makeEntry(int size, TUnitType unit)
{
    AxisEntry e;
    e.size = e.savedSize = size;
    e.phySize = e.savedPhySize = PixelsToUnit(size, unit);
    return e;
}

void Axis::Reset(int count, int defaultSize, TUnitType unit)
{
    EndsVector<AxisEntry> entries(size_t(std::max(count, 0)), makeEntry(defaultSize, unit));
    m_entries.swap(entries);
    Recalc(0);
}

void Axis::Append(int count, int defaultSize, TUnitType unit)
{
    Insert(Count(), count, defaultSize, unit);
}

void Axis::Insert(int at, int count, int defaultSize, TUnitType unit)
{
    if (count <= 0)
        return;
    at = std::clamp(at, 0, Count());
    const AxisEntry e = makeEntry(defaultSize, unit);
    m_entries.insert(m_entries.begin() + at, size_t(count), e);
    EdgesShifted(at + count, int64_t(count) * e.size);
    recalcRange(at, at + count);
}

void Axis::Remove(int at, int count)
{
    if (at < 0 || at >= Count() || count <= 0)
        return;
    count = std::min(count, Count() - at);
    const int64_t removed = Edge(at + count - 1) - Edge(at - 1);
    m_entries.erase(m_entries.begin() + at, m_entries.begin() + at + count);
    EdgesShifted(at, -removed);
}

void Axis::Move(int from, int to)
{
    if (!Valid(from) || !Valid(to) || from == to)
        return;
    MoveBlock(from, 1, to);
}

void Axis::MoveBlock(int from, int count, int to)
{
    if (count <= 0 || from < 0 || int64_t(from) + count > Count() || to < 0 || int64_t(to) + count > Count() || to == from)
        return;
    const int first = std::min(from, to);
    const int last = std::max(from, to) + count;
    const int middle = to < from ? from : from + count;
    std::rotate(m_entries.begin() + first, m_entries.begin() + middle, m_entries.begin() + last);
    // The entries beyond the block keep their edges.
    recalcRange(first, last);
}

void Axis::Permute(int first, const std::vector<int> &source)
{
    const int n = int(source.size());
    if (n == 0 || first < 0 || int64_t(first) + n > Count())
        return;
    std::vector<AxisEntry> old(m_entries.begin() + first, m_entries.begin() + first + n);
    for (int i = 0; i < n; ++i)
        m_entries[size_t(first + i)] = old[size_t(source[size_t(i)] - first)];
    // A permutation keeps the total: the entries beyond the range keep their edges.
    recalcRange(first, first + n);
}

int64_t Axis::Edge(int i) const
{
    if (i < 0 || m_entries.empty())
        return 0;
    if (i >= Count())
        return Total();
    return m_entries[size_t(i)].storedEdge + m_edgeOrigin;
}

void Axis::SetSize(int i, int pixels, TUnitType unit)
{
    if (!Valid(i) || pixels < 0)
        return;
    AxisEntry &e = m_entries[size_t(i)];
    const int old = e.size;
    e.savedSize = pixels;
    e.savedPhySize = PixelsToUnit(pixels, unit);
    if (e.visible) {
        e.size = e.savedSize;
        e.phySize = e.savedPhySize;
    }
    sizeChanged(i, old);
}

void Axis::SetPhySize(int i, double value, TUnitType unit)
{
    if (!Valid(i))
        return;
    AxisEntry &e = m_entries[size_t(i)];
    const double v = value > 0 ? value : 0;
    const int pixels = std::max(unit == utPixel ? int(std::nearbyint(std::min(v, double(INT_MAX)))) : UnitToPixels(v, unit), 0);
    const int old = e.size;
    e.savedPhySize = v;
    e.savedSize = pixels;
    if (pixels > 0)
        e.visible = true;
    if (e.visible) {
        e.phySize = v;
        e.size = pixels;
    }
    sizeChanged(i, old);
}

void Axis::SetVisible(int i, bool visible, TUnitType unit)
{
    if (!Valid(i) || m_entries[size_t(i)].visible == visible)
        return;
    const int old = m_entries[size_t(i)].size;
    SetVisibleNoEdges(i, visible, unit);
    sizeChanged(i, old);
}

void Axis::SetVisibleNoEdges(int i, bool visible, TUnitType unit)
{
    if (!Valid(i) || m_entries[size_t(i)].visible == visible)
        return;
    AxisEntry &e = m_entries[size_t(i)];
    e.visible = visible;
    e.phySize = visible ? e.savedPhySize : 0;
    // In physical units the pixel size follows the physical one.
    if (visible && unit != utPixel)
        e.savedSize = std::max(UnitToPixels(e.savedPhySize, unit), 0);
    e.size = visible ? e.savedSize : 0;
}

void Axis::ConvertUnit(TUnitType unit)
{
    for (AxisEntry &e : m_entries) {
        e.savedPhySize = PixelsToUnit(e.savedSize, unit);
        e.phySize = e.visible ? e.savedPhySize : 0;
    }
}

void Axis::Recalc(int from)
{
    if (from <= 0)
        m_edgeOrigin = 0;
    recalcRange(std::max(from, 0), Count());
}

void Axis::recalcRange(int first, int last)
{
    int64_t edge = first > 0 && first <= Count() ? m_entries[size_t(first - 1)].storedEdge : -m_edgeOrigin;
    for (int i = first; i < last; ++i) {
        edge += m_entries[size_t(i)].size;
        m_entries[size_t(i)].storedEdge = edge;
    }
}

void Axis::EdgesShifted(int from, int64_t delta)
{
    if (delta == 0 || from >= Count())
        return;
    from = std::max(from, 0);
    if (from < Count() - from) {
        m_edgeOrigin += delta;
        for (int i = 0; i < from; ++i)
            m_entries[size_t(i)].storedEdge -= delta;
    } else {
        for (int i = from; i < Count(); ++i)
            m_entries[size_t(i)].storedEdge += delta;
    }
}

void Axis::sizeChanged(int i, int oldSize)
{
    const int64_t delta = int64_t(m_entries[size_t(i)].size) - oldSize;
    if (delta == 0)
        return;
    EdgesShifted(i + 1, delta);
    m_entries[size_t(i)].storedEdge += delta;
}

int Axis::IndexAt(int64_t pos) const
{
    if (pos < 0 || pos >= Total())
        return -1;
    const int64_t stored = pos - m_edgeOrigin;
    auto it = std::upper_bound(m_entries.begin(), m_entries.end(), stored,
                               [](int64_t p, const AxisEntry &e) { return p < e.storedEdge; });
    return it == m_entries.end() ? -1 : int(it - m_entries.begin());
}

int Axis::FirstEdgeAtLeast(int64_t pos) const
{
    const int64_t stored = pos - m_edgeOrigin;
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), stored,
                               [](const AxisEntry &e, int64_t p) { return e.storedEdge < p; });
    return int(it - m_entries.begin());
}

std::string Axis::checkConsistency() const
{
    std::ostringstream err;
    int64_t edge = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const AxisEntry &e = m_entries[i];
        if (!e.visible && e.size != 0)
            err << "hidden entry " << i << " has size " << e.size << "; ";
        if (e.visible && e.size != e.savedSize)
            err << "visible entry " << i << " size " << e.size << " != saved " << e.savedSize << "; ";
        edge += e.size;
        if (e.storedEdge + m_edgeOrigin != edge)
            err << "entry " << i << " edge " << e.storedEdge << " + origin " << m_edgeOrigin << " != " << edge << "; ";
    }
    return err.str();
}

} // namespace qor
