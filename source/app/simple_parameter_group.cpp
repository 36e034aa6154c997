#include "app/simple_parameter_group.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <tinyxml2.h>

#include "app/parameter_description.h"
#include "app/parameter_faults.h"
#include "app/prefetch.h"

namespace {

// Every slot of the reserved block starts on a boundary that suits every kind, whatever the kind before it.
constexpr std::size_t slotAlignment =
    std::max({alignof(BoolParameter), alignof(FloatParameter), alignof(IntParameter), alignof(UnsignedIntParameter),
              alignof(MatrixParameter), alignof(Vector4Parameter), alignof(Vector3Parameter), alignof(Vector2Parameter),
              alignof(StringParameter), alignof(PointPathParameter), alignof(IntVecArrayParameter),
              alignof(PointPathAndColourParameter), alignof(MatrixVectorParameter)});

static_assert(slotAlignment <= alignof(std::max_align_t),
              "a room aligned for any fundamental type suits every slot");

constexpr std::size_t slotSize(std::size_t size) { return (size + slotAlignment - 1) / slotAlignment * slotAlignment; }

template <class P>
constexpr std::size_t slotOf() {
    return slotSize(sizeof(P));
}

std::size_t slotOfKind(ParameterKind kind) {
    switch (kind) {
    case ParameterKind::Bool: return slotOf<BoolParameter>();
    case ParameterKind::Float: return slotOf<FloatParameter>();
    case ParameterKind::Int: return slotOf<IntParameter>();
    case ParameterKind::UnsignedInt: return slotOf<UnsignedIntParameter>();
    case ParameterKind::Matrix: return slotOf<MatrixParameter>();
    case ParameterKind::Vector4: return slotOf<Vector4Parameter>();
    case ParameterKind::Vector3: return slotOf<Vector3Parameter>();
    case ParameterKind::Vector2: return slotOf<Vector2Parameter>();
    case ParameterKind::String: return slotOf<StringParameter>();
    case ParameterKind::PointPath: return slotOf<PointPathParameter>();
    case ParameterKind::IntVecArray: return slotOf<IntVecArrayParameter>();
    case ParameterKind::PointPathAndColour: return slotOf<PointPathAndColourParameter>();
    case ParameterKind::MatrixVector: return slotOf<MatrixVectorParameter>();
    }
    return 0;
}

} // namespace

SimpleParameterGroup::SimpleParameterGroup(const std::string& name, ThreadResourcePool* pool, bool marksChanges)
    : name_(name), pool_(pool), marksChanges_(marksChanges) {}

SimpleParameterGroup::~SimpleParameterGroup() {
    for (BaseParameter* parameter : parameters_) destroy(parameter);
}

std::size_t SimpleParameterGroup::roomFor(const ParameterDescription& description,
                                          std::initializer_list<ParameterKind> extraKinds) {
    std::size_t size = 0;
    for (const auto& entry : description.entries()) size += slotOfKind(static_cast<ParameterKind>(entry.second));
    for (ParameterKind kind : extraKinds) size += slotOfKind(kind);
    return size;
}

void SimpleParameterGroup::reserveFor(const ParameterDescription& description,
                                      std::initializer_list<ParameterKind> extraKinds, std::byte* room) {
    if (storage_) return;
    parameters_.reserve(parameters_.size() + description.entries().size() + extraKinds.size());
    const std::size_t size = roomFor(description, extraKinds);
    if (size == 0) return;
    storage_ = room;
    storageSize_ = size;
    storageUsed_ = 0;
}

void SimpleParameterGroup::prefetchParameters() const { prefetchForRead(parameters_.data()); }

template <class P>
P* SimpleParameterGroup::make(const std::string& name, const typename P::ValueType& value, bool paired) {
    constexpr std::size_t slot = slotOf<P>();
    if (storage_ && storageSize_ - storageUsed_ >= slot) {
        void* place = storage_ + storageUsed_;
        storageUsed_ += slot;
        return new (place) P(name, value, paired, pool_, this);
    }
    return new P(name, value, paired, pool_, this);
}

void SimpleParameterGroup::destroy(BaseParameter* parameter) {
    const auto address = reinterpret_cast<std::uintptr_t>(parameter);
    const auto begin = reinterpret_cast<std::uintptr_t>(storage_);
    if (storage_ && address >= begin && address < begin + storageSize_) {
        parameter->~BaseParameter();
    } else {
        delete parameter;
    }
}

template <class P>
P* SimpleParameterGroup::add(const std::string& name, const typename P::ValueType& value) {
    P* parameter = make<P>(name, value, twin_ != nullptr);
    parameters_.push_back(parameter);
    if (twin_) {
        P* twinParameter = twin_->make<P>(name, value, true);
        parameter->setTwin(twinParameter);
        twinParameter->setTwin(parameter);
        twin_->parameters_.push_back(twinParameter);
    }
    return parameter;
}

template <class P>
void SimpleParameterGroup::set(const std::string& name, const typename P::ValueType& value) {
    BaseParameter* parameter = getParameter(name);
    if (!parameter) {
        parameterfaults::report(name_, name, "setting", parameterfaults::missing);
        return;
    }
    if (parameter->kind() != P::staticKind) {
        parameterfaults::report(name_, name, "setting", parameterfaults::otherKind);
        return;
    }
    static_cast<P*>(parameter)->setValue(value);
}

BoolParameter* SimpleParameterGroup::addBool(const std::string& n, bool v) { return add<BoolParameter>(n, v); }
FloatParameter* SimpleParameterGroup::addFloat(const std::string& n, float v) { return add<FloatParameter>(n, v); }
IntParameter* SimpleParameterGroup::addInt(const std::string& n, std::int32_t v) { return add<IntParameter>(n, v); }
UnsignedIntParameter* SimpleParameterGroup::addUnsignedInt(const std::string& n, std::uint32_t v) {
    return add<UnsignedIntParameter>(n, v);
}
MatrixParameter* SimpleParameterGroup::addMatrix(const std::string& n, const MatrixValue& v) {
    return add<MatrixParameter>(n, v);
}
Vector4Parameter* SimpleParameterGroup::addVector4(const std::string& n, const Vector4Value& v) {
    return add<Vector4Parameter>(n, v);
}
Vector3Parameter* SimpleParameterGroup::addVector3(const std::string& n, const Vector3Value& v) {
    return add<Vector3Parameter>(n, v);
}
Vector2Parameter* SimpleParameterGroup::addVector2(const std::string& n, const Vector2Value& v) {
    return add<Vector2Parameter>(n, v);
}
StringParameter* SimpleParameterGroup::addString(const std::string& n, const std::string& v) {
    return add<StringParameter>(n, v);
}
PointPathParameter* SimpleParameterGroup::addPointPath(const std::string& n, const PointPathValue& v) {
    return add<PointPathParameter>(n, v);
}
IntVecArrayParameter* SimpleParameterGroup::addIntVecArray(const std::string& n, const IntVecArrayValue& v) {
    return add<IntVecArrayParameter>(n, v);
}
PointPathAndColourParameter* SimpleParameterGroup::addPointPathAndColour(const std::string& n,
                                                                         const PointPathAndColourValue& v) {
    return add<PointPathAndColourParameter>(n, v);
}
MatrixVectorParameter* SimpleParameterGroup::addMatrixVector(const std::string& n, const MatrixVectorValue& v) {
    return add<MatrixVectorParameter>(n, v);
}

void SimpleParameterGroup::setBool(const std::string& n, bool v) { set<BoolParameter>(n, v); }
void SimpleParameterGroup::setFloat(const std::string& n, float v) { set<FloatParameter>(n, v); }
void SimpleParameterGroup::setInt(const std::string& n, std::int32_t v) { set<IntParameter>(n, v); }
void SimpleParameterGroup::setUnsignedInt(const std::string& n, std::uint32_t v) { set<UnsignedIntParameter>(n, v); }
void SimpleParameterGroup::setMatrix(const std::string& n, const MatrixValue& v) { set<MatrixParameter>(n, v); }
void SimpleParameterGroup::setVector4(const std::string& n, const Vector4Value& v) { set<Vector4Parameter>(n, v); }
void SimpleParameterGroup::setVector3(const std::string& n, const Vector3Value& v) { set<Vector3Parameter>(n, v); }
void SimpleParameterGroup::setVector2(const std::string& n, const Vector2Value& v) { set<Vector2Parameter>(n, v); }
void SimpleParameterGroup::setString(const std::string& n, const std::string& v) { set<StringParameter>(n, v); }
void SimpleParameterGroup::setPointPath(const std::string& n, const PointPathValue& v) { set<PointPathParameter>(n, v); }
void SimpleParameterGroup::setIntVecArray(const std::string& n, const IntVecArrayValue& v) {
    set<IntVecArrayParameter>(n, v);
}
void SimpleParameterGroup::setPointPathAndColour(const std::string& n, const PointPathAndColourValue& v) {
    set<PointPathAndColourParameter>(n, v);
}
void SimpleParameterGroup::setMatrixVector(const std::string& n, const MatrixVectorValue& v) {
    set<MatrixVectorParameter>(n, v);
}

BaseParameter* SimpleParameterGroup::getParameter(const std::string& name) const {
    for (BaseParameter* parameter : parameters_) {
        if (parameter->getName() == name) return parameter;
    }
    return nullptr;
}

bool SimpleParameterGroup::hasParameter(const std::string& name) const { return getParameter(name) != nullptr; }

void SimpleParameterGroup::erase(BaseParameter* parameter) {
    parameters_.erase(std::find(parameters_.begin(), parameters_.end(), parameter));
    destroy(parameter);
}

void SimpleParameterGroup::removeParameter(const std::string& name) {
    BaseParameter* parameter = getParameter(name);
    if (!parameter) return;
    // The twin goes too: left behind, it would stay linked to freed memory and the next sync
    // of the pair would copy from it.
    if (BaseParameter* twinParameter = parameter->getTwin(); twinParameter && twin_) {
        const auto& twinList = twin_->parameters_;
        if (std::find(twinList.begin(), twinList.end(), twinParameter) != twinList.end()) twin_->erase(twinParameter);
    }
    erase(parameter);
}

void SimpleParameterGroup::applyDescription(const ParameterDescription& description) { description.applyTo(*this); }

bool SimpleParameterGroup::takeChanged() {
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

void SimpleParameterGroup::markChanged() {
    if (marksChanges_) changed_ = true;
}

bool SimpleParameterGroup::hasParameterChanged(const std::string& name) {
    BaseParameter* parameter = getParameter(name);
    if (!parameter || !parameter->isChanged()) return false;
    parameter->setChanged(false);
    return true;
}

ParameterManager* SimpleParameterGroup::getManager() const { return pair_ ? pair_->manager : nullptr; }

void SimpleParameterGroup::saveXml(tinyxml2::XMLNode* parent) const {
    if (!parent) return;
    tinyxml2::XMLElement* element = parent->GetDocument()->NewElement("ParameterDataGroup");
    for (const BaseParameter* parameter : parameters_) parameter->writeXml(element);
    parent->InsertEndChild(element);
}

template <class P>
void SimpleParameterGroup::loadParameter(const tinyxml2::XMLElement& element) {
    std::string name;
    typename P::ValueType value{};
    // Read the name first, so that attributes the element lacks keep the value it already has.
    P::readXml(element, name, value);
    BaseParameter* existing = getParameter(name);
    if (!existing) {
        add<P>(name, value);
        return;
    }
    // A list kind's element stands for an empty list; the others only change what they carry.
    if (P::staticKind <= ParameterKind::String && existing->kind() == P::staticKind) {
        value = static_cast<P*>(existing)->value;
        P::readXml(element, name, value);
    }
    set<P>(name, value);
}

void SimpleParameterGroup::loadXml(const tinyxml2::XMLElement* element) {
    if (!element || std::string(element->Name()) != "ParameterDataGroup") return;
    for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        ParameterKind kind;
        if (!parameterKindFromElementName(child->Name(), kind)) continue;
        switch (kind) {
        case ParameterKind::Bool: loadParameter<BoolParameter>(*child); break;
        case ParameterKind::Float: loadParameter<FloatParameter>(*child); break;
        case ParameterKind::Int: loadParameter<IntParameter>(*child); break;
        case ParameterKind::UnsignedInt: loadParameter<UnsignedIntParameter>(*child); break;
        case ParameterKind::Matrix: loadParameter<MatrixParameter>(*child); break;
        case ParameterKind::Vector4: loadParameter<Vector4Parameter>(*child); break;
        case ParameterKind::Vector3: loadParameter<Vector3Parameter>(*child); break;
        case ParameterKind::Vector2: loadParameter<Vector2Parameter>(*child); break;
        case ParameterKind::String: loadParameter<StringParameter>(*child); break;
        case ParameterKind::PointPath: loadParameter<PointPathParameter>(*child); break;
        case ParameterKind::IntVecArray: loadParameter<IntVecArrayParameter>(*child); break;
        case ParameterKind::PointPathAndColour: loadParameter<PointPathAndColourParameter>(*child); break;
        case ParameterKind::MatrixVector: loadParameter<MatrixVectorParameter>(*child); break;
        }
    }
}
