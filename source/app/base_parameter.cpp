#include "app/base_parameter.h"

#include "app/parameter_group_interface.h"
#include "app/parameter_manager.h"

BaseParameter::BaseParameter(const std::string& name, bool paired, ThreadResourcePool* pool,
                             ParameterGroupInterface* group)
    : group_(group), pool_(pool), name_(name), paired_(paired) {}

BaseParameter::~BaseParameter() {
    // A twin that outlives this parameter must not copy from freed memory at the next sync.
    if (twin_ && twin_->twin_ == this) twin_->twin_ = nullptr;
}

void BaseParameter::reportChange() {
    if (group_) {
        // Each call lists the pair again: the sync finds nothing new on the repeats, which is
        // cheaper than searching the list here on every set.
        if (ParameterManager::ParameterGroupPair* pair = group_->getPair()) {
            if (ParameterManager* manager = group_->getManager()) manager->addChangedPair(pair);
        } else {
            group_->markChanged();
        }
    }
    flagChanged();
}
