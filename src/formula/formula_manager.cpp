#include "formula/formula_manager_p.h"

#include <algorithm>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "formula/engine/expression.h"

namespace qor {

namespace {

template <class T>
struct Restore {
    T &ref;
    T old;
    Restore(T &r, T now) : ref(r), old(r) { ref = now; }
    ~Restore() { ref = old; }
};

// Texts are being rewritten inside a raw batch: the rewritten cells neither register nor
// recalculate on their own.
struct RewritingBatch {
    Restore<bool> flag;
    UpdateBatch &batch;
    RewritingBatch(bool &rewriting, UpdateBatch &b) : flag(rewriting, true), batch(b) { batch.Begin(); }
    ~RewritingBatch() { batch.End(); }
};

} // namespace

FormulaManager::FormulaManager(TCustomQorGrid &grid)
    : q(grid), d(GridPrivate::get(grid)), m_engine(std::make_unique<TQorExpression>()),
      m_evaluator(d, m_store, *m_engine)
{
    m_engine->SetEvaluateOrder(eoInternalFirst);
    m_engine->SetOnEvaluate([this](TQorExpression *sender, const QString &eval, const ExpValue *args, int argCount,
                                   ExpValue &value, bool &done) {
        q.DoEvaluate(sender, eval, args, argCount, value, done);
    });
}

FormulaManager::~FormulaManager() = default;

FormulaManager &FormulaManager::Install(TCustomQorGrid &grid)
{
    auto manager = std::make_unique<FormulaManager>(grid);
    FormulaManager &kept = *manager;
    GridPrivate::get(grid).seams.formulas = std::move(manager);
    return kept;
}

FormulaManager &FormulaManager::Of(const TCustomQorGrid &grid)
{
    GridPrivate &d = GridPrivate::get(grid);
    if (FormulaManager *manager = d.seams.formulas->Manager())
        return *manager;
    // Something stood in for the layer: formulas still need a home.
    return Install(*d.q);
}

bool FormulaManager::IsLiveFormula(const TCellInfo &cell) const
{
    return ftext::IsFormulaText(cell.GetText()) && cell.GetCellType() != ctRichEdit;
}

// --- Registration

void FormulaManager::TextReplacing(TCellInfo &cell, const QString &oldText, const QString &newText)
{
    if (m_rewriting || m_store.Empty())
        return;
    Q_UNUSED(oldText);
    m_store.Unregister(&cell);
    if (!ftext::IsFormulaText(newText)) {
        const FormulaSlot *slot = m_store.FindSlot(&cell);
        if (slot && !slot->evaluating)
            m_store.Forget(&cell);
    }
}

void FormulaManager::TextStored(TCellInfo &cell, bool evaluateNow)
{
    if (m_rewriting) {
        // The cells being rewritten are listed already and registered again afterwards; any
        // other text stored meanwhile (by a handler) is listed and leaves the values behind.
        if (&cell != m_rewritingCell) {
            m_valuesCurrent = false;
            m_foreignText = true;
            if (ftext::IsFormulaText(cell.GetText()))
                m_store.AddFormulaCell(&cell);
        }
        return;
    }
    // Stored without recalculating: whatever reads this cell is behind until the next pass.
    if (!evaluateNow)
        m_valuesCurrent = false;
    if (!ftext::IsFormulaText(cell.GetText()))
        return;
    m_store.AddFormulaCell(&cell);
    Register(cell);
    if (evaluateNow) {
        try {
            m_evaluator.EvaluateCell(cell);
        } catch (...) {
            m_valuesCurrent = false;
            throw;
        }
    }
}

void FormulaManager::Register(TCellInfo &cell)
{
    if (!ftext::IsFormulaText(cell.GetText())) {
        m_store.Unregister(&cell);
        return;
    }
    const bool wellFormed = CollectAreas(cell.GetRow(), cell.GetCol(), cell.GetText(), m_areaBuffer);
    KeyAreas(m_areaBuffer, m_keyAreaBuffer);
    m_store.Register(&cell, m_store.Key(cell.GetRow(), cell.GetCol()), m_keyAreaBuffer.data(), m_keyAreaBuffer.size(),
                     wellFormed);
}

void FormulaManager::KeyAreas(const std::vector<QRect> &areas, std::vector<QRect> &out) const
{
    out.clear();
    const int origin = m_store.RowOrigin();
    for (const QRect &rect : areas) {
        const int top = std::max(rect.top(), 0);
        const int bottom = std::min(rect.bottom(), d.rows - 1);
        const int left = std::max(rect.left(), 0);
        const int right = std::min(rect.right(), d.cols - 1);
        if (top <= bottom && left <= right)
            out.push_back(QRect(QPoint(left, top - origin), QPoint(right, bottom - origin)));
    }
}

void FormulaManager::EnsureDependents()
{
    if (d.merges && d.merges->Generation() != m_registeredMerges)
        RebuildDependents();
}

void FormulaManager::RebuildDependents()
{
    m_store.ClearDependents();
    m_rawEntries = false;
    m_registeredMerges = d.merges ? d.merges->Generation() : 0;
    m_store.Compact();
    for (TCellInfo *cell : m_store.List())
        if (cell && IsLiveFormula(*cell))
            Register(*cell);
}

// Entries made by hand belong to no formula's registration: the next structural change
// rebuilds the table instead of moving registrations.
void FormulaManager::AddFormulaCellList(int row, int col, const QString &formula)
{
    m_rawEntries = true;
    const PosKey self = m_store.Key(row, col);
    for (PosKey ref : GetFormulaCellList(row, col, formula)) {
        m_store.RemoveDependent(ref, self);
        m_store.AddDependent(ref, self);
    }
}

void FormulaManager::DeleteFormulaCellList(int row, int col, const QString &formula)
{
    m_rawEntries = true;
    const PosKey self = m_store.Key(row, col);
    for (PosKey ref : GetFormulaCellList(row, col, formula))
        m_store.RemoveDependent(ref, self);
}

std::vector<PosKey> FormulaManager::GetFormulaCellList(int row, int col, const QString &formula) const
{
    std::vector<PosKey> out;
    if (!ftext::IsFormulaText(formula))
        return out;
    CollectAreas(row, col, formula, m_areaBuffer);
    std::vector<QRect> keyAreas;
    KeyAreas(m_areaBuffer, keyAreas);
    FormulaStore::KeysOf(keyAreas.data(), keyAreas.size(), out);
    return out;
}

bool FormulaManager::CollectAreas(int row, int col, const QString &formula, std::vector<QRect> &out) const
{
    out.clear();
    // Without the keyword the body is read in place: no copy per formula.
    QString replaced;
    QStringView body = QStringView(formula).sliced(1);
    if (ftext::ContainsNoCase(body, "above")) {
        replaced = ftext::ReplaceAbove(body.toString(), row, col, d.layout.titleRows);
        body = replaced;
    }
    std::vector<ftext::RefRect> &rects = m_rectBuffer;
    rects.clear();
    const bool wellFormed = ftext::CollectReferences(body, rects);
    for (const ftext::RefRect &r : rects) {
        QRect rect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
        if (rect.width() > 1 && rect.height() > 1)
            rect = d.merges->AbsorbMerges(rect);
        out.push_back(rect);
    }
    return wellFormed;
}

void FormulaManager::Drop(TCellInfo &cell)
{
    m_store.Unregister(&cell);
    m_store.DeleteFormulaCell(&cell);
}

void FormulaManager::CellFreed(TCellInfo &cell)
{
    // Its dependents' records go stale and are dropped when a change next reaches them.
    m_store.Forget(&cell);
    // A row or column operation accounts for the cells of the lines it removes; any other
    // freed cell leaves the next one to a full recalculation.
    if (m_valuesCurrent) {
        if (m_freed.size() < 4096)
            m_freed.push_back(MakeKey(cell.GetRow(), cell.GetCol()));
        else
            m_valuesCurrent = false;
    }
}

void FormulaManager::AllCellsFreed()
{
    m_store.Clear();
    m_rawEntries = false;
    m_valuesCurrent = false;
}

ExpValue FormulaManager::FormulaValue(const TCellInfo &cell)
{
    const FormulaSlot *slot = m_store.FindSlot(&cell);
    return slot ? slot->value : ExpValue();
}

void FormulaManager::SetFormulaValue(const TCellInfo &cell, const ExpValue &value)
{
    if (ftext::IsFormulaText(cell.GetText())) {
        m_store.Slot(&cell).value = value;
        m_valuesCurrent = false;
    }
}

// --- Recalculation

bool FormulaManager::EvaluateListed(TCellInfo &cell)
{
    try {
        m_evaluator.EvaluateCell(cell);
        m_store.MarkEvaluated(m_store.Slot(&cell));
        return true;
    } catch (const std::exception &) {
        // The cell keeps its text; it leaves the recalculation until it is entered again.
        // So do the formulas that were waiting for it: they would fail in turn, and
        // finding that out one by one takes quadratic time on a long chain.
        const std::vector<TCellInfo *> failed = m_evaluator.FailedChain();
        for (TCellInfo *waiting : failed)
            if (m_store.FindSlot(waiting))
                Drop(*waiting);
        Drop(cell);
        return false;
    }
}

void FormulaManager::ValuesRecalculated(bool ok)
{
    m_valuesCurrent = ok;
    m_mergeGeneration = d.merges ? d.merges->Generation() : 0;
    m_freed.clear();
}

void FormulaManager::UpdateFormula(bool force)
{
    if (d.locked() || m_walking || (!force && !d.options.Contains(qgoAutoCalFormula))) {
        m_valuesCurrent = false;
        return;
    }
    m_store.Compact();
    m_store.NewPass();
    bool ok = true;
    {
        Restore<bool> walking(m_walking, true);
        const std::vector<TCellInfo *> &list = m_store.List();
        for (size_t i = list.size(); i-- > 0;) {
            if (i >= list.size())
                continue;
            TCellInfo *cell = list[i];
            if (!cell)
                continue;
            if (!IsLiveFormula(*cell)) {
                Drop(*cell);
                continue;
            }
            if (m_store.Evaluated(m_store.Slot(cell)))
                continue;
            ok = EvaluateListed(*cell) && ok;
        }
    }
    m_store.NewPass();
    m_store.Compact();
    ValuesRecalculated(ok);
}

void FormulaManager::RecalcDependents(TCellInfo &cell)
{
    if (m_store.Empty() && d.options.Contains(qgoAutoCalFormula))
        return; // nothing can depend on the cell: spare finding its row
    RecalcDependentsAt(cell.GetRow(), cell.GetCol());
}

void FormulaManager::RecalcDependentsAt(int row, int col)
{
    if (!d.options.Contains(qgoAutoCalFormula)) {
        m_valuesCurrent = false;
        return;
    }
    UpdateFormulaFromCell(row, col);
}

void FormulaManager::UpdateFormulaFromCell(int row, int col)
{
    if (m_store.Empty())
        return;
    EnsureDependents();
    m_store.NewPass();
    try {
        Propagate(m_store.Key(row, col));
    } catch (...) {
        m_store.NewPass();
        m_valuesCurrent = false;
        throw;
    }
    m_store.NewPass();
}

// Depth-first over the dependents, each list from its last entry to its first, on an explicit
// stack; the visiting marks stop a cycle.
void FormulaManager::Propagate(PosKey start)
{
    FormulaStore::KeySet &visiting = m_store.Visiting();
    if (visiting.find(start) || !m_store.Dependents(start))
        return;
    struct Frame {
        PosKey key;
        size_t next; // entries below this index are still to be visited
    };
    std::vector<Frame> stack;
    visiting[start] = 1;
    stack.push_back({start, m_store.Dependents(start)->size()});
    try {
        while (!stack.empty()) {
            Frame &f = stack.back();
            DepList *deps = m_store.Dependents(f.key);
            if (!deps || f.next == 0) {
                visiting.erase(f.key);
                stack.pop_back();
                continue;
            }
            f.next = std::min(f.next, deps->size());
            const size_t i = --f.next;
            const PosKey dep = (*deps)[i];
            const int r = m_store.RowOfKey(dep);
            const int c = KeyCol(dep);
            if (!d.valid(r, c))
                continue;
            TCellInfo *cell = d.cells.At(r, c);
            if (!cell || !IsLiveFormula(*cell)) {
                // No formula reads from here any more: it leaves all its entries.
                if (cell && m_store.FindSlot(cell))
                    m_store.Unregister(cell);
                else
                    m_store.RemoveDependentAt(f.key, i);
                continue;
            }
            if (m_store.Evaluated(m_store.Slot(cell)))
                continue;
            m_evaluator.EvaluateCell(*cell);
            m_store.MarkEvaluated(m_store.Slot(cell));
            if (!visiting.find(dep))
                if (DepList *next = m_store.Dependents(dep)) {
                    // A frame with nothing left gives its place up now: a chain is walked
                    // without coming back along it.
                    if (f.next == 0) {
                        visiting.erase(f.key);
                        stack.pop_back();
                    }
                    visiting[dep] = 1;
                    stack.push_back({dep, next->size()});
                }
        }
    } catch (...) {
        for (const Frame &f : stack)
            visiting.erase(f.key);
        throw;
    }
}

// --- Structural changes

void FormulaManager::ShiftReferences(Shift kind, int index, int count)
{
    if (kind != Shift::Footer && count <= 0)
        return;
    const int firstFooter = d.rows - d.layout.footerRows;
    // Whether every reference of the formula being rewritten moved by the same amount (none
    // stayed, none folded onto the line of a deleted one).
    struct {
        int delta = 0;
        bool uniform = true;
    } refs;
    refs.delta = kind == Shift::RowsInserted || kind == Shift::ColsInserted ? count : -count;
    auto shift = [&](int &row, int &col) {
        const int oldRow = row;
        const int oldCol = col;
        switch (kind) {
        case Shift::RowsInserted:
            if (row >= index)
                row += count;
            break;
        case Shift::ColsInserted:
            if (col >= index)
                col += count;
            break;
        case Shift::RowsDeleted:
            // A reference into the removed block follows to the row that took its place.
            if (row >= index + count)
                row -= count;
            else if (row >= index)
                row = index;
            break;
        case Shift::ColsDeleted:
            if (col >= index + count)
                col -= count;
            else if (col >= index)
                col = index;
            break;
        case Shift::Footer:
            if (row >= firstFooter)
                row = firstFooter - 1;
            break;
        }
        const int moved = (kind == Shift::RowsInserted || kind == Shift::RowsDeleted) ? row - oldRow : col - oldCol;
        refs.uniform = refs.uniform && moved == refs.delta;
        return row != oldRow || col != oldCol;
    };
    // Along the changed direction, the lines (new numbering) a reference must reach for the
    // formula to read something else: the inserted lines; around a deleted line, the line that
    // took its place and the one above it (an area that ended on the deleted line).
    const bool rows = kind == Shift::RowsInserted || kind == Shift::RowsDeleted;
    const bool inserted = kind == Shift::RowsInserted || kind == Shift::ColsInserted;
    const int zoneFirst = inserted ? index : index - 1;
    const int zoneLast = inserted ? index + count - 1 : index;
    bool partial = CanRecalcPartially(kind, index, count);
    std::vector<TCellInfo *> &changed = m_staleBuffer;
    changed.clear();
    m_store.Compact();
    const std::vector<TCellInfo *> cells = m_store.List();
    const std::vector<uint32_t> slots = m_store.ListSlots();
    // Lines inserted or deleted nearer the top than the bottom move the key origin with the
    // lines below, so that only what lies above the change gets new keys.
    // A formula that moved with everything it reads then keeps its keys: when its text did not
    // change otherwise and the merged areas are those it was registered under, it is neither
    // read again nor registered again.
    bool originMoved = false;
    if (kind == Shift::RowsInserted && index < d.rows - count - index) {
        m_store.MoveRowOrigin(count);
        originMoved = true;
    } else if (kind == Shift::RowsDeleted && index < d.rows - index) {
        m_store.MoveRowOrigin(-count);
        originMoved = true;
    }
    const bool keysCanStay = originMoved && !m_rawEntries && (!d.merges || d.merges->Generation() == m_registeredMerges);
    // Each formula is read once, from the last to the first: rewritten, and registered again
    // only where its areas now have other keys.
    m_foreignText = false;
    m_joining.clear();
    m_joiningAreas.clear();
    {
        RewritingBatch rewriting(m_rewriting, d.batch);
        for (size_t i = cells.size(); i-- > 0;) {
            TCellInfo *cell = cells[i];
            // On a large sheet each formula's cell, text and record are far from the last
            // one's: ask for them a few formulas ahead.
            if (i >= 8 && cells[i - 8]) {
                __builtin_prefetch(cells[i - 8]);
                m_store.PrefetchRegistration(slots[i - 8]);
            }
            if (i >= 4 && cells[i - 4]) {
                __builtin_prefetch(cells[i - 4]->GetText().constData());
                __builtin_prefetch(cells[i - 4]->GetRec());
                m_store.PrefetchAreas(slots[i - 4]);
            }
            if (!cell)
                continue;
            if (!IsLiveFormula(*cell)) {
                partial = false; // a full pass drops it from the list
                continue;
            }
            try {
                const QString &text = cell->GetText();
                refs.uniform = true;
                const QString body = ftext::RewriteReferences(QStringView(text).sliced(1), shift);
                if (body != QStringView(text).sliced(1)) {
                    const int row = cell->GetRow(), col = cell->GetCol();
                    Restore<TCellInfo *> rewritingCell(m_rewritingCell, cell);
                    cell->SetText(u'=' + body);
                    // A handler may have freed or replaced the cell: leave it to the full pass.
                    if (d.cells.At(row, col) != cell) {
                        m_foreignText = true;
                        partial = false;
                        continue;
                    }
                }
                const PosKey self = m_store.Key(cell->GetRow(), cell->GetCol());
                const QStringView newBody = QStringView(cell->GetText()).sliced(1);
                if (keysCanStay && refs.uniform && m_store.RegisteredWellFormedAs(slots[i], self) &&
                    !ftext::ContainsNoCase(newBody, "above")) {
                    if (partial && ftext::ContainsNoCase(newBody, "rand"))
                        changed.push_back(cell);
                    continue;
                }
                const bool wellFormed = CollectAreas(cell->GetRow(), cell->GetCol(), cell->GetText(), m_areaBuffer);
                if (partial && ReadsZone(*cell, m_areaBuffer, wellFormed, rows, zoneFirst, zoneLast))
                    changed.push_back(cell);
                KeyAreas(m_areaBuffer, m_keyAreaBuffer);
                // Leaving now and joining after the walk: a formula's new key may be the old
                // key of one not yet walked, whose leaving would take the new entries too.
                if (!m_store.RegisteredAt(slots[i], self, m_keyAreaBuffer, wellFormed)) {
                    m_store.Unregister(cell);
                    m_joining.push_back({cell, self, uint32_t(m_joiningAreas.size()), uint32_t(m_keyAreaBuffer.size()), wellFormed});
                    m_joiningAreas.insert(m_joiningAreas.end(), m_keyAreaBuffer.begin(), m_keyAreaBuffer.end());
                }
            } catch (const std::exception &) {
                m_store.Unregister(cell);
                m_store.DeleteFormulaCell(cell);
                partial = false;
            }
        }
    }
    // A handler run by the rewriting may have changed anything, and entries made by hand
    // belong to no formula: register everything anew.
    m_store.Compact();
    for (const Joining &j : m_joining)
        if (!m_foreignText && !m_rawEntries && m_store.FindSlot(j.cell))
            m_store.Register(j.cell, j.self, m_joiningAreas.data() + j.first, j.count, j.wellFormed);
    m_joining.clear();
    m_joiningAreas.clear();
    if (m_foreignText || m_rawEntries)
        RebuildDependents();
    else
        m_registeredMerges = d.merges ? d.merges->Generation() : 0; // every formula's areas were read anew
    if (partial && CanRecalcPartially(kind, index, count))
        RecalcChanged(changed);
    else
        UpdateFormula(false);
}

bool FormulaManager::CanRecalcPartially(Shift kind, int index, int count) const
{
    if (kind == Shift::Footer || !m_valuesCurrent || d.locked() || m_walking ||
        !d.options.Contains(qgoAutoCalFormula))
        return false;
    // Names answered by the grid's handler, user functions and variables may give other
    // values on every call, and so may bound fields.
    if (q.OnEvaluate || !m_engine->GetFunctions().isEmpty() || m_engine->GetOnVariable() ||
        d.seams.binding->ControlsRowCount())
        return false;
    if (d.merges && d.merges->Generation() != m_mergeGeneration)
        return false;
    const bool rows = kind == Shift::RowsDeleted;
    const bool deleted = rows || kind == Shift::ColsDeleted;
    for (PosKey key : m_freed) {
        const int line = rows ? KeyRow(key) : KeyCol(key);
        if (!deleted || line < index || line >= index + count)
            return false;
    }
    return true;
}

bool FormulaManager::ReadsZone(const TCellInfo &cell, const std::vector<QRect> &areas, bool wellFormed, bool rows,
                               int zoneFirst, int zoneLast) const
{
    if (!wellFormed)
        return true;
    const QStringView body = QStringView(cell.GetText()).sliced(1);
    // "Above" reads up to the formula's own line; random numbers change on every pass.
    if (ftext::ContainsNoCase(body, "above") || ftext::ContainsNoCase(body, "rand"))
        return true;
    for (const QRect &rect : areas) {
        const int first = rows ? rect.top() : rect.left();
        const int last = rows ? rect.bottom() : rect.right();
        if (first <= zoneLast && last >= zoneFirst)
            return true;
    }
    return false;
}

void FormulaManager::RecalcChanged(const std::vector<TCellInfo *> &changed)
{
    m_store.Compact();
    m_store.NewPartialPass();
    // The changed formulas and, through the dependents, everything that reads them.
    std::vector<TCellInfo *> stale;
    for (TCellInfo *cell : changed) {
        FormulaSlot &s = m_store.Slot(cell);
        if (!m_store.Stale(s)) {
            m_store.MarkStale(s);
            stale.push_back(cell);
        }
    }
    for (size_t i = 0; i < stale.size(); ++i) {
        const DepList *deps = m_store.Dependents(m_store.Key(stale[i]->GetRow(), stale[i]->GetCol()));
        for (size_t k = 0, n = deps ? deps->size() : 0; k < n; ++k) {
            const PosKey dep = (*deps)[k];
            const int r = m_store.RowOfKey(dep);
            TCellInfo *cell = d.valid(r, KeyCol(dep)) ? d.cells.At(r, KeyCol(dep)) : nullptr;
            if (!cell || !IsLiveFormula(*cell))
                continue;
            FormulaSlot &s = m_store.Slot(cell);
            if (!m_store.Stale(s)) {
                m_store.MarkStale(s);
                stale.push_back(cell);
            }
        }
    }
    // In the order of the full pass: the list from its last entry to its first.
    std::sort(stale.begin(), stale.end(), [this](TCellInfo *a, TCellInfo *b) {
        return m_store.Slot(a).listIndex > m_store.Slot(b).listIndex;
    });
    bool ok = true;
    {
        Restore<bool> walking(m_walking, true);
        for (TCellInfo *cell : stale) {
            const FormulaSlot *s = m_store.FindSlot(cell);
            // Not listed (dropped by an error meanwhile): read when referenced, as in a full pass.
            if (!s || s->listIndex < 0 || m_store.Evaluated(*s))
                continue;
            ok = EvaluateListed(*cell) && ok;
        }
    }
    m_store.NewPass();
    m_store.Compact();
    ValuesRecalculated(ok);
}

void FormulaManager::LinesMoved()
{
    // The dependents are keyed by position; the batch that moved the lines recalculates after.
    // Formulas read other cells now: until that pass no operation may keep a value.
    m_valuesCurrent = false;
    RebuildDependents();
}

void FormulaManager::RowsPermuted(int first, const std::vector<int> &sourceRows)
{
    std::vector<int> newRowOf(sourceRows.size());
    for (size_t i = 0; i < sourceRows.size(); ++i)
        newRowOf[size_t(sourceRows[i] - first)] = first + int(i);
    m_store.Compact();
    const std::vector<TCellInfo *> cells = m_store.List();
    {
        RewritingBatch rewriting(m_rewriting, d.batch);
        for (TCellInfo *cell : cells) {
            if (!cell || !IsLiveFormula(*cell))
                continue;
            const QString &text = cell->GetText();
            const QString body = ftext::RewriteRowsPermuted(QStringView(text).sliced(1), first, newRowOf);
            if (body == QStringView(text).sliced(1))
                continue;
            Restore<TCellInfo *> rewritingCell(m_rewritingCell, cell);
            try {
                cell->SetText(u'=' + body);
            } catch (const std::exception &) {
                m_store.Unregister(cell);
                m_store.DeleteFormulaCell(cell);
            }
        }
    }
    // Keys are positions: every formula registers again, and the batch's end recalculates.
    LinesMoved();
}

std::string FormulaManager::checkConsistency()
{
    std::string problem = m_store.checkConsistency(!m_rawEntries);
    if (!problem.empty())
        return problem;
    for (TCellInfo *cell : m_store.List())
        if (cell && d.cells.At(cell->GetRow(), cell->GetCol()) != cell)
            return "listed formula cell not at its place";
    return {};
}

} // namespace qor
