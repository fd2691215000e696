#include "print/preview/print_setting_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>
#include "platform/message_box.h"
#include "platform/page_setup_dialog.h"
#include "platform/printer.h"
#include "print/page_range.h"

namespace qor {

const QString TfrmPrintSetting::PdfEntryText = QStringLiteral("PDF 文件");

namespace {

// Which printer an entry of the printer box stands for.
enum EntryKind { ekCurrent, ekInstalled, ekPdf };

QIcon printerIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);                 // the sheet going in
    p.setBrush(QColor(0xa0, 0xa0, 0xa0));
    p.drawRect(1, 6, 13, 6);                // the body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 4);                // the sheet coming out
    p.fillRect(11, 8, 2, 1, QColor(0x20, 0xb0, 0x20));
    return QIcon(pm);
}

} // namespace

// ---------------------------------------------------------------------------------------------

TCollatePicture::TCollatePicture(QCheckBox *box, QWidget *parent) : QWidget(parent), m_box(box)
{
    m_collated = box->isChecked();
    connect(box, &QCheckBox::toggled, this, [this](bool on) {
        m_collated = on;
        update();
    });
    setCursor(Qt::PointingHandCursor);
}

QSize TCollatePicture::sizeHint() const { return QSize(110, 46); }

void TCollatePicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    // Two stacks of three sheets: 1 2 3 twice when collated, 1 1, 2 2, 3 3 when not.
    const int w = 18, h = 24, step = 5;
    auto sheet = [&](int x, int y, int number) {
        const QRect r(x, y, w, h);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(r);
        p.drawText(r.adjusted(1, 1, 0, 0), Qt::AlignRight | Qt::AlignBottom, QString::number(number));
    };
    const int stacks = m_collated ? 2 : 3;
    const int deep = m_collated ? 3 : 2;
    for (int s = 0; s < stacks; ++s) {
        const int x0 = 2 + s * (w + (deep - 1) * step + 8);
        for (int k = 0; k < deep; ++k)
            sheet(x0 + k * step, 2 + k * step, m_collated ? k + 1 : s + 1);
    }
}

void TCollatePicture::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        m_box->toggle();
}

// ---------------------------------------------------------------------------------------------

TfrmPrintSetting::TfrmPrintSetting(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("打印"));
    setFont(QFont(QStringLiteral("宋体"), 9));

    // The printer
    auto *printerGroup = new QGroupBox(QStringLiteral("打印机"), this);
    m_printerBox = new QComboBox(printerGroup);
    m_printerBox->setMinimumWidth(260);
    m_properties = new QPushButton(QStringLiteral("属性"), printerGroup);
    m_fileRow = new QWidget(printerGroup);
    m_fileEdit = new QLineEdit(m_fileRow);
    m_browse = new QPushButton(QStringLiteral("浏览..."), m_fileRow);
    auto *fileLayout = new QHBoxLayout(m_fileRow);
    fileLayout->setContentsMargins(0, 0, 0, 0);
    fileLayout->addWidget(new QLabel(QStringLiteral("文件"), m_fileRow));
    fileLayout->addWidget(m_fileEdit, 1);
    fileLayout->addWidget(m_browse);
    auto *printerLayout = new QGridLayout(printerGroup);
    printerLayout->addWidget(new QLabel(QStringLiteral("名称"), printerGroup), 0, 0);
    printerLayout->addWidget(m_printerBox, 0, 1);
    printerLayout->addWidget(m_properties, 0, 2);
    printerLayout->addWidget(m_fileRow, 1, 1, 1, 2);
    printerLayout->setColumnStretch(1, 1);

    // The pages
    auto *rangeGroup = new QGroupBox(QStringLiteral("页范围"), this);
    m_all = new QRadioButton(QStringLiteral("全部"), rangeGroup);
    m_currentPage = new QRadioButton(QStringLiteral("当前页"), rangeGroup);
    m_range = new QRadioButton(QStringLiteral("范围："), rangeGroup);
    m_rangeEdit = new QLineEdit(rangeGroup);
    m_all->setChecked(true);
    auto *note = new QLabel(QStringLiteral("输入页号或页范围, 逗号分隔.例如:1,3,5-12"), rangeGroup);
    note->setWordWrap(true);
    auto *rangeLayout = new QGridLayout(rangeGroup);
    rangeLayout->addWidget(m_all, 0, 0, 1, 2);
    rangeLayout->addWidget(m_currentPage, 1, 0, 1, 2);
    rangeLayout->addWidget(m_range, 2, 0);
    rangeLayout->addWidget(m_rangeEdit, 2, 1);
    rangeLayout->addWidget(note, 3, 0, 1, 2);

    // The copies
    auto *copiesGroup = new QGroupBox(QStringLiteral("打印份数"), this);
    m_copies = new QSpinBox(copiesGroup);
    m_copies->setRange(1, 9999);
    m_copies->setValue(1);
    m_collate = new QCheckBox(QStringLiteral("整理"), copiesGroup);
    m_collate->setChecked(true);
    m_picture = new TCollatePicture(m_collate, copiesGroup);
    auto *copiesLayout = new QGridLayout(copiesGroup);
    copiesLayout->addWidget(new QLabel(QStringLiteral("打印份数："), copiesGroup), 0, 0);
    copiesLayout->addWidget(m_copies, 0, 1);
    copiesLayout->addWidget(m_picture, 1, 0);
    copiesLayout->addWidget(m_collate, 1, 1);

    // Which pages, and the buttons
    m_pages = new QComboBox(this);
    m_pages->addItems({QStringLiteral("全部页"), QStringLiteral("奇数页"), QStringLiteral("偶数页")});
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_ok->setDefault(true);

    auto *middle = new QHBoxLayout;
    middle->addWidget(rangeGroup, 1);
    middle->addWidget(copiesGroup, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("打印"), this));
    bottom->addWidget(m_pages);
    bottom->addStretch();
    bottom->addWidget(m_ok);
    bottom->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(printerGroup);
    layout->addLayout(middle);
    layout->addLayout(bottom);

    // The entries: the printer current now when it is none of the installed ones (a host's
    // own, a stand-in), the installed printers, and the PDF file.
    platform::Printer &current = platform::CurrentPrinter();
    const QStringList installed = platform::InstalledPrinters();
    const QIcon icon = printerIcon();
    if (!current.IsFileTarget() && !installed.contains(current.Name())) {
        m_printerBox->addItem(icon, current.Name(), int(ekCurrent));
        m_originalIndex = 0;
    }
    for (const QString &name : installed) {
        m_printerBox->addItem(icon, name, int(ekInstalled));
        if (!current.IsFileTarget() && name == current.Name())
            m_originalIndex = m_printerBox->count() - 1;
    }
    m_printerBox->addItem(icon, PdfEntryText, int(ekPdf));
    if (current.IsFileTarget()) {
        m_originalIndex = PdfIndex();
        m_originalFile = current.OutputFile();
    }
    m_activeIndex = m_originalIndex;
    m_printerBox->setCurrentIndex(m_originalIndex);
    m_fileEdit->setText(m_originalFile.isEmpty() ? defaultPdfFile() : m_originalFile);
    if (current.IsFileTarget())
        current.SetOutputFile(m_fileEdit->text());
    showFileRow();

    connect(m_printerBox, &QComboBox::activated, this, &TfrmPrintSetting::printerChosen);
    connect(m_properties, &QPushButton::clicked, this, [this] { platform::ExecPrinterProperties(this); });
    connect(m_browse, &QPushButton::clicked, this, &TfrmPrintSetting::browse);
    connect(m_fileEdit, &QLineEdit::textChanged, this, [this](const QString &file) {
        if (m_activeIndex == PdfIndex())
            platform::CurrentPrinter().SetOutputFile(file);
    });
    connect(m_rangeEdit, &QLineEdit::textEdited, this, [this] { m_range->setChecked(true); });
    connect(m_range, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !m_rangeEdit->hasFocus()) {
            m_rangeEdit->setFocus(Qt::OtherFocusReason);
            m_rangeEdit->selectAll();
        }
    });
    m_rangeEdit->installEventFilter(this);
    connect(m_ok, &QPushButton::clicked, this, &TfrmPrintSetting::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TfrmPrintSetting::reject);
    m_printerBox->setFocus();
}

TfrmPrintSetting::~TfrmPrintSetting()
{
    // Closed by neither button (a host deleting it): nothing was chosen.
    if (m_original && result() != QDialog::Accepted)
        platform::SetCurrentPrinter(std::move(m_original));
}

bool TfrmPrintSetting::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_rangeEdit && event->type() == QEvent::FocusIn)
        m_range->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TfrmPrintSetting::SetCopies(int Value) { m_copies->setValue(std::max(Value, 1)); }

int TfrmPrintSetting::Copies() const
{
    bool ok = false;
    const int n = m_copies->cleanText().trimmed().toInt(&ok);
    return ok && n >= 1 ? n : 1;
}

void TfrmPrintSetting::SetCollate(bool Value) { m_collate->setChecked(Value); }
bool TfrmPrintSetting::Collate() const { return m_collate->isChecked(); }
void TfrmPrintSetting::SetPrintPages(TPrintPages Value) { m_pages->setCurrentIndex(int(Value)); }
TPrintPages TfrmPrintSetting::PrintPages() const { return TPrintPages(std::max(m_pages->currentIndex(), 0)); }

void TfrmPrintSetting::SetPageRange(const QString &Text)
{
    m_rangeEdit->setText(Text);
    m_range->setChecked(true);
}

TfrmPrintSetting::TRangeKind TfrmPrintSetting::RangeKind() const
{
    return m_range->isChecked() ? rkRange : m_currentPage->isChecked() ? rkCurrentPage : rkAll;
}

QString TfrmPrintSetting::RangeText() const { return m_rangeEdit->text(); }

void TfrmPrintSetting::SetDocumentName(const QString &Name)
{
    const bool untouched = m_fileEdit->text() == defaultPdfFile();
    m_documentName = Name;
    if (untouched && m_originalFile.isEmpty())
        m_fileEdit->setText(defaultPdfFile());
}

QStringList TfrmPrintSetting::PrinterNames() const
{
    QStringList names;
    for (int i = 0; i < m_printerBox->count(); ++i)
        names << m_printerBox->itemText(i);
    return names;
}

int TfrmPrintSetting::PdfIndex() const { return m_printerBox->count() - 1; }

void TfrmPrintSetting::SelectPrinterIndex(int Index)
{
    if (Index < 0 || Index >= m_printerBox->count())
        return;
    m_printerBox->setCurrentIndex(Index);
    printerChosen(Index);
}

void TfrmPrintSetting::printerChosen(int index)
{
    if (index == m_activeIndex)
        return;
    if (index == m_originalIndex) {
        platform::SetCurrentPrinter(std::move(m_original));
        m_activeIndex = index;
        showFileRow();
        return;
    }
    const bool tookOriginal = !m_original;
    if (tookOriginal)
        m_original = platform::TakeCurrentPrinter();
    const int kind = m_printerBox->itemData(index).toInt();
    if (kind == ekPdf) {
        platform::SetCurrentPrinter(platform::MakePdfPrinter(1200, m_fileEdit->text()));
    } else if (!platform::SelectPrinter(m_printerBox->itemText(index))) {
        if (tookOriginal)
            platform::SetCurrentPrinter(std::move(m_original));
        m_printerBox->setCurrentIndex(m_activeIndex);
        platform::MessageBox(this, QStringLiteral("无法使用打印机 %1").arg(m_printerBox->itemText(index)),
                             QStringLiteral("提示"), platform::MB_OK | platform::MB_ICONWARNING);
        return;
    }
    m_activeIndex = index;
    showFileRow();
}

void TfrmPrintSetting::showFileRow()
{
    const bool pdf = m_activeIndex == PdfIndex();
    m_fileRow->setVisible(pdf);
    m_properties->setEnabled(!pdf && platform::HasPrinterProperties());
}

QString TfrmPrintSetting::defaultPdfFile() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString name = m_documentName.trimmed().isEmpty() ? QStringLiteral("报表") : m_documentName.trimmed();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

void TfrmPrintSetting::browse()
{
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("PDF 文件"), m_fileEdit->text(),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (!file.isEmpty())
        m_fileEdit->setText(file);
}

void TfrmPrintSetting::accept()
{
    if (m_activeIndex == PdfIndex() && m_fileEdit->text().trimmed().isEmpty()) {
        platform::MessageBox(this, QStringLiteral("请指定 PDF 文件的名称"), QStringLiteral("提示"),
                             platform::MB_OK | platform::MB_ICONWARNING);
        m_fileEdit->setFocus();
        return;
    }
    // A range that is no range is said here, while it can still be mended.
    if (m_range->isChecked()) {
        try {
            ParsePageRange(m_rangeEdit->text(), 1);
        } catch (const EPrintError &e) {
            platform::MessageBox(this, e.Text(), QStringLiteral("提示"), platform::MB_OK | platform::MB_ICONWARNING);
            m_rangeEdit->setFocus();
            m_rangeEdit->selectAll();
            return;
        }
    }
    m_original.reset();
    QDialog::accept();
}

void TfrmPrintSetting::reject()
{
    if (m_activeIndex != m_originalIndex)
        platform::SetCurrentPrinter(std::move(m_original));
    m_activeIndex = m_originalIndex;
    if (platform::CurrentPrinter().IsFileTarget())
        platform::CurrentPrinter().SetOutputFile(m_originalFile);
    QDialog::reject();
}

} // namespace qor
