// The single-line in-place editor: cell style, key filter, checked paste and the right-edge button.
#include "core/edit/inplace_editor_p.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include "core/grid.h"
#include "format/key_filter.h"
#include "platform/clipboard.h"

namespace qor {

namespace {
TInplaceEditor::ButtonKind buttonFor(TCellType type)
{
    switch (type) {
    case ctButton: return TInplaceEditor::ButtonKind::Ellipsis;
    case ctCombo:
    case ctDate: return TInplaceEditor::ButtonKind::DropDown;
    default: return TInplaceEditor::ButtonKind::None;
    }
}
} // namespace

TInplaceEditor::TInplaceEditor(QWidget *parent) : TQorMaskEdit(parent)
{
    setFrame(false);
}

void TInplaceEditor::Load(const TInplaceCell &cell)
{
    m_cell = cell;
    SetText(QString());
    SetEditMask(cell.mask);
    setMaxLength(cell.maxLength > 0 ? cell.maxLength : 32767);
    setEchoMode(cell.passwordChar.isNull() ? QLineEdit::Normal : QLineEdit::Password);
    setReadOnly(cell.readOnly);
    SetButton(buttonFor(cell.cellType));
    ApplyStyle(cell);
    SetText(cell.StartText());
    if (cell.selectAll)
        selectAll();
    else
        end(false);
    setModified(false);
}

void TInplaceEditor::ApplyStyle(const TInplaceCell &cell)
{
    ApplyCellColors(*this, cell);
    // A single line has no vertical choice worth copying: it sits in the middle.
    setAlignment((cell.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void TInplaceEditor::SetButton(ButtonKind kind)
{
    m_button = kind;
    setTextMargins(0, 0, kind == ButtonKind::None ? 0 : ButtonWidth, 0);
    update();
}

QRect TInplaceEditor::ButtonRect() const
{
    if (m_button == ButtonKind::None)
        return {};
    return QRect(width() - ButtonWidth, 0, ButtonWidth, height());
}

void TInplaceEditor::ButtonPressed()
{
    TCustomQorGrid *grid = m_cell.grid;
    if (m_button == ButtonKind::Ellipsis && grid && grid->OnButtonClick)
        grid->OnButtonClick(grid, m_cell.row, m_cell.col);
}

void TInplaceEditor::ClickButton()
{
    if (m_button == ButtonKind::None)
        return;
    ButtonPressed();
    Q_EMIT ButtonClicked();
}

bool TInplaceEditor::acceptsTyped(QChar key) const
{
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? int(selectedText().size()) : 0;
    return KeyAccepted(text(), start, length, key, m_cell.valueType, m_cell.digits);
}

bool TInplaceEditor::InsertChecked(const QString &pasted)
{
    if (isReadOnly() || pasted.isEmpty())
        return false;
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? int(selectedText().size()) : 0;
    if (!PasteAccepted(text(), start, length, pasted, m_cell.valueType, m_cell.digits))
        return false;
    insert(pasted);
    return true;
}

bool TInplaceEditor::PasteChecked()
{
    const std::optional<QString> text = platform::CurrentClipboard().Text();
    return text && InsertChecked(*text);
}

void TInplaceEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        PasteChecked();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed[0].unicode() >= 32 && typed[0].unicode() != 127 &&
                           !(event->modifiers() & Qt::ControlModifier);
    if (printable && !isReadOnly() && !acceptsTyped(typed[0])) {
        event->accept();
        return;
    }
    TQorMaskEdit::keyPressEvent(event);
}

void TInplaceEditor::paintEvent(QPaintEvent *event)
{
    TQorMaskEdit::paintEvent(event);
    const QRect r = ButtonRect();
    if (r.isEmpty())
        return;
    QPainter p(this);
    const QPalette &pal = palette();
    p.fillRect(r, pal.color(QPalette::Button));
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), pal.color(QPalette::Light));
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), pal.color(QPalette::Light));
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), pal.color(QPalette::Dark));
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), pal.color(QPalette::Dark));
    const QColor ink = pal.color(QPalette::ButtonText);
    const QPoint c = r.center();
    if (m_button == ButtonKind::DropDown) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        const QPoint tri[3] = {QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 4, c.y() - 1), QPoint(c.x(), c.y() + 3)};
        p.drawPolygon(tri, 3);
    } else {
        for (int i = -1; i <= 1; ++i)
            p.fillRect(QRect(c.x() + i * 3 - 1, c.y() + 1, 2, 2), ink);
    }
}

void TInplaceEditor::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && ButtonRect().contains(event->position().toPoint())) {
        event->accept();
        ClickButton();
        return;
    }
    TQorMaskEdit::mousePressEvent(event);
}

void TInplaceEditor::mouseMoveEvent(QMouseEvent *event)
{
    setCursor(ButtonRect().contains(event->position().toPoint()) ? Qt::ArrowCursor : Qt::IBeamCursor);
    TQorMaskEdit::mouseMoveEvent(event);
}

// The standard menu's Paste would bypass the check.
void TInplaceEditor::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    for (QAction *action : menu->actions()) {
        if (action->objectName() != QLatin1String("edit-paste"))
            continue;
        action->disconnect();
        connect(action, &QAction::triggered, this, [this] { PasteChecked(); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TInplaceEditor::dragEnterEvent(QDragEnterEvent *event)
{
    if (!isReadOnly() && event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TInplaceEditor::dropEvent(QDropEvent *event)
{
    if (event->mimeData()->hasText() && InsertChecked(event->mimeData()->text()))
        event->acceptProposedAction();
    else
        event->ignore();
}

} // namespace qor
