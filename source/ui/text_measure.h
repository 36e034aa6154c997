#pragma once
// Measuring a widget's text through its render interface (nothing measured without one).
#include <string>

#include "render/render_interface.h"

inline TextMeasure measureUIText(const RenderInterface* renderInterface, const std::string& fontKey,
                                 const std::string& text, bool singleLine, float maxWidth) {
    TextMeasure size;
    if (renderInterface) renderInterface->measureText(size, fontKey, text, singleLine, maxWidth);
    return size;
}
