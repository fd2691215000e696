#pragma once
// A designer window on a copy of an application grid, with its dialogs answered by the test.
#include <QDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include "core/grid.h"
#include "designer/designer_window.h"
#include "message_recorder.h"
#include "platform/modal.h"

namespace qor::test {

// Dialogs run by the code under test are handed to the function instead of the user.
class DialogAnswer {
public:
    explicit DialogAnswer(platform::DialogHandler h) : m_previous(platform::SetDialogHandler(std::move(h))) {}
    ~DialogAnswer() { platform::SetDialogHandler(std::move(m_previous)); }

private:
    platform::DialogHandler m_previous;
};

// The dialog of type D, answered by f; any other dialog fails the test.
template <class D>
platform::DialogHandler Answer(std::function<int(D &)> f)
{
    return [f](QDialog &dialog) {
        auto *d = qobject_cast<D *>(&dialog);
        if (!d) {
            ADD_FAILURE() << "unexpected dialog " << dialog.metaObject()->className();
            return int(QDialog::Rejected);
        }
        return f(*d);
    };
}

// Texts per position, "r,c".
inline void FillTexts(TCustomQorGrid &g)
{
    for (int r = 0; r < g.GetRows(); ++r)
        for (int c = 0; c < g.GetCols(); ++c)
            g.SetCellText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        app.SetRows(8);
        app.SetCols(5);
        FillTexts(app);
    }
    // A designer on a copy of app, in internal mode unless told otherwise.
    std::unique_ptr<TfrmQorDesigner> open(bool internal = true)
    {
        auto w = std::make_unique<TfrmQorDesigner>(internal);
        EXPECT_TRUE(w->LoadCopyOf(app));
        w->SetFileChooser([](TFileChoice, const QString &) {
            ADD_FAILURE() << "unexpected file dialog";
            return QString();
        });
        return w;
    }
    QString path(const QString &name) const { return dir.filePath(name); }

    TQorGrid app;
    QTemporaryDir dir;
};

} // namespace qor::test
