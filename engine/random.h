// The one uniform random generator of the animation.
//
// Every random number of a run comes from one generator so that a run with a
// fixed seed is reproducible; the order in which numbers are drawn is part of
// the behaviour. Next() gives 24 random bits as a single in [0, 1), never 1.
#pragma once

#include <cstdint>

namespace orrelume {

class Random {
  public:
    explicit Random(uint64_t seed = 0x6f72726c756d65ULL) { Seed(seed); }

    void Seed(uint64_t seed) { state_ = seed; }

    // A uniform single in [0, 1) with 24 random bits.
    float Next() { return static_cast<float>(NextBits() >> 40) * (1.0f / 16777216.0f); }

  private:
    // splitmix64: small, fast and of good quality for an animation.
    uint64_t NextBits() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    uint64_t state_;
};

}  // namespace orrelume
