#pragma once
// Adapter interfaces: an outside wrapper (an automation layer, a scripting bridge) binds to a
// library object through them. The library only hands each adapter its object.
#include "platform/qor_global.h"

namespace qor {

class TCellInfo;
class TCellData;
class TQorColumn;
class TQorColumnTitle;

class ICellAdapter {
public:
    virtual ~ICellAdapter() = default;
    virtual void SetCell(TCellInfo *cell) = 0;
};

class ICellDataAdapter {
public:
    virtual ~ICellDataAdapter() = default;
    virtual void SetCellData(TCellData *data) = 0;
};

class IColumnAdapter {
public:
    virtual ~IColumnAdapter() = default;
    virtual void SetColumn(TQorColumn *column) = 0;
};

class IColumnTitleAdapter {
public:
    virtual ~IColumnTitleAdapter() = default;
    virtual void SetColumnTitle(TQorColumnTitle *title) = 0;
};

// The rich-text and embedded-document adapters are handed the object they wrap as an opaque
// pointer: their owners live in later layers.
class IRichEditAdapter {
public:
    virtual ~IRichEditAdapter() = default;
    virtual void SetRichEdit(void *richEdit) = 0;
};

class IOleAdapter {
public:
    virtual ~IOleAdapter() = default;
    virtual void SetOleObject(void *object) = 0;
};

} // namespace qor
