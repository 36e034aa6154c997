#include "platform/file_time.h"

#include <sys/stat.h>

#include "platform/paths.h"

namespace platform {

bool lastWriteTime(const std::string& path, std::uint64_t& time) {
    struct stat status {};
    if (::stat(resolvePath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    time = static_cast<std::uint64_t>(status.st_mtim.tv_sec) * 1000000000ull +
           static_cast<std::uint64_t>(status.st_mtim.tv_nsec);
    return true;
}

} // namespace platform
