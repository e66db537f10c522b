// Glyra2 as a Linux program (zamvel-glyra2): the text settings from the
// options, each run prepared, given its fonts and drawn through an X
// canvas; the built-in strings decoded from code page 932.
#include <new>
#include <cstring>

#include "glyra2_run.h"
#include "hack_main.h"
#include "text_codec.h"
#include "text_hack.h"

namespace {

TextHackSettings Settings(48);

class Glyra2Hack final : public HackRun {
public:
    Glyra2Run Run;
};

bool TakeSettings(const HackCommand& c) { return TakeTextSettings(c, Settings); }

HackRun* Start(Canvas& canvas, const HackView& view)
{
    Glyra2Hack* h = new (std::nothrow) Glyra2Hack;
    if (!h) return nullptr;
    // Every run seeds the generator, as the first window of a Windows run does.
    if (!PrepareGlyra2(h->Run, Settings.List, Settings.Speed, Settings.FontSize, view.Width, view.Height, &view.Seed,
                       AddCp932Text)) {
        delete h;
        return nullptr;
    }
    TextChar face[256];
    const int32_t n = Utf8ToUtf16(Settings.Face, std::strlen(Settings.Face), face, 255);
    face[n < 0 ? 0 : n] = 0;
    StartGlyra2(h->Run, canvas, face, Settings.Bold, Settings.Italic);
    return h;
}

void Draw(HackRun& run, Canvas& canvas) { DrawGlyra2(static_cast<Glyra2Hack&>(run).Run, canvas); }

const HackProgram Program = {
    "zamvel-glyra2", "glyra2", "Glyra2", Glyra2TextOptions, TextOptionCount, false, TakeSettings, Start, Draw,
};

} // namespace

int main(int argc, char** argv)
{
    const int rc = HackMain(Program, argc, argv);
    Settings.List.Release(NoEntryState);
    return rc;
}
