#pragma once

#include <cstdint>

// A seedable generator of integers spread evenly over 0 to 32767.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(uint32_t seed) = 0;
    virtual int Next() = 0;
    // Draws `count` values (count >= 1) and returns the last one. A generator
    // that can jump ahead overrides this; the result must be the same.
    virtual int NextNth(int count) {
        int value = Next();
        for (int i = 1; i < count; ++i) value = Next();
        return value;
    }
};
