#include "utils/Random.h"

#include <ctime>

#include "utils/Text.h"

namespace {

// The clock's seconds and processor ticks, mixed with a call counter so that two calls within
// one clock tick still differ (splitmix64 finaliser).
uint64_t ClockSeed() {
    static uint64_t calls = 0;
    uint64_t x = uint64_t(std::time(nullptr)) * 0x9E3779B97F4A7C15ull ^ uint64_t(std::clock()) << 20 ^ ++calls;
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

}  // namespace

int64_t RandomBetween(int64_t min, int64_t max) {
    if (max <= min) return min;
    const uint64_t span = uint64_t(max - min) + 1;
    return min + int64_t(ClockSeed() % span);
}

std::string RandomBetweenText(int64_t min, int64_t max) { return IntToStr(RandomBetween(min, max)); }
