// Glyra as a Linux program (zamvel-glyra): the text settings from the
// options, each run prepared with its one font, placed and drawn through
// an X canvas; the built-in strings decoded from code page 932.
#include <cstdio>
#include <new>
#include <cstring>

#include "glyra_run.h"
#include "hack_main.h"
#include "text_codec.h"
#include "text_hack.h"

namespace {

TextHackSettings Settings(32);

class GlyraHack final : public HackRun {
public:
    GlyraRun Run;
};

bool TakeSettings(const HackCommand& c) { return TakeTextSettings(c, Settings); }

HackRun* Start(Canvas& canvas, const HackView& view)
{
    GlyraHack* h = new (std::nothrow) GlyraHack;
    if (!h) return nullptr;
    GlyraRun& r = h->Run;
    // Every run seeds the generator, as the first window of a Windows run does.
    if (!PrepareGlyra(r, Settings.List, Settings.Speed, Settings.FontSize,
                      GlyraScreen{view.Width, view.Height, view.Width, view.Height}, &view.Seed, AddCp932Text)) {
        delete h;
        return nullptr;
    }
    TextChar face[256];
    const int32_t n = Utf8ToUtf16(Settings.Face, std::strlen(Settings.Face), face, 255);
    face[n < 0 ? 0 : n] = 0;
    // Without its font the run draws in the canvas's own, as on Windows.
    r.Font = canvas.MakeFont(face, r.FontSize, Settings.Bold, Settings.Italic);
    if (!r.Font) std::fprintf(stderr, "zamvel-glyra: cannot make the font \"%s\"\n", Settings.Face);
    PlaceEntries(r, canvas);
    return h;
}

void Draw(HackRun& run, Canvas& canvas) { DrawGlyra(static_cast<GlyraHack&>(run).Run, canvas); }

const HackProgram Program = {
    "zamvel-glyra", "glyra", "Glyra", GlyraTextOptions, TextOptionCount, false, TakeSettings, Start, Draw,
};

} // namespace

int main(int argc, char** argv)
{
    const int rc = HackMain(Program, argc, argv);
    Settings.List.Release(NoEntryState);
    return rc;
}
