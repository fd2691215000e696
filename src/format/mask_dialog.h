#pragma once
// The input-mask editor: pick or write a mask and try it out before it goes into a cell.
#include <QDialog>
#include <QStringList>
#include "platform/qor_global.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QDialogButtonBox;

namespace qor {

class TQorMaskEdit;

// One entry of the sample list: "description | sample value | mask".
struct TMaskSample {
    QString description;
    QString sample;
    QString mask;
    // A line with fewer than three fields gives an entry with an empty mask.
    static TMaskSample FromLine(const QString &line);
};

class QOR_EXPORT TfrmMasks : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMasks(QWidget *parent = nullptr);

    // The sample list as shipped, one "description | sample | mask" line per entry.
    static QStringList DefaultSamples();

    void SetEditMask(const QString &mask);
    QString EditMask() const;

    // Opens the dialog on mask; true and the new mask when the user pressed OK.
    static bool Execute(QWidget *parent, QString &mask);

    // The parts, for tests and for hosts that restyle the dialog.
    QLineEdit *MaskField() const { return m_mask; }
    QLineEdit *BlankField() const { return m_blank; }
    QCheckBox *SaveLiteralsBox() const { return m_saveLiterals; }
    TQorMaskEdit *TestField() const { return m_test; }
    QListWidget *SampleList() const { return m_samples; }
    QDialogButtonBox *Buttons() const { return m_buttons; }

private:
    void sampleChosen(int row);
    void optionsChanged();
    void maskTextChanged(const QString &text);

    QLineEdit *m_mask = nullptr;
    QLineEdit *m_blank = nullptr;
    QCheckBox *m_saveLiterals = nullptr;
    TQorMaskEdit *m_test = nullptr;
    QListWidget *m_samples = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    bool m_syncing = false;
};

} // namespace qor
