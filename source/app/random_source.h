#pragma once
// The dice generator: a Mersenne Twister seeded from system randomness, one per owner.
#include <array>
#include <cstdint>
#include <optional>
#include <random>

class RandomSource {
public:
    static constexpr std::uint32_t defaultMaximum = 100000000;

    // Reseeded from system randomness over 0..100000000.
    RandomSource();
    // A fixed seed (tests and replays) and a range.
    explicit RandomSource(std::uint32_t seed, std::uint32_t minimum = 0, std::uint32_t maximum = defaultMaximum);

    // Gathers new entropy, folds it into the seed, seeds the engine and rebuilds the distribution.
    void reseed();
    // A uniform value from minimum to maximum inclusive.
    std::uint32_t draw();
    // A die of the given number of sides: draw() % sides + 1 (0 for no sides).
    int roll(int sides);
    // Changes the range for later draws (swapped when given the wrong way round).
    void setRange(std::uint32_t minimum, std::uint32_t maximum);

    std::uint32_t minimum() const { return minimum_; }
    std::uint32_t maximum() const { return maximum_; }
    std::uint32_t seed() const { return seed_; }

    // seed = 1, then seed = seed * 257 + byte for each byte, in wrapping 32-bit arithmetic.
    static std::uint32_t foldEntropy(const std::array<std::uint8_t, 8>& entropy);

private:
    void seedEngine(std::uint32_t seed);

    std::mt19937 engine_{42};
    std::uniform_int_distribution<std::uint32_t> distribution_;
    std::uint32_t minimum_ = 0;
    std::uint32_t maximum_ = defaultMaximum;
    std::uint32_t seed_ = 1;
    std::array<std::uint8_t, 8> entropy_{};
};
