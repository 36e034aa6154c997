#pragma once
// The thirteen kinds of render-object parameter, their codes and the value types they hold.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The code a parameter description names a kind by. The numbers are stored with descriptions,
// so they keep their historic, partly crossed order (2 unsigned before 3 signed, Matrix last of
// the fixed-size kinds).
enum class ParameterKind : std::uint32_t {
    Bool = 0,
    Float = 1,
    UnsignedInt = 2,
    Int = 3,
    Vector4 = 4,
    Vector3 = 5,
    Vector2 = 6,
    Matrix = 7,
    String = 8,
    PointPath = 9,
    IntVecArray = 10,
    PointPathAndColour = 11,
    MatrixVector = 12,
};

constexpr std::uint32_t parameterKindCount = 13;

// Row-major 4 x 4: element (row r, column c) is at r * 4 + c.
using MatrixValue = std::array<float, 16>;
using Vector4Value = std::array<float, 4>;
using Vector3Value = std::array<float, 3>;
using Vector2Value = std::array<float, 2>;
using PointPathValue = std::vector<Vector3Value>;
using IntVecArrayValue = std::vector<std::vector<std::int32_t>>;
// One point of a coloured path: six 32-bit words, the point then its red, green and blue.
struct PointAndColour {
    float point[3];
    float colour[3];
    bool operator==(const PointAndColour&) const = default;
};
static_assert(sizeof(PointAndColour) == 24);
using PointPathAndColourValue = std::vector<PointAndColour>;
using MatrixVectorValue = std::vector<MatrixValue>;

// The XML element name of a kind ("BoolParameter", ..., "MatrixVectorParameter"). The four list
// kinds are never written, but their element names are still recognised when read.
const char* parameterKindElementName(ParameterKind kind);
// The kind whose element name is name; false when none is.
bool parameterKindFromElementName(const char* name, ParameterKind& kind);
// Whether the kind has an XML form (the nine fixed-size kinds).
bool parameterKindIsWritten(ParameterKind kind);
