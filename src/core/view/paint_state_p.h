#pragma once
// What painting keeps beside the model: the image list cells index into and the page strips
// that printing computes.
#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

namespace qor {

struct GridPaintState {
    std::vector<QImage> images;
    std::vector<QRect> pageRects;   // grid print coordinates, right and bottom exclusive
    bool showPageLines = false;   // stored in documents
    int64_t cellsPainted = 0;     // positions drawn by paint events so far: what a step costs
};

} // namespace qor
