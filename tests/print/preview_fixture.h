#pragma once
// A report of several pages open in a modeless preview window, on the stand-in printer.
#include <QApplication>
#include <memory>
#include "core/grid.h"
#include "platform/modal.h"
#include "platform/page_setup_dialog.h"
#include "print/preview/page_paint.h"
#include "print/preview/preview_window.h"
#include "print/qor_print.h"
#include "print_fixture.h"

namespace qor::test {

struct PreviewSheet {
    TQorGrid grid;
    TQorPrint print;
    explicit PreviewSheet(int rows = 150, int cols = 4)
    {
        grid.SetRows(rows);
        grid.SetCols(cols);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                grid.SetCellText(r, c, QStringLiteral("格%1-%2").arg(r + 1).arg(c + 1));
        print.SetQorGrid(&grid);
        print.SetShowProgress(false);
        print.SetModalPreview(false);
    }
    ~PreviewSheet() { delete print.PreviewWindow(); }
    TfrmQorPreview *open()
    {
        print.ShowReport();
        QApplication::processEvents();
        return qobject_cast<TfrmQorPreview *>(print.PreviewWindow());
    }
};

// Gives the page control exactly this size (the window leaves its maximised state).
inline void SizePageControl(TfrmQorPreview &w, QSize size)
{
    w.setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    w.resize(w.size() + size - w.PagePaint()->size());
    QApplication::processEvents();
}

// Dialogs and the page set-up answered by the test for the length of a scope.
class DialogAnswer {
public:
    explicit DialogAnswer(platform::DialogHandler h) : m_previous(platform::SetDialogHandler(std::move(h))) {}
    ~DialogAnswer() { platform::SetDialogHandler(std::move(m_previous)); }

private:
    platform::DialogHandler m_previous;
};

class PageSetupAnswer {
public:
    explicit PageSetupAnswer(platform::PageSetupHandler h) : m_previous(platform::SetPageSetupHandler(std::move(h))) {}
    ~PageSetupAnswer() { platform::SetPageSetupHandler(std::move(m_previous)); }

private:
    platform::PageSetupHandler m_previous;
};

} // namespace qor::test
