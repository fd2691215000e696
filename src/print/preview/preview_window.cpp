#include "print/preview/preview_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>
#include <algorithm>
#include "format/key_filter.h"
#include "platform/busy_cursor.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/page_setup_dialog.h"
#include "platform/printer.h"
#include "print/preview/page_paint.h"
#include "print/preview/print_setting_dialog.h"
#include "print/print_units.h"

namespace qor {

namespace {

constexpr int SmallStep = 10;
constexpr int MaxPrintZoom = 1000;
constexpr int ZoomPercents[] = {200, 150, 100, 50, 10};
const QString Caption = QStringLiteral("提示");

// The page box takes what the cell key filter lets through for whole numbers without sign.
class PageNumberValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (qsizetype i = 0; i < input.size(); ++i)
            if (input[i] == u'=' || !KeyAccepted(input.left(i), int(i), 0, input[i], vtWord, 0))
                return Invalid;
        return Acceptable;
    }
};

// A magnifying glass with "+" or "-" in the lens; the hot spot is the lens's centre.
QCursor magnifierCursor(bool zoomIn)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(11, 11), 8.5, 8.5);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(7, 11), QPointF(15, 11));
    if (zoomIn)
        p.drawLine(QPointF(11, 7), QPointF(11, 15));
    p.end();
    return QCursor(pm, 11, 11);
}

QToolButton *toolButton(const QString &text, const QString &hint, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    return b;
}

// The report's scale factors for the length of one drawing.
struct ScaleGuard {
    TQorPrint *print;
    double x, y;
    explicit ScaleGuard(TQorPrint *p) : print(p), x(p ? p->GetScaleX() : 1.0), y(p ? p->GetScaleY() : 1.0) {}
    ~ScaleGuard()
    {
        if (print)
            print->SetScale(x, y);
    }
};

} // namespace

TfrmQorPreview::TfrmQorPreview(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_zoomInCursor(magnifierCursor(true)), m_zoomOutCursor(magnifierCursor(false))
{
    setWindowTitle(QStringLiteral("打印预览"));
    setSizeGripEnabled(false);

    auto *bar = new QWidget(this);
    auto *tools = new QHBoxLayout(bar);
    tools->setContentsMargins(4, 2, 4, 2);
    tools->setSpacing(2);

    m_print = toolButton(QStringLiteral("打印"), QStringLiteral("打印"), bar);
    m_pageSetup = toolButton(QStringLiteral("页面设置"), QStringLiteral("页面设置"), bar);

    m_zoomButton = toolButton(QStringLiteral("缩放"), QStringLiteral("缩放预览"), bar);
    m_zoomMenu = new QMenu(m_zoomButton);
    m_zoomGroup = new QActionGroup(m_zoomMenu);
    const QString names[] = {QStringLiteral("200%"), QStringLiteral("150%"), QStringLiteral("100%"),
                             QStringLiteral("50%"),  QStringLiteral("10%"),  QStringLiteral("页宽"),
                             QStringLiteral("全页")};
    for (int i = 0; i <= ziWholePage; ++i) {
        QAction *a = m_zoomMenu->addAction(names[i]);
        a->setCheckable(true);
        m_zoomGroup->addAction(a);
        m_zoomActions[i] = a;
        connect(a, &QAction::triggered, this, [this, i] { SetZoomItem(TZoomItem(i)); });
    }
    m_zoomActions[zi100]->setChecked(true);
    m_zoomButton->setMenu(m_zoomMenu);
    m_zoomButton->setPopupMode(QToolButton::InstantPopup);

    m_magnifier = toolButton(QString(), QStringLiteral("放大镜"), bar);
    m_magnifier->setCheckable(true);
    m_magnifier->setIcon(QIcon(m_zoomInCursor.pixmap().scaled(20, 20, Qt::KeepAspectRatio, Qt::SmoothTransformation)));

    m_printZoom = new QComboBox(bar);
    m_printZoom->setToolTip(QStringLiteral("打印缩放比例"));
    m_printZoom->setEditable(true);
    m_printZoom->setInsertPolicy(QComboBox::NoInsert);
    m_printZoom->setCompleter(nullptr);   // what is typed is what counts
    m_printZoom->addItems({QStringLiteral("500%"), QStringLiteral("200%"), QStringLiteral("150%"),
                           QStringLiteral("100%"), QStringLiteral("90%"), QStringLiteral("80%"),
                           QStringLiteral("70%"), QStringLiteral("60%"), QStringLiteral("50%"),
                           QStringLiteral("25%"), QStringLiteral("10%")});
    m_printZoom->setMinimumContentsLength(5);

    m_first = toolButton(QStringLiteral("第一页"), QStringLiteral("第一页"), bar);
    m_prior = toolButton(QStringLiteral("上一页"), QStringLiteral("上一页"), bar);
    m_next = toolButton(QStringLiteral("下一页"), QStringLiteral("下一页"), bar);
    m_last = toolButton(QStringLiteral("最后一页"), QStringLiteral("最后一页"), bar);
    m_pageBox = new QLineEdit(bar);
    m_pageBox->setValidator(new PageNumberValidator(m_pageBox));
    m_pageBox->setMaxLength(9);
    m_pageBox->setFixedWidth(m_pageBox->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    m_pageBox->setAlignment(Qt::AlignRight);
    m_go = toolButton(QStringLiteral("GO"), QStringLiteral("GO"), bar);
    m_pageLabel = new QLabel(bar);

    tools->addWidget(m_print);
    tools->addWidget(m_pageSetup);
    tools->addSpacing(8);
    tools->addWidget(m_zoomButton);
    tools->addWidget(m_magnifier);
    tools->addWidget(m_printZoom);
    tools->addSpacing(8);
    tools->addWidget(m_first);
    tools->addWidget(m_prior);
    tools->addWidget(m_pageBox);
    tools->addWidget(m_go);
    tools->addWidget(m_next);
    tools->addWidget(m_last);
    tools->addSpacing(8);
    tools->addWidget(m_pageLabel);
    tools->addStretch();

    m_hbar = new QScrollBar(Qt::Horizontal, this);
    m_vbar = new QScrollBar(Qt::Vertical, this);
    m_paint = new TPagePaint(*this, this);
    auto *area = new QGridLayout;
    area->setSpacing(0);
    area->addWidget(m_paint, 0, 0);
    area->addWidget(m_vbar, 0, 1);
    area->addWidget(m_hbar, 1, 0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addLayout(area, 1);

    m_wheelTimer = new QTimer(this);
    m_wheelTimer->setSingleShot(true);
    m_wheelTimer->setInterval(300);
    connect(m_wheelTimer, &QTimer::timeout, this, [this] { m_wheelLocked = false; });

    auto scrolled = [this] { m_paint->SetOffset(QPoint(m_hbar->value(), m_vbar->value())); };
    connect(m_hbar, &QScrollBar::valueChanged, this, scrolled);
    connect(m_vbar, &QScrollBar::valueChanged, this, scrolled);
    connect(m_first, &QToolButton::clicked, this, &TfrmQorPreview::FirstPage);
    connect(m_prior, &QToolButton::clicked, this, &TfrmQorPreview::PriorPage);
    connect(m_next, &QToolButton::clicked, this, &TfrmQorPreview::NextPage);
    connect(m_last, &QToolButton::clicked, this, &TfrmQorPreview::LastPage);
    connect(m_go, &QToolButton::clicked, this, &TfrmQorPreview::GoToTypedPage);
    connect(m_pageBox, &QLineEdit::returnPressed, this, &TfrmQorPreview::GoToTypedPage);
    connect(m_printZoom->lineEdit(), &QLineEdit::returnPressed, this, &TfrmQorPreview::ApplyPrintZoomText);
    connect(m_printZoom, &QComboBox::activated, this, &TfrmQorPreview::ApplyPrintZoomText);
    connect(m_print, &QToolButton::clicked, this, &TfrmQorPreview::PrintClick);
    connect(m_pageSetup, &QToolButton::clicked, this, &TfrmQorPreview::PageSetupClick);
    connect(m_magnifier, &QToolButton::toggled, this, [this](bool on) {
        m_zoomOut = false;
        if (on)
            m_paint->setCursor(m_zoomInCursor);
        else
            m_paint->unsetCursor();
    });
    updateNavigation();
}

TfrmQorPreview::~TfrmQorPreview()
{
    m_wheelTimer->stop();
    for (auto &[print, zoom] : m_savedZooms) {
        if (!print)
            continue;
        if (print->OnPrintFinish)
            print->OnPrintFinish(print);
        print->SetPrintZoom(zoom);
    }
}

// ---------------------------------------------------------------------------------------------
// Reports

void TfrmQorPreview::attach(TQorPrint *print)
{
    if (print)
        m_savedZooms.emplace_back(print, print->GetPrintZoom());
}

void TfrmQorPreview::SetReport(TQorPrint *Print)
{
    m_report = Print;
    m_composite = nullptr;
    m_savedZooms.clear();
    attach(Print);
    if (Print)
        m_printZoom->setEditText(QString::number(Print->GetPrintZoom()) + u'%');
}

void TfrmQorPreview::SetCompositeReport(TQorCompositePrint *Composite)
{
    m_report = nullptr;
    m_composite = Composite;
    m_savedZooms.clear();
    for (int i = 0; Composite && i < Composite->GetReportCount(); ++i)
        attach(Composite->GetPrint(i));
    if (TQorPrint *first = firstReport())
        m_printZoom->setEditText(QString::number(first->GetPrintZoom()) + u'%');
}

std::vector<TQorPrint *> TfrmQorPreview::reports() const
{
    std::vector<TQorPrint *> list;
    if (m_composite) {
        for (int i = 0; i < m_composite->GetReportCount(); ++i)
            if (TQorPrint *r = m_composite->GetPrint(i))
                list.push_back(r);
    } else if (m_report) {
        list.push_back(m_report);
    }
    return list;
}

TQorPrint *TfrmQorPreview::firstReport() const
{
    const std::vector<TQorPrint *> list = reports();
    return list.empty() ? nullptr : list.front();
}

TQorPrint *TfrmQorPreview::GetPrint(int PageNo)
{
    if (PageNo < 1 || PageNo > m_pageCount)
        return nullptr;
    if (!m_composite)
        return m_report;
    try {
        return m_composite->GetQorPrints(PageNo);
    } catch (const EPrintError &) {
        return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Pages

void TfrmQorPreview::Recount(int PageNo)
{
    platform::BusyCursor busy;
    m_error.clear();
    int count = 0;
    try {
        if (m_composite) {
            count = m_composite->GetPageCount();
        } else if (m_report) {
            m_report->SettingPrinter();
            count = m_report->GetPageCount();
        }
    } catch (const EPrintError &e) {
        m_error = e.Text();
        count = 0;
    }
    m_pageCount = count;
    m_pageNo = 0;
    m_paint->SetMessage(m_error);
    if (count > 0) {
        SetPageNo(std::clamp(PageNo, 1, count));
    } else {
        m_paint->SetPageNo(0);
        m_paint->SetPageSize(QSize());
        updateScrollBars();
        updateNavigation();
    }
    if (!m_error.isEmpty())
        showError(m_error);
}

void TfrmQorPreview::SetPageNo(int PageNo)
{
    if (PageNo < 1 || PageNo > m_pageCount)
        return;
    platform::BusyCursor busy;
    m_busy = true;
    m_hbar->setValue(0);
    m_vbar->setValue(0);
    if (TQorPrint *owner = GetPrint(PageNo))
        owner->SettingPrinter();
    m_pageNo = PageNo;
    m_paint->SetPageNo(PageNo);
    // Reports of another paper in one job: the fitted zoom follows the page.
    if (m_zoomItem == ziPageWidth || m_zoomItem == ziWholePage)
        m_zoom = fitZoom(m_zoomItem);
    updatePageSize();
    updateNavigation();
    m_paint->update();
    m_busy = false;
}

QSize TfrmQorPreview::UnzoomedPageSize() const
{
    return QSize(int(RoundHalfAway(PrinterWidth() / ScalX())), int(RoundHalfAway(PrinterHeight() / ScalY())));
}

void TfrmQorPreview::updatePageSize()
{
    const QSize base = UnzoomedPageSize();
    m_paint->SetPageSize(QSize(int(RoundHalfAway(base.width() * m_zoom)), int(RoundHalfAway(base.height() * m_zoom))));
    updateScrollBars();
    m_paint->update();
}

void TfrmQorPreview::updateScrollBars()
{
    const QSize page = m_pageNo >= 1 ? m_paint->PageSize() : QSize();
    auto setUp = [](QScrollBar *bar, int pageExtent, int visible) {
        const int max = std::max(pageExtent + 20 - visible, 0);
        bar->setRange(0, max);
        bar->setEnabled(max != 0);
        bar->setSingleStep(SmallStep);
        bar->setPageStep(std::clamp(visible - SmallStep, SmallStep, 32767));
    };
    setUp(m_hbar, page.width(), m_paint->width());
    setUp(m_vbar, page.height(), m_paint->height());
}

void TfrmQorPreview::updateNavigation()
{
    m_pageLabel->setText(QStringLiteral("页 %1/%2 ").arg(m_pageNo).arg(m_pageCount));
    const bool any = m_pageCount > 0 && m_pageNo >= 1;
    m_first->setEnabled(any && m_pageNo != 1);
    m_prior->setEnabled(any && m_pageNo != 1);
    m_next->setEnabled(any && m_pageNo != m_pageCount);
    m_last->setEnabled(any && m_pageNo != m_pageCount);
    m_pageBox->setText(m_pageNo >= 1 ? QString::number(m_pageNo) : QString());
}

QString TfrmQorPreview::PageLabelText() const { return m_pageLabel->text(); }

QRect TfrmQorPreview::printableRect(const QRect &page) const
{
    TQorPrint *owner = const_cast<TfrmQorPreview *>(this)->GetPrint(m_pageNo);
    if (!owner)
        return page;
    const TPageMargins &m = owner->PageMargins();
    return page.adjusted(XmmToPixel(m.Left * m_zoom), YmmToPixel(m.Top * m_zoom), -XmmToPixel(m.Right * m_zoom),
                         -YmmToPixel(m.Bottom * m_zoom));
}

QString TfrmQorPreview::drawPage(QPainter *canvas, const QRect &printable)
{
    if (m_pageNo < 1 || !printable.isValid())
        return QString();
    TQorPrint *owner = GetPrint(m_pageNo);
    if (!owner)
        return QString();
    ScaleGuard keep(owner);
    canvas->save();
    QString error;
    try {
        if (m_composite) {
            m_composite->DrawPage(m_pageNo, canvas, printable, m_zoom);
        } else {
            owner->SetScale(m_zoom, m_zoom);
            owner->DrawPage(m_pageNo, canvas, printable);
        }
    } catch (const EPrintError &e) {
        error = e.Text();
    } catch (const std::exception &e) {
        error = QString::fromLocal8Bit(e.what());
    }
    canvas->restore();
    return error;
}

// ---------------------------------------------------------------------------------------------
// Zoom

double TfrmQorPreview::fitZoom(TZoomItem item) const
{
    const QSize base = UnzoomedPageSize();
    const double z = item == ziPageWidth ? double(m_paint->width() - 20) / std::max(base.width(), 1)
                                         : double(m_paint->height() - 20) / std::max(base.height(), 1);
    return std::max(z, 0.01);
}

void TfrmQorPreview::SetZoomItem(TZoomItem Item)
{
    m_zoomItem = Item;
    m_zoomActions[Item]->setChecked(true);
    m_zoom = Item < ziPageWidth ? ZoomPercents[Item] / 100.0 : fitZoom(Item);
    if (m_pageNo >= 1)
        SetPageNo(m_pageNo);
    else
        updatePageSize();
}

void TfrmQorPreview::pageResized()
{
    if (m_zoomItem == ziPageWidth || m_zoomItem == ziWholePage) {
        m_zoom = fitZoom(m_zoomItem);
        updatePageSize();
    } else {
        updateScrollBars();
    }
}

void TfrmQorPreview::magnifierClick(const QPoint &at)
{
    if (m_zoomOut) {
        SetZoomItem(ziWholePage);
        m_zoomOut = false;
        m_paint->setCursor(m_zoomInCursor);
        return;
    }
    // The spot clicked stays under the pointer as far as the scroll bars allow.
    const QRect before = m_paint->PageRect();
    const double fx = before.width() > 0 ? double(at.x() - before.x()) / before.width() : 0.0;
    const double fy = before.height() > 0 ? double(at.y() - before.y()) / before.height() : 0.0;
    SetZoomItem(zi100);
    const QRect after = m_paint->PageRect();
    m_hbar->setValue(int(after.x() + fx * after.width()) - at.x());
    m_vbar->setValue(int(after.y() + fy * after.height()) - at.y());
    m_zoomOut = true;
    m_paint->setCursor(m_zoomOutCursor);
}

void TfrmQorPreview::ApplyPrintZoomText()
{
    const std::vector<TQorPrint *> list = reports();
    if (list.empty())
        return;
    const int current = list.front()->GetPrintZoom();
    QString text = m_printZoom->currentText().trimmed();
    QString number = text.endsWith(u'%') ? text.chopped(1).trimmed() : text;
    bool ok = false;
    int zoom = number.toInt(&ok);
    // Beyond ten times the pages would be counted in thousands: taken as a typing slip.
    if (!ok || zoom < 1 || zoom > MaxPrintZoom)
        zoom = current;
    m_printZoom->setEditText(QString::number(zoom) + u'%');
    bool changed = false;
    for (TQorPrint *r : list) {
        if (r->GetPrintZoom() != zoom) {
            r->SetPrintZoom(zoom);
            changed = true;
        }
    }
    if (changed)
        Recount(1);
}

// ---------------------------------------------------------------------------------------------
// Navigation, keys and the wheel

void TfrmQorPreview::FirstPage()
{
    if (!m_busy)
        SetPageNo(1);
}

void TfrmQorPreview::PriorPage()
{
    if (!m_busy)
        SetPageNo(m_pageNo - 1);
}

void TfrmQorPreview::NextPage()
{
    if (!m_busy)
        SetPageNo(m_pageNo + 1);
}

void TfrmQorPreview::LastPage()
{
    if (!m_busy)
        SetPageNo(m_pageCount);
}

void TfrmQorPreview::GoToTypedPage()
{
    if (m_busy)
        return;
    bool ok = false;
    const int n = m_pageBox->text().toInt(&ok);
    if (ok && n >= 1 && n <= m_pageCount)
        SetPageNo(n);
    else
        m_pageBox->setText(m_pageNo >= 1 ? QString::number(m_pageNo) : QString());
}

void TfrmQorPreview::pageKey(int key)
{
    QScrollBar *v = m_vbar, *h = m_hbar;
    switch (key) {
    case Qt::Key_PageUp: v->setValue(v->value() - 16 * SmallStep); break;
    case Qt::Key_PageDown: v->setValue(v->value() + 16 * SmallStep); break;
    case Qt::Key_Up: v->setValue(v->value() - 3 * SmallStep); break;
    case Qt::Key_Down: v->setValue(v->value() + 3 * SmallStep); break;
    case Qt::Key_Left: h->setValue(h->value() - 3 * SmallStep); break;
    case Qt::Key_Right: h->setValue(h->value() + 3 * SmallStep); break;
    case Qt::Key_Home: v->setValue(v->minimum()); break;
    case Qt::Key_End: v->setValue(v->maximum()); break;
    default: break;
    }
}

void TfrmQorPreview::pageWheel(bool up)
{
    if (m_busy)
        return;
    QScrollBar *v = m_vbar;
    if (up) {
        if (v->value() > v->minimum())
            v->setValue(v->value() - 3 * SmallStep);
        else if (m_pageNo > 1)
            SetPageNo(m_pageNo - 1);
        return;
    }
    if (m_wheelLocked)
        return;
    if (v->value() < v->maximum()) {
        v->setValue(v->value() + 3 * SmallStep);
    } else if (m_pageNo < m_pageCount) {
        SetPageNo(m_pageNo + 1);
        // One turn too many would skip the new page's top at once.
        m_wheelLocked = true;
        m_wheelTimer->start();
    }
}

// ---------------------------------------------------------------------------------------------
// Printing and the page set-up

void TfrmQorPreview::showError(const QString &text)
{
    platform::MessageBox(this, text, Caption, platform::MB_OK | platform::MB_ICONWARNING);
}

void TfrmQorPreview::PrintClick()
{
    if (m_busy || !m_print->isEnabled())
        return;
    if (!platform::CurrentPrinter().Installed()) {
        platform::MessageBox(this, QStringLiteral("目前没有安装打印机"), Caption, platform::MB_OK | platform::MB_ICONINFORMATION);
        return;
    }
    const std::vector<TQorPrint *> list = reports();
    if (list.empty())
        return;
    TQorPrint *first = list.front();
    TfrmPrintSetting dialog(this);
    dialog.SetDocumentName(m_composite ? m_composite->GetDocumentName() : first->GetDocumentName());
    dialog.SetCopies(first->GetCopies());
    dialog.SetCollate(first->GetCollate());
    dialog.SetPrintPages(first->GetPrintPages());
    if (!first->GetPageRangeText().isEmpty())
        dialog.SetPageRange(first->GetPageRangeText());
    if (platform::ExecDialog(dialog) != QDialog::Accepted)
        return;

    const TfrmPrintSetting::TRangeKind kind = dialog.RangeKind();
    const QString range = kind == TfrmPrintSetting::rkAll           ? QString()
                          : kind == TfrmPrintSetting::rkCurrentPage ? QString::number(m_pageNo)
                                                                    : dialog.RangeText();
    for (TQorPrint *r : list) {
        r->SetCollate(dialog.Collate());
        r->SetCopies(dialog.Copies());
        r->SetPrintPages(dialog.PrintPages());
        r->SetPageRangeText(range);
    }
    bool ok = true;
    QString error;
    if (m_composite && kind == TfrmPrintSetting::rkCurrentPage) {
        // The page shown belongs to one report, under its own page number there.
        int local = 0;
        TQorPrint *owner = nullptr;
        try {
            owner = m_composite->GetQorPrints(m_pageNo, &local);
        } catch (const EPrintError &e) {
            error = e.Text();
        }
        if (owner) {
            owner->SetPageRangeText(QString::number(local));
            ok = owner->PrintReport();
            error = owner->LastError();
        } else {
            ok = false;
        }
    } else if (m_composite) {
        ok = m_composite->PrintReport();
        error = m_composite->LastError();
    } else {
        ok = first->PrintReport();
        error = first->LastError();
    }
    if (!ok)
        showError(error.isEmpty() ? QStringLiteral("打印失败") : error);
    Recount(m_pageNo);
}

void TfrmQorPreview::PageSetupClick()
{
    if (m_busy)
        return;
    const std::vector<TQorPrint *> list = reports();
    if (list.empty())
        return;
    TQorPrint *source = GetPrint(m_pageNo);
    if (!source)
        source = list.front();
    const TPageMargins &m = source->PageMargins();
    platform::PageSetupValues v;
    v.margins = QMargins(m.Left * 100, m.Top * 100, m.Right * 100, m.Bottom * 100);
    v.paperCode = source->GetPageSize();
    v.orientation = source->GetOrientation() == poLandscape ? 2 : 1;
    v.paperWidth = source->GetPageWidth() * 10;
    v.paperLength = source->GetPageHeight() * 10;
    v.paperSource = source->GetPaperSource();
    if (!platform::ExecPageSetupDialog(this, v))
        return;
    auto mm = [](int hundredths) { return int(RoundHalfAway(hundredths / 100.0)); };
    for (TQorPrint *r : list) {
        TPageMargins &margins = r->PageMargins();
        margins.Left = mm(v.margins.left());
        margins.Top = mm(v.margins.top());
        margins.Right = mm(v.margins.right());
        margins.Bottom = mm(v.margins.bottom());
        r->SetOrientation(v.orientation == 1 ? poPortrait : poLandscape);
        r->SetPageSize(v.paperCode);
        r->SetPageWidth(v.paperWidth / 10);
        r->SetPageHeight(v.paperLength / 10);
        r->SetPaperSource(v.paperSource);
        r->SettingPrinter();
        r->GetSettings();
        r->Init();
    }
    Recount(m_pageNo);
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void TfrmQorPreview::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    // Without a window manager to maximise it the window still takes the whole screen.
    if (!m_sized && screen()) {
        m_sized = true;
        setGeometry(screen()->availableGeometry());
    }
    setWindowState(windowState() | Qt::WindowMaximized);
    platform::BusyCursor busy;
    if (m_composite)
        m_composite->SetTerminated(false);
    else if (m_report)
        m_report->SetTerminated(false);
    Recount(1);
    m_paint->setFocus(Qt::OtherFocusReason);
}

void TfrmQorPreview::finishClose()
{
    m_wheelTimer->stop();
    m_wheelLocked = false;
    if (m_composite)
        m_composite->SetTerminated(true);
    else if (m_report)
        m_report->SetTerminated(true);
}

void TfrmQorPreview::closeEvent(QCloseEvent *e)
{
    finishClose();
    QDialog::closeEvent(e);
}

void TfrmQorPreview::done(int r)
{
    finishClose();
    QDialog::done(r);
}

} // namespace qor
