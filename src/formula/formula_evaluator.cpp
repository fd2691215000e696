#include "formula/formula_evaluator_p.h"

#include <charconv>
#include <cmath>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "formula/engine/exp_node.h"
#include "formula/engine/expression.h"
#include "formula/formula_text_p.h"

namespace qor {

namespace {

// Rows made by grouping give nothing; a data row under a closed outline node still counts, or
// every subtotal would read 0 until its group is opened.
bool RowCounts(const GridPrivate &d, int row, bool includeHidden)
{
    if (d.rowInfo[size_t(row)].group2 != 0)
        return false;
    return includeHidden || d.rowAxis.CurrentSize(row) > 0 ||
           (d.misc.grouped && row >= d.misc.firstGroupedRow && row <= d.misc.lastGroupedRow);
}

// Stands for a referenced cell without content until the evaluation knows whether all its
// literals were numbers.
constexpr char EmptyMarker = '\x01';

void AppendUtf8(std::string &out, QStringView s)
{
    const char16_t *p = s.utf16();
    const qsizetype n = s.size();
    qsizetype i = 0;
    for (; i < n; ++i) {
        if (p[i] >= 0x80)
            break;
        out.push_back(char(p[i]));
    }
    if (i < n)
        out += s.sliced(i).toUtf8().toStdString();
}

void AppendNumber(std::string &out, double d)
{
    char buf[32];
    if (std::fabs(d) < 1e15 && d == std::trunc(d)) {
        auto [p, ec] = std::to_chars(buf, buf + sizeof buf, int64_t(d));
        if (d < 0)
            out += "(";
        out.append(buf, p);
        if (d < 0)
            out += ")";
        return;
    }
    // Negatives, and numbers with an exponent: "1E20-5" would be read as one malformed literal.
    const std::string text = exp::FormatNumber(d);
    const bool wrap = d < 0 || text.find('E') != std::string::npos;
    if (wrap)
        out += "(";
    out += text;
    if (wrap)
        out += ")";
}

// Texts that already read as their own shortest number text ("12", "-4567.25", "0.5") are
// copied as they are; anything else goes through a conversion.
bool AppendPlainNumber(std::string &out, QStringView t)
{
    const char16_t *p = t.utf16();
    const qsizetype n = t.size();
    qsizetype i = 0;
    const bool negative = n > 0 && p[0] == u'-';
    if (negative)
        ++i;
    const qsizetype intStart = i;
    while (i < n && p[i] >= u'0' && p[i] <= u'9')
        ++i;
    const qsizetype intLen = i - intStart;
    if (intLen == 0 || intLen > 15 || (intLen > 1 && p[intStart] == u'0'))
        return false;
    qsizetype fracLen = 0;
    if (i < n && p[i] == u'.') {
        const qsizetype fracStart = ++i;
        while (i < n && p[i] >= u'0' && p[i] <= u'9')
            ++i;
        fracLen = i - fracStart;
        if (fracLen == 0 || p[i - 1] == u'0')
            return false;
        const bool zeroInt = p[intStart] == u'0';
        if (zeroInt ? (p[fracStart] == u'0' || fracLen > 15) : intLen + fracLen > 15)
            return false;
    }
    if (i != n)
        return false;
    const bool zero = intLen == 1 && p[intStart] == u'0' && fracLen == 0;
    if (negative && !zero)
        out += "(-";
    for (qsizetype k = intStart; k < n; ++k)
        out.push_back(char(p[k]));
    if (negative && !zero)
        out += ")";
    return true;
}

} // namespace

// Writes the literals of one evaluation.
struct PrepareVisitor {
    FormulaEvaluator &ev;
    GridPrivate &d;
    std::string &out;
    bool useStored;
    std::vector<TCellInfo *> *pending;
    bool includeHidden;
    bool allNumeric = true;
    bool emptyRange = false;
    bool needsOthers = false;

    void Marker() { out.push_back(EmptyMarker); }

    void TextLiteral(QStringView t)
    {
        out.push_back('"');
        AppendUtf8(out, t);
        out.push_back('"');
        allNumeric = false;
    }

    void PlainLiteral(QStringView t)
    {
        if (t.isEmpty()) {
            Marker();
            return;
        }
        if (AppendPlainNumber(out, t))
            return;
        std::string s = t.toUtf8().toStdString();
        if (exp::IsNumericText(s)) {
            double v;
            if (exp::ParseNumber(s, v))
                AppendNumber(out, v);
            else
                Marker();
            return;
        }
        TextLiteral(t);
    }

    void FormulaLiteral(TCellInfo *cell)
    {
        FormulaSlot &s = ev.m_store.Slot(cell);
        if (!useStored) {
            if (s.evaluating)
                throw EExpressionError("循环引用");
            if (!ev.m_store.Evaluated(s)) {
                needsOthers = true;
                if (pending)
                    pending->push_back(cell);
                out.push_back('0');
                return;
            }
        }
        if (s.value.IsText())
            TextLiteral(QString::fromStdString(s.value.TextRef()));
        else
            AppendNumber(out, s.value.AsDouble());
    }

    void CellLiteral(TCellInfo *cell)
    {
        const QString &t = cell->GetText();
        if (ftext::IsFormulaText(t) && cell->GetCellType() != ctRichEdit)
            FormulaLiteral(cell);
        else
            PlainLiteral(t);
    }

    bool RowTakesPart(int row) const { return RowCounts(d, row, includeHidden); }
    bool ColTakesPart(int col) const { return includeHidden || d.colAxis.CurrentSize(col) > 0; }

    // Returns false when the position holds nothing to contribute (a covered cell).
    bool PositionLiteral(int row, int col)
    {
        TCellInfo *cell = d.cells.At(row, col);
        if (cell && !cell->GetNeedDraw())
            return false;
        // A bound position's value is its field's, whether or not a cell object formats it.
        if (!cell || d.seams.binding->IsBound(row, col)) {
            PlainLiteral(d.q->GetCellText(row, col));
            return true;
        }
        CellLiteral(cell);
        return true;
    }

    bool Range(QStringView run)
    {
        ftext::RefRect r;
        if (!ftext::ParseRange(run, r))
            return false;
        QRect rect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
        if (rect.width() > 1 && rect.height() > 1)
            rect = d.merges->AbsorbMerges(rect);
        const int top = std::max(rect.top(), 0);
        const int bottom = std::min(rect.bottom(), d.rows - 1);
        const int left = std::max(rect.left(), 0);
        const int right = std::min(rect.right(), d.cols - 1);
        const size_t mark = out.size();
        for (int row = top; row <= bottom; ++row) {
            if (!RowTakesPart(row))
                continue;
            for (int col = left; col <= right; ++col) {
                if (!ColTakesPart(col))
                    continue;
                if (PositionLiteral(row, col))
                    out.push_back(',');
            }
        }
        if (out.size() > mark)
            out.pop_back();
        else
            emptyRange = true;
        return true;
    }

    void Reference(int row, int col)
    {
        if (!d.valid(row, col) || !RowTakesPart(row) || !ColTakesPart(col) || !PositionLiteral(row, col))
            Marker();
    }

    void Piece(QStringView piece, bool functionName)
    {
        const QStringView token = ftext::TrimBlanks(piece);
        int row, col;
        if (functionName || !ftext::ParseReference(token, row, col)) {
            AppendUtf8(out, piece);
            return;
        }
        AppendUtf8(out, piece.first(token.data() - piece.data()));
        Reference(row, col);
        AppendUtf8(out, piece.sliced(token.data() - piece.data() + token.size()));
    }

    void Quoted(QStringView text) { AppendUtf8(out, text); }
    void Delim(QChar c) { out.push_back(char(c.unicode())); }
};

FormulaEvaluator::FormulaEvaluator(GridPrivate &grid, FormulaStore &store, TQorExpression &engine)
    : d(grid), m_store(store), m_engine(engine)
{
}

FormulaEvaluator::Outcome FormulaEvaluator::Prepare(QStringView body, bool useStored,
                                                    std::vector<TCellInfo *> *pending, bool &emptyRange,
                                                    bool &allNumeric)
{
    m_text.clear();
    PrepareVisitor v{*this, d, m_text, useStored, pending, d.misc.includeHiddenData};
    if (!ftext::WalkFormula(body, v))
        return Outcome::Abandoned;
    emptyRange = v.emptyRange;
    allNumeric = v.allNumeric;
    return v.needsOthers ? Outcome::NeedsOthers : Outcome::Ready;
}

ExpValue FormulaEvaluator::Finish(bool emptyRange, bool allNumeric, bool &isNumber)
{
    std::string &s = m_text;
    if (s.find(EmptyMarker) != std::string::npos) {
        std::string fixed;
        fixed.reserve(s.size() + 8);
        for (char c : s) {
            if (c == EmptyMarker)
                fixed += allNumeric ? "0" : "\"\"";
            else
                fixed.push_back(c);
        }
        s.swap(fixed);
    }
    const std::string_view trimmed = exp::TrimBlanks(s);
    if (trimmed.find('"') == std::string_view::npos) {
        isNumber = true;
        return emptyRange ? ExpValue() : RunEngine(trimmed);
    }
    // Quoted texts become bracketed names, which the engine reads as texts; "&" joins texts.
    std::string t(trimmed);
    bool open = false;
    for (char &c : t) {
        if (c == '"') {
            c = open ? ']' : '[';
            open = !open;
        } else if (c == '&' && !open) {
            c = '+';
        }
    }
    if (emptyRange) {
        isNumber = true;
        return ExpValue();
    }
    isNumber = false;
    return RunEngine(t);
}

ExpValue FormulaEvaluator::RunEngine(std::string_view text)
{
    if (m_engineDepth > 0) {
        // A hook of the running engine asked for another evaluation: the engine's text is in use.
        TQorExpression nested;
        nested.SetFunctions(m_engine.GetFunctions());
        nested.SetEvaluateOrder(m_engine.GetEvaluateOrder());
        nested.SetOnEvaluate(m_engine.GetOnEvaluate());
        nested.SetText(text);
        return nested.GetValue();
    }
    struct Depth {
        int &n;
        explicit Depth(int &v) : n(v) { ++n; }
        ~Depth() { --n; }
    } depth(m_engineDepth);
    m_engine.SetText(text);
    return m_engine.GetValue();
}

FormulaEvaluator::Outcome FormulaEvaluator::RunCompiled(TCellInfo &cell, FormulaSlot &slot,
                                                        std::vector<TCellInfo *> &pending, ExpValue &value)
{
    const QString &text = cell.GetText();
    if (!slot.compiled.IsFor(text))
        fcompiled::Compile(text, slot.compiled);
    CompiledFormula &f = slot.compiled;
    if (!f.usable)
        return Outcome::TextWay;
    // Nothing here runs a handler or makes a slot: the slot and the form stay where they are.
    const bool includeHidden = d.misc.includeHiddenData;
    const size_t pendingBase = pending.size();
    const int count = int(f.operands.size());
    double values[CompiledFormula::MaxOperands];
    auto textWay = [&] {
        pending.resize(pendingBase);
        return Outcome::TextWay;
    };
#if defined(__GNUC__)
    // The referenced cells are what a long chain waits for: ask for all of them at once.
    for (int i = 0; i < count; ++i)
        if (const TCellInfo *ref = d.cells.At(f.operands[i].row, f.operands[i].col))
            __builtin_prefetch(ref);
#endif
    for (int i = 0; i < count; ++i) {
        CompiledOperand &op = f.operands[i];
        fcompiled::Written w;
        if (op.row < 0 && op.col < 0) {
            values[i] = op.number;
            continue;
        }
        const int row = op.row, col = op.col;
        if (!d.valid(row, col) || !RowCounts(d, row, includeHidden) || (!includeHidden && d.colAxis.CurrentSize(col) <= 0)) {
            values[i] = 0.0; // the empty marker, among numbers only
            continue;
        }
        TCellInfo *ref = d.cells.At(row, col);
        if (!ref || d.seams.binding->IsBound(row, col))
            return textWay(); // its text comes from the grid, which may ask a handler or a field
        if (!ref->GetNeedDraw()) {
            values[i] = 0.0;
            continue;
        }
        const QString &t = ref->GetText();
        if (op.Saw(t)) {
            w.value = op.number;
        } else if (ftext::IsFormulaText(t) && ref->GetCellType() != ctRichEdit) {
            FormulaSlot *s = m_store.FindSlot(ref);
            if (!s)
                return textWay();
            if (s->evaluating)
                throw EExpressionError("循环引用");
            if (!m_store.Evaluated(*s)) {
                pending.push_back(ref);
                values[i] = 0.0;
                continue;
            }
            if (s->value.IsText() || !fcompiled::WriteNumber(s->value.AsDouble(), w))
                return textWay();
        } else {
            if (!fcompiled::WritePlain(t, w))
                return textWay();
            op.seen = t;
            op.number = w.value;
        }
        values[i] = w.value;
    }
    if (pending.size() > pendingBase)
        return Outcome::NeedsOthers;
    // The engine's arithmetic, in its order. Every value is a float here, and so is every
    // result of its operators on floats; a division by zero raises what the engine raises.
    double stack[CompiledFormula::MaxOperands];
    int top = 0;
    for (const CompiledFormula::Step &step : f.steps) {
        if (step.op == 0) {
            stack[top++] = values[step.operand];
            continue;
        }
        double &l = stack[top - 2];
        const double r = stack[top - 1];
        switch (step.op) {
        case '+': l = l + r; break;
        case '-': l = l - r; break;
        case '*': l = l * r; break;
        case '/':
            if (r == 0)
                exp::ApplyOperator('/', ExpValue(l), ExpValue(r));
            l = l / r;
            break;
        default: l = std::pow(l, r); break;
        }
        --top;
    }
    value = ExpValue(stack[0]);
    return Outcome::Ready;
}

void FormulaEvaluator::Store(TCellInfo &cell, const ExpValue &value, bool isNumber)
{
    m_store.Slot(&cell).value = value;
    cell.SetIsNumber(isNumber);
    cell.DrawSelf();
}

void FormulaEvaluator::EvaluateCell(TCellInfo &root)
{
    if (root.GetCellType() == ctRichEdit || !ftext::IsFormulaText(root.GetText()))
        return;
    std::vector<Work> localWork;
    std::vector<TCellInfo *> localPending;
    std::vector<Work> &work = m_depth == 0 ? m_work : localWork;
    std::vector<TCellInfo *> &pending = m_depth == 0 ? m_pending : localPending;
    std::vector<TCellInfo *> &chain = m_store.Evaluating();
    const size_t chainBase = chain.size();
    struct Depth {
        int &n;
        explicit Depth(int &v) : n(v) { ++n; }
        ~Depth() { --n; }
    } depth(m_depth);
    work.clear();
    pending.clear();
    work.push_back({&root, false});
    try {
        while (!work.empty()) {
            TCellInfo *cell = work.back().cell;
            const bool isDependency = work.size() > 1;
            if (!work.back().started) {
                FormulaSlot &s = m_store.Slot(cell);
                if (isDependency && s.evaluating)
                    throw EExpressionError("循环引用");
                if (isDependency && m_store.Evaluated(s)) {
                    work.pop_back();
                    continue;
                }
                s.evaluating = true;
                s.value = ExpValue();
                chain.push_back(cell);
                work.back().started = true;
            }
            if (m_compiledForms) {
                ExpValue value;
                FormulaSlot &s = m_store.Slot(cell);
                const Outcome compiled = RunCompiled(*cell, s, pending, value);
                if (compiled == Outcome::Ready) {
                    s.value = value;
                    s.evaluating = false;
                    if (isDependency)
                        m_store.MarkEvaluated(s);
                    chain.pop_back();
                    cell->SetIsNumber(true);
                    cell->DrawSelf();
                    work.pop_back();
                    continue;
                }
                if (compiled == Outcome::NeedsOthers) {
                    for (auto it = pending.rbegin(); it != pending.rend(); ++it)
                        work.push_back({*it, false});
                    pending.clear();
                    continue;
                }
            }
            QString replaced;
            QStringView body = QStringView(cell->GetText()).sliced(1);
            if (body.contains(u"above", Qt::CaseInsensitive)) {
                replaced = ftext::ReplaceAbove(body.toString(), cell->GetRow(), cell->GetCol(), d.layout.titleRows);
                body = replaced;
            }
            bool emptyRange = false;
            bool allNumeric = true;
            const Outcome outcome = Prepare(body, false, &pending, emptyRange, allNumeric);
            if (outcome == Outcome::NeedsOthers) {
                // The first reference ends up on top: it is evaluated first, as it is read first.
                for (auto it = pending.rbegin(); it != pending.rend(); ++it)
                    work.push_back({*it, false});
                pending.clear();
                continue;
            }
            if (outcome == Outcome::Ready) {
                bool isNumber = true;
                const ExpValue value = Finish(emptyRange, allNumeric, isNumber);
                Store(*cell, value, isNumber);
            }
            FormulaSlot &s = m_store.Slot(cell);
            s.evaluating = false;
            chain.pop_back();
            if (isDependency)
                m_store.MarkEvaluated(s);
            work.pop_back();
        }
    } catch (...) {
        m_failedChain.assign(chain.begin() + std::ptrdiff_t(chainBase), chain.end());
        while (chain.size() > chainBase) {
            if (FormulaSlot *s = m_store.FindSlot(chain.back()))
                s->evaluating = false;
            chain.pop_back();
        }
        work.clear();
        pending.clear();
        throw;
    }
}

ExpValue FormulaEvaluator::EvaluateText(const QString &text)
{
    bool emptyRange = false;
    bool allNumeric = true;
    if (Prepare(text, true, nullptr, emptyRange, allNumeric) == Outcome::Abandoned)
        return ExpValue();
    bool isNumber;
    return Finish(emptyRange, allNumeric, isNumber);
}

std::string FormulaEvaluator::PreparedText(TCellInfo &cell)
{
    const QString &t = cell.GetText();
    if (!ftext::IsFormulaText(t))
        return {};
    const QString body = ftext::ReplaceAbove(t.sliced(1), cell.GetRow(), cell.GetCol(), d.layout.titleRows);
    bool emptyRange = false;
    bool allNumeric = true;
    if (Prepare(body, true, nullptr, emptyRange, allNumeric) == Outcome::Abandoned)
        return {};
    std::string s = m_text;
    for (char &c : s)
        if (c == EmptyMarker)
            c = '~';
    return s;
}

} // namespace qor
