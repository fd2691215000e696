// The spin editor's buttons, keys and repeat timer, and the stepping rule of its text.
#include "core/edit/inplace_spin_editor_p.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include "core/model/cell.h"
#include "format/number_text.h"

namespace qor {

namespace {

bool isIntegerType(TValueType t) { return t == vtWord || t == vtInteger || t == vtNegInt; }

bool isDecimalType(TValueType t)
{
    return t == vtFloat || t == vtPosFloat || t == vtNegFloat || t == vtCurrency || t == vtPercent ||
           t == vtChineseCurrency || t == vtChineseLongCurr || t == vtChineseShortCurr;
}

int decimalsOf(const QString &text)
{
    const int point = int(text.indexOf(u'.'));
    return point < 0 ? 0 : int(text.size()) - point - 1;
}

} // namespace

QString SpinStepText(const QString &text, double increment, TValueType valueType, int digits)
{
    QString s = StepNumberText(text.trimmed(), increment);
    TNumberFormat f;
    if (isIntegerType(valueType)) {
        f.decimals = 0;
        s = FormatNumberText(s, f);
    } else if (isDecimalType(valueType) && digits >= 0 && decimalsOf(s) > digits) {
        f.decimals = digits;
        s = FormatNumberText(s, f);
    }
    const double value = StrToFloatDef(s);
    const bool positiveOnly = valueType == vtWord || valueType == vtPosFloat;
    const bool negativeOnly = valueType == vtNegInt || valueType == vtNegFloat;
    if ((positiveOnly && value < 0) || (negativeOnly && value > 0))
        return QStringLiteral("0");
    return s;
}

TInplaceSpinEditor::TInplaceSpinEditor(QWidget *parent) : TInplaceEditor(parent)
{
    m_repeat.setInterval(RepeatInterval);
    connect(&m_repeat, &QTimer::timeout, this, &TInplaceSpinEditor::repeat);
}

void TInplaceSpinEditor::Load(const TInplaceCell &cell)
{
    release();
    TInplaceEditor::Load(cell);
    m_increment = cell.cell ? cell.cell->GetIncrement() : 1.0;
    setTextMargins(0, 0, ButtonWidth, 0);
}

void TInplaceSpinEditor::Unload()
{
    release();
    TInplaceEditor::Unload();
}

void TInplaceSpinEditor::Step(int direction)
{
    if (isReadOnly() || direction == 0)
        return;
    const TInplaceCell &c = Cell();
    SetText(SpinStepText(Text(), direction > 0 ? m_increment : -m_increment, c.valueType, c.digits));
    setModified(true);
    end(false);
}

bool TInplaceSpinEditor::HandleKey(QKeyEvent *key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        Step(key->key() == Qt::Key_Up ? 1 : -1);
        return true;
    }
    return false;
}

QRect TInplaceSpinEditor::UpButtonRect() const
{
    return QRect(width() - ButtonWidth, 0, ButtonWidth, height() / 2);
}

QRect TInplaceSpinEditor::DownButtonRect() const
{
    const int top = height() / 2;
    return QRect(width() - ButtonWidth, top, ButtonWidth, height() - top);
}

void TInplaceSpinEditor::paintEvent(QPaintEvent *event)
{
    TInplaceEditor::paintEvent(event);
    QPainter p(this);
    const QPalette &pal = palette();
    for (const int direction : {1, -1}) {
        const QRect r = direction > 0 ? UpButtonRect() : DownButtonRect();
        const bool down = m_held == direction;
        p.fillRect(r, pal.color(down ? QPalette::Mid : QPalette::Button));
        const QColor light = pal.color(down ? QPalette::Dark : QPalette::Light);
        const QColor dark = pal.color(down ? QPalette::Light : QPalette::Dark);
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), light);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), light);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dark);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), dark);
        // A small triangle pointing the way the button steps.
        const QPoint c = r.center();
        const int h = std::max(1, std::min(3, r.height() / 2 - 1));
        p.setPen(Qt::NoPen);
        p.setBrush(pal.color(QPalette::ButtonText));
        QPolygon arrow;
        if (direction > 0)
            arrow << QPoint(c.x() - h, c.y() + (h + 1) / 2) << QPoint(c.x() + h + 1, c.y() + (h + 1) / 2)
                  << QPoint(c.x(), c.y() - (h + 1) / 2);
        else
            arrow << QPoint(c.x() - h, c.y() - h / 2) << QPoint(c.x() + h + 1, c.y() - h / 2)
                  << QPoint(c.x(), c.y() + h / 2 + 1);
        p.drawPolygon(arrow);
    }
}

void TInplaceSpinEditor::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && (UpButtonRect().contains(at) || DownButtonRect().contains(at))) {
        event->accept();
        m_held = UpButtonRect().contains(at) ? 1 : -1;
        m_onHeld = true;
        Step(m_held);
        m_repeat.start();
        update();
        return;
    }
    TInplaceEditor::mousePressEvent(event);
}

void TInplaceSpinEditor::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_held != 0 && event->button() == Qt::LeftButton) {
        event->accept();
        release();
        return;
    }
    TInplaceEditor::mouseReleaseEvent(event);
}

void TInplaceSpinEditor::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const bool onButtons = UpButtonRect().contains(at) || DownButtonRect().contains(at);
    setCursor(onButtons || m_held != 0 ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (m_held != 0) {
        m_onHeld = (m_held > 0 ? UpButtonRect() : DownButtonRect()).contains(at);
        event->accept();
        return;
    }
    TInplaceEditor::mouseMoveEvent(event);
}

void TInplaceSpinEditor::hideEvent(QHideEvent *event)
{
    release();
    TInplaceEditor::hideEvent(event);
}

// The held button keeps stepping only while the pointer stays on it.
void TInplaceSpinEditor::repeat()
{
    if (m_held == 0)
        m_repeat.stop();
    else if (m_onHeld)
        Step(m_held);
}

void TInplaceSpinEditor::release()
{
    m_repeat.stop();
    if (m_held != 0) {
        m_held = 0;
        update();
    }
}

} // namespace qor
