#pragma once
// The window a job runs under: "正在打印报表： n/m" and a cancel button. The job runs inside
// the window's own modal loop, so a click on "取消" reaches it between two pages.
#include <QDialog>
#include <QPointer>
#include <functional>
#include "platform/qor_global.h"

class QLabel;
class QPushButton;

namespace qor {

class TQorPrint;
class TQorCompositePrint;

class QOR_EXPORT TfrmPrnProgress : public QDialog {
    Q_OBJECT

public:
    explicit TfrmPrnProgress(QWidget *parent = nullptr);
    ~TfrmPrnProgress() override;

    // Shows the window modally and runs Job from inside its loop; Accepted when the job ran
    // to its end, Rejected when it was cancelled.
    int Show_Modal(TQorPrint *Print, TQorCompositePrint *Composite, int PageCount, std::function<void()> Job);
    // "正在打印报表： n/m"; nothing when n is the one shown.
    void SetPosition(int Value);
    int Position() const { return m_position; }
    // Closes the window with Accepted, or Rejected when the job was cancelled.
    void Finish(bool Cancelled);
    QLabel *Label() const { return m_label; }
    QPushButton *CancelButton() const { return m_cancel; }
    // The window open now, if any: there is only ever one.
    static TfrmPrnProgress *Current();

protected:
    bool event(QEvent *e) override;
    void reject() override;

private:
    QLabel *m_label;
    QPushButton *m_cancel;
    QPointer<TQorPrint> m_print;
    QPointer<TQorCompositePrint> m_composite;
    int m_pageCount = 0;
    int m_position = -1;
    std::function<void()> m_job;
};

} // namespace qor
