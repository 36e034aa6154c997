#pragma once
// What the update side asks of the operating system: clipboard text (the physics interface joins
// it with the world layer).
#include <string>

class ThreadResourcePool;

class OSInterfaceManager {
public:
    virtual ~OSInterfaceManager() = default;
    virtual std::string getClipboardText() = 0;
};

class OSInterfaceManagerLinux : public OSInterfaceManager {
public:
    explicit OSInterfaceManagerLinux(ThreadResourcePool* updatePool) : updatePool_(updatePool) {}
    std::string getClipboardText() override;
    ThreadResourcePool* updatePool() const { return updatePool_; }

private:
    ThreadResourcePool* updatePool_;
};
