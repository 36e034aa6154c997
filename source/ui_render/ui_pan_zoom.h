#pragma once
// Where an image larger than the screen sits for a pan and a zoom: its size is its texture's
// pixels times the zoom, its left edge never right of the screen's left edge and its top edge
// never below the screen's top edge (the right and bottom edges are not held).
struct UIPanZoomEdges {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// rx and ry: the image's width and height over the screen's, in pixels. With pan 0 an image
// larger than the screen is centred; xPan = rx puts its left edge on the screen's left edge,
// yPan = -ry its top edge on the screen's top edge.
UIPanZoomEdges panZoomEdges(float rx, float ry, float zoom, float xPan, float yPan);
