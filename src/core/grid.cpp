// Construction, names and messages of the grid.
#include "core/grid.h"

#include <QApplication>
#include "core/grid_p.h"
#include "core/view/grid_view_p.h"
#include "platform/message_box.h"

namespace qor {

TCustomQorGrid::TCustomQorGrid(QWidget *parent) : QAbstractScrollArea(parent), d(std::make_unique<GridPrivate>(this))
{
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("Tahoma"));
    d->look.font.Font = font;
    d->look.columnTitleFont = d->look.font;
    d->resetCols(4);
    d->resetRows(4);
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);   // the pointer's shape follows header borders
    resize(4 * 60 + 4 + d->layout.margins[0] + d->layout.margins[2] + d->shadowWidth() + d->layout.spaces[0] +
               d->layout.spaces[2],
           4 * 18 + 20 + d->layout.margins[1] + d->layout.margins[3] + d->shadowWidth() + d->layout.spaces[1] +
               d->layout.spaces[3]);
    d->view->Start();
    InstallGridLayers(*this);
}

TCustomQorGrid::~TCustomQorGrid()
{
    if (d->seams.print)
        d->seams.print->GridDestroyed();
}

bool TCustomQorGrid::ValidateName(QObject *Component, const QString &Name) const
{
    for (QObject *owner = Component; owner; owner = owner->parent()) {
        const QList<QObject *> children = owner->findChildren<QObject *>(QString(), Qt::FindDirectChildrenOnly);
        for (QObject *child : children)
            if (child->objectName().compare(Name, Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

int TCustomQorGrid::MessageBox(const QString &Text, const QString &Caption, int Flags)
{
    return platform::MessageBox(window(), Text, Caption, Flags);
}

QString TCustomQorGrid::ColToText(int Col)
{
    if (Col < 0)
        return QString();
    QString text;
    int64_t n = int64_t(Col) + 1;
    while (n > 0) {
        const int64_t r = (n - 1) % 26;
        text.prepend(QChar(char16_t(u'A' + r)));
        n = (n - 1) / 26;
    }
    return text;
}

int TCustomQorGrid::TextToCol(const QString &Text)
{
    int64_t n = 0;
    for (QChar ch : Text) {
        n = n * 26 + (ch.toUpper().unicode() - u'A' + 1);
        if (n > INT_MAX || n < INT_MIN)
            return -1;
    }
    return int(n - 1);
}

} // namespace qor
