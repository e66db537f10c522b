// Glyra2's entries from a stored list loaded from any bytes (text_loading.h
// gives the input's form): each run's copy with its flights, placed as
// OnCreate places them and moved a few ticks as TickEntry moves them, with
// every slot, depth, angle and font index its drawing reads checked.
#include <cmath>
#include <memory>

#include "glyra2_entry.h"
#include "text_loading.h"
#include "glyra2_table.h"

namespace {

// What the drawing of a chain reads: each slot of the ring, its font from
// the table (one font per height up to the font size), its depth.
void ReadChain(FlightPath& path, const TextEntry& entry, int32_t slot, int32_t fontSize)
{
    for (int32_t i = 0; i < entry.Length; ++i) {
        FUZZ_CHECK(slot >= 0 && slot <= path.LastSlot);
        const int32_t font = ClampedFontIndex(path, slot, fontSize);
        FUZZ_CHECK(font >= 0 && font < fontSize);
        FUZZ_CHECK(path.PathZ[slot] >= 0 && path.PathZ[slot] <= FarDepth);
        (void)DimmedColour(path.Red, path.Green, path.Blue, path.PathZ[slot]);
        slot = SlotBehind(path, slot);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    TextList stored;
    const RunSettings r = LoadStoredList(in, Glyra2Table, stored);

    auto space = std::make_unique<Glyra2Space>();
    FillSpace(*space, r.ScreenWidth / 2, r.ScreenHeight / 2);
    TextList run;
    const int32_t requestsBefore = FailurePointRequests(FailurePoint::Memory);
    run.AppendCopies(stored, r.Speed, FlightHooks);
    CheckCopies(stored, run, RefusedSince(requestsBefore));
    ClearFailurePlan();

    // OnCreate: the start slots and the largest glyph's diagonal.
    for (TextEntry* e = run.Head.get(); e; e = e->Next.get()) {
        FlightPath& path = PathOf(*e);
        FUZZ_CHECK(path.Spacing >= 0 && path.Spacing <= MaxSpeed);
        FUZZ_CHECK(path.LastSlot == e->Length * (path.Spacing + 1));
        StartEntry(path, r.FontSize, *space);
        for (int32_t i = 0; i < e->Length; ++i) {
            const double cx = GlyphWidth(e->Text[i], r), cy = r.FontSize;
            const int32_t extent = TruncToInt(std::sqrt(cx * cx + cy * cy));
            if (extent > path.MaxExtent) path.MaxExtent = extent;
        }
    }
    for (int32_t tick = 0; tick < r.Ticks; ++tick) {
        for (TextEntry* e = run.Head.get(); e; e = e->Next.get()) {
            FlightPath& path = PathOf(*e);
            const int32_t step = MoveLeader(path, *space);
            FUZZ_CHECK(step >= 0);
            // Both angles index the sine and cosine tables.
            FUZZ_CHECK(path.Azimuth >= -180 && path.Azimuth <= 180);
            FUZZ_CHECK(path.Inclination >= -180 && path.Inclination <= 180);
            ReadChain(path, *e, path.PrevSlot, r.FontSize);
            ProjectSlot(path, step, r.FontSize, *space);
            ReadChain(path, *e, path.HeadSlot, r.FontSize);
            AdvanceRing(path);
        }
    }
    return 0;
}
