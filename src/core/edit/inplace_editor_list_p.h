#pragma once
// The drop-down editor: the single-line edit with a button that opens a pop-up list of the
// cell's items (combo cells) or a month calendar (date cells). Without DirectInput the text
// cannot be typed, only chosen; a typed letter then picks the next item starting with it.
#include <QPointer>
#include "core/edit/inplace_editor_p.h"

namespace qor {

class TPopupEditListbox;
class TPopupMonthCalendar;

class QOR_AUTOTEST_EXPORT TInplaceEditorList : public TInplaceEditor {
    Q_OBJECT

public:
    explicit TInplaceEditorList(QWidget *parent = nullptr);
    ~TInplaceEditorList() override;

    void Load(const TInplaceCell &cell) override;
    bool HandleKey(QKeyEvent *key) override;
    bool ClosePopup() override;
    bool Owns(const QWidget *widget) const override;

    // Opens the list or the calendar below the edit (above when the screen ends first).
    void DropDown();
    bool PopupVisible() const;
    // Made on first use.
    TPopupEditListbox *ListBox();
    TPopupMonthCalendar *MonthCalendar();

protected:
    void ButtonPressed() override;

private:
    bool isDate() const { return Cell().cellType == ctDate; }
    void place(QWidget *popup, QSize size);
    void choose(const QString &text);
    void chooseDate(const QDate &date);
    void jumpTo(QChar letter);

    QPointer<TPopupEditListbox> m_list;
    QPointer<TPopupMonthCalendar> m_calendar;
};

} // namespace qor
