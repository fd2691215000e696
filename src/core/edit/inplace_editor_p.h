#pragma once
// The single-line in-place editor: a masked edit that checks every typed and pasted character
// against the cell's value type, with an optional button at its right edge (the ellipsis of
// button cells; the list and spin editors build on it).
#include "core/edit/inplace_control_p.h"
#include "format/masked_edit.h"
#include "platform/qor_global.h"

namespace qor {

class QOR_AUTOTEST_EXPORT TInplaceEditor : public TQorMaskEdit, public IInplaceControl {
    Q_OBJECT

public:
    enum class ButtonKind { None, DropDown, Ellipsis };
    static constexpr int ButtonWidth = 16;

    explicit TInplaceEditor(QWidget *parent = nullptr);

    // --- IInplaceControl
    QWidget *Widget() override { return this; }
    void Load(const TInplaceCell &cell) override;
    void ApplyStyle(const TInplaceCell &cell) override;
    QString Text() const override { return TQorMaskEdit::Text(); }
    void SetText(const QString &text) override { TQorMaskEdit::SetText(text); }

    const TInplaceCell &Cell() const { return m_cell; }
    ButtonKind Button() const { return m_button; }
    // Empty without a button.
    QRect ButtonRect() const;
    // Inserts text at the caret when every character of it would be accepted alone there;
    // false (and nothing changed) otherwise. Ctrl+V, the context menu and drops come here.
    bool InsertChecked(const QString &text);
    bool PasteChecked();
    // What a click on the button does.
    void ClickButton();

Q_SIGNALS:
    void ButtonClicked();

protected:
    void SetButton(ButtonKind kind);
    // The button was pressed; the ellipsis raises the grid's OnButtonClick.
    virtual void ButtonPressed();

    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool acceptsTyped(QChar key) const;

    TInplaceCell m_cell;
    ButtonKind m_button = ButtonKind::None;
};

} // namespace qor
