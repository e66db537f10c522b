#include "fps_meter.h"

#include <cstdio>

#include "frame_texts.h"

namespace {
constexpr int64_t Second = 1000000000;
constexpr int32_t TextHeight = 16;
}

void FpsMeter::Count(int64_t busy, int64_t now)
{
    ++frames_;
    busyTotal_ += busy;
    if (windowFrames_ == 0) windowStart_ = now - busy;
    ++windowFrames_;
    windowBusy_ += busy;
    if (now - windowStart_ >= Second) {
        rate_ = windowFrames_ * 1e9 / static_cast<double>(now - windowStart_);
        cost_ = windowBusy_ / 1e6 / static_cast<double>(windowFrames_);
        windowFrames_ = windowBusy_ = 0;
    }
}

void FpsMeter::Show(Canvas& canvas)
{
    if (!tried_) {
        tried_ = true;
        font_ = canvas.MakeFont(u"IPAGothic", TextHeight, false, false);
    }
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%.1f fps  %.2f ms", rate_, cost_);
    int32_t x = 4;
    canvas.FillBox({0, 0, 8 + n * TextHeight / 2, TextHeight + 4}, 0x000000);
    for (int i = 0; i < n; ++i) {
        int32_t w = 0, h = 0;
        canvas.DrawChar(font_.get(), x, 2, static_cast<TextChar>(text[i]), 0xFFFFFF);
        canvas.MeasureChar(font_.get(), static_cast<TextChar>(text[i]), w, h);
        x += w;
    }
}

void FpsMeter::Report(const char* program) const
{
    if (frames_ == 0) return;
    Tell(program, FrameText::FpsReport, static_cast<long long>(frames_),
         busyTotal_ / 1e6 / static_cast<double>(frames_));
}
