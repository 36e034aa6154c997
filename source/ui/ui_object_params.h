#pragma once
// Writing a widget's UI objects: creation on a layer and parameter writes that skip an object
// the render interface could not make.
#include <cstdint>
#include <string>

#include "render/render_interface.h"

namespace uiobject {

// The highest layer the UI renderer draws; deeper elements are drawn on it.
constexpr std::uint32_t topLayer = 31;

// A new object of typeName on layer (clamped to the top layer), or null.
RenderInterface::UIObject* create(RenderInterface* renderInterface, const std::string& typeName, std::uint32_t layer);
void destroy(RenderInterface* renderInterface, RenderInterface::UIObject*& object);
void setLayer(RenderInterface::UIObject* object, std::uint32_t layer);

void setVector2(RenderInterface::UIObject* object, const std::string& name, float x, float y);
void setCorners(RenderInterface::UIObject* object, const float topLeft[2], const float bottomRight[2]);
void setCorners(RenderInterface::UIObject* object, float left, float top, float right, float bottom);
void setColour(RenderInterface::UIObject* object, const std::string& name, const float colour[4]);
void setString(RenderInterface::UIObject* object, const std::string& name, const std::string& value);
void setInt(RenderInterface::UIObject* object, const std::string& name, std::int32_t value);
void setUnsignedInt(RenderInterface::UIObject* object, const std::string& name, std::uint32_t value);
void setBool(RenderInterface::UIObject* object, const std::string& name, bool value);

} // namespace uiobject
