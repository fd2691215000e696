#pragma once
// What painting keeps beside the model: the image list cells index into and the page breaks
// that printing computes (rows and columns that start a new page).
#include <QImage>
#include <vector>

namespace qor {

struct GridPaintState {
    std::vector<QImage> images;
    std::vector<int> rowBreaks;
    std::vector<int> colBreaks;
    bool showPageLines = false;   // stored in documents
};

} // namespace qor
