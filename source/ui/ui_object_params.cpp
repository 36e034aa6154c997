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

void setVector2(RenderInterface::UIObject* object, const UIParameter<Vector2Parameter>& parameter, float x, float y) {
    if (SimpleParameterGroup* g = group(object)) g->setVector2(parameter.name, {x, y});
}

void setColour(RenderInterface::UIObject* object, const UIParameter<Vector4Parameter>& parameter,
               const float colour[4]) {
    if (SimpleParameterGroup* g = group(object)) {
        g->setVector4(parameter.name, {colour[0], colour[1], colour[2], colour[3]});
    }
}

void setString(RenderInterface::UIObject* object, const UIParameter<StringParameter>& parameter,
               const std::string& value) {
    if (SimpleParameterGroup* g = group(object)) g->setString(parameter.name, value);
}

void setInt(RenderInterface::UIObject* object, const UIParameter<IntParameter>& parameter, std::int32_t value) {
    if (SimpleParameterGroup* g = group(object)) g->setInt(parameter.name, value);
}

void setUnsignedInt(RenderInterface::UIObject* object, const UIParameter<UnsignedIntParameter>& parameter,
                    std::uint32_t value) {
    if (SimpleParameterGroup* g = group(object)) g->setUnsignedInt(parameter.name, value);
}

void setBool(RenderInterface::UIObject* object, const UIParameter<BoolParameter>& parameter, bool value) {
    if (SimpleParameterGroup* g = group(object)) g->setBool(parameter.name, value);
}

void setBorders(RenderInterface::UIObject* object, std::uint32_t border1Width, std::uint32_t border1Height,
                std::uint32_t border2Width, std::uint32_t border2Height) {
    setUnsignedInt(object, OutlinedRectangleParameters::border1Width, border1Width);
    setUnsignedInt(object, OutlinedRectangleParameters::border1Height, border1Height);
    setUnsignedInt(object, OutlinedRectangleParameters::border2Width, border2Width);
    setUnsignedInt(object, OutlinedRectangleParameters::border2Height, border2Height);
}

} // namespace uiobject
