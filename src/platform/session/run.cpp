// The run's options, its journal and clock set up from them, the flip count and the
// frame-time file.
#include "platform/session/run.h"

#include "platform/base/errors.h"
#include "platform/session/clock.h"
#include "platform/session/journal.h"
#include "platform/session/trace.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace session {
namespace {

struct RunState {
    Options options;
    int flips = 0;
    std::FILE* frameTimesFile = nullptr;
    std::chrono::steady_clock::time_point workStart = std::chrono::steady_clock::now();
    // When this flip's events were taken: right after the last flip, and the wait after it
    // for a follower's pace.
    std::chrono::steady_clock::time_point inputTaken = workStart;
    std::chrono::steady_clock::duration waited{};
    std::chrono::steady_clock::time_point waitStart;
    int waitDepth = 0;
    bool followsStream = false;
};
RunState st;
std::function<void(int, int32_t)> flipListener;

[[noreturn]] void Bad(const std::string& what) { throw GameError(what); }

}  // namespace

void Configure(const Options& options) { Configure(options, nullptr, {}); }

void Configure(const Options& options, std::unique_ptr<journal::ByteSource> stream, const std::string& name) {
    Reset();
    st.options = options;
    // Shots are written later, after the game may have moved into its data folder: they
    // stay relative to the folder the game was started in.
    for (auto& shot : st.options.shots) {
        std::error_code ec;
        std::filesystem::path anchored = std::filesystem::absolute(shot.second, ec);
        if (!ec) shot.second = anchored.string();
    }
    if (stream || !options.replay.empty()) {
        st.followsStream = stream != nullptr;
        journal::Header h = stream ? journal::StartReplay(std::move(stream), name) : journal::StartReplay(options.replay);
        st.options.seed = h.seed;
        st.options.virtualClock = h.virtualClock;
        // The recording stopped at its limit; a replay may stop sooner, never later.
        if (h.maxFlips > 0 && (st.options.maxFlips == 0 || st.options.maxFlips > h.maxFlips))
            st.options.maxFlips = h.maxFlips;
    }
    if (st.options.virtualClock) clockseam::UseVirtualClock();
    if (!options.trace.empty()) rig::OpenTrace(options.trace);
    if (!options.frameTimes.empty()) {
        st.frameTimesFile = std::fopen(options.frameTimes.c_str(), "wb");
        if (!st.frameTimesFile) Bad("No se puede escribir " + options.frameTimes);
    }
    // Every live run keeps its journal, in memory at least: the players screen may start
    // hosting at any moment, and a host sends newcomers the journal from the start.
    if (!st.followsStream && options.replay.empty()) {
        journal::Header h;
        h.seed = options.seed;
        h.virtualClock = options.virtualClock;
        h.maxFlips = options.maxFlips;
        journal::StartRecording(options.record, h);
    }
    st.workStart = st.inputTaken = std::chrono::steady_clock::now();
}

const Options& Current() { return st.options; }

void Reset() {
    rig::ResetTrace();
    if (st.frameTimesFile) std::fclose(st.frameTimesFile);
    journal::Reset();
    st = RunState{};
    clockseam::UseRealClock();
}

int FlipCount() { return st.flips; }

void StopForSignal() {
    journal::Interrupted();
    throw Stop(0);
}

bool FollowsStream() { return st.followsStream; }

void SetFlipListener(std::function<void(int, int32_t)> listener) { flipListener = std::move(listener); }

std::string ShotForNextFlip() {
    for (const auto& [n, path] : st.options.shots)
        if (n == st.flips + 1) return path;
    return {};
}

std::string ShotStillToCome() {
    int nearest = 0;
    std::string path;
    for (const auto& [n, p] : st.options.shots)
        if (n > st.flips && (nearest == 0 || n < nearest)) nearest = n, path = p;
    return path;
}

void WaitBegin() {
    if (st.waitDepth++ == 0) st.waitStart = std::chrono::steady_clock::now();
}

void WaitEnd() {
    if (st.waitDepth > 0 && --st.waitDepth == 0) st.waited += std::chrono::steady_clock::now() - st.waitStart;
}

void FlipDone(int sync, int32_t clockMs) {
    if (rig::Tracing()) rig::Record("flip").add("sync", sync).add("ms", static_cast<double>(clockMs)).emit();
    ++st.flips;
    // Part of the flip's work: the frame times show what the journal's writing costs.
    journal::FlipEnd(clockMs);
    if (st.frameTimesFile) {
        auto now = std::chrono::steady_clock::now();
        double work = std::chrono::duration<double, std::milli>(now - st.workStart - st.waited).count();
        // The third column, when the frame was shown, gives the pace frames are shown at;
        // the fourth, when its events were taken, the delay from a key to the frame. Both
        // on the machine's monotonic clock, so that other programs (a bench pressing keys,
        // another instance of the game) can be set beside them.
        std::fprintf(st.frameTimesFile, "%d %.3f %.3f %.3f\n", st.flips, work, clockseam::MonotonicMs(now),
                     clockseam::MonotonicMs(st.inputTaken));
        st.workStart = now;
        st.waited = {};
    }
    if (flipListener) flipListener(st.flips, clockMs);
    if (st.frameTimesFile) st.inputTaken = std::chrono::steady_clock::now();
}

}  // namespace session
