#pragma once
// The memo editor: multi-line plain text over the cell. Return starts a new line; Ctrl+Return
// commits like Return in the single-line edit, and so does leaving the cell (Tab, a click
// elsewhere, focus moving away). Up, Down, PageUp and PageDown move inside the text.
#include <QPlainTextEdit>
#include "core/edit/inplace_control_p.h"

namespace qor {

class QOR_AUTOTEST_EXPORT TInplaceMemo : public QPlainTextEdit, public IInplaceControl {
    Q_OBJECT

public:
    explicit TInplaceMemo(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Load(const TInplaceCell &cell) override;
    void ApplyStyle(const TInplaceCell &cell) override;
    QString Text() const override { return toPlainText(); }
    void SetText(const QString &text) override;
    bool HandleKey(QKeyEvent *key) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    int m_maxLength = 0;
};

// Keys that stay inside a multi-line editor instead of leaving the cell.
bool KeepsMultiLineKey(const QKeyEvent *key);

} // namespace qor
