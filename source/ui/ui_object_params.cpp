#include "ui/ui_object_params.h"

#include <algorithm>

#include "app/simple_parameter_group.h"

namespace uiobject {

namespace {

SimpleParameterGroup* group(RenderInterface::UIObject* object) {
    return object && object->pair() ? object->pair()->updateGroup() : nullptr;
}

} // namespace

RenderInterface::UIObject* create(RenderInterface* renderInterface, const std::string& typeName, std::uint32_t layer) {
    if (!renderInterface) return nullptr;
    RenderInterface::UIObject* object = renderInterface->createUIObject(typeName);
    setLayer(object, layer);
    return object;
}

void destroy(RenderInterface* renderInterface, RenderInterface::UIObject*& object) {
    if (renderInterface && object) renderInterface->destroyUIObject(object);
    object = nullptr;
}

void setLayer(RenderInterface::UIObject* object, std::uint32_t layer) {
    if (object) object->setRenderLayer(std::min(layer, topLayer));
}

void setVector2(RenderInterface::UIObject* object, const std::string& name, float x, float y) {
    if (SimpleParameterGroup* g = group(object)) g->setVector2(name, {x, y});
}

void setCorners(RenderInterface::UIObject* object, const float topLeft[2], const float bottomRight[2]) {
    setCorners(object, topLeft[0], topLeft[1], bottomRight[0], bottomRight[1]);
}

void setCorners(RenderInterface::UIObject* object, float left, float top, float right, float bottom) {
    setVector2(object, "topLeft", left, top);
    setVector2(object, "bottomRight", right, bottom);
}

void setColour(RenderInterface::UIObject* object, const std::string& name, const float colour[4]) {
    if (SimpleParameterGroup* g = group(object)) g->setVector4(name, {colour[0], colour[1], colour[2], colour[3]});
}

void setString(RenderInterface::UIObject* object, const std::string& name, const std::string& value) {
    if (SimpleParameterGroup* g = group(object)) g->setString(name, value);
}

void setInt(RenderInterface::UIObject* object, const std::string& name, std::int32_t value) {
    if (SimpleParameterGroup* g = group(object)) g->setInt(name, value);
}

void setUnsignedInt(RenderInterface::UIObject* object, const std::string& name, std::uint32_t value) {
    if (SimpleParameterGroup* g = group(object)) g->setUnsignedInt(name, value);
}

void setBool(RenderInterface::UIObject* object, const std::string& name, bool value) {
    if (SimpleParameterGroup* g = group(object)) g->setBool(name, value);
}

} // namespace uiobject
