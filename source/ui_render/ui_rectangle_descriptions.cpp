#include "ui_render/ui_rectangle_descriptions.h"

#include "app/parameter_description.h"
#include "ui_render/ui_parameters.h"

using uiparam::add;

ParameterDescription* describeSimpleRectangle(const std::string& typeName, ThreadResourcePool* pool) {
    auto* description = new ParameterDescription(typeName, pool, true);
    add<Vector2Parameter>(*description, pool, "topLeft", {-1.0f, -1.0f});
    add<Vector2Parameter>(*description, pool, "bottomRight", {1.0f, 1.0f});
    add<Vector4Parameter>(*description, pool, "colour", {1.0f, 0.0f, 0.0f, 1.0f});
    return description;
}

ParameterDescription* describeOutlinedRectangle(const std::string& typeName, ThreadResourcePool* pool) {
    auto* description = new ParameterDescription(typeName, pool, true);
    add<Vector2Parameter>(*description, pool, "topLeft", {-1.0f, -1.0f});
    add<Vector2Parameter>(*description, pool, "bottomRight", {1.0f, 1.0f});
    add<Vector4Parameter>(*description, pool, "colour", {1.0f, 0.0f, 0.0f, 1.0f});
    add<Vector4Parameter>(*description, pool, "borderColour", {1.0f, 1.0f, 1.0f, 1.0f});
    add<Vector4Parameter>(*description, pool, "borderColour2", {1.0f, 1.0f, 1.0f, 1.0f});
    add<UnsignedIntParameter>(*description, pool, "border1Width", 1u);
    add<UnsignedIntParameter>(*description, pool, "border1Height", 1u);
    add<UnsignedIntParameter>(*description, pool, "border2Width", 1u);
    add<UnsignedIntParameter>(*description, pool, "border2Height", 1u);
    add<UnsignedIntParameter>(*description, pool, "borderInset", 0u);
    add<BoolParameter>(*description, pool, "roundedCorners", false);
    return description;
}

ParameterDescription* describeCompressedOutlinedRectangle(const std::string& typeName, ThreadResourcePool* pool) {
    auto* description = new ParameterDescription(typeName, pool, true);
    add<Vector4Parameter>(*description, pool, "position", {1.0f, 1.0f, 1.0f, 1.0f});
    add<Vector4Parameter>(*description, pool, "colours", {1.0f, 1.0f, 1.0f, 1.0f});
    add<Vector4Parameter>(*description, pool, "borderWidths", {1.0f, 1.0f, 1.0f, 1.0f});
    return description;
}
