#pragma once
// The print dialog of the preview: the printer (any installed one, or a PDF file), its
// properties, the pages, the copies with collation, and all, odd or even pages. Choosing a
// printer makes it current at once; closing without OK puts back the one that was current.
#include <QDialog>
#include <memory>
#include "print/qor_print.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qor {

namespace platform {
class Printer;
}

// The picture beside "整理": stacked sheets numbered the way they come out; a click toggles.
class QOR_EXPORT TCollatePicture : public QWidget {
    Q_OBJECT

public:
    explicit TCollatePicture(QCheckBox *box, QWidget *parent = nullptr);
    QSize sizeHint() const override;
    // What is drawn now; follows the box.
    bool Collated() const { return m_collated; }

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QCheckBox *m_box;
    bool m_collated = true;
};

class QOR_EXPORT TfrmPrintSetting : public QDialog {
    Q_OBJECT

public:
    enum TRangeKind { rkAll, rkCurrentPage, rkRange };

    explicit TfrmPrintSetting(QWidget *parent = nullptr);
    ~TfrmPrintSetting() override;

    void SetCopies(int Value);
    // The copies as typed; 1 when the text is not a number of at least 1.
    int Copies() const;
    void SetCollate(bool Value);
    bool Collate() const;
    void SetPrintPages(TPrintPages Value);
    TPrintPages PrintPages() const;
    // Checks "范围：" with the text.
    void SetPageRange(const QString &Text);
    TRangeKind RangeKind() const;
    QString RangeText() const;
    // The name a new PDF file is given (without folder and suffix).
    void SetDocumentName(const QString &Name);

    // The entries of the printer box; the PDF entry is always the last.
    QStringList PrinterNames() const;
    int PdfIndex() const;
    // Selects an entry as a user would (the printer becomes current).
    void SelectPrinterIndex(int Index);

    QComboBox *PrinterBox() const { return m_printerBox; }
    QPushButton *PropertiesButton() const { return m_properties; }
    QLineEdit *OutputFileEdit() const { return m_fileEdit; }
    QPushButton *BrowseButton() const { return m_browse; }
    QRadioButton *AllButton() const { return m_all; }
    QRadioButton *CurrentPageButton() const { return m_currentPage; }
    QRadioButton *RangeButton() const { return m_range; }
    QLineEdit *RangeEdit() const { return m_rangeEdit; }
    QSpinBox *CopiesBox() const { return m_copies; }
    QCheckBox *CollateBox() const { return m_collate; }
    TCollatePicture *CollatePicture() const { return m_picture; }
    QComboBox *PrintPagesBox() const { return m_pages; }
    QPushButton *OkButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }

    static const QString PdfEntryText;

public Q_SLOTS:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void printerChosen(int index);
    void showFileRow();
    void browse();
    QString defaultPdfFile() const;

    QComboBox *m_printerBox;
    QPushButton *m_properties;
    QWidget *m_fileRow;
    QLineEdit *m_fileEdit;
    QPushButton *m_browse;
    QRadioButton *m_all, *m_currentPage, *m_range;
    QLineEdit *m_rangeEdit;
    QSpinBox *m_copies;
    QCheckBox *m_collate;
    TCollatePicture *m_picture;
    QComboBox *m_pages;
    QPushButton *m_ok, *m_cancel;

    int m_originalIndex = -1;       // the entry of the printer current at open
    int m_activeIndex = -1;         // the entry whose printer is current now
    QString m_originalFile;         // the PDF target's file at open
    std::unique_ptr<platform::Printer> m_original;   // held while another printer is tried
    QString m_documentName;
};

} // namespace qor
