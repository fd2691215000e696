// Opening the preview from a report or a composite, and closing it from there.
#include <QPointer>
#include <QToolButton>
#include "platform/modal.h"
#include "print/preview/preview_window.h"
#include "print/qor_print.h"
#include "print/qor_print_p.h"

namespace qor {

namespace {

// Modal: the call returns when the window is closed, and the window is gone then. Modeless:
// the window frees itself on close. Either way it goes when its report goes.
void run(TfrmQorPreview *window, QObject *owner, bool modal)
{
    QObject::connect(owner, &QObject::destroyed, window, &QObject::deleteLater);
    if (!modal) {
        window->show();
        return;
    }
    QPointer<TfrmQorPreview> guard(window);
    platform::ExecDialog(*window);
    delete guard.data();
}

void bringToFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void TQorPrint::ShowReport()
{
    if (d->preview) {
        bringToFront(d->preview);
        return;
    }
    auto *window = new TfrmQorPreview;
    window->setAttribute(Qt::WA_DeleteOnClose);
    d->preview = window;
    window->PrintButton()->setEnabled(!d->disablePrint);
    d->terminated = false;
    changed();
    d->printing = false;
    SetScale(1.0, 1.0);
    window->SetReport(this);
    run(window, this, d->modalPreview);
}

QWidget *TQorPrint::PreviewWindow() const { return d->preview; }

void TQorPrint::TerminateShow()
{
    if (d->preview)
        d->preview->close();
}

void TQorCompositePrint::ShowReport()
{
    if (m_preview) {
        bringToFront(m_preview);
        return;
    }
    auto *window = new TfrmQorPreview;
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_preview = window;
    window->PrintButton()->setEnabled(!m_disablePrint);
    m_terminated = false;
    for (int i = 0; i < GetReportCount(); ++i) {
        TQorPrint *r = GetPrint(i);
        r->SetTerminated(false);
        r->Init();
        r->Private().printing = false;
        r->SetScale(1.0, 1.0);
    }
    window->SetCompositeReport(this);
    run(window, this, m_modalPreview);
}

QWidget *TQorCompositePrint::PreviewWindow() const { return m_preview; }

} // namespace qor
