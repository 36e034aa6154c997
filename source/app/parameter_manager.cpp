#include "app/parameter_manager.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>

#include "app/log.h"
#include "app/parameter_description.h"
#include "app/prefetch.h"
#include "app/simple_parameter_group.h"

namespace {

// Every part of a pair's slot and block starts on a boundary that suits any fundamental type.
constexpr std::size_t placeAlignment = alignof(std::max_align_t);
constexpr std::size_t aligned(std::size_t size) {
    return (size + placeAlignment - 1) / placeAlignment * placeAlignment;
}
static_assert(alignof(SimpleParameterGroup) <= placeAlignment);
constexpr std::size_t pairAlignment = alignof(ParameterManager::ParameterGroupPair);

// How many pairs ahead a walk over a list of pairs asks for the next ones: far enough for a
// cold pair to arrive from memory before the walk gets to it.
constexpr std::size_t walkAhead = 16;

// Removes the pairs queued for deletion from pairs, keeping the order of the others.
void removeDoomed(std::vector<ParameterManager::ParameterGroupPair*>& pairs) {
    const std::size_t count = pairs.size();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + walkAhead < count) prefetchForRead(pairs[i + walkAhead]);
        if (!pairs[i]->deletionQueued) pairs[kept++] = pairs[i];
    }
    pairs.resize(kept);
}

} // namespace

// Where the parts of a manager's pair block sit: the update-side group, the render-side group,
// the update-side room, the render-side room.
struct ParameterManager::ParameterGroupPair::Body {
    static constexpr std::size_t updateGroup = 0;
    static constexpr std::size_t renderGroup = aligned(sizeof(SimpleParameterGroup));
    static constexpr std::size_t updateRoom = renderGroup + aligned(sizeof(SimpleParameterGroup));

    explicit Body(std::size_t roomPerGroup) : room(roomPerGroup) {}
    std::size_t renderRoom() const { return updateRoom + aligned(room); }
    std::size_t size() const { return renderRoom() + room; }

    std::size_t room;
};

ParameterManager::ParameterGroupPair::ParameterGroupPair(const ParameterDescription& description,
                                                         std::initializer_list<ParameterKind> extraKinds,
                                                         ThreadResourcePool* pool, ParameterManager* manager,
                                                         std::size_t handleRoomSize)
    : marksChanges(description.marksChanges()), manager(manager), pool(pool), typeName(description.getTypeName()),
      handleRoomSize_(handleRoomSize) {
    const Body body(SimpleParameterGroup::roomFor(description, extraKinds));
    body_ = static_cast<std::byte*>(::operator new(body.size()));
    bodySize_ = body.size();
    try {
        updateGroup_ = ::new (body_ + Body::updateGroup) SimpleParameterGroup(typeName, pool, marksChanges);
        renderGroup_ = ::new (body_ + Body::renderGroup) SimpleParameterGroup(typeName, pool, marksChanges);
        updateGroup_->setTwin(renderGroup_);
        renderGroup_->setTwin(updateGroup_);
        updateGroup_->setPair(this);
        renderGroup_->setPair(this);
        updateGroup_->reserveFor(description, extraKinds, body_ + Body::updateRoom);
        renderGroup_->reserveFor(description, extraKinds, body_ + body.renderRoom());
    } catch (...) {
        if (renderGroup_) renderGroup_->~SimpleParameterGroup();
        if (updateGroup_) updateGroup_->~SimpleParameterGroup();
        ::operator delete(body_);
        throw;
    }
}

ParameterManager::ParameterGroupPair::~ParameterGroupPair() {
    renderGroup_->~SimpleParameterGroup();
    updateGroup_->~SimpleParameterGroup();
    ::operator delete(body_);
}

void* ParameterManager::ParameterGroupPair::handleRoom() const {
    if (handleRoomSize_ == 0) return nullptr;
    return const_cast<std::byte*>(reinterpret_cast<const std::byte*>(this)) - handleRoomSize_;
}

void ParameterManager::ParameterGroupPair::prefetchBody() const {
    prefetchRangeForRead(body_, bodySize_);
}

void ParameterManager::ParameterGroupPair::prefetchGroupLists() const {
    updateGroup_->prefetchParameters();
    renderGroup_->prefetchParameters();
}

ParameterManager::ParameterManager(ParameterDescriptionRegistry* registry, ThreadResourcePool* pool,
                                   std::size_t handleRoomSize)
    : registry_(registry), pool_(pool),
      handleRoomSize_((handleRoomSize + pairAlignment - 1) / pairAlignment * pairAlignment),
      slots_(handleRoomSize_ + sizeof(ParameterGroupPair)) {}

ParameterManager::~ParameterManager() {
    applyPending();
    releaseRetiredPairs();
    for (ParameterGroupPair* pair : livePairs_) destroyPair(pair);
}

void ParameterManager::destroyPair(ParameterGroupPair* pair) {
    pair->~ParameterGroupPair();
    slots_.giveBack(reinterpret_cast<std::byte*>(pair) - handleRoomSize_);
}

ParameterManager::ParameterGroupPair* ParameterManager::createGroupPair(const std::string& typeName,
                                                                        std::initializer_list<ParameterKind> extraKinds) {
    ParameterDescription* description = registry_ ? registry_->find(typeName) : nullptr;
    if (!description) {
        LOG_MESSAGE("failed to find description!");
        return nullptr;
    }
    // The handle first: it and the pair's flags, which the hand-off reads of a deleted object,
    // share the slot's first cache line.
    auto* const slot = static_cast<std::byte*>(slots_.take());
    ParameterGroupPair* pair = nullptr;
    try {
        pair = ::new (slot + handleRoomSize_)
            ParameterGroupPair(*description, extraKinds, pool_, this, handleRoomSize_);
    } catch (...) {
        slots_.giveBack(slot);
        throw;
    }
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
    removeDoomed(livePairs_);
    removeDoomed(changedPairs_);
    if (retiredPairs_.empty()) {
        // Hands the retired list's room to the next batch as well.
        retiredPairs_.swap(pendingDeletions_);
    } else {
        retiredPairs_.insert(retiredPairs_.end(), pendingDeletions_.begin(), pendingDeletions_.end());
    }
    pendingDeletions_.clear();
}

void ParameterManager::releaseRetiredPairs() {
    // A closing screen frees thousands of pairs whose memory is cold by now, and each pair leads
    // to its block and that to its groups' parameter lists: one cache miss waits on the next.
    // Asking for later pairs in the same steps (the pair, then its block, then the lists) lets
    // those loads overlap, so the cost per pair stays about the same however many there are.
    constexpr std::size_t pairAhead = 12, bodyAhead = 8, listsAhead = 4;
    const std::size_t count = retiredPairs_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + pairAhead < count) prefetchForRead(retiredPairs_[i + pairAhead]);
        if (i + bodyAhead < count) retiredPairs_[i + bodyAhead]->prefetchBody();
        if (i + listsAhead < count) retiredPairs_[i + listsAhead]->prefetchGroupLists();
        destroyPair(retiredPairs_[i]);
    }
    retiredPairs_.clear();
}

void ParameterManager::sync() {
    slots_.recycle();
    applyPending();
    const std::size_t count = changedPairs_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + walkAhead < count) prefetchForRead(changedPairs_[i + walkAhead]);
        ParameterGroupPair* pair = changedPairs_[i];
        if (!pair->live) continue;
        for (BaseParameter* parameter : pair->updateGroup()->parameters()) {
            if (!parameter->isChanged()) continue;
            parameter->setChanged(false);
            BaseParameter* twin = parameter->getTwin();
            if (twin && twin->copyValueFrom(*parameter)) renderSideChanged_ = true;
        }
        pair->renderGroup()->markChanged();
        if (pair->owner) pair->owner->parametersChanged();
    }
    changedPairs_.clear();
}
