#pragma once
// What a cell owns only when it is used: font, items, picture, rich text, adapter. Kept behind
// one pointer so that a plain cell stays small.
#include <QByteArray>
#include <memory>
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

} // namespace qor
