#pragma once
// The outline of a grouped range: opening and closing group header rows, and the markers on
// the last visible row of every open node that the painter draws the tree lines from.
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;

class QOR_AUTOTEST_EXPORT Outline {
public:
    explicit Outline(GridPrivate &d);
    // Each does nothing unless the grid is grouped and row is a header in the right state.
    void Close(int row);
    void Expand(int row);
    void ExpandAll();
    void CloseAll();
    // The markers of rows first..last, which hold whole level-1 nodes.
    void RecomputeMarkers(int first, int last);
    void RecomputeAllMarkers();

    static constexpr const char *kClosedPicture = "GroupClose";
    static constexpr const char *kOpenPicture = "GroupExpand";
    // The header cell's button picture for its state.
    static void SetButton(GridPrivate &d, int header, bool expanded);

private:
    bool valid() const { return m_first >= 0; }
    bool header(int r) const;
    int level(int r) const;
    bool expanded(int r) const;
    // A header or footer of level at most l: where a group of level l ends.
    bool endsGroup(int r, int l) const;
    bool footerOf(int r, int l) const;
    void show(int r, bool visible);
    // Opens the content of an open header of level l; returns the row after it.
    int openContent(int headerRow, int l);
    int skipContent(int headerRow, int l) const;
    // The level-1 node holding row.
    void markersAround(int row);
    void finish(int from);

    GridPrivate &m_d;
    int m_first = -1, m_last = -1;   // the grouped range, clamped to the rows
    int m_changedFrom = -1;
};

} // namespace qor
