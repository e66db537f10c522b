// What the page's script calls: the page's one canvas and run, the savers'
// descriptions and values from their tables, the ticks, and the figures the
// tests and the benchmark read. Texts go out as JSON (web_json.h), from
// malloc: the script frees them.
#include <emscripten.h>

#include "failure_points.h"
#include "frame_canvas.h"
#include "orbel_sim.h"
#include "page_rasteriser.h"
#include "web_json.h"
#include "web_tables.h"

namespace {

struct WebPage {
    PageRasteriser Glyphs;
    FrameCanvas Frame{Glyphs};
    WebRun Run;
};

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE WebPage* web_page_new() { return NewOrNull<WebPage>(); }

EMSCRIPTEN_KEEPALIVE int web_saver_count() { return WebSaverCount; }

EMSCRIPTEN_KEEPALIVE char* web_saver(int saver)
{
    const SaverTable* table = WebTable(saver);
    return table ? SaverJson(*table) : nullptr;
}

EMSCRIPTEN_KEEPALIVE char* web_save_failed() { return UiTextJson(SaveFailedText); }

EMSCRIPTEN_KEEPALIVE void web_defaults(int saver) { WebDefaults(saver); }

EMSCRIPTEN_KEEPALIVE int web_take(int saver, int setting, const char* utf8) { return WebTake(saver, setting, utf8); }

EMSCRIPTEN_KEEPALIVE char* web_values(int saver)
{
    const SaverTable* table = WebTable(saver);
    return table ? ValuesJson(*table, *WebValues(saver)) : nullptr;
}

// A black frame of width x height device pixels, for the next run: the run
// there ends. Its pixels, or null without the memory.
EMSCRIPTEN_KEEPALIVE uint32_t* web_frame(WebPage* page, int width, int height)
{
    if (!page) return nullptr;
    page->Run.End();
    return page->Frame.Resize(width, height) ? page->Frame.Pixels() : nullptr;
}

// A run of the saver on the frame as it stands (black, or the picture the
// page put there), seeded with seed when seedGiven; false when it cannot
// start.
EMSCRIPTEN_KEEPALIVE int web_start(WebPage* page, int saver, unsigned clock, unsigned seed, int seedGiven)
{
    if (!page || !page->Frame.Pixels()) return 0;
    const uint32_t s = seed;
    return page->Run.Start(saver, page->Frame, page->Frame.Width(), page->Frame.Height(), clock,
                           seedGiven ? &s : nullptr);
}

// What the run asks the user to hear of, or null.
EMSCRIPTEN_KEEPALIVE char* web_notice(WebPage* page)
{
    const UiText* notice = page ? page->Run.Notice() : nullptr;
    return notice ? UiTextJson(*notice) : nullptr;
}

EMSCRIPTEN_KEEPALIVE void web_tick(WebPage* page, int ticks)
{
    for (int i = 0; page && i < ticks; ++i) page->Run.Draw(page->Frame);
}

EMSCRIPTEN_KEEPALIVE void web_end(WebPage* page)
{
    if (page) page->Run.End();
}

// Every font and glyph the page has made, as text.
EMSCRIPTEN_KEEPALIVE char* web_glyph_text(WebPage* page) { return page ? page->Frame.GlyphText() : nullptr; }

// Orbel's attraction step alone, in milliseconds a tick over ticks ticks
// from the opening layout of count points on a width x height screen.
EMSCRIPTEN_KEEPALIVE double web_orbel_step(int count, int width, int height, int ticks)
{
    std::unique_ptr<MassPoint[]> points = AllocatePoints(count);
    if (!points || ticks <= 0) return -1;
    BuildPoints(points.get(), count, width, height);
    const double start = emscripten_get_now();
    for (int i = 0; i < ticks; ++i) StepPoints(points.get(), count);
    return (emscripten_get_now() - start) / ticks;
}

}
