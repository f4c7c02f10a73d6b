#include "tests/robustness/rng.h"

// splitmix64: every seed, 0 included, gives a full-period sequence.
Rng SeededRng(uint64_t seed)
{
    Rng rng = {seed};
    return rng;
}

uint32_t Next32(Rng *rng)
{
    uint64_t z = (rng->state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

uint32_t Below(Rng *rng, uint32_t bound)
{
    return bound ? static_cast<uint32_t>((static_cast<uint64_t>(Next32(rng)) * bound) >> 32) : 0;
}

bool OneIn(Rng *rng, uint32_t n)
{
    return Below(rng, n) == 0;
}
