#pragma once
// What a cell owns only when it is used: font, items, picture, rich text, adapter. Kept behind
// one pointer so that a plain cell stays small.
#include <QByteArray>
#include <memory>
#include <type_traits>
#include "core/model/adapters.h"
#include "core/model/containers.h"
#include "core/model/font.h"
#include "core/model/picture.h"

namespace qor {

struct CellExtras {
    std::unique_ptr<TQorFont> font;
    std::unique_ptr<TQorStrings> items;
    std::unique_ptr<TQorPicture> graphic;
    QByteArray richText;
    std::shared_ptr<ICellAdapter> adapter;

    bool empty() const { return !font && !items && !graphic && richText.isEmpty() && !adapter; }
};

// Setter argument type of an attribute: texts by reference, the rest by value.
template <class T>
using AttrArg = std::conditional_t<std::is_same_v<T, QString>, const QString &, T>;

// Stored form of an attribute value (characters are kept as UTF-16 code units).
inline char16_t ToStorage(QChar c) { return c.unicode(); }
template <class T>
inline T ToStorage(const T &v) { return v; }

} // namespace qor
