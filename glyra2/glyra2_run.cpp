#include "glyra2_run.h"

#include <cmath>
#include <cstdlib>

#include "default_texts.h"
#include "failure_points.h"
#include "random.h"

bool PrepareGlyra2(Glyra2Run& run, const TextList& stored, int32_t speed, int32_t fontSize, int32_t screenWidth,
                   int32_t screenHeight, const uint32_t* seed)
{
    run.FontSize = fontSize;
    FillSpace(run.Space, screenWidth / 2, screenHeight / 2);
    // The stored strings take their flights from the generator as it stands:
    // unseeded in a run's first window, so they start alike on every run.
    // The built-in ones come after the seed.
    run.List.AppendCopies(stored, speed, FlightHooks);
    if (seed) SeedRandom(*seed);
    // One pass always fills an empty list; only memory running out leaves
    // it empty, and then the saver ends instead of showing nothing.
    if (run.List.EntryCount == 0)
        for (const char16_t* text : Glyra2DefaultTexts) run.List.AppendCopy(text, speed, FlightHooks);
    return run.List.EntryCount != 0;
}

bool MakeGlyra2Fonts(Glyra2Run& run, Canvas& canvas, const TextChar* face, bool bold, bool italic)
{
    FreeGlyra2Fonts(run);
    if (run.FontSize <= 0) return false;
    run.Fonts.reset(NewArrayOrNull<std::unique_ptr<CanvasFont>>(static_cast<size_t>(run.FontSize)));
    if (!run.Fonts) return false;
    run.FontCount = run.FontSize;
    for (int32_t k = 0; k < run.FontCount; ++k) run.Fonts[k] = canvas.MakeFont(face, k + 1, bold, italic);
    return true;
}

const CanvasFont* Glyra2FontAt(const Glyra2Run& run, int32_t k)
{
    if (k < 0 || k >= run.FontCount) return nullptr;
    return run.Fonts[k].get();
}

void FreeGlyra2Fonts(Glyra2Run& run)
{
    run.Fonts.reset();
    run.FontCount = 0;
}

void PlaceEntries(Glyra2Run& run, Canvas& canvas)
{
    const CanvasFont* largest = Glyra2FontAt(run, run.FontCount - 1);
    for (TextEntry* e = run.List.Head.get(); e; e = e->Next.get()) {
        if (!e->State) continue;
        FlightPath& path = PathOf(*e);
        StartEntry(path, run.FontSize, run.Space);
        for (int32_t i = 0; i < e->Length; ++i) {
            int32_t w = 0, h = 0;
            canvas.MeasureChar(largest, e->Text[i], w, h);
            const int32_t extent = TruncToInt(std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h));
            if (extent > path.MaxExtent) path.MaxExtent = extent;
        }
    }
}

void StartGlyra2(Glyra2Run& run, Canvas& canvas, const TextChar* face, bool bold, bool italic)
{
    MakeGlyra2Fonts(run, canvas, face, bold, italic);
    PlaceEntries(run, canvas);
}

void DrawChain(Glyra2Run& run, Canvas& canvas, TextEntry& entry, int32_t slot, bool inBlack)
{
    FlightPath& path = PathOf(entry);
    for (int32_t i = 0; i < entry.Length; ++i) {
        const uint32_t colour = inBlack ? 0 : DimmedColour(path.Red, path.Green, path.Blue, path.PathZ[slot]);
        const CanvasFont* font = Glyra2FontAt(run, ClampedFontIndex(path, slot, run.FontSize));
        canvas.DrawChar(font, path.ScreenX[slot], path.ScreenY[slot], entry.Text[i], colour);
        slot = SlotBehind(path, slot);
    }
}

void TickEntry(Glyra2Run& run, Canvas& canvas, TextEntry& entry)
{
    if (!entry.State) return;
    FlightPath& path = PathOf(entry);
    const int32_t step = MoveLeader(path, run.Space);
    // Last tick's glyphs go first, drawn again in black where they were.
    DrawChain(run, canvas, entry, path.PrevSlot, true);
    ProjectSlot(path, step, run.FontSize, run.Space);
    DrawChain(run, canvas, entry, path.HeadSlot, false);
    AdvanceRing(path);
}

void DrawGlyra2(Glyra2Run& run, Canvas& canvas)
{
    for (TextEntry* e = run.List.Head.get(); e; e = e->Next.get()) TickEntry(run, canvas, *e);
}
