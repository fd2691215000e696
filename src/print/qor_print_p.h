#pragma once
// The state of one print component.
#include <QPointer>
#include <QWidget>
#include <vector>
#include "core/grid.h"
#include "core/grid_seams_p.h"
#include "print/qor_print.h"

namespace qor {

// How the grid reaches its print component: page lines, the stream's record, its end.
class PrintLink final : public IPrintLink {
public:
    explicit PrintLink(TQorPrint &print) : m_print(print) {}
    std::vector<QRect> PagesRect() override;
    QByteArray SaveSettings() const override { return m_print.SaveSettings(); }
    void LoadSettings(const QByteArray &record, int version) override;
    void GridDestroyed() override;

private:
    TQorPrint &m_print;
};

struct TQorPrintPrivate {
    explicit TQorPrintPrivate(TQorPrint &q) : link(q) {}

    PrintLink link;
    QPointer<TCustomQorGrid> grid;

    // Page set-up
    int pageSize = 9;
    int pageWidth = 210;
    int pageHeight = 297;
    TPageMargins margins;
    TPrinterOrientation orientation = poPortrait;
    int paperSource = 0;

    // Bands
    TTitleParams title;
    TPageHeaderParams pageHeader;
    TFooterParams footer;
    TFooterParams summary;
    TFooterParams pageFooter;

    // Repeats, tolerances, strips, zoom and options
    int titleRows = 0, footerRows = 0, titleColumns = 0, footerColumns = 0;
    int horzSpaceToBreak = 200, vertSpaceToBreak = 200;
    int pageColumns = 1;
    bool horzAutoCenter = true, vertAutoCenter = false;
    bool colorPrinter = true, printGridLine = true;
    int printZoom = 100;
    bool directToPrinter = false;
    QString documentName;
    bool showProgress = true, modalPreview = true, disablePrint = false;

    // Job state
    int copies = 1;
    bool collate = true;
    QString pageRangeText;
    TPrintPages printPages = pgAll;
    bool terminated = false;
    bool printing = false;
    double scaleX = 1.0, scaleY = 1.0;
    int version = 9;
    QString lastError;
    QPointer<QWidget> preview;     // the preview window open on this report
    int jobPage = 0;               // the job page being drawn, for the band markers
    int progressBase = 0;          // pages a composite job visited before this report

    // Pagination
    bool stale = true;
    int pageCount = 0;
    std::vector<TPrintRect> pages;
    int stripsAcross = 0, stripsDown = 0;
    std::vector<TPrintRect> titleList, footerList, titleColumnList, footerColumnList;
    std::vector<TPageRecord> recordMap;   // job page p at p - 1
    int currentRecord = -1;
};

} // namespace qor
