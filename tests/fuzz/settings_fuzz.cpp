// Fuzz target: the settings file as the program meets it at start: read it, and when it is
// unusable, move it aside and write the defaults in its place.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "fuzz_files.h"
#include "tracker/brav_config.h"

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
    if (!config.load()) {
        config.loadDefaults(3, 1920, 1080);
        config.save();
    }
    return 0;
}
