#pragma once
// The end of a frame: pacing to the display's rate, the rig's shot, showing the picture,
// counting the flip and processing the next events. It joins the rooms below (video,
// session, input), so it lives above them.
#include <cstdint>

// Shows the back buffer. sync 1 waits for the retrace, 0 does not, -1 paces in
// software to the refresh rate given to Graphics. Events are processed inside.
void Flip(int sync = -1);

namespace frame {
// Forgets the software pacing schedule (a new run starts it afresh).
void ResetPacing();
// The virtual clock's next retrace time after now (ms), on the fixed 1000/rate schedule;
// always later than now and at most one period away.
int64_t NextRetrace(int64_t now, int rate);
}  // namespace frame
