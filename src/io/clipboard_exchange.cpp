// Copy, cut and paste through the clipboard: the grid's own form (a cells block and the cut
// marker), tab-separated text and CSV; a table, a single value or rich content on paste.
#include <QBuffer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include "core/edit/editor_controller_p.h"
#include "core/edit/inplace_editor_p.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "io/cells_block.h"
#include "io/table_text.h"
#include "platform/clipboard.h"

namespace qor {

namespace {

using platform::ClipboardForm;

QString mime(const char *m) { return QString::fromLatin1(m); }

// A pasted formula the engine cannot evaluate stays as text, as a typed one would: the error
// must not end the paste halfway with its update bracket open.
void setPastedText(TCellInfo &cell, const QString &text)
{
    try {
        cell.SetText(text);
    } catch (const std::exception &) {
    }
}

// The cut whose block is on the clipboard: the grid it came from and the bytes placed, so
// that a paste can tell its own cut from anything else's.
struct PendingCut {
    QPointer<TCustomQorGrid> grid;
    QByteArray data;
};
PendingCut &pendingCut()
{
    static PendingCut cut;
    return cut;
}

QString textForCopy(TCustomQorGrid &g, int row, int col)
{
    const TCellInfo *cell = GridPrivate::get(g).cells.At(row, col);
    // A password cell's clear text never reaches a text form.
    if (cell && !cell->GetPasswordChar().isNull())
        return g.CellDisplayText(row, col);
    QString text = g.GetCellText(row, col);
    if (g.OnGetText)
        g.OnGetText(&g, row, col, text);
    return text;
}

bool editorCopy(GridPrivate &d)
{
    QWidget *w = d.editor->CurrentWidget();
    platform::Clipboard &clip = platform::CurrentClipboard();
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        if (line->hasSelectedText())
            clip.SetText(line->selectedText());
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
        if (memo->textCursor().hasSelection())
            clip.SetText(memo->textCursor().selection().toPlainText());
    } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
        if (rich->textCursor().hasSelection()) {
            const QTextDocumentFragment part = rich->textCursor().selection();
            clip.Set({{mime(platform::kTextMime), part.toPlainText().toUtf8()},
                      {QStringLiteral("text/html"), part.toHtml().toUtf8()}});
        }
    } else {
        return false;
    }
    return true;
}

bool editorPaste(GridPrivate &d)
{
    QWidget *w = d.editor->CurrentWidget();
    const platform::Clipboard &clip = platform::CurrentClipboard();
    if (auto *edit = dynamic_cast<TInplaceEditor *>(w)) {
        edit->PasteChecked();   // checked against the cell's value type
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
        if (!memo->isReadOnly())
            if (std::optional<QString> text = clip.Text())
                memo->insertPlainText(*text);
    } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
        if (rich->isReadOnly())
            return true;
        if (std::optional<QByteArray> html = clip.Get(QStringLiteral("text/html")))
            rich->textCursor().insertHtml(QString::fromUtf8(*html));
        else if (std::optional<QString> text = clip.Text())
            rich->insertPlainText(*text);
    } else {
        return false;
    }
    return true;
}

// What a cell is when it was never touched: the column's attributes and nothing of its own.
// The shared edges go off through the neighbours first.
void resetToColumn(GridPrivate &d, TCellInfo &cell)
{
    if (cell.GetNeedDraw() && (cell.GetRows() > 1 || cell.GetCols() > 1)) {
        d.merges->SetExtent(cell, 1, true);
        d.merges->SetExtent(cell, 1, false);
    }
    cell.SetText(QString());
    cell.SetLeftText(QString());
    cell.SetRightText(QString());
    cell.SetName(QString());
    if (!cell.GetRichText().isEmpty())
        cell.SetRichText(QByteArray());
    for (TCellEdge e : {ceLeft, ceTop, ceRight, ceBottom}) {
        cell.SetFrame(e, false);
        cell.SetLine(e, true);
    }
    if (cell.PeekItems())
        cell.SetItems(TQorStrings());
    if (cell.PeekGraphic())
        cell.SetGraphic(TQorPicture());
    if (cell.PeekFont())
        cell.SetFont(d.look.font);
    cell.SetChecked(false);
    cell.SetDefault();
}

void copyRange(TCustomQorGrid &g, bool cut)
{
    GridPrivate &d = GridPrivate::get(g);
    QRect range = d.selection;
    if (range.isEmpty()) {
        if (d.editor->IsOpen()) {
            editorCopy(d);
            return;
        }
        const int row = g.GetRow(), col = g.GetCol();
        if (!d.valid(row, col))
            return;
        const QRect area = d.merges->AreaAt(row, col);
        range = QRect(area.left(), area.top(), 1, 1);   // a covered cell copies its owner only
    }
    QString tabText, csvText;
    for (int r = range.top(); r <= range.bottom(); ++r)
        for (int c = range.left(); c <= range.right(); ++c) {
            const QString text = textForCopy(g, r, c);
            AppendTabField(tabText, text, c == range.right());
            AppendCsvField(csvText, text, c == range.right());
        }
    // A copy keeps a password cell's text out of the grid's own form too; a cut moves it.
    std::function<bool(const TCellInfo &)> withoutText;
    if (!cut)
        withoutText = [](const TCellInfo &cell) { return !cell.GetPasswordChar().isNull(); };
    QByteArray block = SaveCellsBlock(g, range.top(), range.left(), range.height(), range.width(), {}, withoutText);
    std::vector<ClipboardForm> forms;
    if (!csvText.isEmpty())
        forms.push_back({mime(platform::kCsvMime), csvText.toUtf8()});
    if (!tabText.isEmpty())
        forms.push_back({mime(platform::kTextMime), tabText.toUtf8()});
    if (!block.isEmpty()) {
        block.append(char(cut ? 1 : 0));
        forms.push_back({mime(platform::kGridFormatMime), block});
    }
    platform::CurrentClipboard().Set(forms);
    pendingCut() = cut && !block.isEmpty() ? PendingCut{&g, block} : PendingCut{};
}

// The grid's own form at the current cell; false when the data cannot be used, so that the
// text forms beside it are tried.
bool pastePrivate(TCustomQorGrid &g, const QByteArray &data, bool onlyText)
{
    if (data.size() < 2)
        return false;
    const QByteArray block = data.left(data.size() - 1);
    const bool cutMarked = data.back() == 1;
    const QRect source = CellsBlockRect(block);
    if (source.isEmpty())
        return false;
    CellsBlockOptions o;
    o.OnlyText = onlyText;
    o.ApplySizes = !onlyText;
    o.SkipHidden = !onlyText;
    o.KeepReadOnly = true;
    // A move only for this process's own cut, whose grid is still there and still holds the
    // source rectangle; anything else pastes as a copy.
    PendingCut &cut = pendingCut();
    TCustomQorGrid *from = cutMarked && cut.grid && cut.data == data ? cut.grid.data() : nullptr;
    if (from) {
        const GridPrivate &s = GridPrivate::get(*from);
        if (!s.valid(source.top(), source.left()) || !s.valid(source.bottom(), source.right()))
            from = nullptr;
    }
    bool complete = true;
    if (from)
        o.BeforePlace = [&](const std::vector<bool> &placed) {
            GridPrivate &s = GridPrivate::get(*from);
            from->BeginUpdate();
            size_t i = 0;
            for (int r = source.top(); r <= source.bottom(); ++r)
                for (int c = source.left(); c <= source.right(); ++c, ++i) {
                    if (i >= placed.size() || !placed[i]) {
                        complete = false;   // not placed: it stays where it was
                        continue;
                    }
                    if (TCellInfo *cell = s.cells.At(r, c))
                        resetToColumn(s, *cell);
                }
            from->EndUpdate();
        };
    if (!LoadCellsBlock(g, block, g.GetRow(), g.GetCol(), o))
        return false;   // refused whole: nothing is placed, nothing cleared
    if (from) {
        cut = PendingCut{};   // a second paste is a copy of what is left
        if (complete)
            platform::CurrentClipboard().Clear();
    }
    return true;
}

void pasteTable(TCustomQorGrid &g, const QString &text)
{
    GridPrivate &d = GridPrivate::get(g);
    const std::vector<std::vector<QString>> lines = ParseTableText(text, u'\t');
    const bool oneLine = lines.size() == 1;
    auto covered = [&](int r, int c) {
        const TCellInfo *cell = d.cells.At(r, c);
        return cell && !cell->GetNeedDraw();
    };
    auto rowShown = [&](int r) { return d.rowAxis.Valid(r) && d.rowAxis.CurrentSize(r) > 0; };
    auto colShown = [&](int c) { return d.colAxis.Valid(c) && d.colAxis.CurrentSize(c) > 0; };
    g.BeginUpdate();
    int r = g.GetRow();
    for (const std::vector<QString> &fields : lines) {
        const bool oneField = fields.size() == 1;
        int target = r;
        while (target < d.rows && !(rowShown(target) && !(oneField && covered(target, g.GetCol()))))
            ++target;
        if (target >= d.rows)
            target = r;
        if (!rowShown(target))
            break;   // nowhere left to put the lines
        int c = g.GetCol();
        for (const QString &field : fields) {
            int at = c;
            while (at < d.cols && !(colShown(at) && !(oneLine && covered(target, at))))
                ++at;
            if (at >= d.cols)
                at = c;
            if (!d.valid(target, at))
                continue;   // past the last column: dropped
            if (!colShown(at))
                break;
            if (!g.InternalCellReadOnly(target, at))
                setPastedText(*g.Cells(target, at), field);
            c = at + 1;
        }
        r = target + 1;
    }
    g.EndUpdate();
}

void pasteRich(TCustomQorGrid &g, TCellInfo &cell)
{
    const platform::Clipboard &clip = platform::CurrentClipboard();
    if (std::optional<QByteArray> rtf = clip.Get(mime(platform::kRichTextMime))) {
        cell.SetRichText(*rtf);
    } else if (std::optional<QString> text = clip.Text()) {
        if (std::optional<QByteArray> rich = GridPrivate::get(g).seams.richText->FromPlain(*text, cell.PeekFont()))
            cell.SetRichText(*rich);
        else
            setPastedText(cell, *text);
    }
    g.UpdateCell(cell.GetRow(), cell.GetCol());
}

} // namespace

void TCustomQorGrid::CopyToClipBoard() { copyRange(*this, false); }
void TCustomQorGrid::CutToClipBoard() { copyRange(*this, true); }

void TCustomQorGrid::PasteFromClipBoard(bool OnlyText)
{
    if (GetRow() < 0 || GetCol() < 0 || !HasOption(qgoEditing))
        return;
    const platform::Clipboard &clip = platform::CurrentClipboard();
    if (std::optional<QByteArray> own = clip.Get(mime(platform::kGridFormatMime))) {
        d->hideEditor();
        if (pastePrivate(*this, *own, OnlyText))
            return;
    }
    if (d->editor->IsOpen() && editorPaste(*d))
        return;
    const std::optional<QString> text = clip.Text();
    if (text && (clip.Has(mime(platform::kCsvMime)) || text->contains(u'\t'))) {
        pasteTable(*this, *text);
        return;
    }
    if (InternalCellReadOnly(GetRow(), GetCol()))
        return;
    TCellInfo *cell = Cells(GetRow(), GetCol());
    if (cell->GetCellType() == ctRichEdit)
        pasteRich(*this, *cell);
    else if (text)
        setPastedText(*cell, *text);
}

void TCellInfo::PasteFromClipboard()
{
    TCustomQorGrid *grid = GetGrid();
    if (!grid)
        return;
    if (GetCellType() == ctRichEdit) {
        pasteRich(*grid, *this);
        return;
    }
    if (std::optional<QString> text = platform::CurrentClipboard().Text())
        setPastedText(*this, *text);
}

void TCustomQorGrid::CopyToClipbrd(QIODevice &Stream, const QString &Format)
{
    QByteArray data;
    if (Stream.isSequential()) {
        data = Stream.readAll();
    } else {
        const qint64 at = Stream.pos();
        Stream.seek(0);
        data = Stream.readAll();
        Stream.seek(at);
    }
    platform::CurrentClipboard().Set({{Format, data}});
}

void TCustomQorGrid::LoadFromClipBoard(QIODevice &Stream, const QString &Format)
{
    if (std::optional<QByteArray> data = platform::CurrentClipboard().Get(Format))
        Stream.write(*data);
}

} // namespace qor
