// Orbel as a Linux program (zamvel-orbel): its one setting from --count,
// its run started for the window's size and drawn through an X canvas.
#include <new>

#include "hack_main.h"
#include "orbel_run.h"

namespace {

struct OrbelSettings {
    int32_t Count = DefaultCount;
};
OrbelSettings Settings;

const HackOption Options[] = {
    {"count", OptionKind::Number, "N", "mass points, 1 to 3500 (default 300)"},
};

class OrbelHack final : public HackRun {
public:
    OrbelRun Run;
};

bool TakeSettings(const HackCommand& c)
{
    if (const OptionValue* v = ValueOf(c, "count")) {
        int32_t n = 0;
        if (!ReadNumber(c, *v, n)) return false;
        // As a stored count loads on Windows: below 1 the default, above
        // the bound the bound.
        Settings.Count = Bounded(c, *v, n, ValidCount, "1 to 3500");
    }
    return true;
}

HackRun* Start(Canvas&, const HackView& view)
{
    OrbelHack* h = new (std::nothrow) OrbelHack;
    if (h) StartOrbel(h->Run, Settings.Count, view.Width, view.Height, view.Width, view.Height);
    return h;
}

void Draw(HackRun& run, Canvas& canvas) { DrawOrbel(static_cast<OrbelHack&>(run).Run, canvas); }

const HackProgram Program = {
    "zamvel-orbel", "orbel", "Orbel", Options, 1, false, TakeSettings, Start, Draw,
};

} // namespace

int main(int argc, char** argv) { return HackMain(Program, argc, argv); }
