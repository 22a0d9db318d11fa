// The raw listing of a folder, giving freed memory back, and the stop signals.
#include "platform/base/system.h"

#include "platform/base/text.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <csignal>

#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(path.empty() ? "." : NativePath(path), ec), end;
    for (; !ec && it != end; it.increment(ec)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void TuneMemory() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_ARENA_MAX, 2);
    // Mesa's software rasteriser takes and frees blocks of about 64 KB every frame. Freed at
    // the heap's top, each went back to the system at the default threshold and the next
    // frame asked for it again: some 30 system calls and their fresh pages a frame, two
    // thirds of a small window's time. Up to 4 MB free at the top stay for reuse.
    mallopt(M_TRIM_THRESHOLD, 4 << 20);
#endif
}

void ReturnFreeMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

namespace {
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int signal) {
    if (stopSignal != 0) {
        // Asked twice: the game did not stop on the first; the signal's own ending now.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    stopSignal = signal;
}
}  // namespace

void InstallStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read or wait the signal falls into returns, and its loop looks.
    action.sa_flags = 0;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

int StopSignal() { return stopSignal; }

void ForgetStopSignal() { stopSignal = 0; }
