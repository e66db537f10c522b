// Glyra's entries from a stored list loaded from any bytes (text_loading.h
// gives the input's form): each run's copy with its trails, started as
// OnCreate starts them and moved a few ticks as TickEntry moves them, with
// every trail point a character is drawn from checked.
#include "glyra_trail.h"
#include "text_loading.h"
#include "glyra_table.h"

namespace {

int32_t MeasureGlyph(const TextChar* character, void* context)
{
    return GlyphWidth(*character, *static_cast<const RunSettings*>(context));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    TextList stored;
    RunSettings r = LoadStoredList(in, GlyraTable, stored);

    TextList run;
    const int32_t requestsBefore = FailurePointRequests(FailurePoint::Memory);
    run.AppendCopies(stored, r.Speed, TrailHooks);
    CheckCopies(stored, run, RefusedSince(requestsBefore));
    ClearFailurePlan();

    // OnCreate: every entry at half the window, the widest glyph carried
    // from entry to entry.
    double widest = 0;
    for (TextEntry* e = run.Head.get(); e; e = e->Next.get()) {
        StartEntry(*e, r.WindowWidth / 2, r.WindowHeight / 2, widest, MeasureGlyph, &r);
        const CrawlTrail& s = TrailOf(*e);
        FUZZ_CHECK(s.Spacing >= MinSpeed && s.Spacing <= MaxSpeed);
        FUZZ_CHECK(s.TrailLength == e->Length * s.Spacing);
        FUZZ_CHECK(s.StepLength >= MinStepLength);
    }
    for (int32_t tick = 0; tick < r.Ticks; ++tick) {
        for (TextEntry* e = run.Head.get(); e; e = e->Next.get()) {
            CrawlTrail& s = TrailOf(*e);
            AdvanceLeader(s, r.ScreenWidth, r.ScreenHeight);
            FUZZ_CHECK(s.TrailX[0] >= 0 && s.TrailX[0] <= r.ScreenWidth);
            FUZZ_CHECK(s.TrailY[0] >= 0 && s.TrailY[0] <= r.ScreenHeight);
            // Every character's trail point lies inside the trail.
            for (int32_t i = 0; i < e->Length; ++i) {
                const int32_t k = TrailIndex(i, s.Spacing);
                FUZZ_CHECK(k >= 0 && k < s.TrailLength);
            }
            MoveCharacters(*e);
        }
    }
    return 0;
}
