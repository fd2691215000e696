#pragma once
// The designer window: a main window (menus, tool bars, the property inspector, a status bar)
// in a modal dialog, editing its own design grid. In internal mode the grid is a copy of an
// application grid that the apply command hands back; in file mode it edits .qld documents.
// Every editing command goes through the undo stack.
#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include "platform/qor_global.h"

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QProgressBar;
class QUndoStack;

namespace qor {

class TCustomQorGrid;
class TQorGrid;
class TQorPrint;
class TPropertyInspector;

enum TDesignerAction {
    daNew, daOpen, daImport, daSave, daSaveAs, daExport, daPageSetup, daPrint, daPreview, daApply, daExit,
    daUndo, daRedo, daCopy, daCut, daPaste, daDeleteObject, daMerge, daUnmerge,
    daInsertRow, daInsertRows, daAppendRow, daAppendRows, daInsertCol, daInsertCols, daAppendCol, daAppendCols,
    daDeleteRows, daDeleteCols, daAllBorders, daOuterBorders, daNoBorders, daCellFormat, daColumnFormat,
    daFitPage, daInspector, daPagesLine, daInsertPicture, daInsertObject, daAbout,
    daBold, daItalic, daUnderline, daAlignLeft, daAlignCenter, daAlignRight,
    daActionCount
};

// What a file dialog is asked for.
enum class TFileChoice { Open, SaveAs, Import, Export, Picture, Object };

class QOR_EXPORT TfrmQorDesigner : public QDialog {
    Q_OBJECT
public:
    explicit TfrmQorDesigner(bool Internal, QWidget *parent = nullptr);
    ~TfrmQorDesigner() override;

    // ===== State =====
    TQorGrid *DesignGrid() const { return m_grid; }
    TQorPrint *Print() const { return m_print.get(); }
    bool InternalMode() const { return m_internal; }
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &Name);
    // Set by every editing command (undoing back to the saved state clears it again); cleared
    // by a save in file mode.
    bool Modified() const;
    void SetModified(bool Value);
    QUndoStack *UndoStack() const { return m_undo; }
    TPropertyInspector *Inspector() const { return m_inspector; }
    QMainWindow *MainWindow() const { return m_main; }
    QAction *Action(TDesignerAction a) const { return m_actions[a]; }
    QMenu *RecentMenu() const { return m_recentMenu; }
    QProgressBar *ProgressBar() const { return m_progress; }

    // The file dialogs; tests and hosts may answer them. An empty answer is a cancel.
    using FileChooser = std::function<QString(TFileChoice, const QString &suggested)>;
    void SetFileChooser(FileChooser Chooser) { m_chooser = std::move(Chooser); }

    // ===== Documents =====
    // The design grid becomes a copy of Source: bound body rows left out when its data set
    // has records, the same data sources attached, formulas recalculated. False (a message
    // says why) when the copy cannot be made.
    bool LoadCopyOf(TCustomQorGrid &Source);
    // Target becomes the design grid, or stays as it was when that cannot be done (a message
    // says why; false then).
    bool ApplyTo(TCustomQorGrid &Target);
    // Loads a document; false, with the reason in a message box, when it cannot be read.
    bool OpenFile(const QString &Name);
    // Saves under the file name, or asks for one. False when nothing was saved.
    bool Save();
    // Saves under Name (".qld" added to a name without an extension); asks before replacing
    // a file. False when nothing was saved; a failed write keeps the old file and says why.
    bool SaveAs(const QString &Name);
    bool ImportFile(const QString &Name);
    bool ExportFile(const QString &Name);
    // "report" and "report." become "report.qld"; any other extension stays.
    static QString WithDocumentExtension(const QString &Name);
    static QString WithWorkbookExtension(const QString &Name);

    // ===== Menu commands =====
    void NewClick();
    void OpenClick();
    void ImportClick();
    void SaveAsClick();
    void ExportClick();
    void PageSetupClick();
    void PrintClick();
    void PreviewClick();
    void ApplyClick();
    void ExitClick();
    void CopyClick();
    void CutClick();
    void PasteClick();
    void MergeClick();
    void UnmergeClick();
    void InsertRows(int Count);
    void AppendRows(int Count);
    void InsertCols(int Count);
    void AppendCols(int Count);
    // The count dialog, then the command with what was entered.
    void InsertRowsClick();
    void AppendRowsClick();
    void InsertColsClick();
    void AppendColsClick();
    void DeleteRowsClick();
    void DeleteColsClick();
    void AllBordersClick();
    void OuterBordersClick();
    void NoBordersClick();
    void CellFormatClick();
    void ColumnFormatClick();
    void FitPageClick();
    void InspectorClick();
    void PagesLineClick();
    void InsertPictureClick();
    bool InsertPicture(const QString &FileName);
    // An embedded document at the current cell holding the chosen file (an empty one when
    // none is chosen: a double click fills it later).
    void InsertObjectClick();
    // Deletes the embedded document that has the focus.
    void DeleteObjectClick();
    void AboutClick();
    void SetBold(bool On);
    void SetItalic(bool On);
    void SetUnderline(bool On);
    void SetAlignment(int Alignment);   // TAlignment
    // Embedded objects come with their own layer: the commands stay disabled until it is there.
    void updateObjectCommands();

    // Recent documents, newest first (kept in the application's settings).
    QStringList RecentFiles() const;

public Q_SLOTS:
    void done(int r) override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void runRegion(const QString &text, const QRect &cells, std::function<void()> change);
    void runSnapshot(const QString &text, std::function<bool()> change);
    void runInsert(const QString &text, bool rows, int at, int count);
    void afterCommand();
    void updateTitle();
    void updateCellState();
    QString choose(TFileChoice kind, const QString &suggested);
    // Before a new or another document: true when the present one may go.
    bool maySwitchDocument();
    // The exit question; true when the window may close (result in *result).
    bool askToClose(int *result);
    void addRecent(const QString &name);
    void updateRecentMenu();
    int countFromDialog(const QString &caption, const QString &label);
    void forEachSelectedCell(const std::function<void(int, int)> &f);
    void watchEditing();
    void documentReplaced();

    bool m_internal;
    QString m_fileName;
    bool m_forcedModified = false;
    bool m_closingByCommand = false;
    QMainWindow *m_main;
    TQorGrid *m_grid;
    std::unique_ptr<TQorPrint> m_print;
    QUndoStack *m_undo;
    TPropertyInspector *m_inspector;
    QAction *m_actions[daActionCount] = {};
    QMenu *m_recentMenu = nullptr;
    QLabel *m_cellLabel = nullptr;
    QProgressBar *m_progress = nullptr;
    FileChooser m_chooser;
    int m_editRow = -1, m_editCol = -1;
    QString m_editText;
};

} // namespace qor
