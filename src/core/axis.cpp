#include "core/axis_p.h"

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
    std::vector<AxisEntry> entries(size_t(std::max(count, 0)), makeEntry(defaultSize, unit));
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
    m_entries.insert(m_entries.begin() + at, size_t(count), makeEntry(defaultSize, unit));
    Recalc(at);
}

void Axis::Remove(int at, int count)
{
    if (at < 0 || at >= Count() || count <= 0)
        return;
    count = std::min(count, Count() - at);
    m_entries.erase(m_entries.begin() + at, m_entries.begin() + at + count);
    Recalc(at);
}

void Axis::Move(int from, int to)
{
    if (!Valid(from) || !Valid(to) || from == to)
        return;
    AxisEntry e = m_entries[size_t(from)];
    m_entries.erase(m_entries.begin() + from);
    m_entries.insert(m_entries.begin() + to, e);
    Recalc(std::min(from, to));
}

void Axis::MoveBlock(int from, int count, int to)
{
    if (count <= 0 || from < 0 || from + count > Count() || to < 0 || to + count > Count() || to == from)
        return;
    const int first = std::min(from, to);
    const int last = std::max(from, to) + count;
    const int middle = to < from ? from : from + count;
    std::rotate(m_entries.begin() + first, m_entries.begin() + middle, m_entries.begin() + last);
    Recalc(first);
}

int64_t Axis::Edge(int i) const
{
    if (i < 0 || m_entries.empty())
        return 0;
    if (i >= Count())
        return Total();
    return m_entries[size_t(i)].edge;
}

void Axis::SetSize(int i, int pixels, TUnitType unit)
{
    if (!Valid(i) || pixels < 0)
        return;
    AxisEntry &e = m_entries[size_t(i)];
    e.savedSize = pixels;
    e.savedPhySize = PixelsToUnit(pixels, unit);
    if (e.visible) {
        e.size = e.savedSize;
        e.phySize = e.savedPhySize;
    }
    Recalc(i);
}

void Axis::SetPhySize(int i, double value, TUnitType unit)
{
    if (!Valid(i))
        return;
    AxisEntry &e = m_entries[size_t(i)];
    const double v = value > 0 ? value : 0;
    const int pixels = std::max(unit == utPixel ? int(std::nearbyint(std::min(v, double(INT_MAX)))) : UnitToPixels(v, unit), 0);
    e.savedPhySize = v;
    e.savedSize = pixels;
    if (pixels > 0)
        e.visible = true;
    if (e.visible) {
        e.phySize = v;
        e.size = pixels;
    }
    Recalc(i);
}

void Axis::SetVisible(int i, bool visible, TUnitType unit)
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
    Recalc(i);
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
    from = std::max(from, 0);
    int64_t edge = from > 0 && from <= Count() ? m_entries[size_t(from - 1)].edge : 0;
    for (size_t i = size_t(from); i < m_entries.size(); ++i) {
        edge += m_entries[i].size;
        m_entries[i].edge = edge;
    }
}

int Axis::IndexAt(int64_t pos) const
{
    if (pos < 0 || pos >= Total())
        return -1;
    auto it = std::upper_bound(m_entries.begin(), m_entries.end(), pos,
                               [](int64_t p, const AxisEntry &e) { return p < e.edge; });
    return it == m_entries.end() ? -1 : int(it - m_entries.begin());
}

int Axis::FirstEdgeAtLeast(int64_t pos) const
{
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), pos,
                               [](const AxisEntry &e, int64_t p) { return e.edge < p; });
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
        if (e.edge != edge)
            err << "entry " << i << " edge " << e.edge << " != " << edge << "; ";
    }
    return err.str();
}

} // namespace qor
