#pragma once
// The millisecond clock and sleeping. Under the rig's virtual clock the time moves only
// by Delay and by waits for the retrace.
#include <chrono>
#include <cstdint>

// Milliseconds since system start, wrapping as a signed 32-bit value.
int32_t Millisecs();
// Sleeps ms milliseconds (nothing for ms <= 0).
void Delay(int ms);

// Milliseconds from reading `from` to reading `to` (negative when `to` is the earlier),
// right across the clock's wrap as long as the two lie less than 24.8 days apart.
// Readings are never subtracted or added as plain signed integers: that overflows.
inline int32_t MillisecsBetween(int32_t from, int32_t to) {
    return static_cast<int32_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
}
// The reading ms milliseconds after reading t, wrapping as the clock does.
inline int32_t MillisecsAfter(int32_t t, int32_t ms) {
    return static_cast<int32_t>(static_cast<uint32_t>(t) + static_cast<uint32_t>(ms));
}

namespace clockseam {
// The clock as the machine (or the virtual counter) has it, outside any journal: for
// the platform's own bookkeeping, never for decisions the game makes.
int32_t MachineMillisecs();
// Switches to the virtual clock starting at startMs (tests and --virtual-clock).
void UseVirtualClock(int32_t startMs = 100000);
void UseRealClock();
bool IsVirtual();
// Moves the virtual clock forward and tells the listener (the silent mixer).
void Advance(int ms);
// Called by every Advance with the milliseconds moved (one listener; nullptr: none).
void SetAdvanceListener(void (*listener)(int ms));
// A moment of the machine's monotonic clock in milliseconds, with their fractions: for
// pacing frames and measuring them, never for decisions the game makes.
inline double MonotonicMs(std::chrono::steady_clock::time_point t = std::chrono::steady_clock::now()) {
    return std::chrono::duration<double, std::milli>(t.time_since_epoch()).count();
}
}  // namespace clockseam
