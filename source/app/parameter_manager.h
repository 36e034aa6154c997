#pragma once
// Pairs of update-side and render-side parameter groups, and the per-frame copy of what changed.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/parameter_kind.h"

class SimpleParameterGroup;
class ParameterDescriptionRegistry;
class ThreadResourcePool;

// An object told after each hand-off that copied changed values of its pair.
class ParameterGroupOwnerInterface {
public:
    virtual ~ParameterGroupOwnerInterface() = default;
    virtual void parametersChanged() = 0;
};

class ParameterManager {
public:
    // The two groups of one render object: game code writes the update side, drawing code
    // reads the render side. Each parameter of one has a linked twin in the other.
    class ParameterGroupPair {
    public:
        ParameterGroupPair(const std::string& typeName, ThreadResourcePool* pool, ParameterManager* manager,
                           bool marksChanges);
        ~ParameterGroupPair();
        ParameterGroupPair(const ParameterGroupPair&) = delete;
        ParameterGroupPair& operator=(const ParameterGroupPair&) = delete;

        SimpleParameterGroup* updateGroup() const { return updateGroup_.get(); }
        SimpleParameterGroup* renderGroup() const { return renderGroup_.get(); }

        std::string typeName;
        ThreadResourcePool* pool;
        // Only live pairs are synchronised. Set when the pair is filled from a description with
        // entries; render objects that add parameters of their own set it themselves, and the
        // render interface clears it when the object is destroyed (nothing draws it again).
        bool live = false;
        ParameterManager* manager;
        ParameterGroupOwnerInterface* owner = nullptr;
        bool marksChanges;
        // Set by the manager when the pair is queued for deletion; it is deleted at the next sync.
        bool deletionQueued = false;

    private:
        std::unique_ptr<SimpleParameterGroup> updateGroup_;
        std::unique_ptr<SimpleParameterGroup> renderGroup_;
    };

    // The registry is not owned; it must outlive the manager.
    ParameterManager(ParameterDescriptionRegistry* registry, ThreadResourcePool* pool);
    ~ParameterManager();
    ParameterManager(const ParameterManager&) = delete;
    ParameterManager& operator=(const ParameterManager&) = delete;

    // A new pair filled from the type's description, pending until the next sync (values may
    // be set at once). Null, and "failed to find description!" logged, for an unknown type.
    // The pair's groups also keep room for one parameter of each of extraKinds, which the caller
    // adds at once (a UI object adds its render layer).
    ParameterGroupPair* createGroupPair(const std::string& typeName, std::initializer_list<ParameterKind> extraKinds = {});
    // Queues a pair for deletion at the next sync (the render states do so for removed objects).
    void addPendingDeletion(ParameterGroupPair* pair);
    // Lists a pair whose update-side values changed; a pair may be listed more than once.
    void addChangedPair(ParameterGroupPair* pair);
    // Once per frame, while the update thread is parked: applies pending additions, then
    // deletions, then copies every flagged update-side value of each listed live pair to its twin.
    void sync();

    std::uint64_t getOwnerThreadId() const { return ownerThreadId_; }
    void setOwnerThreadId(std::uint64_t id) { ownerThreadId_ = id; }
    ParameterDescriptionRegistry* getRegistry() const { return registry_; }

    const std::vector<ParameterGroupPair*>& livePairs() const { return livePairs_; }
    const std::vector<ParameterGroupPair*>& changedPairs() const { return changedPairs_; }
    const std::vector<ParameterGroupPair*>& pendingAdditions() const { return pendingAdditions_; }

private:
    void applyPending();
    void deletePendingPairs();

    std::uint64_t ownerThreadId_ = 0;
    // Plain arrays: the hand-off walks them once a frame, and a closing screen removes thousands
    // of pairs in one pass, so contiguous storage beats per-entry nodes.
    std::vector<ParameterGroupPair*> pendingAdditions_;
    // In queueing order; each pair's own flag tells a duplicate without a search.
    std::vector<ParameterGroupPair*> pendingDeletions_;
    std::vector<ParameterGroupPair*> livePairs_;
    std::vector<ParameterGroupPair*> changedPairs_;
    ParameterDescriptionRegistry* registry_;
    ThreadResourcePool* pool_;
};
