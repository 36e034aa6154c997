#pragma once
// Mesa's software driver compiles shader variants (its own for blits and partial clears, and
// ours at their first draw) with LLVM and keeps some of that memory until the process ends. Under the leak checker those driver allocations are marked as intended, so the
// check keeps reporting the project's own leaks (device-internal).
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace gfx {

class DriverCacheAllocations {
public:
    // User-provided, so a scope object is not reported as unused where it holds nothing.
    DriverCacheAllocations() {}
    ~DriverCacheAllocations() {}
    DriverCacheAllocations(const DriverCacheAllocations&) = delete;
    DriverCacheAllocations& operator=(const DriverCacheAllocations&) = delete;

private:
#if defined(__SANITIZE_ADDRESS__)
    __lsan::ScopedDisabler disabler_;
#endif
};

} // namespace gfx
