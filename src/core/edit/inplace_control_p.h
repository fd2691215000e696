#pragma once
// What the editor controller needs of every kind of in-place editor widget. The controller
// decides when an editor opens, commits and closes; a kind shows one cell's text its own way.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include "core/model/enums.h"
#include "platform/qor_global.h"

class QKeyEvent;
class QWidget;

namespace qor {

class TCustomQorGrid;
class TCellInfo;

// One cell as an editor opens on it: resolved once by the controller.
struct QOR_AUTOTEST_EXPORT TInplaceCell {
    TCustomQorGrid *grid = nullptr;
    TCellInfo *cell = nullptr;   // the owner of the merged area; never null while open
    int row = -1;
    int col = -1;
    TCellType cellType = ctEdit;
    TValueType valueType = vtString;
    int digits = 2;
    QString text;          // the text to show, after OnEditText
    QChar typed;           // when not null, the editor starts with this character instead
    bool selectAll = false;
    bool readOnly = false; // text may not be typed (the kind may still offer a list)
    QFont font;
    QColor fontColor;
    QColor backColor;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    int maxLength = 0;     // 0: unlimited
    QChar passwordChar;
    QString mask;          // "mask;save-literals;blank", empty for none
    QStringList items;     // a drop-down list's lines
    int dropDownCount = 7;
    int comboItemHeight = 13;

    // What the editor starts with: the character that opened it, or the cell's text.
    QString StartText() const { return typed.isNull() ? text : QString(typed); }
};

// The cell's font and its text and background colours on an editor widget; each kind adds
// its own alignment or wrapping.
QOR_AUTOTEST_EXPORT void ApplyCellColors(QWidget &widget, const TInplaceCell &cell);
// Stored texts may carry Windows line ends; the multi-line editors show one break for each.
QOR_AUTOTEST_EXPORT QString OneBreakPerLine(QString text);
// Whether w is root or inside it, crossing into top-level children (pop-ups, context menus),
// which QWidget::isAncestorOf does not.
QOR_AUTOTEST_EXPORT bool WidgetWithin(const QWidget *w, const QWidget *root);

class QOR_AUTOTEST_EXPORT IInplaceControl {
public:
    virtual ~IInplaceControl();

    virtual QWidget *Widget() = 0;
    // Takes the cell: its style, text, caret or selection. Called on every opening.
    virtual void Load(const TInplaceCell &cell) = 0;
    // The cell's font or colours changed while open.
    virtual void ApplyStyle(const TInplaceCell &cell) = 0;
    // The text as the cell stores it.
    virtual QString Text() const = 0;
    virtual void SetText(const QString &text) = 0;

    // A key the kind keeps for itself before the controller routes navigation keys to the grid
    // (a list's Alt+Down, a spin's Up/Down, a memo's Return). Return true when consumed.
    virtual bool HandleKey(QKeyEvent *key) { return false; }
    // Closes an open pop-up; true when there was one (Esc closes it before the editor).
    virtual bool ClosePopup() { return false; }
    // Whether a widget outside the editor belongs to it (its pop-ups): focus moving there is
    // no focus loss.
    virtual bool Owns(const QWidget *widget) const { return false; }
    // The content changed in a way Text() does not show (rich formatting).
    virtual bool ContentModified() const { return false; }
    // After the controller stored Text() in the cell: a kind may store more (rich content).
    virtual void AfterCommit(TCellInfo &cell) {}
    // The editor closes; pop-ups go with it.
    virtual void Unload() { ClosePopup(); }
};

} // namespace qor
