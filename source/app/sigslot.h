#pragma once
// Typed one-argument signals. A receiver derives from has_slots so that destroying it
// disconnects it from every signal; each signal and each receiver carries its own lock.
#include <algorithm>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

#include "app/pointer_set.h"
#include "platform/recursive_lock.h"

namespace sigslot {

// The locking policy: one re-entrant lock per object.
class multi_threaded_local {
public:
    multi_threaded_local() = default;
    multi_threaded_local(const multi_threaded_local&) {}
    multi_threaded_local& operator=(const multi_threaded_local&) { return *this; }
    virtual ~multi_threaded_local() = default;
    virtual void lock() { lock_.lock(); }
    virtual void unlock() { lock_.unlock(); }

private:
    platform::RecursiveLock lock_;
};

template <class mt_policy>
class lock_block {
public:
    explicit lock_block(mt_policy* policy) : policy_(policy) { policy_->lock(); }
    ~lock_block() { policy_->unlock(); }
    lock_block(const lock_block&) = delete;
    lock_block& operator=(const lock_block&) = delete;

private:
    mt_policy* policy_;
};

template <class mt_policy>
class has_slots;

template <class mt_policy>
class _signal_base : public mt_policy {
public:
    virtual void slot_disconnect(has_slots<mt_policy>* receiver) = 0;
    virtual void slot_duplicate(const has_slots<mt_policy>* oldReceiver, has_slots<mt_policy>* newReceiver) = 0;
};

template <class mt_policy = multi_threaded_local>
class has_slots : public mt_policy {
public:
    has_slots() = default;
    has_slots(const has_slots& other) : mt_policy() {
        lock_block<mt_policy> lock(const_cast<has_slots*>(&other));
        other.senders_.forEach([this, &other](_signal_base<mt_policy>* sender) {
            sender->slot_duplicate(&other, this);
            senders_.insert(sender);
        });
    }
    has_slots& operator=(const has_slots&) = delete;
    virtual ~has_slots() { disconnect_all(); }

    void signal_connect(_signal_base<mt_policy>* sender) {
        lock_block<mt_policy> lock(this);
        senders_.insert(sender);
    }
    void signal_disconnect(_signal_base<mt_policy>* sender) {
        lock_block<mt_policy> lock(this);
        senders_.erase(sender);
    }
    void disconnect_all() {
        lock_block<mt_policy> lock(this);
        senders_.forEach([this](_signal_base<mt_policy>* sender) { sender->slot_disconnect(this); });
        senders_.clear();
    }

private:
    PointerSet<_signal_base<mt_policy>> senders_;
};

template <class arg1_type, class mt_policy>
class _connection_base1 {
public:
    virtual ~_connection_base1() = default;
    virtual void emit(arg1_type) = 0;
    virtual _connection_base1* duplicate(has_slots<mt_policy>* newTarget) = 0;
    virtual has_slots<mt_policy>* getdest() const = 0;
    // Cleared when the connection is removed, so an emission in progress skips it.
    bool alive = true;
};

template <class dest_type, class arg1_type, class mt_policy>
class _connection1 : public _connection_base1<arg1_type, mt_policy> {
public:
    _connection1(has_slots<mt_policy>* object, void (dest_type::*member)(arg1_type)) : object_(object), member_(member) {}
    // The receiver is cast only when called: a copy being constructed is not yet a dest_type.
    void emit(arg1_type a1) override { (static_cast<dest_type*>(object_)->*member_)(a1); }
    _connection_base1<arg1_type, mt_policy>* duplicate(has_slots<mt_policy>* newTarget) override {
        return new _connection1(newTarget, member_);
    }
    has_slots<mt_policy>* getdest() const override { return object_; }

private:
    has_slots<mt_policy>* object_;
    void (dest_type::*member_)(arg1_type);
};

template <class arg1_type, class mt_policy = multi_threaded_local>
class signal1 : public _signal_base<mt_policy> {
    using connection = _connection_base1<arg1_type, mt_policy>;
    using connection_ptr = std::shared_ptr<connection>;

public:
    signal1() = default;
    signal1(const signal1&) = delete;
    signal1& operator=(const signal1&) = delete;
    ~signal1() override { disconnect_all(); }

    template <class dest_type>
    void connect(dest_type* receiver, void (dest_type::*member)(arg1_type)) {
        {
            lock_block<mt_policy> lock(this);
            // One block for the connection and its count.
            connections_.push_back(std::make_shared<_connection1<dest_type, arg1_type, mt_policy>>(receiver, member));
        }
        receiver->signal_connect(this);
    }

    // Removes the first connection to receiver; later ones to the same receiver stay.
    void disconnect(has_slots<mt_policy>* receiver) {
        lock_block<mt_policy> lock(this);
        for (auto it = connections_.begin(); it != connections_.end(); ++it) {
            if ((*it)->getdest() == receiver) {
                (*it)->alive = false;
                connections_.erase(it);
                if (!connectedTo(receiver)) receiver->signal_disconnect(this);
                return;
            }
        }
    }

    void disconnect_all() {
        lock_block<mt_policy> lock(this);
        for (auto& c : connections_) {
            c->alive = false;
            c->getdest()->signal_disconnect(this);
        }
        connections_.clear();
    }

    // Calls every receiver in connection order. The walk goes over a snapshot, so receivers
    // may connect or disconnect (themselves or others) while it runs; removed ones are skipped.
    void emit(arg1_type a1) {
        lock_block<mt_policy> lock(this);
        const std::vector<connection_ptr> snapshot(connections_.begin(), connections_.end());
        for (const auto& c : snapshot) {
            if (c->alive) c->emit(a1);
        }
    }
    void operator()(arg1_type a1) { emit(a1); }

    bool empty() {
        lock_block<mt_policy> lock(this);
        return connections_.empty();
    }
    std::size_t connectionCount() {
        lock_block<mt_policy> lock(this);
        return connections_.size();
    }

    void slot_disconnect(has_slots<mt_policy>* receiver) override {
        lock_block<mt_policy> lock(this);
        for (auto it = connections_.begin(); it != connections_.end();) {
            if ((*it)->getdest() == receiver) {
                (*it)->alive = false;
                it = connections_.erase(it);
            } else {
                ++it;
            }
        }
    }

    void slot_duplicate(const has_slots<mt_policy>* oldReceiver, has_slots<mt_policy>* newReceiver) override {
        lock_block<mt_policy> lock(this);
        std::vector<connection_ptr> copies;
        for (auto& c : connections_) {
            if (c->getdest() == oldReceiver) copies.emplace_back(c->duplicate(newReceiver));
        }
        connections_.insert(connections_.end(), copies.begin(), copies.end());
    }

private:
    bool connectedTo(has_slots<mt_policy>* receiver) const {
        return std::any_of(connections_.begin(), connections_.end(),
                           [receiver](const connection_ptr& c) { return c->getdest() == receiver; });
    }

    std::list<connection_ptr> connections_;
};

} // namespace sigslot
