#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"

namespace platform {
namespace {

bool fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    return false;
}

std::string parentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

} // namespace

bool readWholeFile(const std::string& path, std::string& out, std::size_t sizeLimit) {
    const std::string resolved = resolvePath(path);
    struct stat info;
    if (::stat(resolved.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    if (S_ISREG(info.st_mode) && static_cast<unsigned long long>(info.st_size) > sizeLimit) {
        errno = EFBIG;
        return false;
    }
    FILE* file = std::fopen(resolved.c_str(), "rb");
    if (!file) return false;
    std::string data;
    char buffer[65536];
    std::size_t count;
    bool tooLarge = false;
    // The file may have grown since it was measured.
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (count > sizeLimit - data.size()) {
            tooLarge = true;
            break;
        }
        data.append(buffer, count);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (tooLarge) {
        errno = EFBIG;
        return false;
    }
    if (failed) return false;
    out = std::move(data);
    return true;
}

bool writeFileAtomically(const std::string& path, const std::string& data, std::string* error) {
    const std::string target = resolvePath(path);
    const std::string folder = parentFolder(target);
    std::string temp = target + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail(error, "cannot create a temporary file in " + folder);
    ::fchmod(fd, 0644);

    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const bool reported = fail(error, "cannot write " + temp);
            ::close(fd);
            ::unlink(temp.c_str());
            return reported;
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        const bool reported = fail(error, "cannot flush " + temp);
        ::close(fd);
        ::unlink(temp.c_str());
        return reported;
    }
    if (::close(fd) != 0) {
        const bool reported = fail(error, "cannot close " + temp);
        ::unlink(temp.c_str());
        return reported;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const bool reported = fail(error, "cannot replace " + target);
        ::unlink(temp.c_str());
        return reported;
    }
    // The rename is only durable once the folder itself is on disk.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd < 0) return fail(error, "cannot open " + folder);
    const bool synced = ::fsync(dirFd) == 0 || errno == EINVAL;
    const bool reported = synced || fail(error, "cannot flush " + folder);
    ::close(dirFd);
    return reported;
}

} // namespace platform
