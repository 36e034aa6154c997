#pragma once
// Keeps the frame of a failed pixel check as a PNG in the system's temporary folder, named after
// the running test, so the failure can be looked at.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/image/image.h"
#include "platform/image/image_file.h"

inline void saveFailedFrame(const std::vector<std::uint32_t>& pixels, std::uint32_t width, std::uint32_t height,
                            const std::string& suffix = "") {
    if (!::testing::Test::HasFailure() || pixels.size() != std::size_t(width) * height) return;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name() + suffix;
    for (char& c : name)
        if (c == '/') c = '_';
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zoderud-scene-tests";
    std::filesystem::create_directories(folder);
    image::Image picture{int(width), int(height)};
    picture.argb = pixels;
    const std::string path = (folder / (name + ".png")).string();
    if (image::savePngFile(path, picture)) std::printf("read-back saved as %s\n", path.c_str());
}
