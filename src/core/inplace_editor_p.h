#pragma once
// The in-place editor: a masked single-line edit laid over the current cell. It holds the text
// it started with, so that cancelling puts it back; committing goes through the cell's text.
#include <QObject>
#include <QPointer>
#include <QString>
#include "core/grid_seams_p.h"
#include "format/masked_edit.h"
#include "platform/qor_global.h"

namespace qor {



class QOR_AUTOTEST_EXPORT TInplaceEditor final : public QObject, public IEditorHost {
    Q_OBJECT

public:
    explicit TInplaceEditor(TCustomQorGrid &grid);
    ~TInplaceEditor() override;

    // Opens on the cell (its merged area's owner); with a typed character the text starts as
    // that character. False when the cell cannot be edited.
    bool Show(int row, int col, QChar typed = QChar());
    TQorMaskEdit *Edit() const { return m_edit; }
    int Row() const { return m_row; }
    int Col() const { return m_col; }

    // --- IEditorHost
    bool IsOpenOn(int row, int col) const override;
    bool IsOpen() const override { return m_row >= 0; }
    QString Text() const override;
    void PutText(const QString &text) override;
    // Commits and closes.
    void Hide() override;
    void CommitPending() override;
    void Cancel() override;
    void StyleChanged(int row, int col) override;
    void Reposition() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void close();
    bool filterKey(QKeyEvent *key);

    TCustomQorGrid &m_grid;
    QPointer<TQorMaskEdit> m_edit;
    int m_row = -1;
    int m_col = -1;
    QString m_startText;
    bool m_committing = false;
};

} // namespace qor
