#pragma once
// Writing a widget's UI objects: creation on a layer and parameter writes that skip an object
// the render interface could not make. Every write names a parameter as its type declares it
// (TextBoxParameters::colour, OutlinedRectangleParameters::border1Width, ...).
#include <cstdint>
#include <string>

#include "app/typed_parameters.h"
#include "render/render_interface.h"
#include "ui_render/ui_parameter_table.h"
#include "ui_render/ui_pointer_renderable.h"
#include "ui_render/ui_rectangle_descriptions.h"
#include "ui_render/ui_text_parameters.h"
#include "ui_render/ui_textured_rectangle_renderable.h"

namespace uiobject {

// The highest layer the UI renderer draws; deeper elements are drawn on it.
constexpr std::uint32_t topLayer = 31;

// A new object of typeName on layer (clamped to the top layer), or null.
RenderInterface::UIObject* create(RenderInterface* renderInterface, const std::string& typeName, std::uint32_t layer);
void destroy(RenderInterface* renderInterface, RenderInterface::UIObject*& object);
void setLayer(RenderInterface::UIObject* object, std::uint32_t layer);

void setVector2(RenderInterface::UIObject* object, const UIParameter<Vector2Parameter>& parameter, float x, float y);
void setColour(RenderInterface::UIObject* object, const UIParameter<Vector4Parameter>& parameter,
               const float colour[4]);
void setString(RenderInterface::UIObject* object, const UIParameter<StringParameter>& parameter,
               const std::string& value);
void setInt(RenderInterface::UIObject* object, const UIParameter<IntParameter>& parameter, std::int32_t value);
void setUnsignedInt(RenderInterface::UIObject* object, const UIParameter<UnsignedIntParameter>& parameter,
                    std::uint32_t value);
void setBool(RenderInterface::UIObject* object, const UIParameter<BoolParameter>& parameter, bool value);
// The four border sizes of an outlined rectangle, in pixels.
void setBorders(RenderInterface::UIObject* object, std::uint32_t border1Width, std::uint32_t border1Height,
                std::uint32_t border2Width, std::uint32_t border2Height);

// "topLeft" and "bottomRight" of an object whose type's parameters are Params.
template <class Params>
void setCorners(RenderInterface::UIObject* object, float left, float top, float right, float bottom) {
    setVector2(object, Params::topLeft, left, top);
    setVector2(object, Params::bottomRight, right, bottom);
}

template <class Params>
void setCorners(RenderInterface::UIObject* object, const float topLeft[2], const float bottomRight[2]) {
    setCorners<Params>(object, topLeft[0], topLeft[1], bottomRight[0], bottomRight[1]);
}

} // namespace uiobject
