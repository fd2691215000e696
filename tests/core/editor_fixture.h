#pragma once
// Opening a cell's in-place editor on a shown grid and reaching the widget of the kind it is.
#include <ostream>
#include <QString>
#include "core/edit/editor_controller_p.h"
#include "core/edit/inplace_editor_p.h"
#include "nav_fixture.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace qor::test {

// The open editor when it is of kind T; null when none is open or it is another kind.
template <class T = TInplaceEditor>
T *editorOf(TQorGrid &g)
{
    TEditorController *c = GridPrivate::get(g).editor.get();
    return c ? dynamic_cast<T *>(c->CurrentWidget()) : nullptr;
}

// F2 on the cell, then its editor as kind T.
template <class T = TInplaceEditor>
T *openEditor(NavGrid &t, int row, int col)
{
    t.g.SetFocusCell(row, col);
    t.key(Qt::Key_F2);
    return editorOf<T>(t.g);
}

} // namespace qor::test
