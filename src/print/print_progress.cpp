#include "print/print_progress.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include "print/qor_print.h"

namespace qor {

namespace {
const QEvent::Type RunJobEvent = QEvent::Type(QEvent::User + 1025);
QPointer<TfrmPrnProgress> &current()
{
    static QPointer<TfrmPrnProgress> window;
    return window;
}
} // namespace

TfrmPrnProgress::TfrmPrnProgress(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("正在准备报表"));
    setFont(QFont(QStringLiteral("宋体"), 9));
    m_label = new QLabel(this);
    m_label->setMinimumWidth(240);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    connect(m_cancel, &QPushButton::clicked, this, &TfrmPrnProgress::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addLayout(buttons);
}

TfrmPrnProgress::~TfrmPrnProgress()
{
    if (current() == this)
        current() = nullptr;
}

TfrmPrnProgress *TfrmPrnProgress::Current() { return current(); }

int TfrmPrnProgress::Show_Modal(TQorPrint *Print, TQorCompositePrint *Composite, int PageCount, std::function<void()> Job)
{
    m_print = Print;
    m_composite = Composite;
    m_pageCount = PageCount;
    m_position = -1;
    m_job = std::move(Job);
    m_label->clear();
    current() = this;
    QCoreApplication::postEvent(this, new QEvent(RunJobEvent));
    const int result = exec();
    current() = nullptr;
    return result;
}

bool TfrmPrnProgress::event(QEvent *e)
{
    if (e->type() != RunJobEvent)
        return QDialog::event(e);
    if (std::function<void()> job = std::exchange(m_job, nullptr))
        job();
    return true;
}

void TfrmPrnProgress::SetPosition(int Value)
{
    if (Value == m_position)
        return;
    m_position = Value;
    m_label->setText(QStringLiteral("正在打印报表：") + QStringLiteral(" %1/%2").arg(Value).arg(m_pageCount));
}

void TfrmPrnProgress::Finish(bool Cancelled)
{
    if (isVisible())
        done(Cancelled ? QDialog::Rejected : QDialog::Accepted);
}

// "取消", Esc and the window's close box: the job stops before its next page.
void TfrmPrnProgress::reject()
{
    if (m_composite)
        m_composite->SetTerminated(true);
    else if (m_print)
        m_print->SetTerminated(true);
    QDialog::reject();
}

} // namespace qor
