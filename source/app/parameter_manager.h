#pragma once
// Pairs of update-side and render-side parameter groups, and the per-frame copy of what changed.
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

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
        // entries; render objects that add parameters of their own set it themselves.
        bool live = false;
        ParameterManager* manager;
        ParameterGroupOwnerInterface* owner = nullptr;
        bool marksChanges;

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
    ParameterGroupPair* createGroupPair(const std::string& typeName);
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

    const std::list<ParameterGroupPair*>& livePairs() const { return livePairs_; }
    const std::list<ParameterGroupPair*>& changedPairs() const { return changedPairs_; }
    const std::list<ParameterGroupPair*>& pendingAdditions() const { return pendingAdditions_; }

private:
    void applyPending();

    std::uint64_t ownerThreadId_ = 0;
    std::list<ParameterGroupPair*> pendingAdditions_;
    // In queueing order, with a set beside it: a duplicate is found without a search.
    std::vector<ParameterGroupPair*> pendingDeletions_;
    std::unordered_set<ParameterGroupPair*> pendingDeletionSet_;
    std::list<ParameterGroupPair*> livePairs_;
    std::list<ParameterGroupPair*> changedPairs_;
    ParameterDescriptionRegistry* registry_;
    ThreadResourcePool* pool_;
};
