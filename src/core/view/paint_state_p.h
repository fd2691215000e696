#pragma once
// What painting keeps beside the model: the image list cells index into and the page breaks
// that printing computes (rows and columns that start a new page).
#include <QImage>
#include <cstdint>
#include <vector>

namespace qor {

struct GridPaintState {
    std::vector<QImage> images;
    std::vector<int> rowBreaks;
    std::vector<int> colBreaks;
    bool showPageLines = false;   // stored in documents
    int64_t cellsPainted = 0;     // positions drawn by paint events so far: what a step costs
};

} // namespace qor
