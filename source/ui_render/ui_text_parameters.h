#pragma once
// The parameters of "TextBox" objects and of "FontTexture" views of the glyph atlas, declared
// once: the descriptions are built from them, the text asset reads objects through them and
// widgets write objects through them.
#include <string>

#include "app/typed_parameters.h"
#include "ui_render/ui_parameter_table.h"

struct TextBoxParameters {
    static inline const UIParameter<StringParameter> string{"string", "default string"};
    // Font names; their defaults are the render interface's main and bold fonts.
    static inline const UIParameter<StringParameter> font{"font", ""};
    static inline const UIParameter<StringParameter> boldFont{"boldFont", ""};
    static inline const UIParameter<Vector2Parameter> topLeft{"topLeft", {0.0f, 0.0f}};
    static inline const UIParameter<Vector2Parameter> bottomRight{"bottomRight", {0.0f, 0.0f}};
    // -1 left (top), 0 centred, 1 right (bottom).
    static inline const UIParameter<IntParameter> horizAlignment{"horizAlignment", -1};
    static inline const UIParameter<IntParameter> vertAlignment{"vertAlignment", -1};
    static inline const UIParameter<Vector4Parameter> colour{"colour", {0.8f, 0.8f, 0.8f, 1.0f}};
    static inline const UIParameter<Vector4Parameter> colour2{"colour2", {1.0f, 1.0f, 1.0f, 1.0f}};
    static inline const UIParameter<BoolParameter> hasEditCursor{"hasEditCursor", false};
    static inline const UIParameter<BoolParameter> shouldSnapToVertPixels{"shouldSnapToVertPixels", true};
    static inline const UIParameter<Vector2Parameter> cursorMouseClickPosition{"cursorMouseClickPosition",
                                                                               {0.0f, 0.0f}};
    static inline const UIParameter<UnsignedIntParameter> cursorLetterPosition{"cursorLetterPosition", 0u};
    static inline const UIParameter<BoolParameter> shouldClipToRectangle{"shouldClipToRectangle", false};
    static inline const UIParameter<Vector2Parameter> clipTopLeft{"clipTopLeft", {-1.0f, 1.0f}};
    static inline const UIParameter<Vector2Parameter> clipBottomRight{"clipBottomRight", {1.0f, -1.0f}};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool,
                                          const std::string& mainFont, const std::string& mainBoldFont) {
        return uiparam::describe(typeName, pool, string, UIParameter<StringParameter>{font.name, mainFont},
                                 UIParameter<StringParameter>{boldFont.name, mainBoldFont}, topLeft, bottomRight,
                                 horizAlignment, vertAlignment, colour, colour2, hasEditCursor, shouldSnapToVertPixels,
                                 cursorMouseClickPosition, cursorLetterPosition, shouldClipToRectangle, clipTopLeft,
                                 clipBottomRight);
    }
};

struct FontTextureParameters {
    static inline const UIParameter<Vector2Parameter> topLeft{"topLeft", {-1.0f, -1.0f}};
    static inline const UIParameter<Vector2Parameter> bottomRight{"bottomRight", {1.0f, 1.0f}};
    static inline const UIParameter<BoolParameter> usePointSampler{"usePointSampler", false};

    static ParameterDescription* describe(const std::string& typeName, ThreadResourcePool* pool) {
        return uiparam::describe(typeName, pool, topLeft, bottomRight, usePointSampler);
    }
};
