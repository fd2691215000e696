// The designer's editing commands. Each goes onto the undo stack: commands on a rectangle of
// cells keep that rectangle; commands that reshape the grid keep a snapshot of the document.
#include <QAction>
#include <QFile>
#include <QImage>
#include <QUndoStack>
#include "core/grid.h"
#include "objects/ole_container.h"
#include "designer/cell_format_dialog.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_undo.h"
#include "designer/designer_window.h"
#include "designer/page_fit.h"
#include "designer/property_inspector.h"
#include "io/grid_stream_settings.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/page_setup_dialog.h"
#include "print/print_units.h"
#include "print/qor_print.h"

namespace qor {

namespace {
const QString Caption = QStringLiteral("提示");

// Frames are shared with the neighbour across each edge: the rectangle one cell wider.
QRect withNeighbours(const QRect &r) { return r.adjusted(-1, -1, 1, 1); }
} // namespace

void TfrmQorDesigner::runRegion(const QString &text, const QRect &cells, std::function<void()> change)
{
    if (!cells.isValid())
        return;
    m_grid->HideEditor();
    m_undo->push(new GridRegionCommand(text, *m_grid, cells, std::move(change)));
    afterCommand();
}

void TfrmQorDesigner::runSnapshot(const QString &text, std::function<bool()> change)
{
    m_grid->HideEditor();
    m_undo->push(new GridSnapshotCommand(text, *m_grid, std::move(change)));
    afterCommand();
}

void TfrmQorDesigner::forEachSelectedCell(const std::function<void(int, int)> &f)
{
    const QRect sel = m_grid->GetSelRect();
    if (!sel.isValid())
        return;
    m_grid->BeginUpdate();
    for (int r = sel.top(); r <= sel.bottom(); ++r)
        for (int c = sel.left(); c <= sel.right(); ++c)
            f(r, c);
    m_grid->EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Clipboard

void TfrmQorDesigner::CopyClick()
{
    m_grid->HideEditor();
    m_grid->CopyToClipBoard();
}

// The cut's cells stay until they are pasted: the paste moves them, as one undo step.
void TfrmQorDesigner::CutClick()
{
    m_grid->HideEditor();
    m_grid->CutToClipBoard();
}

void TfrmQorDesigner::PasteClick()
{
    runSnapshot(QStringLiteral("粘贴"), [this] {
        m_grid->PasteFromClipBoard();
        return true;
    });
}

// ---------------------------------------------------------------------------------------------
// Merges

void TfrmQorDesigner::MergeClick()
{
    const QRect sel = m_grid->GetSelRect();
    if (!m_grid->IsSelectionActive() || sel.width() * qint64(sel.height()) < 2)
        return;
    // The rectangle grown over the merged areas it touches: what the merge will cover.
    const QRect area = m_grid->InternalGetSelection(sel.top(), sel.left(), sel.bottom(), sel.right());
    m_grid->HideEditor();
    m_undo->push(new MergeCommand(QStringLiteral("合并"), *m_grid, area.isValid() ? area : sel, true));
    afterCommand();
}

void TfrmQorDesigner::UnmergeClick()
{
    const int row = m_grid->GetRow(), col = m_grid->GetCol();
    if (row < 0 || col < 0)
        return;
    const QRect area = m_grid->MergedArea(row, col);
    if (area.width() <= 1 && area.height() <= 1)
        return;
    m_grid->HideEditor();
    m_undo->push(new MergeCommand(QStringLiteral("取消合并"), *m_grid, area, false));
    afterCommand();
}

// ---------------------------------------------------------------------------------------------
// Rows and columns

int TfrmQorDesigner::countFromDialog(const QString &caption, const QString &label)
{
    TCountDialog dialog(caption, label, this);
    return platform::ExecDialog(dialog) == QDialog::Accepted ? dialog.Count() : 0;
}

void TfrmQorDesigner::runInsert(const QString &text, bool rows, int at, int count)
{
    if (count < 1)
        return;
    m_grid->HideEditor();
    m_undo->push(new LineInsertCommand(text, *m_grid, rows, at, count));
    afterCommand();
}

void TfrmQorDesigner::InsertRows(int Count) { runInsert(QStringLiteral("插入行"), true, std::max(m_grid->GetRow(), 0), Count); }
void TfrmQorDesigner::AppendRows(int Count) { runInsert(QStringLiteral("添加行"), true, -1, Count); }
void TfrmQorDesigner::InsertCols(int Count) { runInsert(QStringLiteral("插入列"), false, std::max(m_grid->GetCol(), 0), Count); }
void TfrmQorDesigner::AppendCols(int Count) { runInsert(QStringLiteral("添加列"), false, -1, Count); }

void TfrmQorDesigner::InsertRowsClick() { InsertRows(countFromDialog(QStringLiteral("插入多行"), QStringLiteral("行数(&R)："))); }
void TfrmQorDesigner::AppendRowsClick() { AppendRows(countFromDialog(QStringLiteral("添加多行"), QStringLiteral("行数(&R)："))); }
void TfrmQorDesigner::InsertColsClick() { InsertCols(countFromDialog(QStringLiteral("插入多列"), QStringLiteral("列数(&C)："))); }
void TfrmQorDesigner::AppendColsClick() { AppendCols(countFromDialog(QStringLiteral("添加多列"), QStringLiteral("列数(&C)："))); }

void TfrmQorDesigner::DeleteRowsClick()
{
    const QRect sel = m_grid->GetSelRect();
    if (!sel.isValid())
        return;
    runSnapshot(QStringLiteral("删除行"), [this, sel] {
        m_grid->BeginUpdate();
        for (int i = 0; i < sel.height(); ++i)
            m_grid->DeleteRow(sel.top());
        m_grid->EndUpdate();
        m_grid->ClearSelection();
        if (m_grid->GetRows() > 0)
            m_grid->SetFocusCell(std::min(sel.top(), m_grid->GetRows() - 1), std::max(m_grid->GetCol(), 0));
        return true;
    });
}

void TfrmQorDesigner::DeleteColsClick()
{
    const QRect sel = m_grid->GetSelRect();
    if (!sel.isValid())
        return;
    runSnapshot(QStringLiteral("删除列"), [this, sel] {
        m_grid->BeginUpdate();
        for (int i = 0; i < sel.width(); ++i)
            m_grid->DeleteCol(sel.left());
        m_grid->EndUpdate();
        m_grid->ClearSelection();
        if (m_grid->GetCols() > 0)
            m_grid->SetFocusCell(std::max(m_grid->GetRow(), 0), std::min(sel.left(), m_grid->GetCols() - 1));
        return true;
    });
}

// ---------------------------------------------------------------------------------------------
// Borders

void TfrmQorDesigner::AllBordersClick()
{
    runRegion(QStringLiteral("所有框线"), withNeighbours(m_grid->GetSelRect()), [this] {
        forEachSelectedCell([this](int r, int c) {
            TCellInfo *cell = m_grid->Cells(r, c);
            for (int e = 0; e < 4; ++e) {
                cell->SetLine(TCellEdge(e), true);
                cell->SetFrame(TCellEdge(e), true);
            }
        });
    });
}

void TfrmQorDesigner::OuterBordersClick()
{
    const QRect sel = m_grid->GetSelRect();
    const bool single = !m_grid->IsSelectionActive();
    runRegion(QStringLiteral("外部框线"), withNeighbours(sel), [this, sel, single] {
        forEachSelectedCell([&](int r, int c) {
            TCellInfo *cell = m_grid->Cells(r, c);
            const bool edge[4] = {single || c == sel.left(), single || r == sel.top(), single || c == sel.right(),
                                  single || r == sel.bottom()};
            for (int e = 0; e < 4; ++e) {
                if (!edge[e])
                    continue;
                cell->SetFrame(TCellEdge(e), true);
                cell->SetLine(TCellEdge(e), true);
            }
        });
    });
}

void TfrmQorDesigner::NoBordersClick()
{
    runRegion(QStringLiteral("无框线"), withNeighbours(m_grid->GetSelRect()), [this] {
        forEachSelectedCell([this](int r, int c) {
            TCellInfo *cell = m_grid->Cells(r, c);
            for (int e = 0; e < 4; ++e)
                cell->SetFrame(TCellEdge(e), false);
        });
    });
}

// ---------------------------------------------------------------------------------------------
// Fonts and alignment of the selection

namespace {
template <class Change>
void changeFonts(TCustomQorGrid &grid, int r, int c, Change change)
{
    TCellInfo *cell = grid.Cells(r, c);
    TQorFont font = cell->PeekFont() ? *cell->PeekFont() : grid.GetFont();
    change(font.Font);
    cell->SetFont(font);
}
} // namespace

void TfrmQorDesigner::SetBold(bool On)
{
    runRegion(On ? QStringLiteral("粗体") : QStringLiteral("取消粗体"), m_grid->GetSelRect(), [this, On] {
        forEachSelectedCell([&](int r, int c) { changeFonts(*m_grid, r, c, [On](QFont &f) { f.setBold(On); }); });
    });
}

void TfrmQorDesigner::SetItalic(bool On)
{
    runRegion(On ? QStringLiteral("斜体") : QStringLiteral("取消斜体"), m_grid->GetSelRect(), [this, On] {
        forEachSelectedCell([&](int r, int c) { changeFonts(*m_grid, r, c, [On](QFont &f) { f.setItalic(On); }); });
    });
}

void TfrmQorDesigner::SetUnderline(bool On)
{
    runRegion(On ? QStringLiteral("下划线") : QStringLiteral("取消下划线"), m_grid->GetSelRect(), [this, On] {
        forEachSelectedCell([&](int r, int c) { changeFonts(*m_grid, r, c, [On](QFont &f) { f.setUnderline(On); }); });
    });
}

void TfrmQorDesigner::SetAlignment(int Alignment)
{
    const auto a = TAlignment(std::clamp(Alignment, 0, 2));
    runRegion(QStringLiteral("对齐"), m_grid->GetSelRect(), [this, a] {
        forEachSelectedCell([&](int r, int c) { m_grid->Cells(r, c)->SetAlignment(a); });
    });
}

// ---------------------------------------------------------------------------------------------
// Format dialogs

void TfrmQorDesigner::CellFormatClick()
{
    const int row = m_grid->GetRow(), col = m_grid->GetCol();
    if (row < 0 || col < 0)
        return;
    m_grid->HideEditor();
    TCellFormatDialog dialog(TCellFormat::Of(*m_grid->Cells(row, col)), false, this);
    if (platform::ExecDialog(dialog) != QDialog::Accepted)
        return;
    const TCellFormat initial = dialog.Initial(), chosen = dialog.Format();
    if (chosen == initial)
        return;
    runRegion(QStringLiteral("单元格格式"), withNeighbours(m_grid->GetSelRect()), [this, initial, chosen] {
        forEachSelectedCell([&](int r, int c) { chosen.ApplyTo(*m_grid->Cells(r, c), initial); });
    });
}

void TfrmQorDesigner::ColumnFormatClick()
{
    const int col = m_grid->GetCol();
    TQorColumn *column = col >= 0 ? m_grid->Columns(col) : nullptr;
    if (!column)
        return;
    m_grid->HideEditor();
    TCellFormatDialog dialog(TCellFormat::Of(*column), true, this);
    if (platform::ExecDialog(dialog) != QDialog::Accepted)
        return;
    const TCellFormat initial = dialog.Initial(), chosen = dialog.Format();
    if (chosen == initial)
        return;
    // The column writes its attributes into every cell of it that has a record.
    runSnapshot(QStringLiteral("列格式"), [this, col, initial, chosen] {
        if (TQorColumn *c = m_grid->Columns(col)) {
            m_grid->BeginUpdate();
            chosen.ApplyTo(*c, initial);
            m_grid->EndUpdate();
        }
        return true;
    });
}

// ---------------------------------------------------------------------------------------------
// Page set-up, printing, the page fit

void TfrmQorDesigner::PageSetupClick()
{
    TQorPrint &print = *m_print;
    const TPageMargins &m = print.PageMargins();
    platform::PageSetupValues v;
    v.margins = QMargins(m.Left * 100, m.Top * 100, m.Right * 100, m.Bottom * 100);
    v.paperCode = print.GetPageSize();
    v.orientation = print.GetOrientation() == poLandscape ? 2 : 1;
    v.paperWidth = print.GetPageWidth() * 10;
    v.paperLength = print.GetPageHeight() * 10;
    v.paperSource = print.GetPaperSource();
    if (!platform::ExecPageSetupDialog(this, v))
        return;
    const QByteArray before = print.SaveSettings();
    auto mm = [](int hundredths) { return int(RoundHalfAway(hundredths / 100.0)); };
    TPageMargins &margins = print.PageMargins();
    margins.Left = mm(v.margins.left());
    margins.Top = mm(v.margins.top());
    margins.Right = mm(v.margins.right());
    margins.Bottom = mm(v.margins.bottom());
    print.SetOrientation(v.orientation == 1 ? poPortrait : poLandscape);
    print.SetPageSize(v.paperCode);
    print.SetPageWidth(v.paperWidth / 10);
    print.SetPageHeight(v.paperLength / 10);
    print.SetPaperSource(v.paperSource);
    print.SettingPrinter();
    const QByteArray after = print.SaveSettings();
    print.LoadSettings(before);
    m_undo->push(new ValueCommand(QStringLiteral("页面设置"), before, after, [this](const QVariant &bytes) {
        m_print->LoadSettings(bytes.toByteArray());
        m_print->Init();
        if (m_grid->GetShowPagesLine()) {
            // Setting the lines fetches the strips of the new page.
            m_grid->SetShowPagesLine(false);
            m_grid->SetShowPagesLine(true);
        }
    }));
    afterCommand();
}

void TfrmQorDesigner::PrintClick()
{
    m_grid->HideEditor();
    if (!m_print->PrintReport() && !m_print->LastError().isEmpty())
        platform::MessageBox(this, m_print->LastError(), Caption, platform::MB_OK | platform::MB_ICONWARNING);
}

void TfrmQorDesigner::PreviewClick()
{
    m_grid->HideEditor();
    m_print->SetModalPreview(true);
    m_print->ShowReport();
}

void TfrmQorDesigner::FitPageClick()
{
    if (m_grid->GetGridType() != gtInvoice)
        return;
    const QSize page = PageSizeInPixels(*m_print);
    const QMargins m = PageMarginsInPixels(*m_print);
    if (m.left() + m.right() >= page.width() || m.top() + m.bottom() >= page.height()) {
        platform::MessageBox(this, QStringLiteral("可打印区域太小"), Caption, platform::MB_OK | platform::MB_ICONWARNING);
        return;
    }
    runSnapshot(QStringLiteral("获取打印机纸张"), [this] {
        return FitGridToPrinterPage(*m_grid, *m_print) == PageFit::Fitted;
    });
}

// ---------------------------------------------------------------------------------------------
// View, pictures, about

void TfrmQorDesigner::InspectorClick()
{
    m_inspector->show();
    m_inspector->raise();
    m_actions[daInspector]->setChecked(true);
}

void TfrmQorDesigner::PagesLineClick()
{
    m_grid->SetShowPagesLine(!m_grid->GetShowPagesLine());
    m_actions[daPagesLine]->setChecked(m_grid->GetShowPagesLine());
    m_inspector->Refresh();
}

void TfrmQorDesigner::InsertObjectClick()
{
    const int row = m_grid->GetRow(), col = m_grid->GetCol();
    if (row < 0 || col < 0)
        return;
    const QString file = choose(TFileChoice::Object, QString());
    QString name;
    for (int i = 1; name.isEmpty() || m_grid->FindOleObject(name) >= 0; ++i)
        name = QStringLiteral("OleObject%1").arg(i);
    runSnapshot(QStringLiteral("插入对象"), [this, row, col, name, file] {
        TQorOleContainer *c = m_grid->InsertOleObject(row, col, name);
        if (!c)
            return false;
        QString error;
        if (!file.isEmpty() && !c->EmbedFile(file, &error))
            platform::MessageBox(this, error, Caption, platform::MB_OK | platform::MB_ICONWARNING);
        return true;
    });
}

void TfrmQorDesigner::DeleteObjectClick()
{
    const int index = m_grid->ActivedOleObject2();
    if (index < 0)
        return;
    runSnapshot(QStringLiteral("删除对象"), [this, index] {
        m_grid->DeleteOleObject(index);
        m_grid->setFocus();
        return true;
    });
}

void TfrmQorDesigner::InsertPictureClick()
{
    const QString name = choose(TFileChoice::Picture, QString());
    if (!name.isEmpty())
        InsertPicture(name);
}

bool TfrmQorDesigner::InsertPicture(const QString &FileName)
{
    const int row = m_grid->GetRow(), col = m_grid->GetCol();
    if (row < 0 || col < 0)
        return false;
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        platform::MessageBox(this, QStringLiteral("无法打开文件 “%1”：%2").arg(FileName, file.errorString()), Caption,
                             platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    const QByteArray bytes = file.readAll();
    TQorPicture picture = PictureFromFileImage(bytes);
    if (picture.Image.isNull()) {
        // A kind documents do not keep as it is (PNG): kept as the image, stored as a bitmap.
        picture.Data.clear();
        picture.Image = QImage::fromData(bytes);
    }
    if (picture.Image.isNull()) {
        platform::MessageBox(this, QStringLiteral("文件 “%1”不是可以识别的图像。").arg(FileName), Caption,
                             platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    runRegion(QStringLiteral("插入图像"), QRect(col, row, 1, 1),
              [this, row, col, picture] { m_grid->Cells(row, col)->SetGraphic(picture); });
    return true;
}

void TfrmQorDesigner::AboutClick()
{
    platform::MessageBox(this,
                         QStringLiteral("QorGrid 表格设计器\n版本 %1\n\n编辑表格的格式、框线、合并、页面与打印。")
                             .arg(m_grid->GetVersion()),
                         QStringLiteral("关于"), platform::MB_OK | platform::MB_ICONINFORMATION);
}

} // namespace qor
