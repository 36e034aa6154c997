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
    uiobject::setColour(rectangle, "colour", colour);
    uiobject::setCorners(rectangle, topLeft, bottomRight);
    if (outlined) {
        setBorderColour(borderColour);
        for (const char* border : {"border1Width", "border2Width", "border1Height", "border2Height"}) {
            uiobject::setUnsignedInt(rectangle, border, borderWidth);
        }
        uiobject::setBool(rectangle, "roundedCorners", true);
        uiobject::setUnsignedInt(rectangle, "borderInset", borderWidth);
    }
}

GameUILayoutRectangle::~GameUILayoutRectangle() { uiobject::destroy(renderInterface(), rectangle); }

void GameUILayoutRectangle::setColour(const float colour[4]) { uiobject::setColour(rectangle, "colour", colour); }

void GameUILayoutRectangle::setBorderColour(const float colour[4]) {
    uiobject::setColour(rectangle, "borderColour", colour);
    uiobject::setColour(rectangle, "borderColour2", colour);
}
