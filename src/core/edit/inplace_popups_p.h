#pragma once
// The drop-down pop-ups of the list editor: a list of the cell's items and a month calendar.
// Both are top-level pop-up windows; choosing closes them and reports the choice.
#include <QDate>
#include <QFrame>
#include <QListWidget>
#include "platform/qor_global.h"

class QCalendarWidget;

namespace qor {

class QOR_AUTOTEST_EXPORT TPopupEditListbox : public QListWidget {
    Q_OBJECT

public:
    explicit TPopupEditListbox(QWidget *owner);

    // Fills the list; the item equal to current (if any) becomes the current row.
    void SetItems(const QStringList &items, const QString &current, int itemHeight);
    // Height for visibleLines lines (fewer when there are fewer items).
    int HeightFor(int visibleLines) const;

Q_SIGNALS:
    void Chosen(const QString &text);
    void Dismissed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    int m_itemHeight = 13;
};

class QOR_AUTOTEST_EXPORT TPopupMonthCalendar : public QFrame {
    Q_OBJECT

public:
    explicit TPopupMonthCalendar(QWidget *owner);

    void SetDate(const QDate &date);
    QCalendarWidget *Calendar() const { return m_calendar; }

Q_SIGNALS:
    void Chosen(const QDate &date);
    void Dismissed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QCalendarWidget *m_calendar;
};

} // namespace qor
