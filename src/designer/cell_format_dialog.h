#pragma once
// The format dialog of a cell (or of every cell of a selection) and of a column: value type
// and decimals, alignment and word wrap, font, background, frames and lines, editor kind,
// list items and input mask. Only what the user changed is written back, so that formatting
// a selection of unlike cells keeps what each has of its own.
#include <QDialog>
#include <QStringList>
#include "core/model/cell_rec.h"
#include "core/model/font.h"
#include "platform/qor_global.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace qor {

class TCellInfo;
class TQorColumn;

struct QOR_AUTOTEST_EXPORT TCellFormat {
    TValueType ValueType = vtString;
    int Digits = 2;
    bool Thousands = true;
    bool TrimZero = false;
    TAlignment Alignment = taLeftJustify;
    TVerAlignment VerAlignment = vtaCenter;
    bool WordWrap = false;
    TQorFont Font;
    TColor BackColor = clWhite;
    bool Frame[4] = {false, false, false, false};
    bool Line[4] = {true, true, true, true};
    int FrameWidth[4] = {1, 1, 1, 1};
    TPenStyle FrameStyle[4] = {psSolid, psSolid, psSolid, psSolid};
    TColor FrameColor[4] = {clBlack, clBlack, clBlack, clBlack};
    TCellType CellType = ctEdit;
    QStringList Items;
    QString Mask;
    bool ReadOnly = false;
    int MaxLength = 0;

    static TCellFormat Of(const TCellInfo &cell);
    static TCellFormat Of(const TQorColumn &column);
    // Writes the fields in which this format differs from Initial.
    void ApplyTo(TCellInfo &cell, const TCellFormat &Initial) const;
    // Columns have no font, frames or lines of their own: those fields are left out.
    void ApplyTo(TQorColumn &column, const TCellFormat &Initial) const;
    bool operator==(const TCellFormat &) const = default;
};

class QOR_EXPORT TCellFormatDialog : public QDialog {
    Q_OBJECT
public:
    enum TPage { pgNumber, pgAlignment, pgFont, pgBorder, pgPattern, pgEditor };
    TCellFormatDialog(const TCellFormat &format, bool column, QWidget *parent = nullptr);
    // What the controls say now; Initial what the dialog opened with.
    TCellFormat Format() const;
    const TCellFormat &Initial() const { return m_initial; }
    bool ColumnMode() const { return m_column; }

    // ===== The controls =====
    QTabWidget *Pages() const { return m_pages; }
    QComboBox *ValueTypeBox() const { return m_valueType; }
    QSpinBox *DigitsBox() const { return m_digits; }
    QCheckBox *ThousandsBox() const { return m_thousands; }
    QCheckBox *TrimZeroBox() const { return m_trimZero; }
    QComboBox *AlignmentBox() const { return m_align; }
    QComboBox *VerAlignmentBox() const { return m_valign; }
    QCheckBox *WordWrapBox() const { return m_wordWrap; }
    QPushButton *FontButton() const { return m_fontButton; }
    QPushButton *FontColorButton() const { return m_fontColor; }
    QLabel *FontSample() const { return m_sample; }
    QPushButton *BackColorButton() const { return m_backColor; }
    QCheckBox *FrameBox(TCellEdge e) const { return m_frame[e]; }
    QCheckBox *LineBox(TCellEdge e) const { return m_line[e]; }
    QSpinBox *FrameWidthBox(TCellEdge e) const { return m_frameWidth[e]; }
    QComboBox *FrameStyleBox(TCellEdge e) const { return m_frameStyle[e]; }
    QPushButton *FrameColorButton(TCellEdge e) const { return m_frameColor[e]; }
    QComboBox *CellTypeBox() const { return m_cellType; }
    QPlainTextEdit *ItemsEdit() const { return m_items; }
    QLineEdit *MaskEdit() const { return m_mask; }
    QCheckBox *ReadOnlyBox() const { return m_readOnly; }
    QSpinBox *MaxLengthBox() const { return m_maxLength; }

    // The font and colour dialogs behind the buttons (through the platform's dialog runner).
    void ChooseFont();
    void ChooseColor(QPushButton *button);

private:
    QWidget *numberPage();
    QWidget *alignmentPage();
    QWidget *fontPage();
    QWidget *borderPage();
    QWidget *patternPage();
    QWidget *editorPage();
    void setButtonColor(QPushButton *button, TColor color);
    void updateSample();
    void updateEnabled();

    TCellFormat m_initial;
    bool m_column;
    TQorFont m_font;
    QTabWidget *m_pages = nullptr;
    QComboBox *m_valueType = nullptr, *m_align = nullptr, *m_valign = nullptr, *m_cellType = nullptr;
    QSpinBox *m_digits = nullptr, *m_maxLength = nullptr;
    QCheckBox *m_thousands = nullptr, *m_trimZero = nullptr, *m_wordWrap = nullptr, *m_readOnly = nullptr;
    QPushButton *m_fontButton = nullptr, *m_fontColor = nullptr, *m_backColor = nullptr;
    QLabel *m_sample = nullptr;
    QCheckBox *m_frame[4] = {}, *m_line[4] = {};
    QSpinBox *m_frameWidth[4] = {};
    QComboBox *m_frameStyle[4] = {};
    QPushButton *m_frameColor[4] = {};
    QPlainTextEdit *m_items = nullptr;
    QLineEdit *m_mask = nullptr;
};

} // namespace qor
