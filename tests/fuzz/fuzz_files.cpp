#include "fuzz_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fuzz {

const std::string& scratchFolder() {
    static const std::string folder = [] {
        // Memory-backed where there is one, so a run never waits on a disk.
        std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/zoderud-fuzz-XXXXXX"
                                                                         : "/tmp/zoderud-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern + "/";
    }();
    return folder;
}

void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::filesystem::remove_all(path);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
}

} // namespace fuzz
