#include "formula/formula_manager_p.h"

#include <algorithm>
#include "core/grid.h"
#include "core/grid_p.h"
#include "formula/expression.h"

namespace qor {

namespace {

const bool installed = [] {
    RegisterGridSeams([](TCustomQorGrid &grid, GridSeams &seams) {
        seams.formulas = std::make_unique<FormulaManager>(grid);
    });
    return true;
}();

template <class T>
struct Restore {
    T &ref;
    T old;
    Restore(T &r, T now) : ref(r), old(r) { ref = now; }
    ~Restore() { ref = old; }
};

} // namespace

FormulaManager::FormulaManager(TCustomQorGrid &grid)
    : q(grid), d(grid.Private()), m_engine(std::make_unique<TQorExpression>()),
      m_evaluator(d, m_store, *m_engine)
{
    m_engine->SetEvaluateOrder(eoInternalFirst);
    m_engine->SetOnEvaluate([this](TQorExpression *sender, const QString &eval, const ExpValue *args, int argCount,
                                   ExpValue &value, bool &done) {
        q.DoEvaluate(sender, eval, args, argCount, value, done);
    });
}

FormulaManager::~FormulaManager() = default;

FormulaManager &FormulaManager::Of(const TCustomQorGrid &grid)
{
    GridSeams &seams = grid.Private().seams;
    auto *manager = dynamic_cast<FormulaManager *>(seams.formulas.get());
    if (!manager) {
        // A layer replaced the seam: formulas still need a home.
        seams.formulas = std::make_unique<FormulaManager>(const_cast<TCustomQorGrid &>(grid));
        manager = static_cast<FormulaManager *>(seams.formulas.get());
    }
    return *manager;
}

bool FormulaManager::IsLiveFormula(const TCellInfo &cell) const
{
    return ftext::IsFormulaText(cell.GetText()) && cell.GetCellType() != ctRichEdit;
}

// --- Registration

void FormulaManager::TextReplacing(TCellInfo &cell, const QString &oldText, const QString &newText)
{
    if (m_rewriting)
        return;
    if (ftext::IsFormulaText(oldText))
        DeleteFormulaCellList(cell.GetRow(), cell.GetCol(), oldText);
    if (!ftext::IsFormulaText(newText)) {
        const FormulaSlot *slot = m_store.FindSlot(&cell);
        if (slot && !slot->evaluating)
            m_store.Forget(&cell);
    }
}

void FormulaManager::TextStored(TCellInfo &cell, bool evaluateNow)
{
    if (!ftext::IsFormulaText(cell.GetText()))
        return;
    m_store.AddFormulaCell(&cell);
    if (m_rewriting)
        return;
    Register(cell);
    if (evaluateNow)
        m_evaluator.EvaluateCell(cell);
}

void FormulaManager::Register(TCellInfo &cell)
{
    const PosKey self = MakeKey(cell.GetRow(), cell.GetCol());
    CollectKeys(cell.GetRow(), cell.GetCol(), cell.GetText(), m_keyBuffer);
    for (PosKey ref : m_keyBuffer)
        m_store.AddDependent(ref, self);
}

void FormulaManager::AddFormulaCellList(int row, int col, const QString &formula)
{
    const PosKey self = MakeKey(row, col);
    for (PosKey ref : GetFormulaCellList(row, col, formula)) {
        m_store.RemoveDependent(ref, self);
        m_store.AddDependent(ref, self);
    }
}

void FormulaManager::DeleteFormulaCellList(int row, int col, const QString &formula)
{
    const PosKey self = MakeKey(row, col);
    for (PosKey ref : GetFormulaCellList(row, col, formula))
        m_store.RemoveDependent(ref, self);
}

std::vector<PosKey> FormulaManager::GetFormulaCellList(int row, int col, const QString &formula) const
{
    std::vector<PosKey> out;
    CollectKeys(row, col, formula, out);
    return out;
}

void FormulaManager::CollectKeys(int row, int col, const QString &formula, std::vector<PosKey> &out) const
{
    out.clear();
    if (!ftext::IsFormulaText(formula))
        return;
    // Without the keyword the body is read in place: no copy per formula.
    QString replaced;
    QStringView body = QStringView(formula).sliced(1);
    if (body.contains(u"above", Qt::CaseInsensitive)) {
        replaced = ftext::ReplaceAbove(body.toString(), row, col, d.layout.titleRows);
        body = replaced;
    }
    std::vector<ftext::RefRect> &rects = m_rectBuffer;
    rects.clear();
    ftext::CollectReferences(body, rects);
    for (const ftext::RefRect &r : rects) {
        QRect rect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
        if (rect.width() > 1 && rect.height() > 1)
            rect = d.seams.merges->AbsorbMerges(rect);
        const int top = std::max(rect.top(), 0);
        const int bottom = std::min(rect.bottom(), d.rows - 1);
        const int left = std::max(rect.left(), 0);
        const int right = std::min(rect.right(), d.cols - 1);
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                out.push_back(MakeKey(y, x));
    }
    if (rects.size() > 1) {
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
    }
}

void FormulaManager::Drop(TCellInfo &cell)
{
    DeleteFormulaCellList(cell.GetRow(), cell.GetCol(), cell.GetText());
    m_store.DeleteFormulaCell(&cell);
}

void FormulaManager::CellFreed(TCellInfo &cell)
{
    // Its dependents' records go stale and are dropped when a change next reaches them.
    m_store.Forget(&cell);
}

void FormulaManager::AllCellsFreed() { m_store.Clear(); }

ExpValue FormulaManager::FormulaValue(const TCellInfo &cell)
{
    const FormulaSlot *slot = m_store.FindSlot(&cell);
    return slot ? slot->value : ExpValue();
}

void FormulaManager::SetFormulaValue(const TCellInfo &cell, const ExpValue &value)
{
    if (ftext::IsFormulaText(cell.GetText()))
        m_store.Slot(&cell).value = value;
}

// --- Recalculation

void FormulaManager::UpdateFormula(bool force)
{
    if (d.locked() || m_walking || (!force && !d.options.Contains(qgoAutoCalFormula)))
        return;
    m_store.Compact();
    m_store.NewPass();
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
            try {
                m_evaluator.EvaluateCell(*cell);
                m_store.MarkEvaluated(m_store.Slot(cell));
            } catch (const std::exception &) {
                // The cell keeps its text; it leaves the recalculation until it is entered again.
                // So do the formulas that were waiting for it: they would fail in turn, and
                // finding that out one by one takes quadratic time on a long chain.
                const std::vector<TCellInfo *> failed = m_evaluator.FailedChain();
                for (TCellInfo *waiting : failed)
                    if (m_store.FindSlot(waiting))
                        Drop(*waiting);
                Drop(*cell);
            }
        }
    }
    m_store.NewPass();
    m_store.Compact();
}

void FormulaManager::RecalcDependents(TCellInfo &cell) { RecalcDependentsAt(cell.GetRow(), cell.GetCol()); }

void FormulaManager::RecalcDependentsAt(int row, int col)
{
    if (!d.options.Contains(qgoAutoCalFormula))
        return;
    UpdateFormulaFromCell(row, col);
}

void FormulaManager::UpdateFormulaFromCell(int row, int col)
{
    m_store.NewPass();
    Propagate(MakeKey(row, col));
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
            std::vector<PosKey> *deps = m_store.Dependents(f.key);
            if (!deps || f.next == 0) {
                visiting.erase(f.key);
                stack.pop_back();
                continue;
            }
            f.next = std::min(f.next, deps->size());
            const size_t i = --f.next;
            const PosKey dep = (*deps)[i];
            const int r = KeyRow(dep);
            const int c = KeyCol(dep);
            if (!d.valid(r, c))
                continue;
            TCellInfo *cell = d.cells.At(r, c);
            if (!cell || !IsLiveFormula(*cell)) {
                m_store.RemoveDependentAt(f.key, i);
                continue;
            }
            if (m_store.Evaluated(m_store.Slot(cell)))
                continue;
            m_evaluator.EvaluateCell(*cell);
            m_store.MarkEvaluated(m_store.Slot(cell));
            if (!visiting.find(dep))
                if (std::vector<PosKey> *next = m_store.Dependents(dep)) {
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
        return row != oldRow || col != oldCol;
    };
    m_store.Compact();
    const std::vector<TCellInfo *> cells = m_store.List();
    {
        Restore<bool> rewriting(m_rewriting, true);
        d.batch.Begin();
        struct EndBatch {
            UpdateBatch &b;
            ~EndBatch() { b.End(); }
        } endBatch{d.batch};
        for (size_t i = cells.size(); i-- > 0;) {
            TCellInfo *cell = cells[i];
            if (!cell || !IsLiveFormula(*cell))
                continue;
            try {
                const QString &text = cell->GetText();
                const QString body = ftext::RewriteReferences(QStringView(text).sliced(1), shift);
                if (body != QStringView(text).sliced(1))
                    cell->SetText(u'=' + body);
            } catch (const std::exception &) {
                m_store.DeleteFormulaCell(cell);
            }
        }
    }
    // Keys are positions: after a move it is quicker and surer to register everything anew.
    m_store.ClearDependents();
    m_store.Compact();
    for (TCellInfo *cell : m_store.List())
        if (cell && IsLiveFormula(*cell))
            Register(*cell);
    UpdateFormula(false);
}

void FormulaManager::LinesMoved()
{
    // The dependents are keyed by position; the batch that moved the lines recalculates after.
    m_store.ClearDependents();
    m_store.Compact();
    for (TCellInfo *cell : m_store.List())
        if (cell && IsLiveFormula(*cell))
            Register(*cell);
}

std::string FormulaManager::checkConsistency()
{
    std::string problem = m_store.checkConsistency();
    if (!problem.empty())
        return problem;
    for (TCellInfo *cell : m_store.List())
        if (cell && d.cells.At(cell->GetRow(), cell->GetCol()) != cell)
            return "listed formula cell not at its place";
    return {};
}

} // namespace qor
