// The list and calendar pop-ups of the drop-down editor.
#include "core/edit/inplace_popups_p.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace qor {

namespace {
// Keys that close a pop-up without a choice: Esc, F4 and Alt+Up (F4 and Alt+Down open it).
bool dismissKey(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Escape || key->key() == Qt::Key_F4 ||
           (key->key() == Qt::Key_Up && (key->modifiers() & Qt::AltModifier));
}
} // namespace

TPopupEditListbox::TPopupEditListbox(QWidget *owner) : QListWidget(owner)
{
    setWindowFlags(Qt::Popup);
    // A click on the editor's button while open only closes the list, it does not reopen it.
    setAttribute(Qt::WA_NoMouseReplay);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
}

void TPopupEditListbox::SetItems(const QStringList &items, const QString &current, int itemHeight)
{
    clear();
    m_itemHeight = std::max(itemHeight, fontMetrics().height());
    for (const QString &text : items) {
        auto *item = new QListWidgetItem(text, this);
        item->setSizeHint(QSize(0, m_itemHeight));
    }
    const int index = int(items.indexOf(current));
    setCurrentRow(index >= 0 ? index : 0);
}

int TPopupEditListbox::HeightFor(int visibleLines) const
{
    const int lines = std::clamp(std::min(visibleLines, count()), 1, std::max(1, count()));
    return lines * m_itemHeight + 2 * frameWidth();
}

void TPopupEditListbox::keyPressEvent(QKeyEvent *event)
{
    if (dismissKey(event)) {
        hide();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        const QString text = currentItem()->text();
        hide();
        Q_EMIT Chosen(text);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TPopupEditListbox::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (QListWidgetItem *item = itemAt(event->position().toPoint())) {
        const QString text = item->text();
        hide();
        Q_EMIT Chosen(text);
    }
}

void TPopupEditListbox::hideEvent(QHideEvent *event)
{
    QListWidget::hideEvent(event);
    Q_EMIT Dismissed();
}

TPopupMonthCalendar::TPopupMonthCalendar(QWidget *owner) : QFrame(owner), m_calendar(new QCalendarWidget(this))
{
    setWindowFlags(Qt::Popup);
    setAttribute(Qt::WA_NoMouseReplay);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    setFocusProxy(m_calendar);
    auto choose = [this](const QDate &date) {
        hide();
        Q_EMIT Chosen(date);
    };
    connect(m_calendar, &QCalendarWidget::clicked, this, choose);
    connect(m_calendar, &QCalendarWidget::activated, this, choose);
    m_calendar->installEventFilter(this);
    for (QWidget *child : m_calendar->findChildren<QWidget *>())
        child->installEventFilter(this);
}

void TPopupMonthCalendar::SetDate(const QDate &date)
{
    m_calendar->setSelectedDate(date);
    m_calendar->setCurrentPage(date.year(), date.month());
}

bool TPopupMonthCalendar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && dismissKey(static_cast<QKeyEvent *>(event))) {
        hide();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TPopupMonthCalendar::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    Q_EMIT Dismissed();
}

} // namespace qor
