#pragma once
// The named set of parameters of one render object (or of one entity's saved data).
#include <string>

#include "app/parameter_manager.h"
#include "app/typed_parameters.h"

class ParameterDescription;

class ParameterGroupInterface {
public:
    virtual ~ParameterGroupInterface() = default;

    // Add: a new parameter of this group, and its linked twin in the twin group when there is
    // one. A name is not checked for: adding it twice gives two parameters, lookups find the first.
    virtual BoolParameter* addBool(const std::string& name, bool value) = 0;
    virtual FloatParameter* addFloat(const std::string& name, float value) = 0;
    virtual IntParameter* addInt(const std::string& name, std::int32_t value) = 0;
    virtual UnsignedIntParameter* addUnsignedInt(const std::string& name, std::uint32_t value) = 0;
    virtual MatrixParameter* addMatrix(const std::string& name, const MatrixValue& value) = 0;
    virtual Vector4Parameter* addVector4(const std::string& name, const Vector4Value& value) = 0;
    virtual Vector3Parameter* addVector3(const std::string& name, const Vector3Value& value) = 0;
    virtual Vector2Parameter* addVector2(const std::string& name, const Vector2Value& value) = 0;
    virtual StringParameter* addString(const std::string& name, const std::string& value) = 0;
    virtual PointPathParameter* addPointPath(const std::string& name, const PointPathValue& value) = 0;
    virtual IntVecArrayParameter* addIntVecArray(const std::string& name, const IntVecArrayValue& value) = 0;
    virtual PointPathAndColourParameter* addPointPathAndColour(const std::string& name,
                                                               const PointPathAndColourValue& value) = 0;
    virtual MatrixVectorParameter* addMatrixVector(const std::string& name, const MatrixVectorValue& value) = 0;

    // Set by name: stores the value in the first parameter of that name and reports the change.
    // A name the group lacks, or a parameter of another kind, is ignored (and logged once per
    // group name and parameter name).
    virtual void setBool(const std::string& name, bool value) = 0;
    virtual void setFloat(const std::string& name, float value) = 0;
    virtual void setInt(const std::string& name, std::int32_t value) = 0;
    virtual void setUnsignedInt(const std::string& name, std::uint32_t value) = 0;
    virtual void setMatrix(const std::string& name, const MatrixValue& value) = 0;
    virtual void setVector4(const std::string& name, const Vector4Value& value) = 0;
    virtual void setVector3(const std::string& name, const Vector3Value& value) = 0;
    virtual void setVector2(const std::string& name, const Vector2Value& value) = 0;
    virtual void setString(const std::string& name, const std::string& value) = 0;
    virtual void setPointPath(const std::string& name, const PointPathValue& value) = 0;
    virtual void setIntVecArray(const std::string& name, const IntVecArrayValue& value) = 0;
    virtual void setPointPathAndColour(const std::string& name, const PointPathAndColourValue& value) = 0;
    virtual void setMatrixVector(const std::string& name, const MatrixVectorValue& value) = 0;

    // The first parameter of that name (exact, whole-string match), or null.
    virtual BaseParameter* getParameter(const std::string& name) const = 0;
    virtual bool hasParameter(const std::string& name) const = 0;
    virtual bool nameEquals(const std::string& name) const = 0;
    virtual const std::string& getName() const = 0;
    // Deletes the first parameter of that name, and its twin in the twin group.
    virtual void removeParameter(const std::string& name) = 0;
    virtual void applyDescription(const ParameterDescription& description) = 0;
    // Whether the group changed since the previous call; clears the flag.
    virtual bool takeChanged() = 0;
    virtual void markChanged() = 0;
    // Whether the named parameter changed since the previous call; clears its flag. Meant for
    // the render side, whose flags the hand-off sets; on the update side the flags are what the
    // hand-off copies, so asking there would hold a value back.
    virtual bool hasParameterChanged(const std::string& name) = 0;
    // The pair's manager (null for a lone group).
    virtual ParameterManager* getManager() const = 0;
    virtual ParameterManager::ParameterGroupPair* getPair() const = 0;
};
