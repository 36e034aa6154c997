// Writes the noise texture the ambient-occlusion pass turns its samples by: a 64x64 A8R8G8B8
// ".dds" of random directions (red and green), a random length (blue) and full alpha. The same
// seed gives the same file on every build.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr std::uint32_t kSize = 64;

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(std::uint8_t(value >> shift));
}

std::uint32_t nextRandom(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.dds\n", argv[0]);
        return 2;
    }
    std::vector<std::uint8_t> file{'D', 'D', 'S', ' '};
    put32(file, 124);                            // header size
    put32(file, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000); // caps, height, width, pitch, pixel format
    put32(file, kSize);                          // height
    put32(file, kSize);                          // width
    put32(file, kSize * 4);                      // pitch
    put32(file, 0);                              // depth
    put32(file, 1);                              // mip levels
    for (int i = 0; i < 11; ++i) put32(file, 0); // reserved
    put32(file, 32);                             // pixel format size
    put32(file, 0x40 | 0x1);                     // RGB with alpha
    put32(file, 0);                              // no four-character code
    put32(file, 32);                             // bits per pixel
    put32(file, 0x00FF0000);
    put32(file, 0x0000FF00);
    put32(file, 0x000000FF);
    put32(file, 0xFF000000);
    put32(file, 0x1000); // texture
    for (int i = 0; i < 4; ++i) put32(file, 0);

    std::uint32_t state = 0x2545F491u;
    for (std::uint32_t i = 0; i < kSize * kSize; ++i) {
        const std::uint32_t bits = nextRandom(state);
        file.push_back(std::uint8_t(bits >> 16)); // blue
        file.push_back(std::uint8_t(bits >> 8));  // green
        file.push_back(std::uint8_t(bits));       // red
        file.push_back(255);                      // alpha
    }

    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
