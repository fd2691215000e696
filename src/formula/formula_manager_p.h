#pragma once
// The grid's formula subsystem: registers formula cells as their texts change, keeps the map of
// dependents, recalculates everything or the dependents of one change, and rewrites references
// when rows or columns move. Installed into every grid as its formula seam by the layers.
#include <QRect>
#include <QString>
#include <memory>
#include <string>
#include <vector>
#include "core/grid_seams_p.h"
#include "formula/formula_evaluator_p.h"
#include "formula/formula_store_p.h"
#include "formula/formula_text_p.h"
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
class TQorExpression;
struct GridPrivate;

class QOR_AUTOTEST_EXPORT FormulaManager final : public IFormulaHost {
public:
    explicit FormulaManager(TCustomQorGrid &grid);
    ~FormulaManager() override;
    // Makes the grid's manager its formula seam.
    static FormulaManager &Install(TCustomQorGrid &grid);
    // The manager of a grid (installed again when something else stands in for it).
    static FormulaManager &Of(const TCustomQorGrid &grid);

    // --- The seam
    void TextReplacing(TCellInfo &cell, const QString &oldText, const QString &newText) override;
    void TextStored(TCellInfo &cell, bool evaluateNow) override;
    void RecalcDependents(TCellInfo &cell) override;
    void UpdateFormulas() override { UpdateFormula(false); }
    void CellFreed(TCellInfo &cell) override;
    void AllCellsFreed() override;
    void RecalcDependentsAt(int row, int col) override;
    void ShiftReferences(Shift kind, int index, int count) override;
    void LinesMoved() override;
    void RowsPermuted(int first, const std::vector<int> &sourceRows) override;
    FormulaManager *Manager() override { return this; }

    // --- Operations behind the grid's formula members
    void EvaluateFormula(TCellInfo &cell) { m_evaluator.EvaluateCell(cell); }
    void UpdateFormula(bool force);
    void UpdateFormulaFromCell(int row, int col);
    void AddFormulaCellList(int row, int col, const QString &formula);
    void DeleteFormulaCellList(int row, int col, const QString &formula);
    // The keys of the positions a formula reads, ranges and "Above" expanded (hidden and covered
    // cells included: showing them must recalculate the formula), clipped to the grid.
    std::vector<PosKey> GetFormulaCellList(int row, int col, const QString &formula) const;
    // The areas a formula reads, "Above" replaced and merged areas absorbed, not clipped to the
    // grid. False when a malformed range ends the reading (the areas before it are listed).
    bool CollectAreas(int row, int col, const QString &formula, std::vector<QRect> &out) const;
    ExpValue Evaluate(const QString &text) { return m_evaluator.EvaluateText(text); }
    ExpValue FormulaValue(const TCellInfo &cell);
    void SetFormulaValue(const TCellInfo &cell, const ExpValue &value);

    TQorExpression &Engine() { return *m_engine; }
    FormulaStore &Store() { return m_store; }
    FormulaEvaluator &Evaluator() { return m_evaluator; }
    // The store's own check, and that every listed cell is a formula cell of this grid at its place.
    std::string checkConsistency();
    // Something changed that a full recalculation would catch but a row or column operation
    // cannot see: the next one recalculates everything.
    void MarkValuesStale() { m_valuesCurrent = false; }
    // Whether every formula value is what a full recalculation would give now, as far as the
    // manager can tell (then a row or column operation re-evaluates only what it can change).
    bool ValuesCurrent() const { return m_valuesCurrent; }

private:
    void Register(TCellInfo &cell);
    // Areas clipped to the grid, their rows less the store's origin.
    void KeyAreas(const std::vector<QRect> &areas, std::vector<QRect> &out) const;
    // Every formula registered anew from its text.
    void RebuildDependents();
public:
    // Merged areas changed since the formulas were registered: a range that absorbs them may
    // read other cells now, so the table is built anew before it is used.
    void EnsureDependents();
private:
    void Drop(TCellInfo &cell);
    bool IsLiveFormula(const TCellInfo &cell) const;
    void Propagate(PosKey start);
    // Evaluates a formula of the list; an error drops it and the formulas waiting for it.
    // False when it raised.
    bool EvaluateListed(TCellInfo &cell);
    void ValuesRecalculated(bool ok);
    bool CanRecalcPartially(IFormulaHost::Shift kind, int index, int count) const;
    // Whether a formula (its references already moved) can read something else after the
    // operation: a reference that reaches into zoneFirst..zoneLast along the changed direction.
    bool ReadsZone(const TCellInfo &cell, const std::vector<QRect> &areas, bool wellFormed, bool rows, int zoneFirst,
                   int zoneLast) const;
    // Re-evaluates the given formulas and every formula that depends on them, the others kept.
    void RecalcChanged(const std::vector<TCellInfo *> &changed);

    TCustomQorGrid &q;
    GridPrivate &d;
    std::unique_ptr<TQorExpression> m_engine;
    FormulaStore m_store;
    FormulaEvaluator m_evaluator;
    bool m_walking = false;     // a full recalculation walks the list
    mutable std::vector<ftext::RefRect> m_rectBuffer; // reused by CollectAreas
    mutable std::vector<QRect> m_areaBuffer;
    std::vector<QRect> m_keyAreaBuffer;
    struct Joining {
        TCellInfo *cell;
        PosKey self;
        uint32_t first, count; // into m_joiningAreas
        bool wellFormed;
    };
    std::vector<Joining> m_joining; // formulas that register again once references have moved
    std::vector<QRect> m_joiningAreas;
    bool m_rawEntries = false; // entries added or removed by hand since the last rebuild
    uint64_t m_registeredMerges = 0; // merge generation the registrations were made under
    bool m_foreignText = false; // a handler stored a text while references were rewritten
    bool m_rewriting = false;   // references are being rewritten: the dependents are rebuilt after
    TCellInfo *m_rewritingCell = nullptr;
    bool m_valuesCurrent = false;
    uint64_t m_mergeGeneration = 0;  // of the merge table when the values were last made current
    std::vector<PosKey> m_freed;     // cells freed since then (a few; beyond that, stale)
    std::vector<TCellInfo *> m_staleBuffer;
};

} // namespace qor
