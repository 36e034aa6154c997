#pragma once
// Pairs of update-side and render-side parameter groups, and the per-frame copy of what changed.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/pair_slots.h"
#include "app/parameter_kind.h"

class SimpleParameterGroup;
class ParameterDescription;
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
        ~ParameterGroupPair();
        ParameterGroupPair(const ParameterGroupPair&) = delete;
        ParameterGroupPair& operator=(const ParameterGroupPair&) = delete;
        // Only a manager makes pairs, in its own slots, and ends them there.
        static void* operator new(std::size_t) = delete;
        static void operator delete(void*) = delete;

        SimpleParameterGroup* updateGroup() const { return updateGroup_; }
        SimpleParameterGroup* renderGroup() const { return renderGroup_; }
        // The room the manager keeps right in front of the pair for the object that owns it (see
        // the manager's constructor), or null.
        void* handleRoom() const;
        std::size_t handleRoomSize() const { return handleRoomSize_; }

        // What the hand-off's walks read comes first, in the cache line the pair shares with its
        // handle.
        // Only live pairs are synchronised. Set when the pair is filled from a description with
        // entries; render objects that add parameters of their own set it themselves, and the
        // render interface clears it when the object is destroyed (nothing draws it again).
        bool live = false;
        // Set by the manager when the pair is queued for deletion; the next sync takes it out of
        // every list, and it is freed after that hand-off.
        bool deletionQueued = false;
        bool marksChanges;
        ParameterManager* manager;
        ParameterGroupOwnerInterface* owner = nullptr;
        ThreadResourcePool* pool;
        std::string typeName;

    private:
        friend class ParameterManager;
        struct Body;
        // Made in a slot behind handleRoomSize bytes of room: both groups, and room in each for
        // the parameters description and extraKinds add, are one block, so the pair costs two
        // allocations whatever its parameters.
        ParameterGroupPair(const ParameterDescription& description, std::initializer_list<ParameterKind> extraKinds,
                           ThreadResourcePool* pool, ParameterManager* manager, std::size_t handleRoomSize);
        // Asks for the pair's memory to be brought into cache, in two steps of a walk over many
        // pairs: the block of the groups and their parameters (this pair's line must have
        // arrived), then, once that arrived too, the groups' parameter lists.
        void prefetchBody() const;
        void prefetchGroupLists() const;

        SimpleParameterGroup* updateGroup_ = nullptr;
        SimpleParameterGroup* renderGroup_ = nullptr;
        // Both groups and their parameters.
        std::byte* body_ = nullptr;
        std::size_t bodySize_ = 0;
        std::size_t handleRoomSize_ = 0;
    };

    // The registry is not owned; it must outlive the manager. Each pair made here keeps
    // handleRoomSize bytes right in front of it for the object that owns it: the render interface
    // keeps a UI object there, where the hand-off reads it with its pair.
    ParameterManager(ParameterDescriptionRegistry* registry, ThreadResourcePool* pool,
                     std::size_t handleRoomSize = 0);
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
    // A deleted pair leaves every list at once and waits, retired, until it is released.
    void sync();
    // Whether a sync since the last call gave a render-side parameter a value other than the one
    // it had (a set to the same value still crosses, but changes nothing drawn); clears it.
    bool takeRenderSideChange() { return std::exchange(renderSideChanged_, false); }
    // Frees the retired pairs. Meant for the main thread right after the hand-off, while the update
    // thread runs again: nothing refers to those pairs any more, and freeing the thousands of a
    // closed screen then no longer keeps the update thread parked.
    void releaseRetiredPairs();

    std::uint64_t getOwnerThreadId() const { return ownerThreadId_; }
    void setOwnerThreadId(std::uint64_t id) { ownerThreadId_ = id; }
    ParameterDescriptionRegistry* getRegistry() const { return registry_; }
    // The pool the manager's groups are made with; lone groups made for the manager take it too.
    ThreadResourcePool* getPool() const { return pool_; }

    const std::vector<ParameterGroupPair*>& livePairs() const { return livePairs_; }
    const std::vector<ParameterGroupPair*>& changedPairs() const { return changedPairs_; }
    const std::vector<ParameterGroupPair*>& pendingAdditions() const { return pendingAdditions_; }
    const std::vector<ParameterGroupPair*>& retiredPairs() const { return retiredPairs_; }

private:
    void applyPending();
    void destroyPair(ParameterGroupPair* pair);

    std::uint64_t ownerThreadId_ = 0;
    // Plain arrays: the hand-off walks them once a frame, and a closing screen removes thousands
    // of pairs in one pass, so contiguous storage beats per-entry nodes.
    std::vector<ParameterGroupPair*> pendingAdditions_;
    // In queueing order; each pair's own flag tells a duplicate without a search.
    std::vector<ParameterGroupPair*> pendingDeletions_;
    // Out of every list, waiting to be freed; touched on the main thread only.
    std::vector<ParameterGroupPair*> retiredPairs_;
    std::vector<ParameterGroupPair*> livePairs_;
    std::vector<ParameterGroupPair*> changedPairs_;
    ParameterDescriptionRegistry* registry_;
    ThreadResourcePool* pool_;
    std::size_t handleRoomSize_;
    PairSlots slots_;
    bool renderSideChanged_ = false;
};
