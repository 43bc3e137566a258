#pragma once

#include <cstdint>

#include "choice/random_source.h"

// The C standard's example generator (next = next * 1103515245 + 12345,
// value = bits 16 to 30): the same sequence on every platform, always 0 to
// 32767, which the native rand() does not promise.
class CrtRandom : public RandomSource {
public:
    void Seed(uint32_t seed) override { state_ = seed; }
    int Next() override;
    // Jumps ahead in O(log count) steps instead of count calls.
    int NextNth(int count) override;

private:
    uint32_t state_ = 1;
};
