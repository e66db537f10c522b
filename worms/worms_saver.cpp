// Worms' hooks: the worms are built before the window exists, crawl one step
// per tick over whatever the window shows, and are freed after it is gone.
#include "worms_saver.h"

#include <new>

#include "worms_dialog.h"
#include "worms_settings.h"

namespace {

// Draws one worm's tail and head with GDI under the tick's mix mode. The
// tail brush is the stock black one (TrailClear) or one in the worm's colour;
// the head brush is the worm's colour again (TrailClear), its advanced colour
// (TrailSmear) or the tail brush itself (TrailNone). Every brush created for a
// worm is deleted before the next worm is drawn.
class GdiPainter {
public:
    GdiPainter(HDC dc, int32_t type, LOGBRUSH& brush) : dc_(dc), type_(type), brush_(brush) {}
    GdiPainter(const GdiPainter&) = delete;
    GdiPainter& operator=(const GdiPainter&) = delete;

    void Tail(const Worm& worm, SegmentBox box)
    {
        if (type_ == TrailClear) {
            tail_ = nullptr;
            kept_ = SelectObject(dc_, GetStockObject(BLACK_BRUSH));
        } else {
            tail_ = MakeBrush(worm.Colour);
            kept_ = tail_ ? SelectObject(dc_, tail_) : nullptr;
        }
        DrawSegment(box);
    }

    void Head(const Worm& worm, SegmentBox box)
    {
        HBRUSH head = type_ == TrailNone ? nullptr : MakeBrush(worm.Colour);
        if (head) {
            HGDIOBJ replaced = SelectObject(dc_, head);
            if (!kept_) kept_ = replaced;
        }
        DrawSegment(box);
        // The brush the worm found goes back in before its own are deleted:
        // a brush still selected into the DC would not be freed.
        if (kept_) SelectObject(dc_, kept_);
        if (head) DeleteObject(head);
        if (tail_) DeleteObject(tail_);
        tail_ = nullptr;
        kept_ = nullptr;
    }

private:
    HBRUSH MakeBrush(uint32_t colour)
    {
        brush_.lbColor = colour;
        return CreateBrushIndirect(&brush_);
    }

    // Outlined with the DC's own pen: no pen is ever selected.
    void DrawSegment(SegmentBox box) { Ellipse(dc_, box.Left, box.Top, box.Right, box.Bottom); }

    HDC dc_;
    int32_t type_;
    LOGBRUSH& brush_;
    HBRUSH tail_ = nullptr;
    HGDIOBJ kept_ = nullptr;
};

WormsInstance& Run(SaverInstance& instance) { return static_cast<WormsInstance&>(instance); }

SettingsKey& Settings() { return TheWormsSettings(); }

SaverInstance* NewInstance(const SaverView& view) { return new (std::nothrow) WormsInstance(view); }

bool Prepare(SaverInstance& instance)
{
    WormsInstance& r = Run(instance);
    const WormsSettings& s = TheWormsSettings();
    r.Type = s.Type;
    r.SegmentBrush = LOGBRUSH{BS_SOLID, 0, 0};
    // No memory for the worms: the shell releases and ends the program.
    return r.WormArray.Build(s.WormsCnt, s.WormsLen);
}

void OnCreate(SaverInstance&, HWND window) { ShowWindow(window, SW_SHOW); }

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    WormsInstance& r = Run(instance);
    SetROP2(dc, r.Type == TrailClear ? R2_COPYPEN : R2_NOTXORPEN);
    r.SegmentBrush.lbStyle = BS_SOLID;
    GdiPainter painter(dc, r.Type, r.SegmentBrush);
    CrawlTick(r.WormArray, r.Type, CrawlArea{r.View.ScreenWidth, r.View.ScreenHeight}, painter);
}

bool QueryClose(SaverInstance&, HWND) { return true; }

void Release(SaverInstance& instance) { Run(instance).WormArray.Free(); }

} // namespace

const SaverHooks ProgramSaver = {
    "Worms",
    true,  // a key or click ends the preview too
    Settings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose, Release,
};
