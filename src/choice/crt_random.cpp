#include "choice/crt_random.h"

namespace {
constexpr uint32_t kMultiplier = 1103515245u;
constexpr uint32_t kIncrement = 12345u;

int ValueOf(uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFFu); }
}  // namespace

int CrtRandom::Next() {
    state_ = state_ * kMultiplier + kIncrement;
    return ValueOf(state_);
}

int CrtRandom::NextNth(int count) {
    // Compose the affine step x -> a*x + c with itself, count times, by
    // squaring; arithmetic modulo 2^32 as in Next().
    uint32_t a = 1, c = 0;                             // the steps taken so far
    uint32_t stepA = kMultiplier, stepC = kIncrement;  // 2^k steps
    for (auto n = static_cast<uint32_t>(count); n != 0; n >>= 1) {
        if (n & 1u) {
            a = stepA * a;
            c = stepA * c + stepC;
        }
        stepC = stepA * stepC + stepC;
        stepA = stepA * stepA;
    }
    state_ = a * state_ + c;
    return ValueOf(state_);
}
