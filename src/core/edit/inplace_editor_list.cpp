// The drop-down editor: opening and placing its pop-ups, taking a choice into the edit.
#include "core/edit/inplace_editor_list_p.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include "core/edit/inplace_popups_p.h"
#include "format/number_text.h"

namespace qor {

TInplaceEditorList::TInplaceEditorList(QWidget *parent) : TInplaceEditor(parent) {}

TInplaceEditorList::~TInplaceEditorList() = default;

void TInplaceEditorList::Load(const TInplaceCell &cell)
{
    ClosePopup();
    TInplaceEditor::Load(cell);
}

TPopupEditListbox *TInplaceEditorList::ListBox()
{
    if (!m_list) {
        m_list = new TPopupEditListbox(this);
        connect(m_list, &TPopupEditListbox::Chosen, this, &TInplaceEditorList::choose);
        connect(m_list, &TPopupEditListbox::Dismissed, this, [this] { if (isVisible()) setFocus(); });
    }
    return m_list;
}

TPopupMonthCalendar *TInplaceEditorList::MonthCalendar()
{
    if (!m_calendar) {
        m_calendar = new TPopupMonthCalendar(this);
        connect(m_calendar, &TPopupMonthCalendar::Chosen, this, &TInplaceEditorList::chooseDate);
        connect(m_calendar, &TPopupMonthCalendar::Dismissed, this, [this] { if (isVisible()) setFocus(); });
    }
    return m_calendar;
}

bool TInplaceEditorList::PopupVisible() const
{
    return (m_list && m_list->isVisible()) || (m_calendar && m_calendar->isVisible());
}

bool TInplaceEditorList::ClosePopup()
{
    if (!PopupVisible())
        return false;
    if (m_list)
        m_list->hide();
    if (m_calendar)
        m_calendar->hide();
    return true;
}

bool TInplaceEditorList::Owns(const QWidget *widget) const
{
    return (m_list && WidgetWithin(widget, m_list)) || (m_calendar && WidgetWithin(widget, m_calendar));
}

void TInplaceEditorList::ButtonPressed()
{
    if (!ClosePopup())
        DropDown();
}

void TInplaceEditorList::DropDown()
{
    if (PopupVisible() || !isVisible())
        return;
    if (isDate()) {
        TPopupMonthCalendar *popup = MonthCalendar();
        const auto current = TextToDateTime(Text());
        popup->SetDate(current && current->date().isValid() ? current->date() : QDate::currentDate());
        place(popup, popup->sizeHint());
        popup->Calendar()->setFocus(Qt::PopupFocusReason);
        return;
    }
    const TInplaceCell &cell = Cell();
    if (cell.items.isEmpty())
        return;
    TPopupEditListbox *popup = ListBox();
    popup->setFont(font());
    popup->SetItems(cell.items, Text(), cell.comboItemHeight);
    const int lines = cell.dropDownCount > 0 ? cell.dropDownCount : 1;
    int width = std::max(this->width(), popup->sizeHintForColumn(0) + 2 * popup->frameWidth() + 4);
    if (popup->count() > lines)
        width += popup->verticalScrollBar()->sizeHint().width();
    place(popup, QSize(width, popup->HeightFor(lines)));
    popup->scrollToItem(popup->currentItem());
    popup->setFocus(Qt::PopupFocusReason);
}

// Below the edit, or above it when the screen ends first; never past the screen's sides.
void TInplaceEditorList::place(QWidget *popup, QSize size)
{
    QPoint pos = mapToGlobal(QPoint(0, height()));
    if (const QScreen *s = screen()) {
        const QRect avail = s->availableGeometry();
        if (pos.y() + size.height() > avail.bottom() && mapToGlobal(QPoint(0, 0)).y() - size.height() >= avail.top())
            pos.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
        pos.setX(std::clamp(pos.x(), avail.left(), std::max(avail.left(), avail.right() - size.width())));
    }
    popup->setGeometry(QRect(pos, size));
    popup->show();
}

void TInplaceEditorList::choose(const QString &text)
{
    SetText(text);
    end(false);
    setFocus(Qt::PopupFocusReason);
}

// The chosen day keeps the time of day and the date separator the text had.
void TInplaceEditorList::chooseDate(const QDate &date)
{
    const QString old = Text();
    const auto previous = TextToDateTime(old);
    QString text = DateTimeToStr(QDateTime(date, previous ? previous->time() : QTime(0, 0)));
    if (previous) {
        const QChar sep = old.contains(u'/') ? u'/' : old.contains(u'.') ? u'.' : u'-';
        const int dateEnd = int(text.indexOf(u' '));
        for (int i = 1; i < (dateEnd < 0 ? text.size() : dateEnd); ++i)
            if (text[i] == u'-')
                text[i] = sep;
    }
    choose(text);
}

bool TInplaceEditorList::HandleKey(QKeyEvent *key)
{
    const bool alt = key->modifiers() & Qt::AltModifier;
    if (key->key() == Qt::Key_F4 || (alt && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up))) {
        if (!ClosePopup() && key->key() != Qt::Key_Up)
            DropDown();
        return true;
    }
    const QString typed = key->text();
    if (isReadOnly() && typed.size() == 1 && typed[0].unicode() >= 32 && !(key->modifiers() & Qt::ControlModifier)) {
        jumpTo(typed[0]);
        return true;
    }
    return false;
}

// The next item after the current text that starts with the letter, wrapping round.
void TInplaceEditorList::jumpTo(QChar letter)
{
    const QStringList &items = Cell().items;
    const int n = int(items.size());
    const int from = int(items.indexOf(Text()));
    for (int step = 1; step <= n; ++step) {
        const QString &item = items[(from + step + n) % n];
        if (item.startsWith(letter, Qt::CaseInsensitive)) {
            SetText(item);
            selectAll();
            return;
        }
    }
}

} // namespace qor
