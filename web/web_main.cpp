// What the page's script calls: the page's one canvas and run, the savers'
// settings schemas and values, the ticks, and the figures the tests and the
// benchmark read.
#include <emscripten.h>

#include <cstdlib>
#include <new>

#include "frame_canvas.h"
#include "orbel_sim.h"
#include "page_rasteriser.h"
#include "page_text.h"
#include "web_savers.h"

namespace {

struct WebPage {
    PageRasteriser Glyphs;
    FrameCanvas Frame{Glyphs};
    WebRun* Run = nullptr;

    ~WebPage() { End(); }
    void End()
    {
        delete Run;
        Run = nullptr;
    }
};

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE WebPage* web_page_new() { return new (std::nothrow) WebPage; }

EMSCRIPTEN_KEEPALIVE int web_saver_count() { return WebSaverCount; }

EMSCRIPTEN_KEEPALIVE const char* web_saver_schema(int saver) { return WebSaverSchema(saver); }

EMSCRIPTEN_KEEPALIVE int web_set_number(int saver, int setting, int value)
{
    return WebSetNumber(saver, setting, value);
}

EMSCRIPTEN_KEEPALIVE int web_set_text(int saver, int setting, const char* utf8)
{
    return WebSetText(saver, setting, utf8);
}

// A black frame of width x height device pixels, for the next run: the run
// there ends. Its pixels, or null without the memory.
EMSCRIPTEN_KEEPALIVE uint32_t* web_frame(WebPage* page, int width, int height)
{
    if (!page) return nullptr;
    page->End();
    return page->Frame.Resize(width, height) ? page->Frame.Pixels() : nullptr;
}

// A run of the saver on the frame as it stands (black, or the picture the
// page put there); false when it cannot start.
EMSCRIPTEN_KEEPALIVE int web_start(WebPage* page, int saver, unsigned seed, int seedGiven)
{
    if (!page || !page->Frame.Pixels()) return 0;
    page->End();
    const WebView view{page->Frame.Width(), page->Frame.Height(), seed, seedGiven != 0, AddPageCp932Text};
    page->Run = WebStart(saver, page->Frame, view);
    return page->Run != nullptr;
}

EMSCRIPTEN_KEEPALIVE void web_tick(WebPage* page, int ticks)
{
    if (!page || !page->Run) return;
    for (int i = 0; i < ticks; ++i) page->Run->Draw(page->Frame);
}

EMSCRIPTEN_KEEPALIVE void web_end(WebPage* page)
{
    if (page) page->End();
}

// Every font and glyph the page has made, as text; freed with free().
EMSCRIPTEN_KEEPALIVE char* web_glyph_text(WebPage* page) { return page ? page->Frame.GlyphText() : nullptr; }

// Orbel's attraction step alone, in milliseconds a tick over ticks ticks
// from the opening layout of count points on a width x height screen.
EMSCRIPTEN_KEEPALIVE double web_orbel_step(int count, int width, int height, int ticks)
{
    MassPoint* points = AllocatePoints(count);
    if (!points || ticks <= 0) return FreePoints(points), -1;
    BuildPoints(points, count, width, height);
    const double start = emscripten_get_now();
    for (int i = 0; i < ticks; ++i) StepPoints(points, count);
    const double ms = (emscripten_get_now() - start) / ticks;
    FreePoints(points);
    return ms;
}

}
