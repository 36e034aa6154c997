#include "ui/game_ui_layout_rectangle.h"

#include "ui/ui_object_params.h"

GameUILayoutRectangle::GameUILayoutRectangle(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                             const std::string& name, const float topLeft[2],
                                             const float bottomRight[2], std::uint32_t depth, const float*,
                                             const float colour[4], bool outlined, std::uint32_t borderWidth,
                                             bool shadowed, const float borderColour[4])
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, nullptr), tag(tag), shadowed(shadowed ? 1 : 0) {
    this->depth = topDepth = depth;
    const char* type = shadowed   ? "ui_shadowed_outlined_rectangle"
                       : outlined ? "ui_outlined_rectangle"
                                  : "ui_simple_rectangle";
    rectangle = uiobject::create(renderInterface(), type, depth);
    uiobject::setColour(rectangle, SimpleRectangleParameters::colour, colour);
    uiobject::setCorners<SimpleRectangleParameters>(rectangle, topLeft, bottomRight);
    if (outlined) {
        setBorderColour(borderColour);
        uiobject::setBorders(rectangle, borderWidth, borderWidth, borderWidth, borderWidth);
        uiobject::setBool(rectangle, OutlinedRectangleParameters::roundedCorners, true);
        uiobject::setUnsignedInt(rectangle, OutlinedRectangleParameters::borderInset, borderWidth);
    }
}

GameUILayoutRectangle::~GameUILayoutRectangle() { uiobject::destroy(renderInterface(), rectangle); }

void GameUILayoutRectangle::setColour(const float colour[4]) {
    uiobject::setColour(rectangle, SimpleRectangleParameters::colour, colour);
}

void GameUILayoutRectangle::setBorderColour(const float colour[4]) {
    uiobject::setColour(rectangle, OutlinedRectangleParameters::borderColour, colour);
    uiobject::setColour(rectangle, OutlinedRectangleParameters::borderColour2, colour);
}
