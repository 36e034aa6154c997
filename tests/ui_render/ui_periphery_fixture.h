#pragma once
// Drawing tests of the image, map, picker and menu item renderables: the renderables of the test
// render paths file (tests/ui_render/data/periphery/) on a 256 x 192 offscreen device, and the
// box of the pixels a frame changed.
#include <algorithm>
#include <functional>

#include "ui_draw_fixture.h"

namespace uitest {

inline constexpr std::uint32_t clearColour = 0xFF204060;

inline std::uint32_t channel(std::uint32_t colour, int shift) { return (colour >> shift) & 255; }

// The smallest rectangle holding every pixel that passes a test, and how many do.
struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int pixels = 0;
    bool empty() const { return pixels == 0; }
};

class UIPeripheryDraw : public UIDrawTest {
protected:
    UIPeripheryDraw() : UIDrawTest(256, 192) {}
    void SetUp() override { startWithFile("tests/ui_render/data/periphery/render_paths.xml"); }

    InkBox ink(const std::function<bool(std::uint32_t)>& inked) const {
        InkBox box;
        for (int y = 0; y < int(height_); ++y) {
            for (int x = 0; x < int(width_); ++x) {
                if (!inked(pixel(x, y))) continue;
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                ++box.pixels;
            }
        }
        return box;
    }
    // The pixels that are not the clear colour.
    InkBox ink() const {
        return ink([](std::uint32_t colour) { return colour != clearColour; });
    }
    bool allClear() const { return ink().empty(); }
};

} // namespace uitest
