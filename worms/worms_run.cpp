#include "worms_run.h"

namespace {

CanvasBox BoxOf(SegmentBox b) { return {b.Left, b.Top, b.Right, b.Bottom}; }

class CanvasPainter {
public:
    CanvasPainter(Canvas& canvas, int32_t type) : canvas_(canvas), type_(type) {}

    void Tail(const Worm& worm, SegmentBox box)
    {
        if (type_ == TrailClear)
            canvas_.Ellipse(BoxOf(box), 0x000000, CanvasMix::Copy);
        else
            canvas_.Ellipse(BoxOf(box), worm.Colour, CanvasMix::NotXor);
    }
    void Head(const Worm& worm, SegmentBox box)
    {
        canvas_.Ellipse(BoxOf(box), worm.Colour, type_ == TrailClear ? CanvasMix::Copy : CanvasMix::NotXor);
    }

private:
    Canvas& canvas_;
    int32_t type_;
};

} // namespace

bool StartWorms(WormsRun& run, int32_t type, int32_t count, int32_t length, CrawlArea area)
{
    run.Type = type;
    run.Area = area;
    return run.Crowd.Build(count, length);
}

void DrawWorms(WormsRun& run, Canvas& canvas)
{
    CanvasPainter painter(canvas, run.Type);
    CrawlTick(run.Crowd, run.Type, run.Area, painter);
}

void EndWorms(WormsRun& run) { run.Crowd.Free(); }
