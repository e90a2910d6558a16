#pragma once
// Millisecond ticks wrap at 2^32 (and pass 2^31 on the way); every comparison
// of two ticks goes through the elapsed time between them, which stays right
// across both.
#include <cstdint>

namespace kt {

// Milliseconds from `since` to `now`, modulo 2^32.
constexpr uint32_t Elapsed(int32_t now, int32_t since) {
  return static_cast<uint32_t>(now) - static_cast<uint32_t>(since);
}

// "now >= since + ms"
constexpr bool TimeReached(int32_t now, int32_t since, uint32_t ms) { return Elapsed(now, since) >= ms; }
// "now > since + ms"
constexpr bool TimePassed(int32_t now, int32_t since, uint32_t ms) { return Elapsed(now, since) > ms; }

// A tick plus an offset, wrapping.
constexpr int32_t TickAdd(int32_t tick, int32_t ms) {
  return static_cast<int32_t>(static_cast<uint32_t>(tick) + static_cast<uint32_t>(ms));
}

}  // namespace kt
