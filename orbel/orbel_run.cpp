#include "orbel_run.h"

namespace {

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF;

// A square of the given side loses its right and bottom row, as a rectangle
// drawn without an outline does.
CanvasBox SquareAt(int32_t x, int32_t y, int32_t side) { return {x, y, x + side - 1, y + side - 1}; }

} // namespace

void StartOrbel(OrbelRun& run, int32_t count, int32_t screenWidth, int32_t screenHeight, int32_t windowWidth,
                int32_t windowHeight)
{
    EndOrbel(run);
    run.Count = count;
    run.Points = AllocatePoints(count);
    if (run.Points) BuildPoints(run.Points.get(), count, screenWidth, screenHeight);
    run.PointSize = ScaledPointSize(2, screenWidth, screenHeight, windowWidth, windowHeight);
}

void DrawOrbel(OrbelRun& run, Canvas& canvas)
{
    if (!run.Points) return;
    StepPoints(run.Points.get(), run.Count);
    // All of last tick's squares go before any new one is drawn, so no
    // erase cuts into another point's new square. A point that has not
    // moved keeps its square: every square is drawn white again below, so
    // its erase would change no pixel of the finished frame.
    for (int32_t i = 0; i < run.Count; ++i) {
        const MassPoint& p = run.Points[i];
        if (p.DrawnX != p.X || p.DrawnY != p.Y) canvas.FillBox(SquareAt(p.DrawnX, p.DrawnY, run.PointSize), Black);
    }
    for (int32_t i = 0; i < run.Count; ++i) {
        MassPoint& p = run.Points[i];
        p.DrawnX = p.X;
        p.DrawnY = p.Y;
        canvas.FillBox(SquareAt(p.X, p.Y, run.PointSize), White);
    }
}

void EndOrbel(OrbelRun& run)
{
    run.Points.reset();
}
