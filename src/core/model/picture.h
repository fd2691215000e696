#pragma once
// A picture of a cell, a column or the background. The original bytes are kept beside the
// decoded image: kinds without a decoder here (metafiles) must survive a save unchanged.
#include <QByteArray>
#include <QImage>

namespace qor {

struct TQorPicture {
    QByteArray Data;
    QImage Image;

    bool IsEmpty() const { return Data.isEmpty() && Image.isNull(); }
    void Clear()
    {
        Data.clear();
        Image = QImage();
    }
    bool operator==(const TQorPicture &other) const { return Data == other.Data && Image == other.Image; }
};

} // namespace qor
