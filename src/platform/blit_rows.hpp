#pragma once
// The row copies behind the colour-keyed blit: one is picked at start-up for
// the processor the game runs on. Tests check every one the machine can run.
#include <cstdint>
#include <vector>

namespace kt {

// Copies the non-zero pixels of s[0..n) to d[0..n).
using KeyedRowCopy = void (*)(const uint16_t* s, uint16_t* d, int32_t n);

struct KeyedRowVariant {
  const char* name;
  KeyedRowCopy copy;
};

// Every variant this processor can run, the one the blit uses first.
std::vector<KeyedRowVariant> KeyedRowVariants();

}  // namespace kt
