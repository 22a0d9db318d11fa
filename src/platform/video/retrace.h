#pragma once
// Showing frames at the display's pace. Each swap asks the driver to wait for the retrace
// (vsync); some drivers accept that and still show frames as fast as they come (a virtual
// X display, some machines without a graphics card). The pacer sees it from the swaps
// themselves and from then on waits by the frame timer before each swap instead.
// Times are milliseconds on any steady clock.
namespace video {

class RetracePacer {
   public:
    // Before a swap that is to wait for the retrace: the milliseconds to wait first, 0 while
    // the driver's swap does the waiting.
    double WaitBefore(double nowMs) const;
    // After that swap, at nowMs.
    void Swapped(double nowMs, int hz);
    // A frame shown without waiting for the retrace (a screen paced by its own timer, a
    // frame nobody sees): the next swap starts a fresh beat and a fresh count.
    void Unpaced();
    // The driver's swap was seen not to wait: the frame timer paces.
    bool Software() const { return software; }
    // The driver refused to wait at all.
    void DriverRefused() { software = true; }

    // Swaps counted before judging the driver, and how many of them must come quicker than
    // half a retrace apart for it to be judged not to wait.
    static constexpr int kSwapsJudged = 60;
    static constexpr int kQuickToJudge = kSwapsJudged / 2 + 1;

   private:
    static double Period(int hz) { return 1000.0 / (hz > 0 ? hz : 60); }
    bool software = false;
    bool haveLast = false;
    double last = 0;  // when the last paced frame was shown
    double next = 0;  // the frame timer's next beat
    int swaps = 0, quick = 0;
};

}  // namespace video
