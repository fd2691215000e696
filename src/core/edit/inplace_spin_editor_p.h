#pragma once
// The spin editor: the single-line edit with up and down buttons at its right edge. The keys
// Up and Down and the buttons step the text by the cell's increment; a held button repeats.
#include <QTimer>
#include "core/edit/inplace_editor_p.h"

namespace qor {

// The number in text stepped by increment, kept in the value type: whole numbers for the
// integer types, at most digits decimals for the decimal types, never below 0 for the
// positive-only types nor above 0 for the negative-only ones.
QOR_AUTOTEST_EXPORT QString SpinStepText(const QString &text, double increment, TValueType valueType, int digits);

class QOR_AUTOTEST_EXPORT TInplaceSpinEditor : public TInplaceEditor {
    Q_OBJECT

public:
    static constexpr int RepeatInterval = 100;

    explicit TInplaceSpinEditor(QWidget *parent = nullptr);

    void Load(const TInplaceCell &cell) override;
    bool HandleKey(QKeyEvent *key) override;
    void Unload() override;

    // +1 steps up, -1 down.
    void Step(int direction);
    QRect UpButtonRect() const;
    QRect DownButtonRect() const;
    // Runs while a button is held; each timeout steps once more while the pointer is on it.
    QTimer *RepeatTimer() { return &m_repeat; }
    int HeldDirection() const { return m_held; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void repeat();
    void release();

    double m_increment = 1.0;
    QTimer m_repeat;
    int m_held = 0; // the button held down: +1, -1, or 0
    bool m_onHeld = false; // the pointer is on the held button
};

} // namespace qor
