#include "render/dds_texture_loader.h"

#include <algorithm>
#include <cstring>

#include "app/log.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "render/device_global.h"

DDSTextureLoader::DDSTextureLoader(const std::string& path, void* owner) : owner_(owner), path_(path) {}

DDSTextureLoader::~DDSTextureLoader() { unload(); }

bool DDSTextureLoader::readFile(const std::string& path, std::vector<uint8_t>& bytes, const uint8_t*& header,
                                const uint8_t*& data, std::size_t& dataSize) {
    bytes.clear();
    header = data = nullptr;
    dataSize = 0;
    std::string contents;
    if (!platform::readWholeFile(platform::resolvePath(path), contents)) return false;
    if (contents.size() < gfx::kDdsDataOffset || std::memcmp(contents.data(), "DDS ", 4) != 0) return false;
    bytes.assign(contents.begin(), contents.end());
    header = bytes.data() + gfx::kDdsHeaderOffset;
    data = bytes.data() + gfx::kDdsDataOffset;
    dataSize = bytes.size() - gfx::kDdsDataOffset;
    return true;
}

gfx::Format DDSTextureLoader::formatFromPixelFormat(uint32_t size, uint32_t flags, uint32_t fourCC,
                                                    uint32_t bitCount, uint32_t redMask, uint32_t greenMask,
                                                    uint32_t blueMask, uint32_t alphaMask) {
    return gfx::ddsFormatFromPixelFormat({size, flags, fourCC, bitCount, redMask, greenMask, blueMask, alphaMask});
}

uint32_t DDSTextureLoader::bitsPerPixel(uint32_t format) {
    static constexpr struct {
        uint32_t bits;
        uint32_t formats[24];
    } kTable[] = {
        {128, {116}},
        {64, {36, 110, 113, 115}},
        {32, {21, 22, 31, 32, 33, 34, 35, 62, 63, 64, 67, 71, 75, 77, 79, 82, 83, 102, 112, 114}},
        {24, {20}},
        {16, {23, 24, 25, 26, 29, 30, 51, 60, 61, 70, 73, 80, 81, 101, 111, 117, gfx::fourCC('Y', 'U', 'Y', '2'),
              gfx::fourCC('G', 'R', 'G', 'B'), gfx::fourCC('R', 'G', 'B', 'G'), gfx::fourCC('U', 'Y', 'V', 'Y')}},
        {12, {gfx::fourCC('Y', 'V', '1', '2')}},
        {8, {27, 28, 40, 41, 50, 52, uint32_t(gfx::Format::Dxt2), uint32_t(gfx::Format::Dxt3),
             uint32_t(gfx::Format::Dxt4), uint32_t(gfx::Format::Dxt5), gfx::fourCC('A', 'I', '4', '4'),
             gfx::fourCC('I', 'A', '4', '4')}},
        {4, {uint32_t(gfx::Format::Dxt1)}},
    };
    if (format != 0) {
        for (const auto& row : kTable)
            if (std::find(std::begin(row.formats), std::end(row.formats), format) != std::end(row.formats))
                return row.bits;
    }
    LOG_MESSAGE("unhandled format!!!");
    return 0;
}

void DDSTextureLoader::loadFile() {
    const uint8_t* header = nullptr;
    const uint8_t* data = nullptr;
    std::size_t dataSize = 0;
    image_ = gfx::DdsImage{};
    if (!readFile(path_, bytes_, header, data, dataSize)) {
        LOG_MESSAGE("Could not read DDS file \"%s\"", path_.c_str());
    } else {
        std::string error;
        if (!gfx::parseDds(bytes_.data(), bytes_.size(), image_, error)) {
            LOG_MESSAGE("DDS file \"%s\" refused: %s", path_.c_str(), error.c_str());
            std::vector<uint8_t>().swap(bytes_);
            image_ = gfx::DdsImage{};
        }
    }
    state_ = FileLoaded;
}

void DDSTextureLoader::prepare() {
    if (image_.levels.empty() || !deviceGlobal) {
        state_ = Prepared;
        return;
    }
    format_ = image_.format;
    width_ = image_.width;
    height_ = image_.height;
    levels_ = uint32_t(image_.levels.size());
    gfx::safeRelease(staging_);
    lockedLevels_.clear();
    if (gfx::succeeded(deviceGlobal->createTexture(width_, height_, levels_, 0, format_, gfx::Pool::SystemMemory,
                                                   &staging_))) {
        for (uint32_t level = 0; level < levels_; ++level) {
            gfx::LockedRect locked;
            staging_->lockRect(level, locked, nullptr, 0);
            lockedLevels_.push_back(locked);
        }
    }
    state_ = Prepared;
}

void DDSTextureLoader::fillData() {
    if (!staging_ || lockedLevels_.size() != image_.levels.size()) return;
    for (std::size_t level = 0; level < image_.levels.size(); ++level) {
        const gfx::DdsLevel& source = image_.levels[level];
        auto* destination = static_cast<uint8_t*>(lockedLevels_[level].bits);
        const uint8_t* row = image_.levelData(uint32_t(level));
        for (uint32_t r = 0; r < source.rows; ++r) {
            std::memcpy(destination, row, source.rowBytes);
            destination += lockedLevels_[level].pitch;
            row += source.rowBytes;
        }
    }
}

gfx::Result DDSTextureLoader::createDefaultTexture() {
    gfx::safeRelease(texture_);
    if (!staging_ || !deviceGlobal) return gfx::Result::InvalidCall;
    gfx::Result result =
        deviceGlobal->createTexture(width_, height_, levels_, 0, format_, gfx::Pool::Default, &texture_);
    if (gfx::failed(result)) {
        LOG_MESSAGE("Could not create the texture of \"%s\"", path_.c_str());
        return result;
    }
    return deviceGlobal->updateTexture(staging_, texture_);
}

void DDSTextureLoader::finishLoad() {
    if (staging_) {
        for (uint32_t level = 0; level < lockedLevels_.size(); ++level) staging_->unlockRect(level);
        lockedLevels_.clear();
        createDefaultTexture();
    }
    std::vector<uint8_t>().swap(bytes_);
    image_ = gfx::DdsImage{};
    state_ = Loaded;
}

void DDSTextureLoader::onLostDevice() { gfx::safeRelease(texture_); }

void DDSTextureLoader::onResetDevice() {
    if (!staging_ || !lockedLevels_.empty()) return;
    staging_->addDirtyRect(nullptr);
    createDefaultTexture();
}

void DDSTextureLoader::unload() {
    if (staging_)
        for (uint32_t level = 0; level < lockedLevels_.size(); ++level) staging_->unlockRect(level);
    lockedLevels_.clear();
    gfx::safeRelease(staging_);
    gfx::safeRelease(texture_);
}
