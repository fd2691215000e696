// The designer window: its parts, its menus and tool bars, documents, and closing.
#include "designer/designer_window.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QSaveFile>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include "core/grid.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_undo.h"
#include "designer/property_inspector.h"
#include "io/grid_stream.h"
#include "platform/db/data_link.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "print/qor_print.h"

namespace qor {

namespace {

const QString Caption = QStringLiteral("提示");
const QString DocumentFilter = QStringLiteral("Qor Library Data (*.qld)");
const QString WorkbookFilter = QStringLiteral("Microsoft Excel WorkBook (*.xlsx)");
constexpr int MaxRecent = 8;

QSettings settings() { return QSettings(QStringLiteral("QorGrid"), QStringLiteral("Designer")); }

// Small tool-bar pictures drawn here, so that the window needs no image files.
QIcon drawnIcon(const std::function<void(QPainter &)> &draw)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p);
    return QIcon(pm);
}

QIcon letterIcon(const QString &letter, bool bold, bool italic, bool underline)
{
    return drawnIcon([&](QPainter &p) {
        QFont f(QStringLiteral("Serif"));
        f.setPixelSize(15);
        f.setBold(bold);
        f.setItalic(italic);
        f.setUnderline(underline);
        p.setFont(f);
        p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, letter);
    });
}

QIcon alignIcon(Qt::Alignment a)
{
    return drawnIcon([a](QPainter &p) {
        p.setPen(QPen(Qt::black, 2));
        const int widths[4] = {14, 9, 14, 9};
        for (int i = 0; i < 4; ++i) {
            const int w = widths[i];
            const int x = a == Qt::AlignLeft ? 3 : a == Qt::AlignRight ? 17 - w : 10 - w / 2;
            p.drawLine(x, 4 + i * 4, x + w, 4 + i * 4);
        }
    });
}

QIcon borderIcon(int kind)   // 0 all, 1 outer, 2 none
{
    return drawnIcon([kind](QPainter &p) {
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        p.drawRect(3, 3, 14, 14);
        p.drawLine(10, 3, 10, 17);
        p.drawLine(3, 10, 17, 10);
        if (kind == 2)
            return;
        p.setPen(QPen(Qt::black, 2));
        p.drawRect(3, 3, 14, 14);
        if (kind == 0) {
            p.drawLine(10, 3, 10, 17);
            p.drawLine(3, 10, 17, 10);
        }
    });
}

QIcon mergeIcon(bool merge)
{
    return drawnIcon([merge](QPainter &p) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(2, 5, 16, 10);
        if (!merge)
            p.drawLine(10, 5, 10, 15);
        p.setPen(QPen(Qt::darkBlue, 2));
        if (merge) {
            p.drawLine(5, 10, 15, 10);
        } else {
            p.drawLine(4, 10, 8, 10);
            p.drawLine(12, 10, 16, 10);
        }
    });
}

} // namespace

TfrmQorDesigner::TfrmQorDesigner(bool Internal, QWidget *parent)
    : QDialog(parent), m_internal(Internal), m_print(std::make_unique<TQorPrint>())
{
    setWindowTitle(QStringLiteral("Cell Designer"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    setAcceptDrops(true);

    m_main = new QMainWindow(this);
    m_main->setWindowFlags(Qt::Widget);   // QMainWindow makes itself a window: it lives inside this one
    m_grid = new TQorGrid(m_main);
    m_main->setCentralWidget(m_grid);
    m_print->SetQorGrid(m_grid);
    m_undo = new QUndoStack(this);
    m_undo->setUndoLimit(100);
    m_inspector = new TPropertyInspector(m_main);
    m_inspector->SetGrid(m_grid);
    m_main->addDockWidget(Qt::RightDockWidgetArea, m_inspector);
    m_inspector->Model()->SetCommitHandler([this](const TDesignProperty &p, const QVariant &before,
                                                   const QVariant &after) {
        const QString text = QStringLiteral("设置%1").arg(p.Caption);
        if (p.Reshapes) {
            runSnapshot(text, [this, &p, after] {
                p.Set(*m_grid, after);
                return true;
            });
            return;
        }
        m_undo->push(new ValueCommand(text, before, after, [this, &p](const QVariant &v) {
            p.Set(*m_grid, v);
            m_inspector->Refresh();
        }));
        afterCommand();
    });

    m_cellLabel = new QLabel(m_main);
    m_progress = new QProgressBar(m_main);
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    m_main->statusBar()->addWidget(m_cellLabel, 1);
    m_main->statusBar()->addPermanentWidget(m_progress);

    createActions();
    createMenus();
    createToolBars();
    updateObjectCommands();
    // An embedded document that takes the focus can be deleted.
    connect(qApp, &QApplication::focusChanged, this, [this] { updateObjectCommands(); });
    watchEditing();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_main);
    resize(1000, 700);

    connect(m_undo, &QUndoStack::cleanChanged, this, &TfrmQorDesigner::updateTitle);
    connect(m_undo, &QUndoStack::indexChanged, this, [this] {
        m_inspector->Refresh();
        updateCellState();
    });
    updateTitle();
    updateCellState();
    updateRecentMenu();
}

TfrmQorDesigner::~TfrmQorDesigner()
{
    // The stack's commands refer to the grid: they go first.
    m_undo->clear();
    m_print->SetQorGrid(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Actions, menus, tool bars

void TfrmQorDesigner::createActions()
{
    struct Def {
        TDesignerAction id;
        const char *text;
        QKeySequence key;
        std::function<void()> run;
    };
    const Def defs[] = {
        {daNew, "新建(&N)", {}, [this] { NewClick(); }},
        {daOpen, "打开(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { OpenClick(); }},
        {daImport, "导入(&I)...", QKeySequence(Qt::CTRL | Qt::Key_I), [this] { ImportClick(); }},
        {daSave, "保存(&S)...", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save(); }},
        {daSaveAs, "另存为(&B)...", {}, [this] { SaveAsClick(); }},
        {daExport, "导出(&E)...", QKeySequence(Qt::CTRL | Qt::Key_E), [this] { ExportClick(); }},
        {daPageSetup, "页面设置(&T)", {}, [this] { PageSetupClick(); }},
        {daPrint, "打印(&P)", {}, [this] { PrintClick(); }},
        {daPreview, "打印预览(&R)...", {}, [this] { PreviewClick(); }},
        {daApply, "应用修改(&A)", {}, [this] { ApplyClick(); }},
        {daExit, "退出(&X)", {}, [this] { ExitClick(); }},
        {daCopy, "复制(&C)", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { CopyClick(); }},
        {daCut, "剪切(&X)", QKeySequence(Qt::CTRL | Qt::Key_X), [this] { CutClick(); }},
        {daPaste, "粘贴(&P)", QKeySequence(Qt::CTRL | Qt::Key_V), [this] { PasteClick(); }},
        {daDeleteObject, "删除 OLE 对象", {}, [this] { DeleteObjectClick(); }},
        {daMerge, "合并(&M)", QKeySequence(Qt::CTRL | Qt::Key_M), [this] { MergeClick(); }},
        {daUnmerge, "取消合并(&U)", {}, [this] { UnmergeClick(); }},
        {daInsertRow, "插入一行", {}, [this] { InsertRows(1); }},
        {daInsertRows, "插入多行", {}, [this] { InsertRowsClick(); }},
        {daAppendRow, "添加一行", {}, [this] { AppendRows(1); }},
        {daAppendRows, "添加多行", {}, [this] { AppendRowsClick(); }},
        {daInsertCol, "插入一列", {}, [this] { InsertCols(1); }},
        {daInsertCols, "插入多列", {}, [this] { InsertColsClick(); }},
        {daAppendCol, "添加一列", {}, [this] { AppendCols(1); }},
        {daAppendCols, "添加多列", {}, [this] { AppendColsClick(); }},
        {daDeleteRows, "删除行(&D)", {}, [this] { DeleteRowsClick(); }},
        {daDeleteCols, "删除列(&O)", {}, [this] { DeleteColsClick(); }},
        {daAllBorders, "所有框线(&A)", {}, [this] { AllBordersClick(); }},
        {daOuterBorders, "外部框线(&T)", {}, [this] { OuterBordersClick(); }},
        {daNoBorders, "无框线(&N)", {}, [this] { NoBordersClick(); }},
        {daCellFormat, "单元格格式(&F)...", QKeySequence(Qt::CTRL | Qt::Key_1), [this] { CellFormatClick(); }},
        {daColumnFormat, "列格式(&G)...", {}, [this] { ColumnFormatClick(); }},
        {daFitPage, "获取打印机纸张", {}, [this] { FitPageClick(); }},
        {daInspector, "属性编辑器(&O)", {}, [this] { InspectorClick(); }},
        {daPagesLine, "分页线", {}, [this] { PagesLineClick(); }},
        {daInsertPicture, "插入图像(&P)...", {}, [this] { InsertPictureClick(); }},
        {daInsertObject, "插入Ole对象(&O)...", {}, [this] { InsertObjectClick(); }},
        {daAbout, "关于(&A)...", {}, [this] { AboutClick(); }},
        {daBold, "粗体", QKeySequence(Qt::CTRL | Qt::Key_B), {}},
        {daItalic, "斜体", {}, {}},
        {daUnderline, "下划线", QKeySequence(Qt::CTRL | Qt::Key_U), {}},
        {daAlignLeft, "左对齐", {}, [this] { SetAlignment(taLeftJustify); }},
        {daAlignCenter, "居中", {}, [this] { SetAlignment(taCenter); }},
        {daAlignRight, "右对齐", {}, [this] { SetAlignment(taRightJustify); }},
    };
    for (const Def &def : defs) {
        auto *a = new QAction(QString::fromUtf8(def.text), this);
        if (!def.key.isEmpty())
            a->setShortcut(def.key);
        if (def.run)
            connect(a, &QAction::triggered, this, def.run);
        m_actions[def.id] = a;
    }
    m_actions[daUndo] = m_undo->createUndoAction(this, QStringLiteral("撤销"));
    m_actions[daUndo]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_actions[daRedo] = m_undo->createRedoAction(this, QStringLiteral("重做"));
    m_actions[daRedo]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));

    for (TDesignerAction id : {daBold, daItalic, daUnderline, daPagesLine, daInspector})
        m_actions[id]->setCheckable(true);
    connect(m_actions[daBold], &QAction::triggered, this, &TfrmQorDesigner::SetBold);
    connect(m_actions[daItalic], &QAction::triggered, this, &TfrmQorDesigner::SetItalic);
    connect(m_actions[daUnderline], &QAction::triggered, this, &TfrmQorDesigner::SetUnderline);
    m_actions[daBold]->setIcon(letterIcon(QStringLiteral("B"), true, false, false));
    m_actions[daItalic]->setIcon(letterIcon(QStringLiteral("I"), false, true, false));
    m_actions[daUnderline]->setIcon(letterIcon(QStringLiteral("U"), false, false, true));
    m_actions[daAlignLeft]->setIcon(alignIcon(Qt::AlignLeft));
    m_actions[daAlignCenter]->setIcon(alignIcon(Qt::AlignHCenter));
    m_actions[daAlignRight]->setIcon(alignIcon(Qt::AlignRight));
    m_actions[daAllBorders]->setIcon(borderIcon(0));
    m_actions[daOuterBorders]->setIcon(borderIcon(1));
    m_actions[daNoBorders]->setIcon(borderIcon(2));
    m_actions[daMerge]->setIcon(mergeIcon(true));
    m_actions[daUnmerge]->setIcon(mergeIcon(false));
    QStyle *s = style();
    m_actions[daNew]->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    m_actions[daOpen]->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    m_actions[daSave]->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    m_actions[daApply]->setIcon(s->standardIcon(QStyle::SP_DialogApplyButton));
    m_actions[daUndo]->setIcon(s->standardIcon(QStyle::SP_ArrowBack));
    m_actions[daRedo]->setIcon(s->standardIcon(QStyle::SP_ArrowForward));
    m_actions[daPreview]->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
    m_actions[daInspector]->setChecked(true);
    connect(m_inspector, &QDockWidget::visibilityChanged, m_actions[daInspector], &QAction::setChecked);
    for (QAction *a : m_actions)
        addAction(a);   // shortcuts work wherever the focus is in the window
}

void TfrmQorDesigner::createMenus()
{
    QMenuBar *bar = m_main->menuBar();
    auto add = [this](QMenu *menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id < 0)
                menu->addSeparator();
            else
                menu->addAction(m_actions[id]);
        }
    };
    QMenu *file = bar->addMenu(QStringLiteral("文件(&F)"));
    add(file, {daNew, daOpen, daImport, -1, daSave, daSaveAs, daExport, -1, daPageSetup, daPrint, daPreview, -1});
    m_recentMenu = file->addMenu(QStringLiteral("最近的文件"));
    add(file, {-1, daApply, daExit});
    m_actions[daApply]->setEnabled(m_internal);

    QMenu *edit = bar->addMenu(QStringLiteral("编辑(&E)"));
    add(edit, {daUndo, daRedo, -1, daCopy, daCut, daPaste, -1, daDeleteObject, -1, daMerge, daUnmerge, -1});
    QMenu *insertRow = edit->addMenu(QStringLiteral("插入行(&R)"));
    add(insertRow, {daInsertRow, daInsertRows});
    QMenu *appendRow = edit->addMenu(QStringLiteral("添加行"));
    add(appendRow, {daAppendRow, daAppendRows});
    QMenu *insertCol = edit->addMenu(QStringLiteral("插入列(&L)"));
    add(insertCol, {daInsertCol, daInsertCols});
    QMenu *appendCol = edit->addMenu(QStringLiteral("添加列"));
    add(appendCol, {daAppendCol, daAppendCols});
    add(edit, {daDeleteRows, daDeleteCols, -1, daAllBorders, daOuterBorders, daNoBorders, -1, daCellFormat,
               daColumnFormat, -1, daFitPage});

    QMenu *view = bar->addMenu(QStringLiteral("查看(&V)"));
    add(view, {daInspector, daPagesLine});
    QMenu *insert = bar->addMenu(QStringLiteral("插入(&I)"));
    add(insert, {daInsertPicture, daInsertObject});
    QMenu *help = bar->addMenu(QStringLiteral("帮助(&H)"));
    add(help, {daAbout});
}

void TfrmQorDesigner::createToolBars()
{
    QToolBar *file = m_main->addToolBar(QStringLiteral("文件"));
    file->setObjectName(QStringLiteral("fileToolBar"));
    for (int id : std::initializer_list<int>{daNew, daOpen, daSave, daPreview, daApply, -1, daUndo, daRedo})
        id < 0 ? (void)file->addSeparator() : file->addAction(m_actions[id]);
    QToolBar *format = m_main->addToolBar(QStringLiteral("格式"));
    format->setObjectName(QStringLiteral("formatToolBar"));
    for (int id : std::initializer_list<int>{daBold, daItalic, daUnderline, -1, daAlignLeft, daAlignCenter, daAlignRight, -1, daMerge,
                   daUnmerge, -1, daAllBorders, daOuterBorders, daNoBorders})
        id < 0 ? (void)format->addSeparator() : format->addAction(m_actions[id]);
}

void TfrmQorDesigner::updateObjectCommands()
{
    m_actions[daDeleteObject]->setEnabled(m_grid->ActivedOleObject2() >= 0);
    m_actions[daInsertObject]->setEnabled(m_grid->GetRow() >= 0 && m_grid->GetCol() >= 0);
}

// ---------------------------------------------------------------------------------------------
// State

void TfrmQorDesigner::SetFileName(const QString &Name)
{
    m_fileName = Name;
    updateTitle();
}

bool TfrmQorDesigner::Modified() const { return m_forcedModified || !m_undo->isClean(); }

void TfrmQorDesigner::SetModified(bool Value)
{
    m_forcedModified = Value;
    if (!Value)
        m_undo->setClean();
    updateTitle();
}

void TfrmQorDesigner::updateTitle()
{
    const QString name = m_fileName.isEmpty() ? QStringLiteral("未命名") : QFileInfo(m_fileName).fileName();
    setWindowTitle(QStringLiteral("表格设计器 - %1[*]").arg(name));
    setWindowModified(Modified());
}

void TfrmQorDesigner::updateCellState()
{
    const int row = m_grid->GetRow(), col = m_grid->GetCol();
    const bool cell = row >= 0 && col >= 0;
    QString text = cell ? TCustomQorGrid::GetCellLabel(row, col) : QString();
    if (cell) {
        const QRect sel = m_grid->GetSelRect();
        if (m_grid->IsSelectionActive() && (sel.width() > 1 || sel.height() > 1))
            text += QStringLiteral("（%1 行 × %2 列）").arg(sel.height()).arg(sel.width());
        const TQorFont *font = m_grid->PeekCell(row, col) ? m_grid->Cells(row, col)->PeekFont() : nullptr;
        const QFont f = font ? font->Font : m_grid->GetFont().Font;
        m_actions[daBold]->setChecked(f.bold());
        m_actions[daItalic]->setChecked(f.italic());
        m_actions[daUnderline]->setChecked(f.underline());
    }
    m_cellLabel->setText(text + QStringLiteral("    %1 行 %2 列").arg(m_grid->GetRows()).arg(m_grid->GetCols()));
    m_actions[daFitPage]->setEnabled(m_grid->GetGridType() == gtInvoice);
    m_actions[daPagesLine]->setChecked(m_grid->GetShowPagesLine());
    updateObjectCommands();
    updateTitle();
}

void TfrmQorDesigner::afterCommand()
{
    m_inspector->Refresh();
    updateCellState();
}

void TfrmQorDesigner::documentReplaced()
{
    m_undo->clear();
    m_forcedModified = m_internal;
    m_grid->SetFocusCell(0, 0);
    m_inspector->Refresh();
    updateCellState();
}

void TfrmQorDesigner::watchEditing()
{
    // Typing into a cell is an editing command too: the text before the editor opened and
    // the text it left become one undo step.
    m_grid->OnShowEditor = [this](QObject *, int row, int col) {
        m_editRow = row;
        m_editCol = col;
        m_editText = m_grid->GetCellText(row, col);
    };
    m_grid->OnAfterEdit = [this](QObject *, int row, int col) {
        if (row != m_editRow || col != m_editCol)
            return;
        const QString now = m_grid->GetCellText(row, col);
        if (now == m_editText)
            return;
        const QString before = std::exchange(m_editText, now);
        m_undo->push(new ValueCommand(QStringLiteral("输入"), before, now, [this, row, col](const QVariant &v) {
            if (row < m_grid->GetRows() && col < m_grid->GetCols())
                m_grid->SetCellText(row, col, v.toString());
        }));
        afterCommand();
    };
    m_grid->OnAfterEnterCell = [this](QObject *, int, int) { updateCellState(); };
}

// ---------------------------------------------------------------------------------------------
// Documents

QString TfrmQorDesigner::choose(TFileChoice kind, const QString &suggested)
{
    if (m_chooser)
        return m_chooser(kind, suggested);
    const QString dir = suggested.isEmpty() ? settings().value(QStringLiteral("lastFolder")).toString() : suggested;
    QString name;
    switch (kind) {
    case TFileChoice::Open:
        name = QFileDialog::getOpenFileName(this, QStringLiteral("打开"), dir, DocumentFilter);
        break;
    case TFileChoice::SaveAs:
        name = QFileDialog::getSaveFileName(this, QStringLiteral("另存为"), dir, DocumentFilter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
        break;
    case TFileChoice::Import:
        name = QFileDialog::getOpenFileName(this, QStringLiteral("导入"), dir,
                                            WorkbookFilter + QStringLiteral(";;OpenDocument 电子表格 (*.ods)"));
        break;
    case TFileChoice::Export:
        name = QFileDialog::getSaveFileName(this, QStringLiteral("导出"), dir, WorkbookFilter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
        break;
    case TFileChoice::Object:
        name = QFileDialog::getOpenFileName(this, QStringLiteral("插入对象"), dir);
        break;
    case TFileChoice::Picture:
        name = QFileDialog::getOpenFileName(this, QStringLiteral("插入图像"), dir,
                                            QStringLiteral("图像文件 (*.bmp *.jpg *.jpeg *.gif *.png *.ico)"));
        break;
    }
    if (!name.isEmpty())
        settings().setValue(QStringLiteral("lastFolder"), QFileInfo(name).absolutePath());
    return name;
}

QString TfrmQorDesigner::WithDocumentExtension(const QString &Name)
{
    // Only the name counts: a dot in a folder name is no extension.
    const QFileInfo info(Name);
    QString file = info.fileName();
    if (file.isEmpty() || (file.contains(u'.') && !file.endsWith(u'.')))
        return Name;
    while (file.endsWith(u'.'))
        file.chop(1);
    const QString folder = Name.left(Name.size() - info.fileName().size());
    return folder + file + QStringLiteral(".qld");
}

QString TfrmQorDesigner::WithWorkbookExtension(const QString &Name)
{
    if (QFileInfo(Name).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return Name;
    QString base = Name;
    while (base.endsWith(u'.'))
        base.chop(1);
    return base + QStringLiteral(".xlsx");
}

bool TfrmQorDesigner::LoadCopyOf(TCustomQorGrid &Source)
{
    db::TDataSource *source = Source.GetDataSource();
    const bool records = source && TCustomQorGrid::DataSetRecordCount(source->DataSet());
    QByteArray bytes;
    QBuffer copy(&bytes);
    copy.open(QIODevice::ReadWrite);
    if (!Source.SaveToStream(copy, false, !records)) {
        platform::MessageBox(this, QStringLiteral("无法复制表格，设计器没有打开。"), Caption,
                             platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    copy.seek(0);
    m_grid->Images() = Source.Images();
    if (!m_grid->LoadFromStream(copy))
        return false;
    try {
        m_grid->SetDataSource(source);
        m_grid->SetMasterDataSource(Source.GetMasterDataSource());
    } catch (const std::exception &e) {
        platform::MessageBox(this, QStringLiteral("无法连接数据源：%1").arg(QString::fromUtf8(e.what())), Caption,
                             platform::MB_OK | platform::MB_ICONWARNING);
    }
    m_grid->UpdateFormula(true);
    documentReplaced();
    m_forcedModified = false;   // a fresh copy: nothing edited yet
    updateTitle();
    return true;
}

bool TfrmQorDesigner::ApplyTo(TCustomQorGrid &Target)
{
    db::TDataSource *source = m_grid->GetDataSource();
    const bool records = source && TCustomQorGrid::DataSetRecordCount(source->DataSet());
    // The design is read back whole before the application grid is touched.
    ParsedGridStream design;
    try {
        design = ParseGridStream(SaveGridToBytes(*m_grid, false, !records));
    } catch (const std::exception &) {
        platform::MessageBox(this, QStringLiteral("无法应用所做的修改：设计的表格无法保存。表格保持原样。"), Caption,
                             platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    Target.HideEditor();
    db::TDataSource *targetSource = Target.GetDataSource();
    bool applied = true;
    QString why;
    try {
        Target.SetDataSource(nullptr);
        ApplyGridStream(Target, design);
    } catch (const std::exception &e) {
        applied = false;
        why = QString::fromUtf8(e.what());
    }
    try {
        Target.SetDataSource(targetSource);
    } catch (const std::exception &e) {
        if (why.isEmpty())
            why = QString::fromUtf8(e.what());
    }
    if (!applied) {
        platform::MessageBox(this, QStringLiteral("无法应用所做的修改（%1），表格保持原样。").arg(why), Caption,
                             platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    Target.UpdateFields();
    Target.UpdateFormula(true);
    return true;
}

bool TfrmQorDesigner::OpenFile(const QString &Name)
{
    QFile file(Name);
    if (!QFileInfo::exists(Name) || !file.open(QIODevice::ReadOnly)) {
        platform::MessageBox(this, QStringLiteral("无法打开文件 “%1”：%2").arg(Name, file.errorString()), Caption,
                             platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    if (!m_grid->LoadFromStream(file))   // says why itself
        return false;
    SetFileName(Name);
    addRecent(Name);
    documentReplaced();
    return true;
}

bool TfrmQorDesigner::Save()
{
    if (m_fileName.isEmpty()) {
        const QString name = choose(TFileChoice::SaveAs, QString());
        return !name.isEmpty() && SaveAs(name);
    }
    QByteArray bytes;
    try {
        bytes = SaveGridToBytes(*m_grid, true, true);
    } catch (const std::exception &e) {
        platform::MessageBox(this, QStringLiteral("无法保存文件 “%1”：%2").arg(m_fileName, QString::fromUtf8(e.what())),
                             Caption, platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    // Written beside the old file and renamed over it: a failed save costs nothing.
    QSaveFile file(m_fileName);
    bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    QString why = file.errorString();
    if (ok) {
        ok = file.commit();
        why = file.errorString();
    } else {
        file.cancelWriting();
    }
    if (!ok) {
        platform::MessageBox(this, QStringLiteral("无法保存文件 “%1”：%2。原来的文件保持不变。").arg(m_fileName, why),
                             Caption, platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    if (!m_internal) {
        m_forcedModified = false;
        m_undo->setClean();
    }
    addRecent(m_fileName);
    updateTitle();
    return true;
}

bool TfrmQorDesigner::SaveAs(const QString &Name)
{
    if (Name.isEmpty())
        return false;
    const QString name = WithDocumentExtension(Name);
    if (QFileInfo::exists(name) &&
        platform::MessageBox(this, QStringLiteral("文件 “%1”已经存在，是否要覆盖它？").arg(name), Caption,
                             platform::MB_YESNO | platform::MB_ICONWARNING) != platform::IDYES)
        return false;
    const QString old = m_fileName;
    m_fileName = name;
    if (!Save()) {
        m_fileName = old;
        updateTitle();
        return false;
    }
    return true;
}

bool TfrmQorDesigner::ImportFile(const QString &Name)
{
    bool ok = false;
    m_progress->show();
    runSnapshot(QStringLiteral("导入"), [&] {
        ok = m_grid->ImportFromExcel(Name, m_progress);   // a refusal says why
        return ok;
    });
    m_progress->hide();
    if (ok)
        m_grid->SetFocusCell(0, 0);
    return ok;
}

bool TfrmQorDesigner::ExportFile(const QString &Name)
{
    const QString name = WithWorkbookExtension(Name);
    if (QFileInfo::exists(name) &&
        platform::MessageBox(this, QStringLiteral("文件 “%1”已经存在，是否要覆盖它？").arg(name), Caption,
                             platform::MB_YESNO | platform::MB_ICONWARNING) != platform::IDYES)
        return false;
    m_progress->show();
    // The export says why when it cannot write the file.
    const bool ok = m_grid->ExportToExcel(name, m_progress);
    m_progress->hide();
    return ok;
}

void TfrmQorDesigner::NewClick()
{
    if (!maySwitchDocument())
        return;
    TRowColDialog dialog(std::max(m_grid->GetRows(), 1), std::max(m_grid->GetCols(), 1), this);
    if (platform::ExecDialog(dialog) != QDialog::Accepted)
        return;
    m_grid->BeginUpdate();
    m_grid->Clear();
    m_grid->SetRows(dialog.Rows());
    m_grid->SetCols(dialog.Cols());
    m_grid->EndUpdate();
    SetFileName(QString());
    documentReplaced();
}

void TfrmQorDesigner::OpenClick()
{
    if (!maySwitchDocument())
        return;
    const QString name = choose(TFileChoice::Open, QString());
    if (!name.isEmpty())
        OpenFile(name);
}

void TfrmQorDesigner::ImportClick()
{
    const QString name = choose(TFileChoice::Import, QString());
    if (!name.isEmpty())
        ImportFile(name);
}

void TfrmQorDesigner::SaveAsClick()
{
    const QString name = choose(TFileChoice::SaveAs, m_fileName);
    if (!name.isEmpty())
        SaveAs(name);
}

void TfrmQorDesigner::ExportClick()
{
    const QString name = choose(TFileChoice::Export, QString());
    if (!name.isEmpty())
        ExportFile(name);
}

bool TfrmQorDesigner::maySwitchDocument()
{
    if (!Modified())
        return true;
    switch (platform::MessageBox(this, QStringLiteral("是否保存所做的修改？"), Caption,
                                 platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION)) {
    case platform::IDYES: return Save();
    case platform::IDNO: return true;
    default: return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Recent documents and dropped files

QStringList TfrmQorDesigner::RecentFiles() const
{
    return settings().value(QStringLiteral("recentFiles")).toStringList();
}

void TfrmQorDesigner::addRecent(const QString &name)
{
    QStringList list = RecentFiles();
    const QString path = QFileInfo(name).absoluteFilePath();
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > MaxRecent)
        list.removeLast();
    settings().setValue(QStringLiteral("recentFiles"), list);
    updateRecentMenu();
}

void TfrmQorDesigner::updateRecentMenu()
{
    if (!m_recentMenu)
        return;
    m_recentMenu->clear();
    const QStringList list = RecentFiles();
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list[i];
        QAction *a = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        a->setToolTip(path);
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] {
            if (maySwitchDocument())
                OpenFile(path);
        });
    }
    m_recentMenu->setEnabled(!list.isEmpty());
}

namespace {
QString droppedDocument(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".qld"), Qt::CaseInsensitive))
            return url.toLocalFile();
    return {};
}
} // namespace

void TfrmQorDesigner::dragEnterEvent(QDragEnterEvent *e)
{
    if (!droppedDocument(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void TfrmQorDesigner::dropEvent(QDropEvent *e)
{
    const QString name = droppedDocument(e->mimeData());
    if (name.isEmpty())
        return;
    e->acceptProposedAction();
    if (maySwitchDocument())
        OpenFile(name);
}

// ---------------------------------------------------------------------------------------------
// Apply, exit, close

void TfrmQorDesigner::ApplyClick()
{
    m_grid->HideEditor();
    m_closingByCommand = true;
    done(QDialog::Accepted);
}

bool TfrmQorDesigner::askToClose(int *result)
{
    m_grid->HideEditor();
    *result = QDialog::Rejected;
    if (!Modified())
        return true;
    const QString text = m_internal ? QStringLiteral("是否应用所做的修改？") : QStringLiteral("是否保存所做的修改？");
    switch (platform::MessageBox(this, text, Caption, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION)) {
    case platform::IDYES:
        if (!m_internal && !Save())
            return false;
        *result = QDialog::Accepted;
        return true;
    case platform::IDNO: return true;
    default: return false;
    }
}

void TfrmQorDesigner::ExitClick()
{
    int result = QDialog::Rejected;
    if (!askToClose(&result))
        return;
    m_closingByCommand = true;
    done(result);
}

// Escape and the window's close button come here (QDialog's close event rejects).
void TfrmQorDesigner::reject()
{
    if (m_closingByCommand) {
        QDialog::reject();
        return;
    }
    ExitClick();
}

void TfrmQorDesigner::closeEvent(QCloseEvent *e) { QDialog::closeEvent(e); }

void TfrmQorDesigner::done(int r)
{
    QDialog::done(r);
    m_closingByCommand = false;
}

} // namespace qor
