#pragma once
// What device objects share with the device that made them: whether its GL context still
// exists (so objects outliving the device never touch GL) and the default-pool census that
// decides whether a reset may go ahead.
#include <atomic>
#include <memory>

namespace gfx {

class Device;

struct ContextState {
    std::atomic<bool> alive{true};
    std::atomic<int> defaultPoolObjects{0};
    bool hasS3tc = false;
    bool hasAnisotropy = false;
    float maxAnisotropy = 1.0f;
    Device* device = nullptr;
};

using ContextLink = std::shared_ptr<ContextState>;

} // namespace gfx
