#include "platform/session/clock.h"

#include "platform/session/journal.h"
#include "platform/session/run.h"

#include <chrono>
#include <thread>

namespace {
bool virtualClock = false;
int64_t virtualNow = 0;
void (*advanceListener)(int ms) = nullptr;

int64_t RealMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

// Every reading is an outside fact: a session journal records it, a replay answers it.
int32_t Millisecs() {
    return journal::Time(clockseam::MachineMillisecs);
}

void Delay(int ms) {
    if (ms <= 0) return;
    session::WaitBegin();
    if (virtualClock) {
        clockseam::Advance(ms);
    } else if (journal::Replaying() && (session::Current().headless || session::FollowsStream())) {
        // A headless replay takes its times from the journal: nothing to wait for. A
        // follower of a live stream keeps its own pace (the network layer's playout).
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    session::WaitEnd();
}

namespace clockseam {
int32_t MachineMillisecs() {
    int64_t now = virtualClock ? virtualNow : RealMillis();
    return static_cast<int32_t>(static_cast<uint32_t>(now));
}
void UseVirtualClock(int32_t startMs) {
    virtualClock = true;
    virtualNow = startMs;
}
void UseRealClock() { virtualClock = false; }
void SetAdvanceListener(void (*listener)(int ms)) { advanceListener = listener; }
bool IsVirtual() { return virtualClock; }
void Advance(int ms) {
    if (!virtualClock || ms <= 0) return;
    virtualNow += ms;
    if (advanceListener) advanceListener(ms);
}
}  // namespace clockseam
