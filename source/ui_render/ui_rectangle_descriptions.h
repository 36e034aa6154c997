#pragma once
// The parameter lists of the rectangle object types.
#include <string>

class ParameterDescription;
class ThreadResourcePool;

// "topLeft", "bottomRight", "colour".
ParameterDescription* describeSimpleRectangle(const std::string& typeName, ThreadResourcePool* pool);
// The frame with separate values: corners, three colours, four border sizes, "borderInset",
// "roundedCorners".
ParameterDescription* describeOutlinedRectangle(const std::string& typeName, ThreadResourcePool* pool);
// The same content packed: "position", "colours", "borderWidths".
ParameterDescription* describeCompressedOutlinedRectangle(const std::string& typeName, ThreadResourcePool* pool);
