#include "app/parameter_manager.h"

#include <algorithm>

#include "app/log.h"
#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"

ParameterManager::ParameterGroupPair::ParameterGroupPair(const std::string& typeName, ThreadResourcePool* pool,
                                                         ParameterManager* manager, bool marksChanges)
    : typeName(typeName),
      pool(pool),
      manager(manager),
      marksChanges(marksChanges),
      updateGroup_(std::make_unique<SimpleParameterGroup>(typeName, pool, marksChanges)),
      renderGroup_(std::make_unique<SimpleParameterGroup>(typeName, pool, marksChanges)) {
    updateGroup_->setTwin(renderGroup_.get());
    renderGroup_->setTwin(updateGroup_.get());
    updateGroup_->setPair(this);
    renderGroup_->setPair(this);
}

ParameterManager::ParameterGroupPair::~ParameterGroupPair() = default;

ParameterManager::ParameterManager(ParameterDescriptionRegistry* registry, ThreadResourcePool* pool)
    : registry_(registry), pool_(pool) {}

ParameterManager::~ParameterManager() {
    applyPending();
    for (ParameterGroupPair* pair : livePairs_) delete pair;
}

ParameterManager::ParameterGroupPair* ParameterManager::createGroupPair(const std::string& typeName) {
    ParameterDescription* description = registry_ ? registry_->find(typeName) : nullptr;
    if (!description) {
        LOG_MESSAGE("failed to find description!");
        return nullptr;
    }
    auto* pair = new ParameterGroupPair(typeName, pool_, this, description->marksChanges());
    if (description->hasEntries()) {
        pair->live = true;
        // The update-side group has its twin, so every parameter is made on both sides, linked.
        description->applyTo(*pair->updateGroup());
    }
    pendingAdditions_.push_back(pair);
    return pair;
}

void ParameterManager::addPendingDeletion(ParameterGroupPair* pair) {
    // Queued twice, a pair would be deleted twice.
    if (pair && pendingDeletionSet_.insert(pair).second) pendingDeletions_.push_back(pair);
}

void ParameterManager::addChangedPair(ParameterGroupPair* pair) { changedPairs_.push_back(pair); }

void ParameterManager::applyPending() {
    livePairs_.splice(livePairs_.end(), pendingAdditions_);
    if (pendingDeletions_.empty()) return;
    // One pass over each list for the whole batch, not one per deleted pair.
    const auto doomed = [this](ParameterGroupPair* pair) { return pendingDeletionSet_.count(pair) != 0; };
    livePairs_.remove_if(doomed);
    changedPairs_.remove_if(doomed);
    for (ParameterGroupPair* pair : pendingDeletions_) delete pair;
    pendingDeletions_.clear();
    pendingDeletionSet_.clear();
}

void ParameterManager::sync() {
    applyPending();
    for (ParameterGroupPair* pair : changedPairs_) {
        if (!pair->live) continue;
        for (BaseParameter* parameter : pair->updateGroup()->parameters()) {
            if (!parameter->isChanged()) continue;
            parameter->setChanged(false);
            if (BaseParameter* twin = parameter->getTwin()) twin->copyValueFrom(*parameter);
        }
        pair->renderGroup()->markChanged();
        if (pair->owner) pair->owner->parametersChanged();
    }
    changedPairs_.clear();
}
