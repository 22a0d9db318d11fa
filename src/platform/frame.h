#pragma once
// The end of a frame: pacing to the display's rate, the rig's shot, showing the picture,
// counting the flip and processing the next events. It joins the rooms below (video,
// session, input), so it lives above them.
#include <cstdint>
#include <functional>

// Shows the back buffer. sync 1 waits for the retrace, 0 does not, -1 paces in
// software to the refresh rate given to Graphics. Events are processed inside.
void Flip(int sync = -1);

namespace frame {
// Runs at the start of every Flip, before the picture drawn is shown: the pause panel
// opens there, over that picture. A hook that flips itself is not run again inside.
// Empty: none.
void SetBeforeShow(std::function<void()> hook);
// Runs in every Flip after that hook (also in the flips the hook makes itself), just before
// the picture is shown and shot: what this machine alone draws over it (a follower's own
// panel over its host's game). Empty: none.
void SetOverlay(std::function<void()> hook);
// Forgets the software pacing schedule (a new run starts it afresh).
void ResetPacing();
// The virtual clock's next retrace time after now (ms), on the fixed 1000/rate schedule;
// always later than now and at most one period away.
int64_t NextRetrace(int64_t now, int rate);
}  // namespace frame
