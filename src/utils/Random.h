// Random numbers for tokens' fallbacks, scrambling keys and the setup's thread token.
#pragma once
#include <cstdint>
#include <string>

// min plus a uniformly drawn integer from 0 to max - min (the span must fit 32 bits). The
// generator is seeded afresh from the clock at every call.
int64_t RandomBetween(int64_t min, int64_t max);
std::string RandomBetweenText(int64_t min, int64_t max);
