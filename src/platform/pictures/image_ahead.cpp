// Pictures decoded ahead of their LoadImage on worker threads.
//
// Decoding PNG and JPEG files is most of what loading costs, and every picture decodes on
// its own, so a few workers take the files of a list in its order while the game's
// thread goes on with what it does between two loads (fonts, sounds, opening the
// display). LoadImage then takes the pixels ready made. Nothing else moves: images,
// textures and reports of bad files are still made by LoadImage, on the game's thread,
// in the order the game loads them.
#include "platform/pictures/pictures_internal.h"
#include "platform/video/drawing.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct Job {
    std::string path;
    bool masked = false;  // the mask colour applies (MASKEDIMAGE)
    int mask[3] = {0, 0, 0};
    enum State { Waiting, Decoding, Done } state = Waiting;
    int takers = 1;     // LoadImage calls still to come for it
    TPixmapPtr pixels;  // the frame: RGBA, masked as asked when the file has no alpha
    bool hadAlpha = false;
    std::string problem;
};
using JobPtr = std::shared_ptr<Job>;

void Decode(Job& job) {
    try {
        TPixmapPtr raw = LoadPixmap(job.path, &job.problem);
        if (!raw) return;
        job.hadAlpha = FormatHasAlpha(raw->format);
        job.pixels = pictures::MaskedRGBA(std::move(raw), job.masked, job.mask[0], job.mask[1], job.mask[2]);
        if (!job.pixels) job.problem = "unusable picture";
    } catch (const std::exception&) {  // out of memory: the game's thread tries again
        job.pixels = nullptr;
        job.problem.clear();
    }
}

struct Ahead {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<JobPtr> waiting;            // in the order they were asked for
    std::map<std::string, JobPtr> byPath;  // every job not yet taken by all its takers
    std::vector<std::thread> workers;
    bool stopping = false;

    ~Ahead() {
        {
            std::lock_guard<std::mutex> hold(lock);
            stopping = true;
            changed.notify_all();
        }
        for (auto& w : workers) w.join();
    }

    void Work() {
        std::unique_lock<std::mutex> hold(lock);
        for (;;) {
            changed.wait(hold, [this] { return stopping || !waiting.empty(); });
            if (stopping) return;
            JobPtr job = waiting.front();
            waiting.pop_front();
            job->state = Job::Decoding;
            hold.unlock();
            Decode(*job);
            hold.lock();
            job->state = Job::Done;
            changed.notify_all();
        }
    }

    // Up to one worker per core, at least one; false when none could be started.
    bool StartWorkers() {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const size_t wanted = std::min<size_t>(cores, 4);
        try {
            while (workers.size() < wanted) workers.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
        }
        return !workers.empty();
    }
};

Ahead& Shared() {
    static Ahead ahead;
    return ahead;
}

}  // namespace

void PrefetchImages(const std::vector<ImageAhead>& pictures) {
    if (pictures.empty()) return;
    Ahead& a = Shared();
    const auto& st = drawing::State();
    {
        std::lock_guard<std::mutex> hold(a.lock);
        if (!a.StartWorkers()) return;  // LoadImage decodes them itself
        for (const ImageAhead& p : pictures) {
            auto [it, added] = a.byPath.try_emplace(p.path);
            if (!added) {
                ++it->second->takers;
                continue;
            }
            auto job = std::make_shared<Job>();
            job->path = p.path;
            job->masked = ((p.flags == -1 ? DEFAULT_IMAGE_FLAGS : p.flags) & MASKEDIMAGE) != 0;
            job->mask[0] = st.maskR;
            job->mask[1] = st.maskG;
            job->mask[2] = st.maskB;
            it->second = job;
            a.waiting.push_back(job);
        }
        a.changed.notify_all();
    }
}

namespace pictures {

bool TakeImageAhead(const std::string& path, bool masked, const int mask[3], TPixmapPtr& pixels,
                    std::string& problem) {
    Ahead& a = Shared();
    std::unique_lock<std::mutex> hold(a.lock);
    auto it = a.byPath.find(path);
    if (it == a.byPath.end()) return false;
    JobPtr job = it->second;
    if (--job->takers == 0) a.byPath.erase(it);
    if (job->state == Job::Waiting) {
        // No worker has reached it: decoding it here is sooner than waiting.
        a.waiting.erase(std::find(a.waiting.begin(), a.waiting.end(), job));
        job->state = Job::Decoding;
        hold.unlock();
        Decode(*job);
        hold.lock();
        job->state = Job::Done;
        a.changed.notify_all();
    }
    a.changed.wait(hold, [&] { return job->state == Job::Done; });
    // The pixels fit this load when the mask did not matter or was the same.
    const bool sameMask =
        job->masked == masked &&
        (!masked || (job->mask[0] == mask[0] && job->mask[1] == mask[1] && job->mask[2] == mask[2]));
    if (job->pixels && !job->hadAlpha && !sameMask) return false;
    if (!job->pixels && job->problem.empty()) return false;
    problem = job->problem;
    // The last taker has the pixels; any before it a copy, as each image owns its frames.
    pixels = job->takers == 0 || !job->pixels ? std::move(job->pixels) : CopyPixmap(*job->pixels);
    return true;
}

void ForgetImageAhead(const std::string& path) {
    Ahead& a = Shared();
    std::lock_guard<std::mutex> hold(a.lock);
    auto it = a.byPath.find(path);
    if (it == a.byPath.end()) return;
    JobPtr job = it->second;
    if (--job->takers > 0) return;
    a.byPath.erase(it);
    // Not begun: nobody needs it decoded any more. Begun: the worker finishes it and the
    // pixels go with the last reference to the job.
    if (job->state == Job::Waiting) a.waiting.erase(std::find(a.waiting.begin(), a.waiting.end(), job));
}

}  // namespace pictures
