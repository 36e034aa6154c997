#include "app/parameter_description.h"

#include "app/log.h"
#include "app/parameter_group_interface.h"

namespace {

template <class P>
const typename P::ValueType& valueOf(const BaseParameter& prototype) {
    return static_cast<const P&>(prototype).value;
}

// The prototype's kind was checked against the code when it was added.
void addCopyOfKind(ParameterGroupInterface& group, const BaseParameter& p, ParameterKind kind) {
    const std::string& name = p.getName();
    switch (kind) {
    case ParameterKind::Bool: group.addBool(name, valueOf<BoolParameter>(p)); break;
    case ParameterKind::Float: group.addFloat(name, valueOf<FloatParameter>(p)); break;
    case ParameterKind::Int: group.addInt(name, valueOf<IntParameter>(p)); break;
    case ParameterKind::UnsignedInt: group.addUnsignedInt(name, valueOf<UnsignedIntParameter>(p)); break;
    case ParameterKind::Matrix: group.addMatrix(name, valueOf<MatrixParameter>(p)); break;
    case ParameterKind::Vector4: group.addVector4(name, valueOf<Vector4Parameter>(p)); break;
    case ParameterKind::Vector3: group.addVector3(name, valueOf<Vector3Parameter>(p)); break;
    case ParameterKind::Vector2: group.addVector2(name, valueOf<Vector2Parameter>(p)); break;
    case ParameterKind::String: group.addString(name, valueOf<StringParameter>(p)); break;
    case ParameterKind::PointPath: group.addPointPath(name, valueOf<PointPathParameter>(p)); break;
    case ParameterKind::IntVecArray: group.addIntVecArray(name, valueOf<IntVecArrayParameter>(p)); break;
    case ParameterKind::PointPathAndColour:
        group.addPointPathAndColour(name, valueOf<PointPathAndColourParameter>(p));
        break;
    case ParameterKind::MatrixVector: group.addMatrixVector(name, valueOf<MatrixVectorParameter>(p)); break;
    }
}

} // namespace

ParameterDescription::ParameterDescription(const std::string& typeName, ThreadResourcePool* pool, bool marksChanges)
    : typeName_(typeName), pool_(pool), marksChanges_(marksChanges) {}

ParameterDescription::~ParameterDescription() {
    for (auto& entry : entries_) delete entry.first;
}

void ParameterDescription::addParameter(BaseParameter* prototype, std::uint32_t kindCode) {
    if (!prototype) return;
    if (static_cast<std::uint32_t>(prototype->kind()) != kindCode) {
        LOG_MESSAGE("Parameter \"%s\" of \"%s\" is not of kind %u; left out", prototype->getName().c_str(),
                    typeName_.c_str(), kindCode);
        delete prototype;
        return;
    }
    entries_.emplace_back(prototype, kindCode);
    hasEntries_ = true;
}

void ParameterDescription::applyTo(ParameterGroupInterface& group) const {
    for (const auto& [prototype, code] : entries_) addCopyOfKind(group, *prototype, static_cast<ParameterKind>(code));
}

ParameterDescription* ParameterDescriptionRegistry::find(const std::string& typeName) const {
    const auto found = descriptions_.find(typeName);
    return found == descriptions_.end() ? nullptr : found->second.get();
}

bool ParameterDescriptionRegistry::remove(const std::string& typeName) { return descriptions_.erase(typeName) > 0; }

bool registerParameterDescription(ParameterDescriptionRegistry& registry, ParameterDescription* description) {
    if (!description) return false;
    std::unique_ptr<ParameterDescription> owned(description);
    const std::string typeName = owned->getTypeName();
    return registry.descriptions_.emplace(typeName, std::move(owned)).second;
}
