// Flip: pacing, shots, trace and event processing around showing the back buffer.
#include "platform/frame.h"

#include "platform/base/system.h"
#include "platform/input/input.h"
#include "platform/session/clock.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/video/display.h"

namespace {
// Software pacing of flip(-1): Int(1000 / rate) ms per frame, the remainder spread one
// millisecond at a time over the second.
struct Pacer {
    bool started = false;
    int32_t next = 0;
    int spread = 0;
} pacer;

void PaceInSoftware(int rate) {
    int step = 1000 / rate;
    int remainder = 1000 - step * rate;
    int32_t now = Millisecs();
    if (!pacer.started) {
        pacer.started = true;
        pacer.next = now;
    }
    pacer.spread += remainder;
    int extra = 0;
    if (pacer.spread >= rate) {
        pacer.spread -= rate;
        extra = 1;
    }
    pacer.next = MillisecsAfter(pacer.next, step + extra);
    const int32_t ahead = MillisecsBetween(now, pacer.next);
    if (ahead > 0) {
        Delay(ahead);
    } else {
        pacer.next = now;  // late: no sleep, the schedule starts again from now
    }
}

// Under the virtual clock a retrace wait moves the clock to the next retrace time.
void WaitRetraceVirtual(int rate) {
    int32_t now = Millisecs();
    Delay(static_cast<int>(frame::NextRetrace(now, rate) - now));
}
}  // namespace

void frame::ResetPacing() { pacer = Pacer{}; }

namespace {
std::function<void()> beforeShow;
bool inBeforeShow = false;
std::function<void()> overlay;
}  // namespace

void frame::SetBeforeShow(std::function<void()> hook) { beforeShow = std::move(hook); }
void frame::SetOverlay(std::function<void()> hook) { overlay = std::move(hook); }

// Retraces fall at ceil(k * 1000 / rate) ms for whole k. The smallest k whose retrace lies
// after now is floor(now * rate / 1000) + 1; whole-number arithmetic keeps the target
// strictly later than now (floating point once put it on now itself and froze the clock).
int64_t frame::NextRetrace(int64_t now, int rate) {
    int64_t r = rate > 0 ? rate : 60;
    int64_t scaled = now * r;
    int64_t k = (scaled >= 0 ? scaled / 1000 : -((-scaled + 999) / 1000)) + 1;
    int64_t top = k * 1000;
    return top >= 0 ? (top + r - 1) / r : -((-top) / r);
}

void Flip(int sync) {
    if (beforeShow && !inBeforeShow) {
        // Cleared however the hook ends (leaving a match throws out of it).
        struct Guard {
            Guard() { inBeforeShow = true; }
            ~Guard() { inBeforeShow = false; }
        } guard;
        beforeShow();
    }
    if (overlay) overlay();
    int rate = display::RefreshRate();
    if (sync == -1 && rate > 0) PaceInSoftware(rate);
    if (sync == 1 && clockseam::IsVirtual()) WaitRetraceVirtual(rate);

    std::string shot = session::ShotForNextFlip();
    if (!shot.empty()) display::SaveBackBufferPNG(shot);

    bool realRetrace = sync == 1 && !clockseam::IsVirtual();
    if (realRetrace) session::WaitBegin();
    display::PresentFrame(realRetrace);
    if (realRetrace) session::WaitEnd();

    session::FlipDone(sync, Millisecs());
    // Processes this flip's events (the window-close test does it) and ends the run when
    // the window was closed (code 0) or the flip limit is reached (code 3). A replay has
    // no window of its own to close on a stop signal: it ends here.
    if (StopSignal() != 0 && journal::Replaying()) session::StopForSignal();
    if (AppTerminate()) throw session::Stop(0);
    const int maxFlips = session::Current().maxFlips;
    if (maxFlips > 0 && session::FlipCount() >= maxFlips) throw session::Stop(3);
}
