#pragma once
#include <QByteArray>
#include <cstdint>

namespace qor {

// Settings documents carry that no concern of the grid uses yet: kept as stored (and named so)
// so that a load and a save give them back unchanged.
struct GridStoredExtras {
    bool Ctl3D = true;
    uint8_t BorderStyle = 1;
    int32_t ResizeColOnRow = 0;
    int32_t ResizeRowOnCol = 0;
    bool ColumnDeleted = false;
    // The page set-up record of a document loaded while no print component was attached.
    QByteArray PrintSettings;

    bool operator==(const GridStoredExtras &) const = default;
};

} // namespace qor
