#pragma once
// The parameters of the rectangle object types, declared once: the descriptions are built from
// them, the render side reads objects through them and widgets write objects through them.
#include <string>

#include "app/typed_parameters.h"
#include "ui_render/ui_parameter_table.h"

class ParameterDescription;
class ThreadResourcePool;

// "ui_simple_rectangle": one flat colour.
struct SimpleRectangleParameters {
    static inline const UIParameter<Vector2Parameter> topLeft{"topLeft", {-1.0f, -1.0f}};
    static inline const UIParameter<Vector2Parameter> bottomRight{"bottomRight", {1.0f, 1.0f}};
    static inline const UIParameter<Vector4Parameter> colour{"colour", {1.0f, 0.0f, 0.0f, 1.0f}};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, topLeft, bottomRight, colour);
    }
};

// "ui_outlined_rectangle" and "ui_shadowed_outlined_rectangle": the frame with separate values, a
// simple rectangle's parameters first.
struct OutlinedRectangleParameters : SimpleRectangleParameters {
    static inline const UIParameter<Vector4Parameter> borderColour{"borderColour", {1.0f, 1.0f, 1.0f, 1.0f}};
    static inline const UIParameter<Vector4Parameter> borderColour2{"borderColour2", {1.0f, 1.0f, 1.0f, 1.0f}};
    // Border sizes in pixels: the outer border's width and height, then the inner one's.
    static inline const UIParameter<UnsignedIntParameter> border1Width{"border1Width", 1u};
    static inline const UIParameter<UnsignedIntParameter> border1Height{"border1Height", 1u};
    static inline const UIParameter<UnsignedIntParameter> border2Width{"border2Width", 1u};
    static inline const UIParameter<UnsignedIntParameter> border2Height{"border2Height", 1u};
    static inline const UIParameter<UnsignedIntParameter> borderInset{"borderInset", 0u};
    static inline const UIParameter<BoolParameter> roundedCorners{"roundedCorners", false};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, topLeft, bottomRight, colour, borderColour, borderColour2,
                                 border1Width, border1Height, border2Width, border2Height, borderInset, roundedCorners);
    }
};

// "ui_compressed_outlined_rectangle" and its shadowed twin: the same content packed.
struct CompressedOutlinedRectangleParameters {
    static inline const UIParameter<Vector4Parameter> position{"position", {1.0f, 1.0f, 1.0f, 1.0f}};
    static inline const UIParameter<Vector4Parameter> colours{"colours", {1.0f, 1.0f, 1.0f, 1.0f}};
    static inline const UIParameter<Vector4Parameter> borderWidths{"borderWidths", {1.0f, 1.0f, 1.0f, 1.0f}};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, position, colours, borderWidths);
    }
};
