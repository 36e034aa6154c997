#include "ui_render/ui_pan_zoom.h"

#include <algorithm>

UIPanZoomEdges panZoomEdges(float rx, float ry, float zoom, float xPan, float yPan) {
    UIPanZoomEdges edges;
    edges.top = std::max(1.0f, yPan * zoom - yPan / ry + ry * zoom);
    edges.bottom = edges.top - 2.0f * ry * zoom;
    edges.left = std::min(-1.0f, xPan * zoom - xPan / rx - rx * zoom);
    edges.right = edges.left + 2.0f * rx * zoom;
    return edges;
}
