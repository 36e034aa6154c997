#pragma once
// The vertex of the one-quad UI rectangles: where the corner is, which point of the rectangle it
// stands for in pixels, and the whole rectangle's description, the same at all four corners.
#include <cstdint>

struct UIRectangleVertex {
    // The corner, UI units.
    float x = 0.0f, y = 0.0f;
    // The corner's place from the rectangle's outer top-left corner, pixels, y down; outside the
    // rectangle (negative or past its size) where the quad also covers a shadow band.
    float pixelX = 0.0f, pixelY = 0.0f;
    // The rectangle's size in pixels; 1 for rounded corners, 0 for square ones.
    float width = 0.0f, height = 0.0f, roundedCorners = 0.0f;
    // Left, top, right and bottom edge thickness, pixels.
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    // The red, green, blue and alpha bytes of the premultiplied fill, border (left and top edges)
    // and second border (right and bottom edges) colours, each channel as the whole number
    // fill * 65536 + border * 256 + border2, which a float holds exactly: the three colours
    // reach the fragment stage as one value instead of three.
    float colours[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};
static_assert(sizeof(UIRectangleVertex) == 60, "the rectangle vertex declaration expects 60 bytes");
