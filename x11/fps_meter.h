// --fps: the frame rate and the cost of a frame, shown in the window's
// top-left corner as xscreensaver hacks show theirs, and summed up on
// stderr when the program ends.
#pragma once

#include <cstdint>
#include <memory>

#include "canvas.h"

class FpsMeter {
public:
    FpsMeter() = default;
    FpsMeter(const FpsMeter&) = delete;
    FpsMeter& operator=(const FpsMeter&) = delete;

    // One frame that took busy nanoseconds to draw, ending at now (ns).
    void Count(int64_t busy, int64_t now);
    // The last second's rate and cost over the corner of the picture.
    void Show(Canvas& canvas);
    // "N frames, X ms a frame" on stderr.
    void Report(const char* program) const;

private:
    int64_t frames_ = 0, busyTotal_ = 0;
    int64_t windowStart_ = 0, windowFrames_ = 0, windowBusy_ = 0;
    double rate_ = 0, cost_ = 0;
    std::unique_ptr<CanvasFont> font_;
    bool tried_ = false;
};
