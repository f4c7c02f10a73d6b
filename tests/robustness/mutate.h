// Seeded mutations of device modes. Every mutated record lies in a buffer
// that ends at a guard page exactly where the record says it ends
// (dmSize + dmDriverExtra, at least up to dmDriverExtra itself), so reading
// past the declared record faults.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <random>

#include "tests/common/guardpage.h"

// A seeded generator, so that every fuzz run can be repeated exactly.
typedef std::mt19937 Rng;
inline uint32_t Next32(Rng *rng) { return static_cast<uint32_t>((*rng)()); }
// Uniform enough in [0, bound); 0 when bound is 0.
inline uint32_t Below(Rng *rng, uint32_t bound) { return bound ? Next32(rng) % bound : 0; }
// TRUE with probability 1/n.
inline bool OneIn(Rng *rng, uint32_t n) { return Below(rng, n) == 0; }

// Offset of dmDriverExtra's end: the least a reader must see to learn the size.
#define FUZZ_MIN_RECORD 72

struct FuzzRecord {
    GuardedBuffer memory;
    DEVMODEW *dm;
    SIZE_T size;
};

struct SeedRecord {
    const BYTE *bytes;
    SIZE_T size;
};

// Mutates a copy of `base` (with bytes spliced from `other`) into `out`.
// fullRecord: keep a 4160-byte buffer whatever the header declares, for the
// entry points that take the driver's own record as given.
BOOL MutateRecord(Rng *rng, const SeedRecord *base, const SeedRecord *other, BOOL fullRecord,
                  FuzzRecord *out);
void ReleaseFuzzRecord(FuzzRecord *record);

// The declared size of a record: dmSize + dmDriverExtra.
SIZE_T DeclaredSize(const DEVMODEW *dm);
