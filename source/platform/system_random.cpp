#include "platform/system_random.h"

#include <cerrno>
#include <sys/random.h>

namespace platform {

bool systemRandomBytes(void* out, std::size_t count) {
    auto* bytes = static_cast<unsigned char*>(out);
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t n = ::getrandom(bytes + filled, count - filled, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        filled += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace platform
