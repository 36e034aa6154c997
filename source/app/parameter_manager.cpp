#include "app/parameter_manager.h"

#include <algorithm>

#include "app/log.h"
#include "app/parameter_description.h"
#include "app/prefetch.h"
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

ParameterManager::ParameterGroupPair* ParameterManager::createGroupPair(const std::string& typeName,
                                                                        std::initializer_list<ParameterKind> extraKinds) {
    ParameterDescription* description = registry_ ? registry_->find(typeName) : nullptr;
    if (!description) {
        LOG_MESSAGE("failed to find description!");
        return nullptr;
    }
    auto* pair = new ParameterGroupPair(typeName, pool_, this, description->marksChanges());
    pair->updateGroup()->reserveFor(*description, extraKinds);
    pair->renderGroup()->reserveFor(*description, extraKinds);
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
    if (!pair || pair->deletionQueued) return;
    pair->deletionQueued = true;
    pendingDeletions_.push_back(pair);
}

void ParameterManager::addChangedPair(ParameterGroupPair* pair) { changedPairs_.push_back(pair); }

void ParameterManager::applyPending() {
    livePairs_.insert(livePairs_.end(), pendingAdditions_.begin(), pendingAdditions_.end());
    pendingAdditions_.clear();
    if (pendingDeletions_.empty()) return;
    // One pass over each list for the whole batch, not one per deleted pair.
    const auto doomed = [](const ParameterGroupPair* pair) { return pair->deletionQueued; };
    std::erase_if(livePairs_, doomed);
    std::erase_if(changedPairs_, doomed);
    deletePendingPairs();
    pendingDeletions_.clear();
}

void ParameterManager::deletePendingPairs() {
    // A closing screen frees thousands of pairs whose memory is cold by now, and each pair leads
    // to its groups and they to their parameters: one cache miss waits on the next. Asking for
    // later pairs in the same steps (the pair, then its groups, then their parameters) lets those
    // loads overlap, so the cost per pair stays about the same however many there are.
    constexpr std::size_t pairAhead = 12, groupsAhead = 8, parametersAhead = 4;
    const std::size_t count = pendingDeletions_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + pairAhead < count) prefetchForRead(pendingDeletions_[i + pairAhead]);
        if (i + groupsAhead < count) {
            const ParameterGroupPair* pair = pendingDeletions_[i + groupsAhead];
            prefetchForRead(pair->updateGroup());
            prefetchForRead(pair->renderGroup());
        }
        if (i + parametersAhead < count) {
            const ParameterGroupPair* pair = pendingDeletions_[i + parametersAhead];
            pair->updateGroup()->prefetchParameters();
            pair->renderGroup()->prefetchParameters();
        }
        delete pendingDeletions_[i];
    }
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
