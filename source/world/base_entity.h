#pragma once
// The base of every entity: a named object whose parameters live in one group, "entitySaveData",
// saved to and loaded from an XML element named after the entity's type.
#include <memory>
#include <string>

struct EntityContext;
class SimpleParameterGroup;

namespace tinyxml2 {
class XMLElement;
class XMLNode;
} // namespace tinyxml2

class BaseEntity {
public:
    // The owner must be complete: the constructor makes the save group on its parameter manager.
    BaseEntity(EntityContext* owner, std::string name);
    virtual ~BaseEntity();
    BaseEntity(const BaseEntity&) = delete;
    BaseEntity& operator=(const BaseEntity&) = delete;

    virtual void activate() = 0;
    // Gives back the render object and the body; owners call it before deleting a world entity.
    virtual void releaseWorldObjects() = 0;
    virtual void update(float dt) = 0;
    // Appends an element named after the entity, holding the save group, to parent; returns it.
    virtual tinyxml2::XMLNode* saveXml(tinyxml2::XMLNode* parent);
    // Reads an element of the entity's name into the save group (others are ignored), then
    // binds the parameters in either case.
    virtual void loadXml(const tinyxml2::XMLElement* element);
    // Fetches the entity's parameter pointers from the save group again.
    virtual void bindParameters() {}
    // Adds the entity's parameters, with their start values, to the save group.
    virtual void addParameters() {}
    virtual void setFlag(bool flag) { flag_ = flag; }

    const std::string& getName() const { return name_; }
    SimpleParameterGroup* saveGroup() const { return saveGroup_.get(); }
    EntityContext* owner() const { return owner_; }
    bool flag() const { return flag_; }

private:
    std::unique_ptr<SimpleParameterGroup> saveGroup_;
    std::string name_;
    EntityContext* owner_;
    bool flag_ = false;
};
