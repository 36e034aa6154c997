#include "app/typed_parameters.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tinyxml2.h>

namespace {

void setFloatAttribute(tinyxml2::XMLElement* element, const char* attribute, float value) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    element->SetAttribute(attribute, buffer);
}

void setIntAttribute(tinyxml2::XMLElement* element, const char* attribute, std::int32_t value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    element->SetAttribute(attribute, buffer);
}

// Writes the named float attributes of a fixed-size float array, in the given order.
template <std::size_t N>
void writeFloats(tinyxml2::XMLElement* element, const char* const (&names)[N], const std::array<float, N>& values) {
    for (std::size_t i = 0; i < N; ++i) setFloatAttribute(element, names[i], values[i]);
}

template <std::size_t N>
void readFloats(const tinyxml2::XMLElement& element, const char* const (&names)[N], std::string& name,
                std::array<float, N>& values) {
    for (const tinyxml2::XMLAttribute* a = element.FirstAttribute(); a; a = a->Next()) {
        if (std::strcmp(a->Name(), "name") == 0) {
            name = a->Value();
            continue;
        }
        for (std::size_t i = 0; i < N; ++i) {
            if (std::strcmp(a->Name(), names[i]) == 0) values[i] = static_cast<float>(std::atof(a->Value()));
        }
    }
}

// Reads "name" and the single "value" attribute through convert.
template <class T, class Convert>
void readSingle(const tinyxml2::XMLElement& element, std::string& name, T& value, Convert convert) {
    for (const tinyxml2::XMLAttribute* a = element.FirstAttribute(); a; a = a->Next()) {
        if (std::strcmp(a->Name(), "name") == 0) name = a->Value();
        else if (std::strcmp(a->Name(), "value") == 0) value = convert(a->Value());
    }
}

constexpr const char* vector2Names[] = {"x", "y"};
constexpr const char* vector3Names[] = {"x", "y", "z"};
constexpr const char* vector4Names[] = {"x", "y", "z", "w"};
constexpr const char* matrixNames[] = {"11", "12", "13", "14", "21", "22", "23", "24",
                                       "31", "32", "33", "34", "41", "42", "43", "44"};

// Value attributes of each kind, written after "name" and read in document order.

void writeValue(tinyxml2::XMLElement* element, bool value) { setIntAttribute(element, "value", value ? 1 : 0); }
void readValue(const tinyxml2::XMLElement& element, std::string& name, bool& value) {
    // Only the low byte of the number counts, as it did when the flag was a byte.
    readSingle(element, name, value, [](const char* v) { return static_cast<std::uint8_t>(std::atoi(v)) != 0; });
}

void writeValue(tinyxml2::XMLElement* element, float value) { setFloatAttribute(element, "value", value); }
void readValue(const tinyxml2::XMLElement& element, std::string& name, float& value) {
    readSingle(element, name, value, [](const char* v) { return static_cast<float>(std::atof(v)); });
}

void writeValue(tinyxml2::XMLElement* element, std::int32_t value) { setIntAttribute(element, "value", value); }
void readValue(const tinyxml2::XMLElement& element, std::string& name, std::int32_t& value) {
    readSingle(element, name, value, [](const char* v) { return static_cast<std::int32_t>(std::atoi(v)); });
}

// Written as a signed number, so values of 2^31 and above come out negative; the reader takes
// the 32 bits back.
void writeValue(tinyxml2::XMLElement* element, std::uint32_t value) {
    setIntAttribute(element, "value", static_cast<std::int32_t>(value));
}
void readValue(const tinyxml2::XMLElement& element, std::string& name, std::uint32_t& value) {
    readSingle(element, name, value, [](const char* v) { return static_cast<std::uint32_t>(std::atoi(v)); });
}

void writeValue(tinyxml2::XMLElement* element, const MatrixValue& value) { writeFloats(element, matrixNames, value); }
void readValue(const tinyxml2::XMLElement& element, std::string& name, MatrixValue& value) {
    readFloats(element, matrixNames, name, value);
}

void writeValue(tinyxml2::XMLElement* element, const Vector4Value& value) { writeFloats(element, vector4Names, value); }
void readValue(const tinyxml2::XMLElement& element, std::string& name, Vector4Value& value) {
    readFloats(element, vector4Names, name, value);
}

void writeValue(tinyxml2::XMLElement* element, const Vector3Value& value) { writeFloats(element, vector3Names, value); }
void readValue(const tinyxml2::XMLElement& element, std::string& name, Vector3Value& value) {
    readFloats(element, vector3Names, name, value);
}

void writeValue(tinyxml2::XMLElement* element, const Vector2Value& value) { writeFloats(element, vector2Names, value); }
void readValue(const tinyxml2::XMLElement& element, std::string& name, Vector2Value& value) {
    readFloats(element, vector2Names, name, value);
}

void writeValue(tinyxml2::XMLElement* element, const std::string& value) { element->SetAttribute("value", value.c_str()); }
void readValue(const tinyxml2::XMLElement& element, std::string& name, std::string& value) {
    readSingle(element, name, value, [](const char* v) { return std::string(v); });
}

} // namespace

template <class T, ParameterKind K>
void TypedParameter<T, K>::writeXml(tinyxml2::XMLNode* parent) const {
    // The list kinds have no XML form.
    if constexpr (K <= ParameterKind::String) {
        tinyxml2::XMLElement* element = parent->GetDocument()->NewElement(parameterKindElementName(K));
        element->SetAttribute("name", getName().c_str());
        writeValue(element, value);
        parent->InsertEndChild(element);
    } else {
        (void)parent;
    }
}

template <class T, ParameterKind K>
void TypedParameter<T, K>::readXml(const tinyxml2::XMLElement& element, std::string& name, T& value) {
    // A list kind's element carries nothing to read: it stands for an unnamed, empty list.
    if constexpr (K <= ParameterKind::String) {
        readValue(element, name, value);
    } else {
        (void)element;
        (void)name;
        (void)value;
    }
}

template class TypedParameter<bool, ParameterKind::Bool>;
template class TypedParameter<float, ParameterKind::Float>;
template class TypedParameter<std::int32_t, ParameterKind::Int>;
template class TypedParameter<std::uint32_t, ParameterKind::UnsignedInt>;
template class TypedParameter<MatrixValue, ParameterKind::Matrix>;
template class TypedParameter<Vector4Value, ParameterKind::Vector4>;
template class TypedParameter<Vector3Value, ParameterKind::Vector3>;
template class TypedParameter<Vector2Value, ParameterKind::Vector2>;
template class TypedParameter<std::string, ParameterKind::String>;
template class TypedParameter<PointPathValue, ParameterKind::PointPath>;
template class TypedParameter<IntVecArrayValue, ParameterKind::IntVecArray>;
template class TypedParameter<PointPathAndColourValue, ParameterKind::PointPathAndColour>;
template class TypedParameter<MatrixVectorValue, ParameterKind::MatrixVector>;
