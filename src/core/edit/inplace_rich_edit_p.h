#pragma once
// The rich-text editor over a rich-text cell: the cell's RTF shown in a QTextEdit. Committing
// stores the plain text as the cell's text and, when the content was edited, the document as
// the cell's new RTF; unedited content keeps its bytes. Ctrl+B, Ctrl+I and Ctrl+U toggle bold,
// italic and underline; keys behave as in the memo editor.
#include <QTextEdit>
#include "core/edit/inplace_control_p.h"

namespace qor {

class QOR_AUTOTEST_EXPORT TInplaceRichEdit : public QTextEdit, public IInplaceControl {
    Q_OBJECT

public:
    explicit TInplaceRichEdit(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Load(const TInplaceCell &cell) override;
    void ApplyStyle(const TInplaceCell &cell) override;
    QString Text() const override;
    void SetText(const QString &text) override;
    bool HandleKey(QKeyEvent *key) override;
    bool ContentModified() const override;
    void AfterCommit(TCellInfo &cell) override;
    void Unload() override;

    enum class Style { Bold, Italic, Underline };
    // Toggles a style on the selection, or for what is typed next when nothing is selected.
    void ToggleStyle(Style style);

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    void selectionMoved();

    TCustomQorGrid *m_grid = nullptr;
    bool m_loading = false;
    int m_anchor = -1;
    int m_position = -1;
};

} // namespace qor
