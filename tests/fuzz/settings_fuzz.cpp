// Fuzz target: the settings file as the program meets it at start: read it, and when it is
// unusable, move it aside and write the defaults in its place. Whatever is saved must load
// again, and saving what that load gave must write the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "fuzz_files.h"
#include "tracker/brav_config.h"

namespace {

void requireStableSave(const BRAVConfig& saved) {
    const std::string first = fuzz::readBytes(saved.getSettingsFile());
    BRAVConfig reloaded(nullptr, "BRAV Zoderud");
    if (!reloaded.load()) {
        std::printf("saved settings do not load again\n");
        std::fflush(stdout);
        std::abort();
    }
    if (!reloaded.save()) std::abort();
    fuzz::requireSameSaves("settings", first, fuzz::readBytes(reloaded.getSettingsFile()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The per-user folder in the scratch folder; the default files from the source tree.
    setenv("XDG_DATA_HOME", fuzz::scratchFolder().c_str(), 1);
    if (chdir(ZODERUD_SOURCE_DIR) != 0) std::abort();
    std::filesystem::create_directories(fuzz::scratchFolder() + "BRAV Zoderud");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BRAVConfig config(nullptr, "BRAV Zoderud");
    fuzz::writeInput(config.getSettingsFile(), data, size);
    if (!config.load()) config.loadDefaults(3, 1920, 1080);
    if (!config.save()) std::abort();
    requireStableSave(config);
    return 0;
}
