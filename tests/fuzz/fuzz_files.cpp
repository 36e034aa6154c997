#include "fuzz_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fuzz {
namespace {

std::string madeFolder;

void removeScratchFolder() {
    std::error_code ignored;
    if (!madeFolder.empty()) std::filesystem::remove_all(madeFolder, ignored);
}

} // namespace

const std::string& scratchFolder() {
    static const std::string folder = [] {
        // Memory-backed where there is one, so a run never waits on a disk.
        const char* parent = std::getenv("ZODERUD_FUZZ_SCRATCH");
        std::string pattern = parent && *parent ? std::string(parent) + "/zoderud-fuzz-XXXXXX"
                              : std::filesystem::is_directory("/dev/shm") ? "/dev/shm/zoderud-fuzz-XXXXXX"
                                                                          : "/tmp/zoderud-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        madeFolder = pattern;
        std::atexit(removeScratchFolder);
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

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) std::abort();
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void requireSameSaves(const char* what, const std::string& first, const std::string& second) {
    if (first == second) return;
    // Standard error is closed while fuzzing; the finding goes to standard output.
    std::size_t at = 0;
    while (at < first.size() && at < second.size() && first[at] == second[at]) ++at;
    const std::size_t from = at > 60 ? at - 60 : 0;
    std::printf("%s: the second save differs from the first at byte %zu\nfirst:  ...%s\nsecond: ...%s\n", what, at,
                first.substr(from, 160).c_str(), second.substr(from, 160).c_str());
    std::fflush(stdout);
    std::abort();
}

} // namespace fuzz
