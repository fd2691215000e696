#pragma once
// The grid's editing state: which cell is being edited, in which kind of editor, with which
// starting text. Owns one editor widget of each kind, made on first use as children of the
// viewport; opens, commits, cancels and routes the keys the grid handles itself.
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include "core/edit/inplace_control_p.h"
#include "platform/qor_global.h"

namespace qor {

class TInplaceEditor;

// The widget classes a cell type can call for.
enum class TInplaceKind : uint8_t { Edit, List, Spin, Memo, RichEdit };
constexpr int InplaceKindCount = 5;

class QOR_AUTOTEST_EXPORT TEditorController final : public QObject {
    Q_OBJECT

public:
    explicit TEditorController(TCustomQorGrid &grid);
    ~TEditorController() override;

    static TInplaceKind KindFor(TCellType type);

    // Opens on the cell (its merged area's owner); with a typed character the text starts as
    // that character. False when the cell cannot be edited.
    bool Show(int row, int col, QChar typed = QChar());
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    // The open editor, or nothing.
    IInplaceControl *Current() const { return IsOpen() ? m_current : nullptr; }
    QWidget *CurrentWidget() const;
    // The open editor when it is the single-line edit or one derived from it.
    TInplaceEditor *Edit() const;
    const QString &StartText() const { return m_startText; }

    bool IsOpenOn(int row, int col) const;
    bool IsOpen() const { return m_row >= 0; }
    // Writing the typed text into the cell or field.
    bool IsCommitting() const { return m_committing; }
    QString Text() const;
    void PutText(const QString &text);
    void Hide();   // commits and closes
    // Commits the pending edit (before a batch, before a row selection).
    void CommitPending();
    // Puts back the text the editor started with and closes it without committing.
    void Cancel();
    // A style of the cell under the editor changed (colour, font).
    void StyleChanged(int row, int col);
    // Moves the open editor to its cell's current rectangle.
    void Reposition();
    // A press (viewport point) on the button drawn in the cell: opens the editor and presses
    // its button. False when the point is not on such a button.
    bool PressButtonAt(int row, int col, QPoint point);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    IInplaceControl *control(TInplaceKind kind);
    TInplaceCell resolve(int row, int col) const;
    void close();
    bool routeKey(QKeyEvent *key);
    void focusChanged(QWidget *old, QWidget *now);
    void pressButton(TInplaceEditor &edit);

    TCustomQorGrid &m_grid;
    std::array<IInplaceControl *, InplaceKindCount> m_controls{};
    std::array<QPointer<QWidget>, InplaceKindCount> m_widgets{};
    IInplaceControl *m_current = nullptr;
    TInplaceKind m_kind = TInplaceKind::Edit;
    int m_row = -1;
    int m_col = -1;
    QString m_startText;    // the cell's text: what Esc puts back
    QString m_loadedText;   // what the editor showed first (after OnEditText)
    bool m_typedStart = false;
    bool m_committing = false;
    bool m_buttonBusy = false;
};

} // namespace qor
