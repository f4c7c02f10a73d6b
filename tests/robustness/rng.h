// A small seeded generator, so that every fuzz run can be repeated exactly.
#pragma once

#include <stdint.h>

struct Rng {
    uint64_t state;
};

Rng SeededRng(uint64_t seed);
uint32_t Next32(Rng *rng);
// Uniform in [0, bound); 0 when bound is 0.
uint32_t Below(Rng *rng, uint32_t bound);
// TRUE with probability 1/n.
bool OneIn(Rng *rng, uint32_t n);
