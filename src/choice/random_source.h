#pragma once

#include <cstdint>

// A seedable generator of integers spread evenly over 0 to 32767.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(uint32_t seed) = 0;
    virtual int Next() = 0;
};
