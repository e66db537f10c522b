#include "glyra_run.h"

#include "default_texts.h"
#include "glyra_defaults.h"
#include "random.h"

namespace {

struct BuiltInTarget {
    TextList& List;
    int32_t Speed;
};

bool AddBuiltIn(int index, void* context)
{
    BuiltInTarget& t = *static_cast<BuiltInTarget*>(context);
    return t.List.AppendCopy(GlyraDefaultTexts[index].Text, t.Speed, TrailHooks);
}

struct MeasureContext {
    Canvas& On;
    const CanvasFont* Font;
};

int32_t MeasureCharacter(const TextChar* character, void* context)
{
    MeasureContext& m = *static_cast<MeasureContext*>(context);
    int32_t w = 0, h = 0;
    m.On.MeasureChar(m.Font, *character, w, h);
    return w;
}

} // namespace

bool PrepareGlyra(GlyraRun& run, const TextList& stored, int32_t speed, int32_t fontSize, GlyraScreen screen,
                  const uint32_t* seed)
{
    run.ScreenWidth = screen.ScreenWidth;
    run.ScreenHeight = screen.ScreenHeight;
    run.WindowWidth = screen.WindowWidth;
    run.WindowHeight = screen.WindowHeight;
    run.List.AppendCopies(stored, speed, TrailHooks);
    // Stored strings and built-in ones alike get their colours and paths
    // after this, so every run differs.
    if (seed) SeedRandom(*seed);
    // Only memory running out keeps the list empty; then the saver ends
    // instead of showing nothing.
    BuiltInTarget target{run.List, speed};
    if (run.List.EntryCount == 0 && !AddDefaultTexts(AddBuiltIn, &target)) return false;
    run.FontSize = fontSize;
    return true;
}

void PlaceEntries(GlyraRun& run, Canvas& canvas)
{
    // Half the window in full-screen units: the screen's centre in Run, near
    // the top-left corner of the scaled screen in Preview.
    const int32_t x = run.WindowWidth / 2;
    const int32_t y = run.WindowHeight / 2;
    double widest = 0;  // carried from each entry to the next
    MeasureContext measure{canvas, run.Font.get()};
    for (TextEntry* e = run.List.Head.get(); e; e = e->Next.get())
        if (e->State) StartEntry(*e, x, y, widest, MeasureCharacter, &measure);
}

void DrawCharacters(GlyraRun& run, Canvas& canvas, const TextEntry& entry, uint32_t colour)
{
    const CrawlTrail& s = TrailOf(entry);
    for (int32_t i = 0; i < entry.Length; ++i)
        canvas.DrawChar(run.Font.get(), s.CharX[i], s.CharY[i], entry.Text[i], colour);
}

void TickEntry(GlyraRun& run, Canvas& canvas, TextEntry& entry)
{
    if (!entry.State) return;
    AdvanceLeader(TrailOf(entry), run.ScreenWidth, run.ScreenHeight);
    // Last tick's glyphs go first, drawn again in black where they were.
    DrawCharacters(run, canvas, entry, 0);
    MoveCharacters(entry);
    DrawCharacters(run, canvas, entry, TrailOf(entry).TextColour);
}

void DrawGlyra(GlyraRun& run, Canvas& canvas)
{
    for (TextEntry* e = run.List.Head.get(); e; e = e->Next.get()) TickEntry(run, canvas, *e);
}
