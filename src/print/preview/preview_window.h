#pragma once
// The preview window: the pages of a report, or of several reports printed as one job, drawn
// through the same DrawPage as the printer, with zoom levels, fitting to the width or the whole
// page, a magnifier, page navigation, the print zoom, printing and the page set-up.
#include <QCursor>
#include <QDialog>
#include <QPointer>
#include <utility>
#include <vector>
#include "print/qor_print.h"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class QToolButton;

namespace qor {

class TPagePaint;

class QOR_EXPORT TfrmQorPreview : public QDialog {
    Q_OBJECT

public:
    // The zoom menu's items, in its order.
    enum TZoomItem { zi200, zi150, zi100, zi50, zi10, ziPageWidth, ziWholePage };

    explicit TfrmQorPreview(QWidget *parent = nullptr);
    // Raises each report's OnPrintFinish and gives it back the print zoom it had when attached.
    ~TfrmQorPreview() override;

    // Attaches a report (or a composite): the print-zoom box shows its zoom, which is saved.
    void SetReport(TQorPrint *Print);
    void SetCompositeReport(TQorCompositePrint *Composite);
    TQorPrint *Report() const { return m_report; }
    TQorCompositePrint *CompositeReport() const { return m_composite; }
    // Shows job page PageNo (ignored outside 1 ... GetPageCount()).
    void SetPageNo(int PageNo);
    // The report that owns job page PageNo; none beyond the last.
    TQorPrint *GetPrint(int PageNo);
    int GetPageCount() const { return m_pageCount; }
    // Takes the page count again and shows PageNo, or the nearest page there is. A page set-up
    // too small for the grid is said in a message box and left on the page in its place.
    void Recount(int PageNo);

    // ===== State, for hosts and tests =====
    int CurrentPage() const { return m_pageNo; }
    // "页 n/m ".
    QString PageLabelText() const;
    double Zoom() const { return m_zoom; }
    TZoomItem ZoomItem() const { return m_zoomItem; }
    void SetZoomItem(TZoomItem Item);
    bool Busy() const { return m_busy; }
    bool WheelLocked() const { return m_wheelLocked; }
    // Why the page cannot be shown; empty when it can.
    QString ErrorText() const { return m_error; }
    // The page in screen pixels at 100 % (the printer's sheet, in the report's set-up).
    QSize UnzoomedPageSize() const;
    const QCursor &ZoomInCursor() const { return m_zoomInCursor; }
    const QCursor &ZoomOutCursor() const { return m_zoomOutCursor; }
    // The magnifier's next click zooms out.
    bool MagnifierZoomsOut() const { return m_zoomOut; }

    // ===== The controls =====
    TPagePaint *PagePaint() const { return m_paint; }
    QScrollBar *HorzScrollBar() const { return m_hbar; }
    QScrollBar *VertScrollBar() const { return m_vbar; }
    QToolButton *ZoomButton() const { return m_zoomButton; }
    QMenu *ZoomMenu() const { return m_zoomMenu; }
    QAction *ZoomAction(TZoomItem Item) const { return m_zoomActions[Item]; }
    QToolButton *MagnifierButton() const { return m_magnifier; }
    QComboBox *PrintZoomBox() const { return m_printZoom; }
    QToolButton *FirstButton() const { return m_first; }
    QToolButton *PriorButton() const { return m_prior; }
    QToolButton *NextButton() const { return m_next; }
    QToolButton *LastButton() const { return m_last; }
    QLineEdit *PageBox() const { return m_pageBox; }
    QToolButton *GoButton() const { return m_go; }
    QLabel *PageLabel() const { return m_pageLabel; }
    QToolButton *PrintButton() const { return m_print; }
    QToolButton *PageSetupButton() const { return m_pageSetup; }

    // ===== The handlers of the controls =====
    void FirstPage();
    void PriorPage();
    void NextPage();
    void LastPage();
    // The page in the page box, or the current page again when it holds no page number.
    void GoToTypedPage();
    // The print-zoom box's text as the print zoom of every report.
    void ApplyPrintZoomText();
    void PrintClick();
    void PageSetupClick();

public Q_SLOTS:
    void done(int r) override;

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    friend class TPagePaint;
    // What the page control asks of its window.
    QRect printableRect(const QRect &page) const;
    QString drawPage(QPainter *canvas, const QRect &printable);
    void pageResized();
    void pageKey(int key);
    void pageWheel(bool up);
    void magnifierClick(const QPoint &at);

    std::vector<TQorPrint *> reports() const;
    TQorPrint *firstReport() const;
    void attach(TQorPrint *print);
    void updatePageSize();
    void updateScrollBars();
    void updateNavigation();
    double fitZoom(TZoomItem item) const;
    void finishClose();
    void showError(const QString &text);

    QPointer<TQorPrint> m_report;
    QPointer<TQorCompositePrint> m_composite;
    std::vector<std::pair<QPointer<TQorPrint>, int>> m_savedZooms;
    int m_pageCount = 0;
    int m_pageNo = 0;
    double m_zoom = 1.0;
    TZoomItem m_zoomItem = zi100;
    bool m_busy = false;
    bool m_wheelLocked = false;
    bool m_sized = false;
    bool m_zoomOut = false;
    QString m_error;
    QCursor m_zoomInCursor, m_zoomOutCursor;

    TPagePaint *m_paint;
    QScrollBar *m_hbar, *m_vbar;
    QToolButton *m_zoomButton;
    QMenu *m_zoomMenu;
    QActionGroup *m_zoomGroup;
    QAction *m_zoomActions[ziWholePage + 1];
    QToolButton *m_magnifier;
    QComboBox *m_printZoom;
    QToolButton *m_first, *m_prior, *m_next, *m_last, *m_go;
    QLineEdit *m_pageBox;
    QLabel *m_pageLabel;
    QToolButton *m_print, *m_pageSetup;
    QTimer *m_wheelTimer;
};

} // namespace qor
