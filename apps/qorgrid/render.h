#pragma once
// Headless rendering of a grid into a picture, and the render command built on it.
#include <QImage>
#include <QPoint>
#include <QSize>

namespace qor {
class TCustomQorGrid;
}

namespace qor::app {

// The grid's client area at the given size, scrolled to the pixel positions (clamped).
QImage RenderGrid(TCustomQorGrid &grid, QSize size, QPoint scroll = QPoint());
// qorgrid render FILE.qld -o out.png [--size WxH] [--scroll X,Y]; args start after "render".
int RunRender(int argc, char **argv);

} // namespace qor::app
