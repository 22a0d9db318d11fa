#pragma once
// The millisecond clock and sleeping. Under the rig's virtual clock the time moves only
// by Delay and by waits for the retrace.
#include <cstdint>

// Milliseconds since system start, wrapping as a signed 32-bit value.
int32_t Millisecs();
// Sleeps ms milliseconds (nothing for ms <= 0).
void Delay(int ms);

namespace clockseam {
// The clock as the machine (or the virtual counter) has it, outside any journal: for
// the platform's own bookkeeping, never for decisions the game makes.
int32_t MachineMillisecs();
// Switches to the virtual clock starting at startMs (tests and --virtual-clock).
void UseVirtualClock(int32_t startMs = 100000);
void UseRealClock();
bool IsVirtual();
// Moves the virtual clock forward (also advances the silent mixer).
void Advance(int ms);
}  // namespace clockseam
