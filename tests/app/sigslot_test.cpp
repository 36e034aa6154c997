#include <gtest/gtest.h>

#include <memory>

#include "app/sigslot.h"

namespace {

struct Receiver : sigslot::has_slots<> {
    int calls = 0;
    void onValue(int) { ++calls; }
};

struct SelfDisconnecting : sigslot::has_slots<> {
    sigslot::signal1<int>* signal = nullptr;
    Receiver* other = nullptr;
    int calls = 0;
    void onValue(int) {
        ++calls;
        signal->disconnect(this);
        if (other) signal->disconnect(other);
    }
};

TEST(Signals, DestroyingAReceiverConnectedTwiceRemovesBothConnections) {
    sigslot::signal1<int> signal;
    auto receiver = std::make_unique<Receiver>();
    signal.connect(receiver.get(), &Receiver::onValue);
    signal.connect(receiver.get(), &Receiver::onValue);
    signal.emit(1);
    EXPECT_EQ(receiver->calls, 2);
    receiver.reset();
    EXPECT_EQ(signal.connectionCount(), 0u);
    signal.emit(2); // must not reach freed memory
}

TEST(Signals, DisconnectRemovesOnlyTheFirstConnection) {
    sigslot::signal1<int> signal;
    Receiver receiver;
    signal.connect(&receiver, &Receiver::onValue);
    signal.connect(&receiver, &Receiver::onValue);
    signal.disconnect(&receiver);
    signal.emit(1);
    EXPECT_EQ(receiver.calls, 1);
}

TEST(Signals, ReceiverStillConnectedAfterDisconnectIsDroppedOnDestruction) {
    sigslot::signal1<int> signal;
    {
        Receiver receiver;
        signal.connect(&receiver, &Receiver::onValue);
        signal.connect(&receiver, &Receiver::onValue);
        signal.disconnect(&receiver);
    }
    EXPECT_EQ(signal.connectionCount(), 0u);
}

TEST(Signals, EmitWithNoConnectionsDoesNothing) {
    sigslot::signal1<int> signal;
    signal.emit(3);
    EXPECT_TRUE(signal.empty());
}

TEST(Signals, SignalDestroyedBeforeItsReceiver) {
    Receiver receiver;
    {
        sigslot::signal1<int> signal;
        signal.connect(&receiver, &Receiver::onValue);
    }
    // The receiver's destructor must not reach the freed signal (ASan catches it).
}

TEST(Signals, CopiedReceiverGetsItsOwnConnections) {
    sigslot::signal1<int> signal;
    Receiver original;
    signal.connect(&original, &Receiver::onValue);
    {
        Receiver copy(original);
        signal.emit(1);
        EXPECT_EQ(original.calls, 1);
        EXPECT_EQ(copy.calls, 1);
    }
    signal.emit(2);
    EXPECT_EQ(original.calls, 2);
    EXPECT_EQ(signal.connectionCount(), 1u);
}

TEST(Signals, ReceiverMayDisconnectItselfAndOthersDuringAnEmit) {
    sigslot::signal1<int> signal;
    SelfDisconnecting first;
    Receiver second;
    first.signal = &signal;
    first.other = &second;
    signal.connect(&first, &SelfDisconnecting::onValue);
    signal.connect(&second, &Receiver::onValue);
    signal.emit(1);
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 0) << "a connection removed during the emit is skipped";
    signal.emit(2);
    EXPECT_EQ(first.calls, 1);
    EXPECT_TRUE(signal.empty());
}

} // namespace
