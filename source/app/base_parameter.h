#pragma once
// One named, typed value of a render object; the root of the thirteen parameter kinds.
#include <string>

#include "app/parameter_kind.h"

namespace tinyxml2 {
class XMLNode;
}
class ThreadResourcePool;
class ParameterGroupInterface;

class BaseParameter {
public:
    BaseParameter(const std::string& name, bool paired, ThreadResourcePool* pool, ParameterGroupInterface* group);
    virtual ~BaseParameter();
    BaseParameter(const BaseParameter&) = delete;
    BaseParameter& operator=(const BaseParameter&) = delete;

    // Takes other's value (other must be of the same kind; anything else is ignored) and, when
    // this parameter marks changes, flags it changed. The group and the manager are not told:
    // this is the render side's half of the frame hand-off. True when the value taken differs
    // from the one held before (what is drawn may then change).
    virtual bool copyValueFrom(const BaseParameter& other) = 0;
    // Appends this parameter's element to parent; the list kinds have no XML form and add nothing.
    virtual void writeXml(tinyxml2::XMLNode* parent) const = 0;
    virtual ParameterKind kind() const = 0;

    const std::string& getName() const { return name_; }
    ParameterGroupInterface* getGroup() const { return group_; }
    ThreadResourcePool* getPool() const { return pool_; }
    bool isPaired() const { return paired_; }
    // The parameter of the same name in the twin group, or null.
    BaseParameter* getTwin() const { return twin_; }
    void setTwin(BaseParameter* twin) { twin_ = twin; }

    bool marksChanges() const { return marksChanges_; }
    bool isChanged() const { return changed_; }
    void setChanged(bool changed) { changed_ = changed; }

protected:
    // What every setValue does after storing: list the pair (or mark the lone group) and flag.
    void reportChange();
    void flagChanged() {
        if (marksChanges_) changed_ = true;
    }

private:
    ParameterGroupInterface* group_;
    ThreadResourcePool* pool_;
    std::string name_;
    BaseParameter* twin_ = nullptr;
    // The flags together at the end, where a small value of a kind can share their padding.
    bool paired_;
    bool marksChanges_ = true;
    bool changed_ = false;
};
