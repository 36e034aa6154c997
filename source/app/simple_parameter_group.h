#pragma once
// The one parameter group implementation; also reads and writes the "ParameterDataGroup" element.
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/parameter_group_interface.h"

namespace tinyxml2 {
class XMLElement;
class XMLNode;
}

class SimpleParameterGroup final : public ParameterGroupInterface {
public:
    SimpleParameterGroup(const std::string& name, ThreadResourcePool* pool, bool marksChanges);
    ~SimpleParameterGroup() override;
    SimpleParameterGroup(const SimpleParameterGroup&) = delete;
    SimpleParameterGroup& operator=(const SimpleParameterGroup&) = delete;

    BoolParameter* addBool(const std::string& name, bool value) override;
    FloatParameter* addFloat(const std::string& name, float value) override;
    IntParameter* addInt(const std::string& name, std::int32_t value) override;
    UnsignedIntParameter* addUnsignedInt(const std::string& name, std::uint32_t value) override;
    MatrixParameter* addMatrix(const std::string& name, const MatrixValue& value) override;
    Vector4Parameter* addVector4(const std::string& name, const Vector4Value& value) override;
    Vector3Parameter* addVector3(const std::string& name, const Vector3Value& value) override;
    Vector2Parameter* addVector2(const std::string& name, const Vector2Value& value) override;
    StringParameter* addString(const std::string& name, const std::string& value) override;
    PointPathParameter* addPointPath(const std::string& name, const PointPathValue& value) override;
    IntVecArrayParameter* addIntVecArray(const std::string& name, const IntVecArrayValue& value) override;
    PointPathAndColourParameter* addPointPathAndColour(const std::string& name,
                                                       const PointPathAndColourValue& value) override;
    MatrixVectorParameter* addMatrixVector(const std::string& name, const MatrixVectorValue& value) override;

    void setBool(const std::string& name, bool value) override;
    void setFloat(const std::string& name, float value) override;
    void setInt(const std::string& name, std::int32_t value) override;
    void setUnsignedInt(const std::string& name, std::uint32_t value) override;
    void setMatrix(const std::string& name, const MatrixValue& value) override;
    void setVector4(const std::string& name, const Vector4Value& value) override;
    void setVector3(const std::string& name, const Vector3Value& value) override;
    void setVector2(const std::string& name, const Vector2Value& value) override;
    void setString(const std::string& name, const std::string& value) override;
    void setPointPath(const std::string& name, const PointPathValue& value) override;
    void setIntVecArray(const std::string& name, const IntVecArrayValue& value) override;
    void setPointPathAndColour(const std::string& name, const PointPathAndColourValue& value) override;
    void setMatrixVector(const std::string& name, const MatrixVectorValue& value) override;

    BaseParameter* getParameter(const std::string& name) const override;
    bool hasParameter(const std::string& name) const override;
    bool nameEquals(const std::string& name) const override { return name_ == name; }
    const std::string& getName() const override { return name_; }
    void removeParameter(const std::string& name) override;
    void applyDescription(const ParameterDescription& description) override;
    bool takeChanged() override;
    void markChanged() override;
    bool hasParameterChanged(const std::string& name) override;
    ParameterManager* getManager() const override;
    ParameterManager::ParameterGroupPair* getPair() const override { return pair_; }

    // Appends a "ParameterDataGroup" element to parent, one child per parameter of a kind with
    // an XML form, in the order added. The group's name is not written.
    void saveXml(tinyxml2::XMLNode* parent) const;
    // Reads a "ParameterDataGroup" element: each parameter it names is set when the group has
    // it, added otherwise. An element of another name changes nothing.
    void loadXml(const tinyxml2::XMLElement* element);

    // The bytes that hold, side by side, the parameters description adds to a group and one
    // parameter of each of extraKinds.
    static std::size_t roomFor(const ParameterDescription& description,
                               std::initializer_list<ParameterKind> extraKinds = {});
    // Makes this group's parameters in room (roomFor bytes, aligned for any fundamental type,
    // owned by the caller and outliving the group): a render object's parameters then sit side
    // by side and cost no allocation each. Parameters added beyond that room are allocated
    // alone. Only the first call takes effect.
    void reserveFor(const ParameterDescription& description, std::initializer_list<ParameterKind> extraKinds,
                    std::byte* room);

    // Made by the pair that owns both groups.
    void setTwin(SimpleParameterGroup* twin) { twin_ = twin; }
    void setPair(ParameterManager::ParameterGroupPair* pair) { pair_ = pair; }
    SimpleParameterGroup* getTwin() const { return twin_; }
    // Asks for the parameter list to be brought into cache, ahead of a walk over many groups (a
    // bulk deletion).
    void prefetchParameters() const;

    // In the order added.
    const std::vector<BaseParameter*>& parameters() const { return parameters_; }

private:
    template <class P>
    P* add(const std::string& name, const typename P::ValueType& value);
    template <class P>
    void set(const std::string& name, const typename P::ValueType& value);
    template <class P>
    void loadParameter(const tinyxml2::XMLElement& element);
    // A new parameter of this group, in the reserved block while it has room, else on its own.
    template <class P>
    P* make(const std::string& name, const typename P::ValueType& value, bool paired);
    // Destroys a parameter of this group, however it was made.
    void destroy(BaseParameter* parameter);
    // Removes parameter from this group's list and destroys it.
    void erase(BaseParameter* parameter);

    SimpleParameterGroup* twin_ = nullptr;
    ParameterManager::ParameterGroupPair* pair_ = nullptr;
    std::vector<BaseParameter*> parameters_;
    // The reserved room (not owned); a parameter removed from it leaves its slot unused until the
    // group goes.
    std::byte* storage_ = nullptr;
    std::size_t storageSize_ = 0;
    std::size_t storageUsed_ = 0;
    std::string name_;
    ThreadResourcePool* pool_;
    bool marksChanges_;
    bool changed_ = false;
};
