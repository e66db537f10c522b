// Worms' side of the shell: the worms are built before the window exists,
// crawl one step per tick over whatever the screen shows, and are freed after
// the window is gone.
#include "saver_hooks.h"
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

// The full-screen window is never erased, so the worms crawl over what it
// holds. Where every window has a surface of its own (a compositing desktop,
// wine) a new window holds black, not the screen: the screen is copied before
// the window exists and put into it as soon as it shows. Where the window
// does show the screen, the copy puts back the same picture.
void FreeBackdrop(WormsSettings& s);

void TakeBackdrop(WormsSettings& s)
{
    FreeBackdrop(s);
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, s.WindowWidth, s.WindowHeight);
    HDC copy = bitmap ? CreateCompatibleDC(screen) : nullptr;
    if (copy) {
        s.RunBackdrop = copy;
        s.RunBackdropSaved = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, s.WindowWidth, s.WindowHeight, screen, 0, 0, SRCCOPY);
    } else if (bitmap) {
        DeleteObject(bitmap);
    }
    ReleaseDC(desktop, screen);
}

void FreeBackdrop(WormsSettings& s)
{
    if (!s.RunBackdrop) return;
    DeleteObject(SelectObject(s.RunBackdrop, s.RunBackdropSaved));
    DeleteDC(s.RunBackdrop);
    s.RunBackdrop = nullptr;
    s.RunBackdropSaved = nullptr;
}

void PaintBackdrop(HWND window, WormsSettings& s)
{
    if (!s.RunBackdrop) return;
    HDC dc = GetDC(window);
    BitBlt(dc, 0, 0, s.WindowWidth, s.WindowHeight, s.RunBackdrop, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    FreeBackdrop(s);
}

} // namespace

bool Prepare()
{
    WormsSettings& s = TheWormsSettings();
    s.SegmentBrush = LOGBRUSH{BS_SOLID, 0, 0};
    // In Preview the shell paints its own shrunken snapshot.
    if (!s.ParentWindow) TakeBackdrop(s);
    // No memory for the worms: the shell releases and ends the program.
    return s.WormArray.Build(s.WormsCnt, s.WormsLen);
}

void OnCreate(HWND window)
{
    ShowWindow(window, SW_SHOW);
    PaintBackdrop(window, TheWormsSettings());
}

void DrawFrame(HWND, HDC dc)
{
    WormsSettings& s = TheWormsSettings();
    SetROP2(dc, s.Type == TrailClear ? R2_COPYPEN : R2_NOTXORPEN);
    s.SegmentBrush.lbStyle = BS_SOLID;
    GdiPainter painter(dc, s.Type, s.SegmentBrush);
    CrawlTick(s.WormArray, s.Type, CrawlArea{s.ScreenWidth, s.ScreenHeight}, painter);
}

bool QueryClose(HWND) { return true; }

void Release()
{
    WormsSettings& s = TheWormsSettings();
    FreeBackdrop(s);  // when the window never came
    s.WormArray.Free();
}
