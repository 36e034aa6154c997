#include "app/random_source.h"

#include <utility>

#include "app/log.h"
#include "platform/system_random.h"

RandomSource::RandomSource() { reseed(); }

RandomSource::RandomSource(std::uint32_t seed, std::uint32_t minimum, std::uint32_t maximum) {
    setRange(minimum, maximum);
    seedEngine(seed);
}

void RandomSource::reseed() {
    // On failure the previous entropy is folded again; the update thread must not stop for a
    // message box here, so the failure is only logged.
    if (!platform::systemRandomBytes(entropy_.data(), entropy_.size())) {
        LOG_MESSAGE("Reading system randomness failed; dice fall back to the previous seed material");
    }
    seedEngine(foldEntropy(entropy_));
}

std::uint32_t RandomSource::draw() { return distribution_(engine_); }

int RandomSource::roll(int sides) {
    if (sides <= 0) return 0;
    return static_cast<int>(draw() % static_cast<std::uint32_t>(sides)) + 1;
}

void RandomSource::setRange(std::uint32_t minimum, std::uint32_t maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    minimum_ = minimum;
    maximum_ = maximum;
    distribution_ = std::uniform_int_distribution<std::uint32_t>(minimum_, maximum_);
}

std::uint32_t RandomSource::foldEntropy(const std::array<std::uint8_t, 8>& entropy) {
    std::uint32_t seed = 1;
    for (std::uint8_t byte : entropy) seed = seed * 257u + byte;
    return seed;
}

void RandomSource::seedEngine(std::uint32_t seed) {
    seed_ = seed;
    engine_.seed(seed);
    distribution_ = std::uniform_int_distribution<std::uint32_t>(minimum_, maximum_);
}
