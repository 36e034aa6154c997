#pragma once
// Reference counting shared by every device object: made with one reference, freed at zero.
#include <atomic>
#include <cstdint>

namespace gfx {

class RefCounted {
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    virtual uint32_t addRef() { return ++references_; }
    // Returns the count left; the object is gone when it is 0.
    virtual uint32_t release() {
        uint32_t left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    std::atomic<uint32_t> references_{1};
};

// Releases and clears a pointer, as the engine does after every use.
template <class T>
void safeRelease(T*& object) {
    if (object) {
        object->release();
        object = nullptr;
    }
}

} // namespace gfx
